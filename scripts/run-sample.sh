#!/usr/bin/env bash
# The main job on the bundled sample: the host opens a Hebrew drawing, loads
# the module, runs a short script (list, UCS, save) and quits; then every
# text of the drawing is shown as stored and as the user reads it.  With a
# display ($DISPLAY set) the host first opens the drawing in its window,
# with the module loaded, and waits until the window is closed (or QUIT).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
drawing=${2:-samples/hebrew_r2000.dxf}

# The module keeps tarsil.ini beside itself: run a copy in a scratch folder
# so that the sample never changes the build's settings.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$build/tarsil2.arx" "$build/default.map" "$work/"

if [ -n "${DISPLAY:-}" ]; then
  echo "== cadhost --gui $drawing --load tarsil2.arx   (close the window or type QUIT to go on)"
  "$build/cadhost/program/cadhost" --gui "$drawing" --load "$work/tarsil2.arx"
fi

echo "== cadhost $drawing --load tarsil2.arx --script samples/scripts/tour.scr"
"$build/cadhost/program/cadhost" "$drawing" --load "$work/tarsil2.arx" \
  --script samples/scripts/tour.scr
echo "== tarsil.ini written by the module"
cat "$work/tarsil.ini"
echo
echo "== texts of $drawing: stored -> as read"
/usr/bin/python3 tools/show_texts.py "$build" "$drawing" resources/default.map
