#!/usr/bin/env node
'use strict';
// The qualm command: the interpreter compiled to WebAssembly, on the real
// files and standard streams, ending as the native build ends.
const fs = require('fs');
const os = require('os');
const { endingsOf, ENDINGS } = require('../lib/shared.js');
const createCommand = require('../lib/command.js');

// What the native build's C++ runtime prints before it aborts, by ending.
const RUNTIME_WORDS = {
  'stream failure': "terminate called after throwing an instance of \
'std::ios_base::failure[abi:cxx11]'\n  what():  : iostream error\n",
  'rethrow': 'terminate called without an active exception\n',
};

// Ends the process by the signal, as the native build is ended. Node ignores
// SIGPIPE; removing a listener leaves any signal at its default action.
// Where there are no such signals (Windows), the status a shell would show
// ends it.
function endBySignal(name, message = '') {
  if (message) fs.writeSync(2, message);
  try {
    process.on(name, () => {});
    process.removeAllListeners(name);
    process.kill(process.pid, name);
    Atomics.wait(new Int32Array(new SharedArrayBuffer(4)), 0, 0, 1000);
  } finally {
    process.exit(128 + os.constants.signals[name]);
  }
}

// A reader that went away ends the run as it ends a native program. An
// empty piece, which the C library's unbuffered writes pass on, is no write.
const writeSync = fs.writeSync;
fs.writeSync = (fd, buffer, offset, length, ...rest) => {
  if (length === 0) return 0;
  try {
    return writeSync(fd, buffer, offset, length, ...rest);
  } catch (error) {
    if (error.code === 'EPIPE') endBySignal('SIGPIPE');
    throw error;
  }
};

// The arguments as the system gave them. Node decodes them as UTF-8, which
// changes a file name that is not; Linux keeps their bytes in
// /proc/self/cmdline, the last ones being the command's. Such a name is
// opened here, by its bytes, and the interpreter reads the file it names
// through /dev/fd; one that cannot be opened is given as no name at all, so
// that the interpreter's own open fails too, as the native build's would,
// and not on a file that its decoding happens to name.
function argumentsAsGiven() {
  const decoded = process.argv.slice(2);
  let bytes;
  try {
    const text = fs.readFileSync('/proc/self/cmdline', 'latin1').split('\0').slice(0, -1);
    bytes = text.slice(-decoded.length).map((arg) => Buffer.from(arg, 'latin1'));
  } catch {
    return decoded;
  }
  return decoded.map((arg, i) => {
    if (bytes.length !== decoded.length || Buffer.from(arg).equals(bytes[i])) return arg;
    try {
      return `/dev/fd/${fs.openSync(bytes[i], 'r')}`;
    } catch {
      return '';
    }
  });
}

// The module's memory is reserved when it starts: where the system grants
// too little address space, the run ends as the native one ends without
// memory. The runtime's own words on an abort are left out.
let qualm;
let endings;
let taken = null; // the last ending the module reported
try {
  qualm = createCommand({
    quit: (status, thrown) => { throw thrown; },
    printErr: () => {},
    onEnding: (how) => { taken = endings[how].how; },
  });
  endings = endingsOf(qualm);
} catch (thrown) {
  if (!(thrown instanceof RangeError)) throw thrown;
  fs.writeSync(2, 'qualm: out of memory\n');
  process.exit(1);
}
// Only a regular file opened by name seeks: the others, FIFOs and pipes,
// are read as streams. Standard input never seeks, even from a file: Node
// cannot move its real offset back, so the program line is read a
// character at a time and leaves the rest for the next reader.
const { open, llseek } = qualm.FS;
qualm.FS.open = (...args) => {
  const stream = open(...args);
  stream.seekable = fs.fstatSync(stream.nfd).isFile();
  return stream;
};
qualm.FS.llseek = (stream, ...rest) => {
  if (!stream.seekable) throw new qualm.FS.ErrnoError(70 /* ESPIPE */);
  return llseek(stream, ...rest);
};
try {
  process.exitCode = qualm.callMain(argumentsAsGiven());
} catch (thrown) {
  // The endings that end the process by a signal were reported first.
  const { signal } = ENDINGS[taken] ?? {};
  if (!signal) throw thrown;
  endBySignal(signal, RUNTIME_WORDS[taken]);
}
