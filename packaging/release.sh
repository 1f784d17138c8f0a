#!/usr/bin/env bash
# Every release artefact, built and gathered into one folder with their
# SHA256SUMS: the Debian package for x86-64 (a dynamic build), the fully
# static .tar.gz for Linux x86-64 and aarch64, the Windows zip, the
# playground page and the npm package.
# Usage: bash packaging/release.sh [FOLDER]     (default build/artefacts)
# Needs what each preset needs: see README.md, "Building and testing".
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build/artefacts}
version=$(sed -n 's/^ *VERSION \([0-9.]*\)$/\1/p' CMakeLists.txt)

rm -rf "$out"
mkdir -p "$out"
for preset in release static aarch64 windows wasm npm; do
  cmake --preset "$preset" > /dev/null
  cmake --build --preset "$preset" > /dev/null
  if [[ $preset != wasm && $preset != npm ]]; then  # each makes its own kind of package
    rm -rf "build/$preset/packages"
    (cd "build/$preset" && cpack -B packages > /dev/null)
    cp "build/$preset"/packages/qualm[-_]"$version"[-_]* "$out"
  fi
done
cp build/wasm/web/index.html "$out/qualm-$version-playground.html"
cp "build/npm/qualm-$version.tgz" "$out"
(cd "$out" && sha256sum -- * > SHA256SUMS)
ls -l "$out"
