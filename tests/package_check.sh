#!/usr/bin/env bash
# Installs the build into a scratch prefix and packages it, then checks
# what landed where: the executable, the man page (rendered without a
# warning), and the contents of the .deb and the .tar.gz.
set -euo pipefail
build_dir=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() { echo "package check: $*" >&2; exit 1; }

cmake --install "$build_dir" --prefix "$scratch/prefix" > /dev/null
[[ -x $scratch/prefix/bin/qualm ]] || fail "bin/qualm not installed"
man_page=$scratch/prefix/share/man/man1/qualm.1
[[ -f $man_page ]] || fail "share/man/man1/qualm.1 not installed"
[[ $(printf 'h\n' | "$scratch/prefix/bin/qualm") == "Hello World!" ]] ||
  fail "the installed qualm does not run"

warnings=$(groff -ww -z -man "$man_page" 2>&1)
[[ -z $warnings ]] || fail "the man page renders with warnings: $warnings"

(cd "$build_dir" && cpack -G "DEB;TGZ" -B "$scratch/packages" > /dev/null)
deb=$(echo "$scratch"/packages/qualm_*.deb)
tgz=$(echo "$scratch"/packages/qualm-*.tar.gz)
deb_files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for path in ./usr/bin/qualm ./usr/share/man/man1/qualm.1; do
  grep -qx "$path" <<< "$deb_files" || fail "$path missing from $(basename "$deb")"
done
[[ $(dpkg-deb -f "$deb" Package) == qualm ]] || fail "the .deb is not named qualm"
tgz_files=$(tar tzf "$tgz")
for path in bin/qualm share/man/man1/qualm.1; do
  grep -q "^[^/]*/$path\$" <<< "$tgz_files" || fail "$path missing from $(basename "$tgz")"
done
echo "package check: install, man page, .deb and .tar.gz as expected"
