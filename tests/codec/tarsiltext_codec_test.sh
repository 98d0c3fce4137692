#!/usr/bin/env bash
# End-to-end checks of the codec subcommands of tarsiltext: record framing,
# options and exit codes (what each font type does is codec_test's).
# Usage: tarsiltext_codec_test.sh PATH_TO_TARSILTEXT
set -u
T=$1
failures=0
check() { # got want what
  if [ "$1" != "$2" ]; then
    echo "FAIL $3: got [$1], want [$2]"
    failures=$((failures + 1))
  fi
}
hex() { od -An -tx1 | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'; }

# encode: records in pairs, text then mask
check "$(printf '\xe0\xe1\xe2\n111\n' | "$T" encode --font-type 0 | hex)" "82 81 80 0a" "encode Hebrew Normal"
check "$(printf 'אבג\n111\n' | "$T" --utf8 encode --font-type 1)" "tcd" "encode with --utf8"
check "$(printf 'abc.\n1112\nabc.\n1111\n' | "$T" encode --font-type 255 | tr '\n' ,)" "cba.,.cba," \
  "each text is encoded with its own mask"

# decode
check "$(printf 'tcd\nakuo 321\n' | "$T" --utf8 decode --font-type 3 | tr '\n' ,)" "אבג,שלום 123," "decode each record"

# convert
check "$(printf 'אבג\n' | "$T" --utf8 convert --target d | hex)" "c2 82 c2 81 c2 80 0a" "convert to DOS"
check "$(printf '\xc2\x82\xc2\x81\xc2\x80\n' | "$T" --utf8 convert --target W)" "אבג" "convert to Windows"
check "$(printf 'א b\n' | "$T" --utf8 convert --target d --ltr | hex)" "c2 80 20 62 0a" "convert left to right"

# bad input
printf 'abc\n' | "$T" encode --font-type 0 >/dev/null 2>&1
check "$?" "1" "encode without a mask record"
printf 'abc\n12\n' | "$T" encode --font-type 0 >/dev/null 2>&1
check "$?" "1" "mask of the wrong length"
"$T" convert --target q </dev/null >/dev/null 2>&1
check "$?" "2" "unknown target"
"$T" decode </dev/null >/dev/null 2>&1
check "$?" "2" "decode needs a font type"

[ "$failures" -eq 0 ] && echo "all passed"
exit $((failures > 0))
