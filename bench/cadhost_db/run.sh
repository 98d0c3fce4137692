#!/usr/bin/env bash
# Load-and-save benchmark of the drawing database against ezdxf, in one run.
# Makes a ~50 MB R2018 drawing with 200,000 TEXT and MTEXT entities, then
# times `dxftool roundtrip` and ezdxf's readfile + saveas on it, and
# measures the peak memory of both.
# Usage: bench/cadhost_db/run.sh [BUILD_DIR] [COUNT]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
count=${2:-200000}
here=$root/bench/cadhost_db
python=/usr/bin/python3

cmake --build "$build" --target dxftool >/dev/null
dxftool=$build/tools/dxftool/dxftool
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

$python "$here/make_big.py" "$work/big.dxf" "$count"
size=$(stat -c %s "$work/big.dxf")
echo "drawing: $count TEXT and MTEXT entities, $size bytes"

cat >"$work/ezdxf_roundtrip.py" <<'PY'
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
doc.saveas(sys.argv[2])
PY

hyperfine --runs 5 --warmup 1 --export-json "$work/ours.json" \
  "$dxftool roundtrip $work/big.dxf $work/ours.dxf"
hyperfine --runs 2 --export-json "$work/ezdxf.json" \
  "$python $work/ezdxf_roundtrip.py $work/big.dxf $work/ezdxf.dxf"
cmp "$work/big.dxf" "$work/ours.dxf" && echo "our output is byte-identical to the input"

peak() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1; }
ours_kb=$(peak "$dxftool" roundtrip "$work/big.dxf" "$work/ours.dxf")
ezdxf_kb=$(peak $python "$work/ezdxf_roundtrip.py" "$work/big.dxf" "$work/ezdxf.dxf")

$python - "$work/ours.json" "$work/ezdxf.json" "$size" "$ours_kb" "$ezdxf_kb" <<'PY'
import json, sys
ours = json.load(open(sys.argv[1]))["results"][0]["mean"]
ezdxf = json.load(open(sys.argv[2]))["results"][0]["mean"]
size, ours_kb, ezdxf_kb = int(sys.argv[3]), int(sys.argv[4]), int(sys.argv[5])
print("load+save time: ours %.2f s, ezdxf %.2f s: %.1f times faster (goal 20)" %
      (ours, ezdxf, ezdxf / ours))
print("peak memory: ours %.0f MB = %.2f x file size (goal 3), ezdxf %.0f MB = %.2f x" %
      (ours_kb / 1024, ours_kb * 1024 / size, ezdxf_kb / 1024, ezdxf_kb * 1024 / size))
PY
