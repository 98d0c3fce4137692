#!/usr/bin/env bash
# Runs tarsiltext itself: record framing, --utf8, --map, every subcommand
# once, and the exit codes of usage and input errors.
set -u
tool=${1:?path to tarsiltext}
failures=0

check() { # name expected actual
    if [ "$2" != "$3" ]; then
        echo "FAIL $1: expected [$2] got [$3]"
        failures=$((failures + 1))
    fi
}

status() { # name expected-status command...
    local name=$1 want=$2
    shift 2
    "$@" </dev/null >/dev/null 2>/tmp/tarsiltext_err.$$
    local got=$?
    check "$name status" "$want" "$got"
    if [ "$want" = 2 ]; then
        grep -q '^usage: tarsiltext' /tmp/tarsiltext_err.$$ || { echo "FAIL $name: no usage line"; failures=$((failures + 1)); }
    fi
}

hex() { od -An -tx1 | tr -d ' \n'; }

# Reorderings: right to left by default, one output record per input record.
check "l2v utf8 rtl" $'אב 21\ncba אבג' "$(printf 'אב 12\nabc אבג\n' | "$tool" --utf8 l2v)"
check "l2v utf8 ltr" "בא 12" "$(printf 'אב 12\n' | "$tool" l2v --ltr --utf8)"
check "l2v explicit rtl" "cba" "$(printf 'abc\n' | "$tool" l2v --rtl)"
check "l2v map" "1 0 2 3 4" "$(printf 'אב c\n' | "$tool" --utf8 l2v --ltr --map)"
check "l2v empty record map" "0" "$(printf '\n' | "$tool" l2v --map)"
check "l2v-masked pairs" $'a b\nb a' "$(printf 'a b\n121\na b\n111\n' | "$tool" l2v-masked)"
check "v2l" "אב 12" "$(printf 'אב 21\n' | "$tool" --utf8 v2l)"
check "bytes without utf8" "e1e00a" "$(printf '\xe0\xe1\n' | "$tool" l2v --ltr | hex)"

# -0: records end with NUL and may hold line feeds.
check "nul records" "610a62000a610a6300" "$(printf 'a\nb\0\na\nc\0' | "$tool" -0 l2v --ltr | hex)"
check "nul after subcommand" "626100646300" "$(printf 'ab\0cd' | "$tool" l2v -0 | hex)"

# Code page subcommands.
check "table mode 1" "8d858c990a" "$(printf 'akuo\n' | "$tool" table --mode 1 | hex)"
check "table mode 0" "ouka" "$(printf '\xf9\xec\xe5\xed\n' | "$tool" table --mode 0)"
check "dos2win" "61e0fa9b0a" "$(printf 'a\x80\x9a\x9b\n' | "$tool" dos2win | hex)"
check "win2dos" "80" "$(printf '\xe0\n' | "$tool" win2dos | hex | cut -c1-2)"
check "dos2win-rev" "e1e0610a" "$(printf 'a\x80\x81\n' | "$tool" dos2win-rev | hex)"
check "win2dos-rev" "8180610a" "$(printf 'a\xe0\xe1\n' | "$tool" win2dos-rev | hex)"
check "escapes" "78807900" "$(printf 'x%%%%128y\0' | "$tool" -0 escapes | hex)"
check "contains-dos" $'0\n1\n1' "$(printf 'abc\n\x85\n\\U+05D0\n' | "$tool" contains-dos)"
check "contains-win" $'0\n1' "$(printf 'abc\nא\n' | "$tool" --utf8 contains-win)"

