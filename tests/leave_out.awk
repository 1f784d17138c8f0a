# Copies a transcript without the rows whose command holds any line of the
# first file, and with $TESTDIR made the folder `dir`, for a build that
# cannot run those rows. Usage: awk -v dir=DIR -f leave_out.awk ROWS FILE.t
FNR == NR { texts[FNR] = $0; next }
/^  \$ / { dropping = 0; for (i in texts) if (index($0, texts[i])) dropping = 1 }
!/^  / { dropping = 0 }
!dropping { gsub(/\$TESTDIR/, dir); print }
