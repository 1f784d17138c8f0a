Output: each line goes out as it is ended, the endless commands repeat
exactly, and output that cannot be written is never reported as success.

  $ . "$TESTDIR/setup.sh"
  $ song=$TESTDIR/../examples/song.out

Every end of line of the program's own is a write of standard output: the
song is 199 writes for its 299 lines. `q-` writes a text shorter than 4 KiB
with its newline, in one write each time, and a longer one, then its
newline (the sizes of its first four writes).

  $ writes() { printf -- "$1" > program; { traced write program < /dev/null | head -c 65536 > /dev/null; } 2>&1 | grep "^write(1,"; }
  $ writes 'Hq'; writes 9 | grep -c '^write(1,'
  write(1, "Hello World!\n", 13)          = 13
  write(1, "Hq", 2)                       = 2
  write(1, "\n", 1)                       = 1
  199
  $ for text in q- q-%04093d q-%04094d q-%04095d; do writes "$text" | head -n 4 | grep -o '[0-9]*$' | paste -sd ' '; done
  3 3 3 3
  4096 4096 4096 4096
  4096 1 4096 1
  4097 1 4097 1

The endless commands, a bounded prefix: the song from its first verse each
time, and the text as it was loaded, millions of times, at sizes about
4 KiB too.

  $ printf 'h9-h' > program; qualm program | head -n 898 | cmp - <(echo Hello World!; cat "$song" "$song" "$song") && echo same
  same
  $ printf 'Q-\n' | qualm | head -n 3000000 | uniq -c
  3000000 Q-
  $ for n in 4095 4096 4097; do printf "q-%0$((n - 2))d" 0 > program; qualm program < /dev/null | head -c $((3 * n + 3)) | cmp - <(for i in 1 2 3; do cat program; echo; done) && echo same; done | uniq -c
        3 same
  $ printf 'hq-\0\xfe\n' > program; qualm program | head -c 7013 | cmp - <(echo Hello World!; for i in {1..1000}; do printf 'hq-\0\xfe\n\n'; done) && echo same
  same

Output that cannot be written: one line on standard error, status 1, and
the endless commands stop at the first failed write.

  $ for p in h - 9- q-; do printf -- $p > program; qualm program 2>&1 > /dev/full; echo "[$?]"; done
  qualm: cannot write standard output: No space left on device
  [1]
  qualm: cannot write standard output: No space left on device
  [1]
  qualm: cannot write standard output: No space left on device
  [1]
  qualm: cannot write standard output: No space left on device
  [1]
  $ for p in h q- +; do printf -- $p > program; qualm program 2>&1 >&- < /dev/null; echo "[$?]"; done
  qualm: cannot write standard output: Bad file descriptor
  [1]
  qualm: cannot write standard output: Bad file descriptor
  [1]
  [0]

A reader that goes away ends qualm by SIGPIPE, as any tool; with SIGPIPE
ignored, by the failed write.

  $ printf 9- > program; qualm program 2>&1 | head -c 100 > /dev/null; echo "[${PIPESTATUS[0]}]"
  [141]
  $ printf q- > program; (trap '' PIPE; qualm program 2> errors | head -c 100 > /dev/null; echo "[${PIPESTATUS[0]}]"); cat errors
  [1]
  qualm: cannot write standard output: Broken pipe
