#!/usr/bin/env bash
# End-to-end checks of the codec subcommands of tarsiltext.
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
check "$(printf 'אבג\n111\n' | "$T" --utf8 encode --font-type 4)" "גבא" "encode d2w"
check "$(printf 'אבג\n111\n' | "$T" --utf8 encode --font-type 255)" "אבג" "encode Unknown"
check "$(printf 'אבג\n111\n' | "$T" --utf8 encode --font-type 1)" "tcd" "encode 7 bit"
check "$(printf 'abc.\n1112\nabc.\n1111\n' | "$T" encode --font-type 255 | tr '\n' ,)" "cba.,.cba," \
  "the mask keeps a full stop typed as Hebrew right to left"
check "$(printf 'שלום 123\n11111111\n' | "$T" --utf8 encode --font-type 5)" "שלום 123" "encode As is"

# decode
check "$(printf 'tcd\nakuo 321\n' | "$T" --utf8 decode --font-type 3 | tr '\n' ,)" "אבג,שלום 123," "decode 7 bit backward"
check "$(printf '\xc2\x81%%%%128\n%%%%128\n' | "$T" --utf8 decode --font-type 0 | tr '\n' ,)" "אב,%%128," \
  "escapes are decoded only beside Hebrew"
check "$(printf '123 םולש\n' | "$T" --utf8 decode --font-type 4)" "שלום 123" "decode d2w"
check "$(printf 'tcd\n' | "$T" decode --font-type 2)" "tcd" "decode Hebrew Backward"

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
