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
script=$(mktemp)
pid=
trap 'rm -f "$out" "$script"; [ -n "$pid" ] && kill "$pid" 2>/dev/null || true' EXIT
# The script runs first, in the same session that is then typed into.
echo '(setq forty 40)' >"$script"
QT_QPA_PLATFORM=xcb "$program" --gui "$drawing" --script "$script" >"$out" 2>&1 &
pid=$!

# Waits until the output has the line, or fails.
expect() {
  for _ in $(seq 100); do
    grep -qxF -- "$1" "$out" && return 0
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "FAIL: no line \"$1\" on standard output; it was:" >&2
  cat "$out" >&2
  exit 1
}
type_line() {
  xdotool type --delay 20 -- "$1"
  xdotool key Return
}

expect "Command: (setq forty 40)"
# No window manager runs here: the window takes the keyboard as it opens.
xdotool search --sync --onlyvisible --name '^cadhost' >/dev/null

type_line '(+ forty 2)'
expect "Command: (+ forty 2)"
expect '42'
type_line 'QUIT'

if ! timeout 10 tail --pid="$pid" -f /dev/null; then
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
