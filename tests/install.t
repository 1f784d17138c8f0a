The Debian package built in $QUALM_BUILD/packages, installed on this machine:
qualm runs from PATH, and is removed again. CI runs this; it needs root.

  $ dpkg -i "$QUALM_BUILD"/packages/qualm_*.deb > /dev/null
  $ command -v qualm; echo 9 | qualm | cmp - "$TESTDIR/../examples/song.out" && echo same
  /usr/bin/qualm
  same
  $ dpkg -r qualm > /dev/null
