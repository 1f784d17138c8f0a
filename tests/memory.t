Memory: a program needs little more than twice its size, for its text and
its command string beside it, `q-` included; one too large ends the run
with one line on standard error and status 1, whether named or on standard
input; a run leaves no leak or error behind (valgrind; the C++ runtime's
pool for exceptions thrown when memory runs out is held for the whole run).

  $ . "$TESTDIR/setup.sh"
  $ truncate -s 160M fits; (ulimit -v 380000; qualm fits < /dev/null; echo "[$?]")
  [0]

A `q-` program of 160 MiB echoes in the memory of a plain one.

  $ cp fits echo; printf q- | dd of=echo conv=notrunc status=none; (ulimit -v 380000; qualm echo < /dev/null | head -c 335544322 | cmp - <(cat echo; echo; cat echo; echo) && echo same)
  same
  $ truncate -s 1G large; (ulimit -v 380000; qualm large < /dev/null; echo "[$?]"; qualm < large; echo "[$?]") 2>&1
  qualm: out of memory
  [1]
  qualm: out of memory
  [1]
A file that says it is larger than a text can be (a sparse file on tmpfs
may) is read as far as memory goes.

  $ huge=$(mktemp /dev/shm/qualm.XXXXXX); truncate -s 9223372036854775807 "$huge"; (ulimit -v 380000; qualm "$huge" < /dev/null; echo "[$?]") 2>&1; rm "$huge"
  qualm: out of memory
  [1]
  $ printf 'Hq+9%040d\n' 0 > program; for file in program ''; do valgrind -q --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=all --suppressions="$TESTDIR/runtime.supp" qualm $file < program > /dev/null; echo "[$?]"; done
  [0]
  [0]
