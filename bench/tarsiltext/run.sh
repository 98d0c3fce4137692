#!/usr/bin/env bash
# Whole-process throughput of `tarsiltext --utf8 l2v --rtl` against
# fribidi_lines (GNU FriBidi in a small C program), on the same files in the
# same run.  The input files are made once and kept in DATA_DIR.
# Usage: bench/tarsiltext/run.sh [BUILD_DIR] [DATA_DIR] [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
data=${2:-${TMPDIR:-/tmp}/tarsiltext-bench}
runs=${3:-3}
here=$root/bench/tarsiltext

cmake --build "$build" --target tarsiltext fribidi_lines >/dev/null
[ -f "$data/neutral_1m.txt" ] || python3 "$here/make_text.py" "$data"
python3 "$here/measure.py" "$build/tools/tarsiltext/tarsiltext" \
  "$build/bench/tarsiltext/fribidi_lines" "$data" "$runs"
