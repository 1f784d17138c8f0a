The installed tree and the packages made of the build in $QUALM_BUILD.

  $ cmake --install "$QUALM_BUILD" --prefix "$PWD/prefix" --strip > /dev/null
  $ printf 'h\n' | prefix/bin/qualm; diff -r "$TESTDIR/../examples" prefix/share/doc/qualm/examples
  Hello World!
  $ zcat prefix/share/man/man1/qualm.1.gz | groff -ww -z -man
  $ cpack --config "$QUALM_BUILD/CPackConfig.cmake" -G 'DEB;TGZ' -B "$PWD/packages" 2>&1 > /dev/null
  CPackDeb: - Generating dependency list
  $ dpkg-deb -c packages/qualm_*.deb | awk '$6 !~ /(\/|\.(qlm|out|end))$/ { print $1, $6 }'
  -rwxr-xr-x ./usr/bin/qualm
  -rw-r--r-- ./usr/share/doc/qualm/README.md
  -rw-r--r-- ./usr/share/doc/qualm/changelog.gz
  -rw-r--r-- ./usr/share/doc/qualm/copyright
  -rw-r--r-- ./usr/share/man/man1/qualm.1.gz
  $ lintian packages/qualm_*.deb 2>&1 | grep -v 'running with root privileges'
  [1]

The tarball, unpacked under a prefix with README's command, and the .deb
hold the installed tree.

  $ mkdir unpacked; tar xzf packages/qualm-*.tar.gz -C unpacked --strip-components=1 --no-overwrite-dir; diff -r prefix unpacked
  $ dpkg-deb -x packages/qualm_*.deb deb; diff -r prefix deb/usr

The package needs a C library at least as new as the highest GLIBC_ version
the executable asks for, found by dpkg-shlibdeps or, without it, by CPack.

  $ cpack --config "$QUALM_BUILD/CPackConfig.cmake" -G DEB -D CPACK_DEBIAN_PACKAGE_SHLIBDEPS=OFF -B "$PWD/fallback" > /dev/null; glibc=$(objdump -T prefix/bin/qualm | grep -o 'GLIBC_2[.0-9]*' | sort -V | tail -n 1)
  $ for deb in packages fallback; do dpkg-deb -f $deb/qualm_*.deb Depends; done | sed "s/ ${glibc#GLIBC_})/ HIGHEST)/"
  libc6 (>= HIGHEST)
  libc6 (>= HIGHEST)
