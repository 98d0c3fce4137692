#!/usr/bin/env bash
# Non-blank lines of C++ in the tests against those of the code they test
# (everything but tests/, bench/, fuzz/ and build trees), overall and per test folder.
set -euo pipefail
cd "$(dirname "$0")/.."
count() {
    find "$@" \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 -r cat | grep -cv '^[[:space:]]*$' || true
}
code=$(count hebrew fonts host editors toolkit cadhost tools)
tests=$(count tests)
if [[ "${1:-}" == "--each" ]]; then
    for dir in tests/*/; do printf '%6d %s\n' "$(count "$dir")" "$dir"; done | sort -rn
fi
awk -v t="$tests" -v c="$code" 'BEGIN { printf "tests %d / code %d = %.3f\n", t, c, t / c }'
