The language: what each program writes, and how its run ends. `run` shows
standard output and error (each song as <song>), the status in brackets
and what is left of standard input; `pass` shows the command string, which
pass_of checks, from both walks of the pass, against a reference written
from the rules, failing loudly where they differ.

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

Every step of the pass, in one table. A row for each run a text can leave
pending: none (hx), a plus, two, a command, and pairing off (h--); a column
for each kind of byte that may come next, x standing for any byte that is
not a command. A cell holds the command string of the row's text with the
column's byte, and after the bar, with h- added too, which shows what was
left pending: h- pairs into # after none or pluses, writes a pending command
first, and stays h- once pairing is off. The last column is the row's text
alone: what each run leaves at the end of the text.

  $ steps hx + ++ 9 h q h--
       x         +         -         9         h         q         end
  hx   h|h#      h+|h#     h-|h-h-   h9|h9#    hh|hh#    hq|hq#    h
  +    |#        ++|#      0|0#      9|9#      h|h#      q|q#      +
  ++   |#        +|#       v|v#      9|9#      h|h#      q|q#      ++
  9    9|9#      9+|9#     ?|?#      99|99#    9h|9h#    9q|9q#    9
  h    h|h#      h+|h#     #|##      h9|h9#    hh|hh#    hq|hq#    h
  q    q|q#      q+|q#     @|@#      q9|q9#    qh|qh#    qq|qq#    q
  h--  #-|#-h-   #-+|#-+h- #--|#--h- #-9|#-9h- #-h|#-hh- #-q|#-qh- #-

Case folds, H and Q as h and q, whether pairing is on or off; other letters
are dropped like any other byte, and so are the bytes 0x80 and up, even those
that are a command and 0x80, line ends and NUL, which still stand between a
command and its `-`.

  $ pass '' H- Q- h--H+-X9 'h\xC8\xD1\xE8\xF1-h' 'h\xAD' '\0h\0q\0' '#@?0v' 'h\r-' 'h\n-' 'h\0-'
            []
  H-        [#]
  Q-        [@]
  h--H+-X9  [#-h+-9]
  h\xC8\xD1\xE8\xF1-h [h-h]
  h\xAD     [h]
  \0h\0q\0  [hq]
  #@?0v     []
  h\r-      [h-]
  h\n-      [h-]
  h\0-      [h-]

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

What the pass does at each byte: the byte, what it leaves pending in
brackets (off, once a lone `-` has turned pairing off), and what it writes.

  $ for text in h+++-x-9 Q9-++q +x-h; do printf -- "$text" | pass_of steps; done
  h[h] +[+]h +[++] +[+] -[]0 x[] -[off]- 9[off]9
  Q[q] 9[9]q -[]? +[+] +[++] q[q]
  rejected: +[+] x[] -[off]-

A `-` before any command has been produced is rejected.

  $ pass - x- +x- ++x- '+ -' '\0-' '\xC8-'
  -         [rejected]
  x-        [rejected]
  +x-       [rejected]
  ++x-      [rejected]
  + -       [rejected]
  \0-       [rejected]
  \xC8-     [rejected]
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
longer than a block.

  $ widths q h- +++- -h hx-h-
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
