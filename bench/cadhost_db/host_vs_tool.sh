#!/usr/bin/env bash
# The host program against the database under it, in one run: open and
# SAVEAS of the ~47 MB drawing in `cadhost` beside `dxftool roundtrip` of
# the same file.  Time from hyperfine (7 runs of each, after a
# warm-up that puts the file in the page cache), peak resident memory from
# /usr/bin/time -v.  Goals: within 1.5 times the time and 2 times the memory.
# Usage: bench/cadhost_db/host_vs_tool.sh [BUILD_DIR] [COUNT]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
count=${2:-200000}
python=/usr/bin/python3

cmake --build "$build" --target dxftool cadhost_program >/dev/null
dxftool=$build/tools/dxftool/dxftool
cadhost=$build/cadhost/program/cadhost
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

$python "$root/bench/cadhost_db/make_big.py" "$work/big.dxf" "$count"
size=$(stat -c %s "$work/big.dxf")
echo "drawing: $count TEXT and MTEXT entities, $size bytes"
printf 'SAVEAS\n%s\nQUIT\n' "$work/host.dxf" >"$work/save.scr"

hyperfine --runs 7 --warmup 1 --export-json "$work/times.json" \
  -n cadhost "$cadhost $work/big.dxf --script $work/save.scr" \
  -n dxftool "$dxftool roundtrip $work/big.dxf $work/tool.dxf"
cmp "$work/big.dxf" "$work/host.dxf" && echo "cadhost saved the drawing byte for byte"
cmp "$work/big.dxf" "$work/tool.dxf" && echo "dxftool saved the drawing byte for byte"

peak() { /usr/bin/time -v "$@" 2>&1 >/dev/null | awk -F': ' '/Maximum resident/ {print $2}'; }
host_kb=$(peak "$cadhost" "$work/big.dxf" --script "$work/save.scr")
tool_kb=$(peak "$dxftool" roundtrip "$work/big.dxf" "$work/tool.dxf")

$python - "$work/times.json" "$size" "$host_kb" "$tool_kb" <<'PY'
import json, sys
results = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
size, host_kb, tool_kb = int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
host, tool = results["cadhost"], results["dxftool"]
print("open + SAVEAS: cadhost %.3f s (median %.3f), dxftool roundtrip %.3f s (median %.3f): "
      "%.2f times (goal 1.5)" % (host["mean"], host["median"], tool["mean"], tool["median"],
                                 host["mean"] / tool["mean"]))
print("peak memory: cadhost %.0f MB, dxftool %.0f MB: %.2f times (goal 2); %.2f x file size" %
      (host_kb / 1024, tool_kb / 1024, host_kb / tool_kb, host_kb * 1024 / size))
PY
