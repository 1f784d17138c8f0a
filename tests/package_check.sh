#!/usr/bin/env bash
# Installs the build into a scratch prefix and packages it, then checks
# what landed where: the executable, the manual page (rendered without a
# warning), the documents, the contents of the .deb and the .tar.gz, and
# that lintian finds nothing to report on the .deb.
set -euo pipefail
build_dir=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() { echo "package check: $*" >&2; exit 1; }

cmake --install "$build_dir" --prefix "$scratch/prefix" > /dev/null
[[ $(printf 'h\n' | "$scratch/prefix/bin/qualm") == "Hello World!" ]] ||
  fail "the installed qualm does not run"
warnings=$(zcat "$scratch/prefix/share/man/man1/qualm.1.gz" | groff -ww -z -man 2>&1)
[[ -z $warnings ]] || fail "the manual page renders with warnings: $warnings"

(cd "$build_dir" && cpack -G "DEB;TGZ" -B "$scratch/packages" > /dev/null)
deb=$(echo "$scratch"/packages/qualm_*.deb)
tgz=$(echo "$scratch"/packages/qualm-*.tar.gz)
installed=(bin/qualm share/man/man1/qualm.1.gz share/doc/qualm/copyright
  share/doc/qualm/changelog.gz share/doc/qualm/README.md share/doc/qualm/examples/song.qlm)
deb_files=$(dpkg-deb -c "$deb" | awk '{print $6}')
tgz_files=$(tar tzf "$tgz")
for path in "${installed[@]}"; do
  grep -qx "./usr/$path" <<< "$deb_files" || fail "$path missing from $(basename "$deb")"
  grep -q "^[^/]*/$path\$" <<< "$tgz_files" || fail "$path missing from $(basename "$tgz")"
done
[[ $(dpkg-deb -f "$deb" Package) == qualm ]] || fail "the .deb is not named qualm"

report=$(lintian "$deb" 2>&1 | grep -v 'running with root privileges' || true)
[[ -z $report ]] || fail "lintian reports: $report"
echo "package check: install, manual page, .deb and .tar.gz as expected; lintian clean"
