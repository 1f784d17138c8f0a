// What the command's WebAssembly asks of the system, done through Node.
mergeInto(LibraryManager.library, {
  // The terminal, as far as Node lets a program see one: whether standard
  // input is a terminal in line mode, which stty tells (without stty, as a
  // terminal starts: in line mode), and dropping what was typed ahead, read
  // with line mode off for a moment.
  __syscall_ioctl__deps: ['$FS'],
  __syscall_ioctl: function (fd, op, varargs) {
    var stream = FS.getStream(fd);
    if (!stream || !require('tty').isatty(stream.nfd)) return -{{{ cDefine('ENOTTY') }}};
    var stty = function (args) {
      var done = require('child_process').spawnSync('stty', args,
        { stdio: [stream.nfd, 'pipe', 'ignore'], encoding: 'latin1' });
      return done.status === 0 ? done.stdout.trim() : null;
    };
    if (op === {{{ cDefine('TCGETS') }}}) {
      // Only the line mode bit of the local modes, at offset 12, is filled in:
      // all that is read.
      var termios = {{{ makeGetValue('varargs', 0, 'i32') }}};
      var settings = stty(['-a']);
      var line = settings === null || /(^|\s)icanon(\s|$)/.test(settings);
      var lflag = line ? 2 /* ICANON */ : 0;
      {{{ makeSetValue('termios', 12, 'lflag', 'i32') }}};
    } else if (op === 0x540B /* TCFLSH */) {
      var saved = stty(['-g']);
      if (saved !== null && stty(['-icanon', 'min', '0', 'time', '0']) !== null) {
        var ahead = Buffer.alloc(4096);
        try {
          while (require('fs').readSync(stream.nfd, ahead, 0, ahead.length, null) > 0);
        } catch (e) {
          // an error reading ends the dropping as well
        }
        stty([saved]);
      }
    }
    return 0;
  },
});
