#!/usr/bin/env bash
# Runs the Windows build under wine and checks what differs there: program
# files are read in text mode (CRLF becomes LF, with no padding bytes left
# where the CRs were), and standard output in text mode writes CRLF for
# every LF. Everything else must match the Linux outputs in examples/.
set -euo pipefail
exe=$1
examples=$(cd "$(dirname "$0")/../examples" && pwd)
wine=${WINE:-/usr/lib/wine/wine64}
export WINEDEBUG=-all
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export WINEPREFIX=$scratch/wine  # a prefix of its own, whatever HOME is
failures=0

# check NAME PROGRAM-FILE EXPECTED-OUTPUT-FILE EXPECTED-STATUS
check() {
  local status=0
  echo | timeout 60 "$wine" "$exe" "$2" > "$scratch/out" 2> /dev/null || status=$?
  if cmp -s "$scratch/out" "$3" && [[ $status == "$4" ]]; then
    echo "windows: $1: ok"
  else
    echo "windows: $1: FAILED (status $status, expected $4)"
    od -c "$scratch/out" | head -5
    failures=$((failures + 1))
  fi
}

with_crlf() { sed 's/$/\r/' "$1"; }

printf 'Q\r\nh\r\n' > "$scratch/crlf.qlm"
printf 'Q\r\nh\r\n\r\nHello World!\r\n' > "$scratch/crlf.expected"
check "CRLF program read in text mode, written back exactly" \
  "$scratch/crlf.qlm" "$scratch/crlf.expected" 0

for name in hello mixed song syntax_error; do
  with_crlf "$examples/$name.out" > "$scratch/$name.expected"
  read -r how status < "$examples/$name.end"
  check "$name" "$examples/$name.qlm" "$scratch/$name.expected" "$status"
done

# The C runtime ends a process that aborts or takes an unhandled SIGFPE
# with status 3.
for name in stream_failure division_by_zero rethrow; do
  with_crlf "$examples/$name.out" > "$scratch/$name.expected"
  check "$name" "$examples/$name.qlm" "$scratch/$name.expected" 3
done

((failures == 0)) || { echo "windows: $failures check(s) failed"; exit 1; }
echo "windows: all checks passed"
