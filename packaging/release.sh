#!/usr/bin/env bash
# Every release artefact, built and gathered into one folder with their
# SHA256SUMS: the Debian package and the .tar.gz for Linux x86-64, the
# .tar.gz for Linux aarch64, the Windows zip and the playground page.
# Usage: bash packaging/release.sh [FOLDER]     (default build/artefacts)
# Needs what each preset needs: see README.md, "Building and testing".
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build/artefacts}
version=$(sed -n 's/^ *VERSION \([0-9.]*\)$/\1/p' CMakeLists.txt)

for preset in release aarch64 windows wasm; do
  cmake --preset "$preset" > /dev/null
  cmake --build --preset "$preset" > /dev/null
done
pack() { (cd "build/$1" && cpack -G "$2" -B packages > /dev/null); }
pack release 'DEB;TGZ'
pack aarch64 TGZ
pack windows ZIP

rm -rf "$out"
mkdir -p "$out"
cp build/release/packages/qualm_"$version"_*.deb build/release/packages/qualm-"$version"-*.tar.gz \
  build/aarch64/packages/qualm-"$version"-*.tar.gz build/windows/packages/qualm-"$version"-win64.zip "$out"
cp build/wasm/web/index.html "$out/qualm-$version-playground.html"
(cd "$out" && sha256sum -- * > SHA256SUMS)
ls -l "$out"
