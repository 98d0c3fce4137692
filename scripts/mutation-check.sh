#!/usr/bin/env bash
# The mutation check: puts each fault of scripts/mutants.txt into a copy of
# the sources, rebuilds and runs the test binaries of its area and reports
# which faults the tests catch (docs/mutation-report.md).  Slow on two
# cores (about half a minute per fault); not part of scripts/test.sh.
# Options go to scripts/mutation_check.py (--area AREA, --match TEXT, ...).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exec python3 "$root/scripts/mutation_check.py" "$@"
