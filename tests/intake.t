Where the program comes from, and what is left of standard input: `run`
reads it from a file, `line` from a line of standard input; both show the
output, the status in brackets and what is left of the input.

  $ . "$TESTDIR/setup.sh"

A line of standard input: only the first line runs, folded; then one key.

  $ line 'qh\nxyz'; line 'QH\n'; line 'qh'; line 'h\nq\n'; line ''
  qh
  Hello World!
  [0] left yz
  QH
  Hello World!
  [0]
  qh
  Hello World!
  [0]
  Hello World!
  [0] left $'\n'
  [0]

A file is read whole, its line ends kept; only the first argument counts,
and names the file by its bytes, UTF-8 or not.

  $ run 'Q\n' kz; run '' xyz; run 'q\0\x80\xff\r\n'
  Q
  
  [0] left z
  [0] left yz
  q\x00\x80\xff\r (esc)
  
  [0]
  $ printf h > program; shown qualm program ignored < /dev/null
  Hello World!
  [0]
  $ printf hq > $'\xff.qlm'; shown qualm $'\xff.qlm' < /dev/null
  Hello World!
  hq
  [0]
  $ printf q > $'\xef\xbf\xbd'; printf 'h\n' | shown qualm $'\xff'
  Hello World!
  [0]

A line from a file on standard input is read 64 KiB at a time, and what
was read past it is given back by seeking; from a pipe, which cannot seek,
a character at a time: first the calls on standard input, then the runs.
Lines that end just before, on and after a block edge run, and leave the
rest, as from a pipe. A file named is read whole, also about the size of
its first read (256 KiB).

  $ reads() { traced read,lseek 2>&1 > /dev/null | sed -nE 's/^(read|lseek)\(0, ("([^"\\]|\\.)*"(\.\.\.)?, )?([^)]*)\) += (-1 [A-Z]+|[0-9]+).*/\1(\5)=\6/p' | paste -sd ' '; }; for n in 65536 65537; do printf "q%0$((n - 2))d\\nkrest" 0 > text; reads < text; done; printf 'q\nkrest' | reads
  lseek(0, SEEK_CUR)=0 read(65536)=65536 lseek(65536, SEEK_SET)=65536 read(1)=1
  lseek(0, SEEK_CUR)=0 read(65536)=65536 read(65536)=6 read(65530)=0 lseek(65537, SEEK_SET)=65537 read(1)=1
  lseek(0, SEEK_CUR)=-1 ESPIPE read(1)=1 read(1)=1 read(1)=1
  $ for n in 65535 65536 65537 131072; do printf "q%0$((n - 2))d\\nkrest" 0 > text; cmp <(shown qualm < text) <(cat text | shown qualm) && echo same; done | uniq -c
        4 same
  $ for n in 262143 262144 262145; do printf "q%0$((n - 1))d" 0 > text; qualm text < /dev/null | cmp - <(cat text; echo) && echo same; done | uniq -c
        3 same

Files without a size of their own are read to their end.

  $ mkfifo fifo; (printf hq > fifo &); shown qualm fifo < /dev/null
  Hello World!
  hq
  [0]
  $ shown qualm /proc/self/comm < /dev/null
  qualm
  
  [0]
  $ printf 'q\nh' | shown qualm /dev/stdin
  q
  h
  Hello World!
  [0]
  $ printf kk | shown qualm /dev/null
  [0] left k

A file that cannot be read, a directory or a missing one, falls back to a
line of standard input, silently.

  $ printf 'h\nkz' | shown qualm "$TESTDIR"; printf 'h\nkz' | shown qualm /nonexistent/program
  Hello World!
  [0] left z
  Hello World!
  [0] left z
  $ [[ $(id -u) == 0 ]] && as_nobody=(setpriv --reuid=nobody --regid=nogroup --clear-groups) || as_nobody=()
  $ dir=$(TMPDIR=/tmp mktemp -d); chmod 755 "$dir"; cp "${qualm_exe[-1]}" "$dir"; printf q > "$dir/unreadable"; chmod 0 "$dir/unreadable"
  $ printf 'h\n' | shown "${as_nobody[@]}" "${emulator[@]}" "$dir/qualm" "$dir/unreadable"; rm -r "$dir"
  Hello World!
  [0]

At a terminal, the wait takes the line its key was typed on and drops what
was typed ahead, so that none of it reaches the shell; the terminal's
settings are left as they were. A terminal not in line mode passes each
key on at once, and one key ends the wait.

  $ printf h > program; python3 "$TESTDIR/pty_type.py" 's=$(stty -g); qualm program; echo over; [[ $(stty -g) == "$s" ]] && echo same; read -r next; echo "next: $next"' ready 'ls\rpwd\r' over 'date\r'
  ready
  Hello World!
  over
  same
  next: date
  $ python3 "$TESTDIR/pty_type.py" "stty -icanon; timeout --foreground 10 ${qualm_exe[*]} program; echo \"[\$?]\"" ready k
  ready
  Hello World!
  [0]

Standard input closed reads as empty.

  $ qualm <&-; echo "[$?]"; printf h > program; qualm program <&-; echo "[$?]"
  [0]
  Hello World!
  [0]

A large file, and every byte value from 0xFF down: q, h, Q, H and 9 run,
then the `-` at 0x2D finds nothing pending and pairing stops.

  $ { printf q; head -c 67108864 /dev/zero | tr '\0' '\200'; printf h; } > large; qualm large < /dev/null | cmp - <(cat large; printf '\nHello World!\n') && echo same
  same
  $ for ((b = 255; b >= 0; b--)); do printf "\\x$(printf %x $b)"; done > every_byte; qualm every_byte < /dev/null | cmp - <(for i in 1 2; do cat every_byte; printf '\nHello World!\n'; done; cat "$TESTDIR/../examples/song.out") && echo same
  same
