#!/usr/bin/env bash
# Runs every program of examples/ and compares what it writes, and how it
# ends, with NAME.out and NAME.end. Usage: examples.sh [--windows] QUALM...
# A Windows build (under wine) writes every LF as CRLF, and ends with status
# 3 where it aborts or takes SIGFPE.
set -uo pipefail
windows=false && [[ $1 == --windows ]] && windows=true && shift
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0
for program in "$(dirname "$0")"/../examples/*.qlm; do
  name=${program%.qlm}
  read -r how detail < "$name.end"
  # Output that repeats is stopped by its reader.
  rounds=$([[ $how == repeats ]] && echo 3 || echo 1)
  for ((i = 0; i < rounds; i++)); do cat "$name.out"; done |
    if $windows; then sed 's/$/\r/'; else cat; fi > "$scratch/expected"
  case $how in exit) status=$detail ;; repeats) status=141 ;;
    signal) status=$((128 + $(kill -l "$detail"))) ;; esac
  if $windows && [[ $how != exit ]]; then status=$([[ $how == signal ]] && echo 3 || echo any); fi
  limit=$(($(wc -c < "$scratch/expected") + (rounds == 1)))  # a byte more shows any extra
  { echo | "$@" "$program" | head -c "$limit" > "$scratch/actual"; got=${PIPESTATUS[1]}; } \
    2> /dev/null
  cmp -s "$scratch/expected" "$scratch/actual" && [[ $got == "$status" || $status == any ]] &&
    echo "ok ${name##*/}" && continue
  echo "FAILED ${name##*/}: status $got, expected $status; output:" && head -c 200 "$scratch/actual"
  failed=1
done
exit $failed
