#!/usr/bin/env bash
# Every linter the project keeps, each over every file it applies to:
# clang-format and clang-tidy on the C and C++ files, shellcheck on the
# shell scripts, eslint on the page's scripts, and .editorconfig on every
# text file. Runs them all, then exits 1 if any found something.
# Usage: bash tools/lint.sh
# Needs (Debian) clang-format clang-tidy shellcheck editorconfig python3
# cmake, and for eslint `npm ci --prefix tests/web`.
set -uo pipefail
cd "$(dirname "$0")/.." || exit
failed=()
lint() {  # lint NAME COMMAND...: runs a linter, noting it if it fails
  echo "== $1"
  "${@:2}" || failed+=("$1")
}

mapfile -t sources < <(git ls-files '*.c' '*.cpp' '*.hpp')
mapfile -t units < <(git ls-files '*.c' '*.cpp')
lint clang-format clang-format --dry-run --Werror "${sources[@]}"

# The lint preset writes build/lint/compile_commands.json; a file that no
# target builds natively (the page's export) borrows its neighbours' flags.
tidy() {
  cmake --preset lint > /dev/null || return
  local unit status=0
  for unit in "${units[@]}"; do
    clang-tidy -p build/lint --quiet --warnings-as-errors='*' "$unit" 2>&1 |
      grep -v ' generated\.$'  # its count of what it left out
    ((PIPESTATUS[0] == 0)) || status=1
  done
  return $status
}
lint clang-tidy tidy

scripts() {  # those named .sh, and those that start a shell on their first line
  git ls-files | while read -r file; do
    [[ $file == *.sh ]] || head -n 1 "$file" | grep -qE '^#!.*\b(ba)?sh\b' && echo "$file"
  done
}
mapfile -t shell_scripts < <(scripts)
lint shellcheck shellcheck "${shell_scripts[@]}"

# The page's scripts, with the page's own eslint set-up; CI always runs it.
eslint() {
  if [[ ! -d tests/web/node_modules && -z ${CI-} ]]; then
    echo "skipped: tests/web/node_modules is missing (npm ci --prefix tests/web)"
  else
    npm --prefix tests/web run --silent lint
  fi
}
lint eslint eslint

lint editorconfig python3 tools/check_editorconfig.py

if ((${#failed[@]})); then
  echo "== findings from: ${failed[*]}"
  exit 1
fi
echo "== no findings"
