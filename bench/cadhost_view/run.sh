#!/usr/bin/env bash
# Drawing view benchmark: makes the 200,000-text drawing of the database
# benchmark, then times opening it with its first paint, zoom and pan
# repaints and one changed text, each beside its peer in the same run.
# Usage: bench/cadhost_view/run.sh [BUILD_DIR] [COUNT]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
count=${2:-200000}
cmake --build "$build" --target view_bench >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
/usr/bin/python3 "$root/bench/cadhost_db/make_big.py" "$work/big.dxf" "$count"
echo "drawing: $count TEXT and MTEXT entities, $(stat -c %s "$work/big.dxf") bytes"
VIEW_BENCH_DXF=$work/big.dxf "$build/bench/cadhost_view/view_bench" --benchmark_counters_tabular=true
