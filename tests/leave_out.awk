# Copies a transcript without the rows that the npm package's command cannot
# run as the native build does, and with $TESTDIR made the folder `dir`.
# Rows are known by a text of their command: Node ignores SIGPIPE and sets
# every other signal to its default at start, whatever its parent left
# ignored (trap ''); it opens /dev/null in place of a closed standard stream
# (>&-); its script runs beside the package's module, not copied alone to
# another folder (unreadable); and it cannot seek standard input, so reads
# a line from a file there a character at a time (lseek).
# Usage: awk -v dir=DIR -f leave_out.awk FILE.t
BEGIN { split("trap ''|>&-|unreadable|lseek", texts, "|") }
/^  \$ / { dropping = 0; for (i in texts) if (index($0, texts[i])) dropping = 1 }
!/^  / { dropping = 0 }
!dropping { gsub(/\$TESTDIR/, dir); print }
