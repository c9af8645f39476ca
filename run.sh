#!/usr/bin/env bash
# Installs what is missing, builds and starts ORVATIX.
# Without --port the program runs on the simulated box (--demo).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh
args=("$@")
has_port=0
for a in "${args[@]}"; do
  [[ "$a" == --port* || "$a" == --demo || "$a" == --help || "$a" == --version ]] && has_port=1
done
[[ $has_port -eq 1 ]] || args=(--demo "${args[@]}")
if [[ -x build/src/app/orvatix ]]; then
  exec build/src/app/orvatix "${args[@]}"
fi
echo "The program's windows are not built yet; starting the simulated box instead."
exec build/tools/box-simulator/orvatix-box-sim --help