# Usage errors exit 2 with a usage line; bad input exits 1.
status "no subcommand" 2 "$tool"
status "unknown subcommand" 2 "$tool" frobnicate
status "unknown option" 2 "$tool" l2v --sideways
status "missing mode" 2 "$tool" table
status "mode not a number" 2 "$tool" table --mode x
status "both directions" 2 "$tool" l2v --ltr --rtl
status "help" 0 "$tool" --help
printf 'ab\n1\n' | "$tool" l2v-masked >/dev/null 2>&1; check "short mask" 1 $?
printf 'ab\n1x\n' | "$tool" l2v-masked >/dev/null 2>&1; check "bad mask digit" 1 $?
printf 'ab\n' | "$tool" l2v-masked >/dev/null 2>&1; check "missing mask" 1 $?
printf '\xff\n' | "$tool" --utf8 l2v >/dev/null 2>&1; check "bad utf8" 1 $?
printf 'Ω\n' | "$tool" --utf8 l2v >/dev/null 2>&1; check "no byte for character" 1 $?

# --utf8 decoding: the short paths for ASCII, the letters and U+0080..U+00FF,
# and every way out of them.  Each case: input bytes, expected status, and
# the expected output (hex) or the expected error text.
while IFS='|' read -r name input want expected; do
    printf "$input" | "$tool" --utf8 l2v --ltr >/tmp/tarsiltext_out.$$ 2>/tmp/tarsiltext_err.$$
    status=${PIPESTATUS[1]}
    got=$(hex </tmp/tarsiltext_out.$$)
    check "utf8 $name status" "$want" "$status"
    if [ "$want" = 0 ]; then
        check "utf8 $name" "$expected" "$got"
    else
        grep -q "$expected" /tmp/tarsiltext_err.$$ || { echo "FAIL utf8 $name: no [$expected] in $(cat /tmp/tarsiltext_err.$$)"; failures=$((failures + 1)); }
    fi
done <<'CASES'
latin1 is a byte, e9 a letter|a\xc3\xa9\xc2\xa0\n|0|61d799c2a00a
first and last letter|\xd7\x90\xd7\xaa\n|0|d7aad7900a
stray continuation byte|a\x90b\n|1|invalid UTF-8 at byte 1
lead without its continuation|a\xc3b\n|1|invalid UTF-8 at byte 1
lead at the end of the record|ab\xd7\n|1|invalid UTF-8 at byte 2
lead at the end of the input|ab\xd7|1|invalid UTF-8 at byte 2
Hebrew point, valid but no byte|\xd7\x80\n|1|U+05C0 has no byte
three bytes|a\xe2\x82\xac\n|1|U+20AC has no byte
overlong|\xc0\xa0\n|1|invalid UTF-8 at byte 0
CASES

# Output is buffered, yet the records before bad input still come out.
check "records before bad input" "ba" "$(printf 'ab\n\xff\n' | "$tool" --utf8 l2v 2>/dev/null)"
check "last line without its line feed" $'ab\ncd' "$(printf 'ab\ncd' | "$tool" l2v --ltr)"

# Records far larger than a read block, and many short ones after them.
big=$(mktemp)
{ head -c 700000 /dev/zero | tr '\0' 'a'; printf '\n'; for i in $(seq 1 3000); do printf 'xy%d\n' "$i"; done; } >"$big"
check "long and short records" "$(md5sum <"$big")" "$("$tool" l2v --ltr <"$big" | md5sum)"
check "long record reordered" "$(tail -n 1 "$big" | rev)" "$("$tool" l2v <"$big" | tail -n 1)"
rm -f "$big"

# --flush: each record is answered before the next is written, so a
# coprocess can talk to the tool line by line.
coproc TOOL { "$tool" --flush l2v --ltr; }
tool_pid=$TOOL_PID  # bash forgets it once the coprocess ends
printf 'abc\n' >&"${TOOL[1]}"
answer=
read -r -t 10 answer <&"${TOOL[0]}"
check "flush answers each record" "abc" "$answer"
eval "exec ${TOOL[1]}>&-"
wait "$tool_pid"

rm -f /tmp/tarsiltext_err.$$ /tmp/tarsiltext_out.$$
if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo "tarsiltext: all checks passed"
