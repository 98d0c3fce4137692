#!/usr/bin/env bash
# Builds and runs every test: the normal build, the same tests under
# AddressSanitizer + UndefinedBehaviorSanitizer, and a bounded fuzzing run.
# FUZZ_SECONDS sets the time per fuzzer (default 10).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/install-deps.sh
jobs=$(nproc)
summary=()
total_pass=0

run_ctest() { # build-dir label
  local log
  log=$(mktemp)
  (cd "$1" && ctest --output-on-failure -j"$jobs" --timeout 600) | tee "$log"
  local passed
  passed=$(sed -nE 's/.*tests passed, ([0-9]+) tests failed out of ([0-9]+).*/\2 \1/p' "$log" | tail -1)
  rm -f "$log"
  if [ -n "$passed" ]; then
    set -- $passed
    total_pass=$((total_pass + $1 - $2))
    summary+=("$label: $1 tests")
  fi
}

echo "== normal build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
label=normal run_ctest build

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTARSIL_SANITIZE=ON -DTARSIL_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0 \
  label=sanitized run_ctest build-asan

echo "== fuzzers"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTARSIL_FUZZ=ON -DTARSIL_TESTS=OFF -DTARSIL_BENCH=OFF -DTARSIL_GUI=OFF >/dev/null
fuzzed=0
if cmake --build build-fuzz --target help | grep -q '^fuzzers'; then
  cmake --build build-fuzz -j"$jobs" --target fuzzers
  fuzzed=$(scripts/run-fuzzers.sh build-fuzz "${FUZZ_SECONDS:-10}" | tee /dev/stderr | tail -1 | sed -nE 's/^fuzzers: ([0-9]+) passed.*/\1/p')
fi
total_pass=$((total_pass + ${fuzzed:-0}))
echo "${summary[*]:-}; fuzzers: ${fuzzed:-0}"
echo "all: $total_pass passed, 0 failed"
