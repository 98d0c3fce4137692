#!/usr/bin/env bash
# The host program as a real window on a virtual X display: a person's
# keystrokes (sent by xdotool to the focused window) type commands into its
# command line; their answers must appear on standard output; QUIT ends it.
#   window_e2e.sh CADHOST DRAWING     (runs itself again under xvfb-run)
set -euo pipefail
program=$1
drawing=$2
if [ -z "${WINDOW_E2E_INNER:-}" ]; then
  WINDOW_E2E_INNER=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

out=$(mktemp)
pid=
trap 'rm -f "$out"; [ -n "$pid" ] && kill "$pid" 2>/dev/null || true' EXIT
QT_QPA_PLATFORM=xcb "$program" --gui "$drawing" >"$out" 2>&1 &
pid=$!

# Waits until the output holds the text (a fixed string; with -x a whole
# line), or fails.
expect() {
  local whole=()
  if [ "$1" = -x ]; then
    whole=(-x)
    shift
  fi
  for _ in $(seq 100); do
    grep -qF "${whole[@]}" -- "$1" "$out" && return 0
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "FAIL: no \"$1\" on standard output; it was:" >&2
  cat "$out" >&2
  exit 1
}
type_line() {
  xdotool type --delay 20 -- "$1"
  xdotool key Return
}

expect "Command: "
window=$(xdotool search --sync --onlyvisible --name '^cadhost' | head -n 1)
# No window manager runs here: give the window the keyboard ourselves.
xdotool windowfocus "$window"
sleep 0.5

type_line '(+ 40 2)'
expect "Command: (+ 40 2)"
expect -x '42'
# A host command with a prompt of its own, answered the same way.
type_line 'LIST'
expect "Select objects: "
type_line 'ALL'
xdotool key Return
expect "Handle ="
type_line 'QUIT'

for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  echo "FAIL: QUIT did not end the program" >&2
  exit 1
fi
rc=0
wait "$pid" || rc=$?
pid=
if [ "$rc" -ne 0 ]; then
  echo "FAIL: exit status $rc" >&2
  cat "$out" >&2
  exit 1
fi
echo "window e2e: typed commands answered on standard output; QUIT ended the program"
