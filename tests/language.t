The language: what each program writes, and how its run ends. `run` shows
standard output and error (each song as <song>), the status in brackets
and what is left of standard input; `pass` shows the command string.

  $ . "$TESTDIR/setup.sh"

The plain commands, in either case; everything else is ignored.

  $ run 'h+h'; run 'Hq\n'; run 'abc xyz'; run '9+9'
  Hello World!
  Hello World!
  [0]
  Hello World!
  Hq
  
  [0]
  [0]
  <song>
  <song>
  [0]

The pass: folding, pending runs and pairs.

  $ pass '' h H q9h+ qh+9 Hq-Q h- q- 9- +- ++- H- Q-
            []
  h         [h]
  H         [h]
  q9h+      [q9h+]
  qh+9      [qh9]
  Hq-Q      [h@q]
  h-        [#]
  q-        [@]
  9-        [?]
  +-        [0]
  ++-       [v]
  H-        [#]
  Q-        [@]
  $ pass +++- ++++- +++++- ++ + +h h+ '+ +-' 'h++ -'
  +++-      [0]
  ++++-     [v]
  +++++-    [0]
  ++        [++]
  +         [+]
  +h        [h]
  h+        [h+]
  + +-      [0]
  h++ -     [h-]

Anything between a command and a `-` settles the command first; a `-` with
nothing to pair switches pairing off for the rest of the text.

  $ pass 9-9 'h h-' 'h\n-' 'h\0-' h--h hx-q- hx-h- h--H+-X9 'h -++-'
  9-9       [?9]
  h h-      [h#]
  h\n-      [h-]
  h\0-      [h-]
  h--h      [#-h]
  hx-q-     [h-q-]
  hx-h-     [h-h-]
  h--H+-X9  [#-h+-9]
  h -++-    [h-++-]

Only A to Z fold; other bytes, 0x80 and up, and line ends are dropped.

  $ pass 'h\xC8\xD1\xE8\xF1-h' 'h\xAD' '\0h\0q\0' '#@?0v' 'hq\r\n' 'h\r-'
  h\xC8\xD1\xE8\xF1-h [h-h]
  h\xAD     [h]
  \0h\0q\0  [hq]
  #@?0v     []
  hq\r\n    [hq]
  h\r-      [h-]

Where each command came from: a pair from its command through its `-`, a
run of pluses whole, a lone `-` itself, the rejected `-`.

  $ for text in +++- 'h h-' hx-h- Hq-Q h++ +x- 9++-h; do printf -- "$text" | pass_of spans; done
  0[+++-] 
  h[h] #[h-] 
  h[h] -[-] h[h] -[-] 
  h[H] @[q-] q[Q] 
  h[h] +[++] +[++] 
  rejected[-] 
  9[9] v[++-] h[h] 

A `-` before any command has been produced is rejected.

  $ pass - -h x- +x- '+ -' '\0-' ++x- '\xC8-' '   -9hq'
  -         [rejected]
  -h        [rejected]
  x-        [rejected]
  +x-       [rejected]
  + -       [rejected]
  \0-       [rejected]
  ++x-      [rejected]
  \xC8-     [rejected]
     -9hq   [rejected]
  $ run '-h' 'k'; run '+x-h'
  Syntax error: A quality control operator is not allowed as the first operator!
  [1]
  Syntax error: A quality control operator is not allowed as the first operator!
  [1]
  $ line '-h\nxy'
  Syntax error: A quality control operator is not allowed as the first operator!
  [1] left y

Every width the pass works in: stretches without commands are skipped a
word (8 bytes) or a block (64) at a time, and the text is run in chunks of
4096. A command, a pair, a run of pluses, a rejected `-` and a lone `-` each
start just before, on and just after offsets 8, 64, 4096, 8192 and 12288,
after a stretch that starts at 0, or at 1 after a dropped `+`, and before one
longer than a block. Each row counts the results of its 15 texts; pass_of
also checks every text against the pass walked a byte at a time.

  $ for start in '' +; do for item in q h- +++- -h hx-h-; do printf '%-10s' "${start}x..$item"; for n in 8 64 4096 8192 12288; do for at in $((n - 1)) $n $((n + 1)); do printf "%s%$((at - ${#start}))s%s%73s" "$start" '' "$item" '' | tr ' ' x | pass_of; done; done | uniq -c | paste -sd ' '; done; done
  x..q           15 q
  x..h-          15 #
  x..+++-        15 0
  x..-h          15 rejected
  x..hx-h-       15 h-h-
  +x..q          15 q
  +x..h-         15 #
  +x..+++-       15 0
  +x..-h         15 rejected
  +x..hx-h-      15 h-h-

A text far longer than any pending run, and a run of a million `-` that
pairing is off for.

  $ { printf 'H-'; head -c 1048576 /dev/zero | tr '\0' x; printf 'Q'; } | pass_of; { printf 'h-'; head -c 1048576 /dev/zero | tr '\0' -; } | pass_of | awk '{ print substr($0, 1, 1), gsub(/-/, "") }'
  #q
  # 1048576

The commands that end the run: nothing later runs, and no key is read.

  $ run 'h-' k; run 'hh-h' k; run '++-' k; run '9++-h' k
  terminate called after throwing an instance of 'std::ios_base::failure[abi:cxx11]'
    what():  : iostream error
  [134] left k
  Hello World!
  terminate called after throwing an instance of 'std::ios_base::failure[abi:cxx11]'
    what():  : iostream error
  [134] left k
  terminate called without an active exception
  [134] left k
  <song>
  terminate called without an active exception
  [134] left k
  $ run '+-' k; run 'h+-h' k
  [136] left k
  Hello World!
  [136] left k
  $ (trap '' FPE; run '+-h' k)
  [134] left k
