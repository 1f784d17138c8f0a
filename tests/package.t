The installed tree and the packages made of the build in $QUALM_BUILD.

  $ cmake --install "$QUALM_BUILD" --prefix "$PWD/prefix" > /dev/null
  $ printf 'h\n' | prefix/bin/qualm; ls prefix/share/doc/qualm/examples | wc -l
  Hello World!
  33
  $ zcat prefix/share/man/man1/qualm.1.gz | groff -ww -z -man
  $ cpack --config "$QUALM_BUILD/CPackConfig.cmake" -G 'DEB;TGZ' -B "$PWD/packages" 2>&1 > /dev/null
  CPackDeb: - Generating dependency list
  $ dpkg-deb -f packages/qualm_*.deb Package Version Depends
  Package: qualm
  Version: 1.0.0
  Depends: libc6 (>= 2.*) (glob)
  $ dpkg-deb -c packages/qualm_*.deb | awk '$6 !~ /(\/|\.(qlm|out|end))$/ { print $1, $6 }'
  -rwxr-xr-x ./usr/bin/qualm
  -rw-r--r-- ./usr/share/doc/qualm/README.md
  -rw-r--r-- ./usr/share/doc/qualm/changelog.gz
  -rw-r--r-- ./usr/share/doc/qualm/copyright
  -rw-r--r-- ./usr/share/man/man1/qualm.1.gz
  $ diff <(dpkg-deb -c packages/qualm_*.deb | awk '$6 !~ /\/$/ { print $6 }' | sort) <(tar tzf packages/qualm-*.tar.gz | grep -v '/$' | sed 's,^[^/]*/,./usr/,' | sort)
  $ lintian packages/qualm_*.deb 2>&1 | grep -v 'running with root privileges'
  [1]
