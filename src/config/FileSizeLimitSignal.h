#pragma once
// A file-size limit (ulimit -f, a service's limit) makes a write fail with
// EFBIG, which every writer reports, instead of killing the process with
// SIGXFSZ. Each program calls this first thing at start.
void ignoreFileSizeLimitSignal();
