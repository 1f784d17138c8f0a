#!/usr/bin/env bash
# The Windows build under wine: every example, and a CRLF program file, read
# in text mode (its CRs gone, no padding left) and written back exactly.
set -euo pipefail
tests=$(dirname "$0")
export WINEDEBUG=-all WINEPREFIX=$(mktemp -d)  # a prefix of its own, whatever HOME is
trap 'rm -rf "$WINEPREFIX"' EXIT
qualm=("${WINE:-/usr/lib/wine/wine64}" "$1")
printf 'Q\r\nh\r\n' > "$WINEPREFIX/crlf.qlm"
cmp <(echo | "${qualm[@]}" "$WINEPREFIX/crlf.qlm") <(printf 'Q\r\nh\r\n\r\nHello World!\r\n')
bash "$tests/examples.sh" --windows "${qualm[@]}"
