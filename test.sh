#!/usr/bin/env bash
# Installs what is missing, builds and runs every check:
#   format, normal build with all tests, ASan+UBSan unit and end-to-end tests,
#   TSan threaded tests, and a short fuzz smoke run.
# Exits non-zero on the first failure. Build folders are reused when present.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
exec scripts/check.sh "$@"
