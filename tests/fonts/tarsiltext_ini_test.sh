#!/usr/bin/env bash
# End-to-end checks of the INI and font map subcommands of tarsiltext: their
# options, output framing and exit codes (the library's rules are fonts_test's).
# Usage: tarsiltext_ini_test.sh PATH_TO_TARSILTEXT
set -u
T=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0
check() { # got want what
  if [ "$1" != "$2" ]; then
    echo "FAIL $3: got [$1], want [$2]"
    failures=$((failures + 1))
  fi
}
hex() { od -An -tx1 | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'; }

f=$dir/tarsil.ini
printf 'top\n[General]\nDdeditStyle=2 ; two\n[Completion]\nFile=ON\n' >"$f"
check "$("$T" ini-get "$f" general DDEDITSTYLE 1)" "2 " "get prints the value"
check "$("$T" ini-get "$f" General Missing fallback)" "fallback" "get of a missing key"
check "$("$T" ini-get "$f" General Missing)" "" "get without a default"

"$T" ini-set "$f" general FontMapFile /x/y.map
check "$("$T" ini-get "$f" General FontMapFile)" "/x/y.map" "set writes the value"
ls "$dir" | grep -q '\.001$' && check "backup" "none" "no backups are made"

check "$("$T" ini-keys "$f" GENERAL | tr '\n' ,)" "DdeditStyle,FontMapFile," "keys in file order"
check "$("$T" ini-keys "$f" Nowhere)" "" "keys of a missing section"
check "$("$T" ini-delete-section "$f" completion)" "1" "delete an existing section"
check "$("$T" ini-delete-section "$f" completion)" "0" "delete a missing section"
check "$("$T" ini-keys "$f" Completion)" "" "deleted section is gone from the file"

new=$dir/new.ini
check "$("$T" ini-get "$new" S k d)" "d" "missing file reads as empty"

# Hebrew in UTF-8 on the command line is stored as Windows-layout bytes.
"$T" --utf8 ini-set "$f" Words first "שלום"
check "$(grep -a first "$f" | hex)" "$(printf 'first=\xf9\xec\xe5\xed\r\n' | hex)" "UTF-8 value stored as bytes"
check "$("$T" --utf8 ini-get "$f" words FIRST)" "שלום" "UTF-8 value read back"

# Files that can't be opened fail with status 1 and say why.
: >"$dir/plain"
"$T" ini-set "$dir/plain/x.ini" S k v 2>"$dir/err"
check "$?" "1" "set under a regular file fails"
grep -q "cannot open" "$dir/err" || check "$(cat "$dir/err")" "cannot open ..." "failure message"
"$T" map-list "$dir" 2>/dev/null
check "$?" "1" "a folder is no map file"

m=$dir/fonts.map
printf '[FontMapping]\r\nromans=5\r\nhebd2w=4 ; d2w\r\n' >"$m"
check "$("$T" map-list "$m" | tr '\n' ,)" "hebd2w=4,romans=5," "map listed one name=type a line"
check "$("$T" map-find "$m" romans)" "5" "find prints the type"
check "$("$T" map-find "$m" nosuch)" "255" "a missing name is Unknown"
# A font named in Hebrew letters stands in UTF-8 and is found by its name.
printf '[FontMapping]\r\n\xd7\x93\xd7\x95\xd7\x93=4\r\n' >"$dir/hebrew.map"
check "$("$T" map-list "$dir/hebrew.map" | hex)" "d7 93 d7 95 d7 93 3d 34 0a" "a Hebrew name listed as the file has it"
check "$("$T" map-find "$dir/hebrew.map" "$(printf '\xd7\x93\xd7\x95\xd7\x93')")" "4" "a Hebrew name found"
check "$("$T" map-list "$dir/none.map")" "" "missing map is empty"

[ "$failures" -eq 0 ] && echo "all passed"
exit $((failures > 0))
