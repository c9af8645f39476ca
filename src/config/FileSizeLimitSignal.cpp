#include "config/FileSizeLimitSignal.h"

#include <csignal>

void ignoreFileSizeLimitSignal() {
#ifndef _WIN32
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}
