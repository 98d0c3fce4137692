#!/usr/bin/env bash
# Runs every fuzz_* binary of a fuzzing build for a bounded time.
# Usage: run-fuzzers.sh BUILD_DIR SECONDS
set -euo pipefail
build=${1:?build dir}
seconds=${2:-10}
root=$(cd "$(dirname "$0")/.." && pwd)
artifacts=$root/build-fuzz-artifacts
mkdir -p "$artifacts"
passed=0
for bin in "$build"/fuzzers/fuzz_*; do
  [ -x "$bin" ] || continue
  name=$(basename "$bin"); name=${name#fuzz_}
  work=$(mktemp -d)
  seeds=()
  [ -d "$root/fuzz/corpus/$name" ] && seeds+=("$root/fuzz/corpus/$name")
  echo "fuzz $name for ${seconds}s"
  if ! "$bin" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
       -artifact_prefix="$artifacts/$name-" "$work" "${seeds[@]}" >"$work.log" 2>&1; then
    tail -40 "$work.log" >&2
    echo "fuzz $name: FAILED (artifacts in $artifacts)" >&2
    exit 1
  fi
  grep -E '^#[0-9]+.*DONE' "$work.log" | tail -1 || true
  rm -rf "$work" "$work.log"
  passed=$((passed + 1))
done
echo "fuzzers: $passed passed, 0 failed"
