# shellcheck shell=bash disable=SC2059  # programs are given as printf escapes
# Sourced by the transcripts, which find qualm and pass_of on PATH.

# emulator, qualm_exe: how another program starts a program of the build,
# and qualm. A cross build runs under the emulator in $QUALM_EMULATOR;
# there, qualm and pass_of stand for the emulated programs, in this shell
# and in the shells it starts. The emulator is started by the name qualm,
# which is what the process is then called, and its own report of a fatal
# signal is left out.
emulator=()
if [[ -n ${QUALM_EMULATOR-} ]]; then
  emulator_dir=$(mktemp -d) qualm_path=$(type -P qualm) pass_of_path=$(type -P pass_of)
  export emulator_dir qualm_path pass_of_path
  ln -s "$(type -P "$QUALM_EMULATOR")" "$emulator_dir/qualm"
  emulator=("$emulator_dir/qualm")
  emulated() {
    # (no word from bash on a signal)
    { "$emulator_dir/qualm" "$@" 2> "$emulator_dir/errors"; } 2> /dev/null
    local status=$?
    grep -v '^qemu: uncaught target signal' "$emulator_dir/errors" >&2
    return $status
  }
  qualm() { emulated "$qualm_path" "$@"; }
  # shellcheck disable=SC2120  # pass below gives it none, the transcripts some
  pass_of() { emulated "$pass_of_path" "$@"; }
  export -f emulated qualm pass_of
fi
# shellcheck disable=SC2034  # for the transcripts
qualm_exe=("${emulator[@]}" "$(type -P qualm)")

# traced CALLS [ARG]...: runs qualm under strace, which writes those system
# calls (strace's -e trace=CALLS) to standard error. A runtime may use
# descriptors of its own; a leak check, where there is one, cannot run
# traced.
traced() {
  ASAN_OPTIONS=${ASAN_OPTIONS-}:detect_leaks=0 strace -qq -e trace="$1" "${qualm_exe[@]}" "${@:2}"
}

# run PROGRAM [INPUT]: runs PROGRAM (printf escapes) from a file, with INPUT
# on standard input. Shows what it writes to standard output and error (a
# whole song as <song>, at most 8 lines), its status in brackets, and what
# it left of its input.
run() { printf -- "$1" > program; printf -- "${2-}" | shown qualm program; }

# line INPUT: the same, the program read as a line of standard input.
line() { printf -- "$1" | shown qualm; }

shown() {
  "$@" 2>&1 | sed '/^99 bottles of beer on the wall/,/^Go to the store/c\<song>' | head -n 8
  printf '[%s]' "${PIPESTATUS[0]}"
  left=$(cat; echo .)
  [[ $left == . ]] && echo || printf ' left %q\n' "${left%.}"
}

# pass TEXT...: the command string the pass makes of each TEXT.
pass() { for text; do printf '%-9s [%s]\n' "$text" "$(printf -- "$text" | pass_of)"; done; }

# steps TEXT...: a row for each TEXT, which leaves a run pending, and a
# column for each kind of byte that may follow it (x for any other): the
# command string of TEXT and that byte, then, after a bar, of those and h-,
# which tells what they left pending. The last column is TEXT alone.
steps() {
  local text byte
  printf '%-5s' '' && printf '%-10s' x + - 9 h q && echo end
  for text; do
    printf '%-5s' "$text"
    for byte in x + - 9 h q; do
      printf '%-10s' "$(printf -- "$text$byte" | pass_of)|$(printf -- "$text${byte}h-" | pass_of)"
    done
    printf -- "$text" | pass_of
  done
}

# widths ITEM...: the command string of each ITEM placed just before, on
# and just after each of the offsets 8, 64, 4096, 8192 and 12288, after a
# stretch of other bytes that starts at 0, or at 1 after a dropped `+`, and
# before a stretch longer than 64; a row counts the results of its 15 texts.
widths() {
  local start item at
  for start in '' +; do
    for item; do
      printf '%-10s' "${start}x..$item"
      for at in 7 8 9 63 64 65 4095 4096 4097 8191 8192 8193 12287 12288 12289; do
        printf "%s%$((at - ${#start}))s%s%73s" "$start" '' "$item" '' | tr ' ' x | pass_of
      done | uniq -c | paste -sd ' '
    done
  done
}
