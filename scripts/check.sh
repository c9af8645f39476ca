#!/usr/bin/env bash
# Every quality gate of the project, in the order that finds faults cheapest.
# Usage: scripts/check.sh [--quick]   (--quick: format + normal build + tests only)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
quick=0
[[ "${1:-}" == "--quick" ]] && quick=1
export QT_QPA_PLATFORM=offscreen
# A run on a fresh checkout builds everything itself: no compiler cache shared
# with other checkouts can hand it an object of another tree.
if [[ -n "${CI:-}" ]]; then export CCACHE_DISABLE=1; fi
jobs=$(nproc)
total=0

# Each stage's wall-clock time, printed as a table at the end of the run.
stage_names=()
stage_seconds=()
stage_name=""
stage_start=0
run_start=$(date +%s)
finished=0
end_stage() {
  if [[ -n "$stage_name" ]]; then
    stage_names+=("$stage_name")
    stage_seconds+=("$(($(date +%s) - stage_start))")
  fi
  stage_name=""
}
step() {
  end_stage
  stage_name="$*"
  stage_start=$(date +%s)
  printf '\n=== %s ===\n' "$*"
}
stage_table() {
  end_stage
  printf '\n%-56s %8s\n' "stage" "time"
  local i
  for i in "${!stage_names[@]}"; do
    printf '%-56s %5d:%02d\n' "${stage_names[$i]}" $((stage_seconds[i] / 60)) $((stage_seconds[i] % 60))
  done
  local all=$(($(date +%s) - run_start))
  printf '%-56s %5d:%02d\n' "all" $((all / 60)) $((all % 60))
}
# A run that stops early still shows where its time went.
trap '[[ $finished -eq 1 ]] || stage_table' EXIT

# ctest wrapper: runs, echoes, and adds the number of tests to the total.
run_ctest() {
  local dir=$1; shift
  local log
  log=$(mktemp)
  if ! ctest --test-dir "$dir" --output-on-failure "$@" 2>&1 | tee "$log"; then
    rm -f "$log"; return 1
  fi
  if grep -q 'No tests were found' "$log"; then rm -f "$log"; return 0; fi
  local n
  n=$(grep -Eo 'tests passed, 0 tests failed out of [0-9]+' "$log" | grep -Eo '[0-9]+$' | tail -n1)
  if [[ -z "$n" ]]; then rm -f "$log"; return 1; fi
  total=$((total + n))
  rm -f "$log"
}

configure() {
  local dir=$1; shift
  if [[ ! -f "$dir/build.ninja" ]]; then
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  fi
}

step "layers"
scripts/check-layers.sh

step "format"
files=$(git ls-files 'src/*' 'tests/*' 'tools/*' 'bench/*' 'fuzz/*' | grep -E '\.(cpp|h)$' || true)
if [[ -n "$files" ]]; then
  # shellcheck disable=SC2086
  clang-format --dry-run --Werror $files
fi
echo "format ok"

step "build (warnings are errors)"
configure build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"

# Every test program has its own pseudo-terminals, folders and environment, so
# all run in parallel; the few that need the machine alone say so themselves.
step "tests"
run_ctest build -j "$jobs"

if [[ $quick -eq 0 ]]; then
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
  export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  export TSAN_OPTIONS="suppressions=$root/scripts/tsan.supp:halt_on_error=1:second_deadlock_stack=1"

  step "AddressSanitizer + UndefinedBehaviorSanitizer: build"
  configure build-asan -DCMAKE_BUILD_TYPE=Debug -DORVATIX_SANITIZE=address,undefined -DORVATIX_BENCH=OFF
  cmake --build build-asan -j "$jobs" --target tests_unit tests_e2e
  step "AddressSanitizer + UndefinedBehaviorSanitizer: tests"
  run_ctest build-asan -j "$jobs" -L '^(unit|e2e)$'

  step "ThreadSanitizer: build"
  configure build-tsan -DCMAKE_BUILD_TYPE=Debug -DORVATIX_SANITIZE=thread -DORVATIX_BENCH=OFF
  cmake --build build-tsan -j "$jobs" --target tests_threaded
  step "ThreadSanitizer: tests"
  run_ctest build-tsan -j "$jobs" -L '^threaded$'

  step "fuzz smoke run: build"
  configure build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVATIX_FUZZ=ON -DORVATIX_WIDGETS=OFF \
    -DORVATIX_BENCH=OFF -DCMAKE_CXX_COMPILER=clang++
  cmake --build build-fuzz -j "$jobs" --target fuzz_all
  # The targets fuzz side by side, each for the same 20 s of wall-clock time.
  step "fuzz smoke run: fuzzing"
  names=()
  works=()
  pids=()
  for f in build-fuzz/fuzz/fuzz_*; do
    [[ -f "$f" && -x "$f" ]] || continue
    name=$(basename "$f")
    corpus="$root/fuzz/corpus/${name#fuzz_}"
    work=$(mktemp -d)
    [[ -d "$corpus" ]] && cp -r "$corpus/." "$work/"
    artifacts="$root/build-fuzz/artifacts/$name"
    mkdir -p "$artifacts"
    echo "fuzzing $name for 20 s"
    "$f" -max_total_time=20 -rss_limit_mb=2048 -artifact_prefix="$artifacts/" "$work" \
      >"$work.log" 2>&1 &
    names+=("$name")
    works+=("$work")
    pids+=($!)
  done
  failed=0
  for i in "${!pids[@]}"; do
    name=${names[$i]}
    work=${works[$i]}
    if wait "${pids[$i]}"; then
      echo "$name: $(tail -n 1 "$work.log")"
      total=$((total + 1))
    else
      tail -n 40 "$work.log"
      echo "$name failed; the input that did it is in $root/build-fuzz/artifacts/$name"
      failed=1
    fi
    rm -rf "$work" "$work.log"
  done
  [[ $failed -eq 0 ]] || exit 1
fi

stage_table
finished=1
printf '\nall checks passed\nsummary: %d passed, 0 failed\n' "$total"
