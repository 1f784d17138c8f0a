#!/usr/bin/env bash
# The Windows zip under wine: qualm.exe run from the unpacked zip on every
# example, at a console, on a CRLF program file (its CRs gone, written back
# exactly), and on a program holding a byte 0x1A, which ends text mode's
# input: every byte is kept, from a file and from a line on standard input.
# Usage: windows_check.sh ZIP
set -euo pipefail
tests=$(dirname "$0")
# A prefix of its own, whatever HOME is.
WINEPREFIX=$(mktemp -d); export WINEDEBUG=-all WINEPREFIX
trap 'wineserver -k || true; rm -rf "$WINEPREFIX"' EXIT  # the server may have ended already
wine=${WINE:-/usr/lib/wine/wine64}
"$wine" wineboot --init > /dev/null 2>&1  # setting up a prefix talks about itself
cmake -E chdir "$WINEPREFIX" cmake -E tar xf "$(realpath "$1")"
qualm=("$wine" "$WINEPREFIX"/qualm-*-win64/qualm.exe)
printf 'Q\r\nh\r\n' > "$WINEPREFIX/crlf.qlm"
cmp <(echo | "${qualm[@]}" "$WINEPREFIX/crlf.qlm") <(printf 'Q\r\nh\r\n\r\nHello World!\r\n')
printf 'q\x1ah' > "$WINEPREFIX/0x1a.qlm"
cmp <(echo | "${qualm[@]}" "$WINEPREFIX/0x1a.qlm"; printf 'q\x1ah\r\n' | "${qualm[@]}") \
  <(printf 'q\x1ah\r\nHello World!\r\n%.0s' 1 2)
echo "ok 0x1A kept"
bash "$tests/examples.sh" --windows "${qualm[@]}"
# At a console, the wait takes its line and drops what was typed ahead, so
# that the shell reads none of it. Wine makes a console of a terminal: its
# server sets the terminal's modes for the console, and back when the
# console goes, which may be after qualm.exe has ended; the shell goes on
# once the server has ended.
printf h > "$WINEPREFIX/h.qlm"
python3 "$tests/pty_type.py" "s=\$(stty -g); ${qualm[*]} $WINEPREFIX/h.qlm; wineserver -w;
  echo over; [[ \$(stty -g) == \"\$s\" ]] && echo same; read -r next; echo \"next: \$next\"" \
  'Hello World!' 'ls\rpwd\r' over 'date\r' | tail -n 2 | cmp - <(printf 'same\nnext: date\n')
echo "ok console"
