#!/usr/bin/env bash
# The host program with --gui, as a user runs it.
#  - Offscreen: its exit statuses (QUIT from a script, a script whose lines
#    fail, a drawing or module that cannot be opened, a missing script).
#  - As a real window on a virtual X display, with the module loaded: the
#    splash comes up over the window, a module dialog is a modal transient of
#    it, and a person's keystrokes (xdotool) type commands into the command
#    line, whose answers must appear on standard output; QUIT ends it.
#   window_e2e.sh CADHOST DRAWING MODULE     (runs itself again under xvfb-run)
set -euo pipefail
program=$1
drawing=$2
module=$3
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

if [ -z "${WINDOW_E2E_INNER:-}" ]; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  # Runs the program offscreen; sets rc and out.
  offscreen() {
    rc=0
    out=$(QT_QPA_PLATFORM=offscreen timeout 30 "$program" --gui "$@" 2>&1) || rc=$?
  }
  printf 'NOSUCHCOMMAND\n(car 1)\n(+ 40 2)\nQUIT\n' >"$work/failing.scr"
  offscreen "$drawing" --script "$work/failing.scr"
  [ "$rc" -eq 0 ] || fail "a script that fails on the way and ends in QUIT: status $rc: $out"
  grep -qF 'Unknown command "NOSUCHCOMMAND"' <<<"$out" || fail "no unknown command: $out"
  grep -qxF '42' <<<"$out" || fail "the script went no further than its failing lines: $out"
  offscreen "$work/none.dxf" --script "$work/failing.scr"
  [ "$rc" -eq 2 ] || fail "a drawing that cannot be opened: status $rc: $out"
  offscreen "$drawing" --load "$work/none.arx" --script "$work/failing.scr"
  [ "$rc" -eq 3 ] || fail "a module that cannot be loaded: status $rc: $out"
  offscreen "$drawing" --script "$work/none.scr"
  [ "$rc" -ne 0 ] || fail "a missing script: status 0: $out"
  grep -qF 'none.scr' <<<"$out" || fail "a missing script is not named: $out"
  rm -rf "$work"
  trap - EXIT
  # The screen's middle lies outside the window, so a splash centred on the
  # screen instead of the window is caught.
  WINDOW_E2E_INNER=1 exec xvfb-run -a -s "-screen 0 2560x2048x24" "$0" "$@"
fi

work=$(mktemp -d)
pid=
trap 'rm -rf "$work"; [ -n "$pid" ] && kill "$pid" 2>/dev/null || true' EXIT
# The module installed on its own, with its font map (it writes its settings there).
cp "$module" "$work/tarsil2.arx"
cp "$(dirname "$0")/../../resources/default.map" "$work/"
out=$work/out
# The script runs first, in the same session that is then typed into.
echo '(setq forty 40)' >"$work/script"
QT_QPA_PLATFORM=xcb "$program" --gui "$drawing" --load "$work/tarsil2.arx" \
  --script "$work/script" >"$out" 2>&1 &
pid=$!

# Waits until the output has the line, or fails.
expect() {
  for _ in $(seq 100); do
    grep -qxF -- "$1" "$out" && return 0
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  fail "no line \"$1\" on standard output; it was: $(cat "$out")"
}
type_line() {
  xdotool type --delay 20 -- "$1"
  xdotool key Return
}
# The middle of a window; whether a point lies in one.
middle() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  echo "$((X + WIDTH / 2)) $((Y + HEIGHT / 2))"
}
inside() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  [ "$2" -ge "$X" ] && [ "$2" -lt $((X + WIDTH)) ] && [ "$3" -ge "$Y" ] && [ "$3" -lt $((Y + HEIGHT)) ]
}

expect "Command: (setq forty 40)"
main=$(timeout 10 xdotool search --sync --onlyvisible --name '^cadhost - ')
# The splash: the module's other window while it shows, over the frame.
splash=$(xdotool search --onlyvisible --class cadhost | grep -vx "$main" | head -n1) ||
  fail "no splash came up"
# shellcheck disable=SC2046
inside "$main" $(middle "$splash") || fail "the splash is not over the window"
# No window manager runs here: the keyboard goes to the window, as one would
# give it back when the splash closes.
xdotool windowfocus --sync "$main"

type_line '(+ forty 2)'
expect "Command: (+ forty 2)"
expect '42'

# A module dialog: a modal transient window of the frame.
type_line 'TSCFG'
sheet=$(timeout 10 xdotool search --sync --onlyvisible --name '^Tarsil2$' | head -n1) ||
  fail "TSCFG showed no sheet: $(cat "$out")"
props=$(xprop -id "$sheet" WM_TRANSIENT_FOR _NET_WM_STATE)
grep -qi "window id # $(printf '0x%x' "$main")\$" <<<"$props" || fail "not a transient of the frame: $props"
grep -qF '_NET_WM_STATE_MODAL' <<<"$props" || fail "not modal: $props"
xdotool windowfocus --sync "$sheet"
xdotool key Escape
for _ in $(seq 50); do
  xdotool search --onlyvisible --name '^Tarsil2$' >/dev/null || break
  sleep 0.1
done
xdotool windowfocus --sync "$main"
type_line 'QUIT'

if ! timeout 10 tail --pid="$pid" -f /dev/null; then
  fail "QUIT did not end the program"
fi
rc=0
wait "$pid" || rc=$?
pid=
[ "$rc" -eq 0 ] || fail "exit status $rc: $(cat "$out")"
grep -qxF "Command: TSCFG" "$out" || fail "TSCFG was not typed: $(cat "$out")"
echo "window e2e: exit statuses; splash over the window; a modal module dialog; typed commands answered on standard output; QUIT ended the program"
