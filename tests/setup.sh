# Sourced by the transcripts, which find qualm and pass_of on PATH.

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
