#!/usr/bin/env node
'use strict';
// The qualm command: the interpreter compiled to WebAssembly, on the real
// files and standard streams, ending as the native build ends.
const fs = require('fs');
const os = require('os');
const createCommand = require('../lib/command.js');

// What the native build's C++ runtime prints before it aborts.
const UNCAUGHT_FAILURE = "terminate called after throwing an instance of \
'std::ios_base::failure[abi:cxx11]'\n  what():  : iostream error\n";
const NO_ACTIVE_EXCEPTION = 'terminate called without an active exception\n';

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
    process.exit(128 + signals[name]);
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

// The runtime's own words on an abort are left out: the native build's are
// written instead.
// The module's memory is reserved when it starts: where the system grants
// too little address space, the run ends as the native one ends without
// memory.
function outOfMemory() {
  fs.writeSync(2, 'qualm: out of memory\n');
  process.exit(1);
}
let qualm;
try {
  qualm = createCommand({
    quit: (status, thrown) => { throw thrown; },
    printErr: () => {},
    onSignal: (number) => endBySignal(signalNames[number]),
  });
} catch (thrown) {
  if (thrown instanceof RangeError) outOfMemory();
  throw thrown;
}
// +- raises SIGFPE: a handler stands for the default action, which system.js
// carries out.
const { signals } = os.constants;
const signalNames = Object.fromEntries(Object.entries(signals).map(([name, n]) => [n, name]));
qualm._signal(signals.SIGFPE, 2 /* not SIG_DFL, SIG_IGN or SIG_ERR */);
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
  process.exitCode = qualm.callMain(process.argv.slice(2));
} catch (thrown) {
  // h- leaves a C++ exception uncaught, and ++- aborts with nothing to
  // re-raise. A C++ exception cannot be caught in this build: where memory
  // runs out, the C++ library aborts at once instead of throwing what the
  // native build reports.
  if (typeof thrown === 'number') endBySignal('SIGABRT', UNCAUGHT_FAILURE);
  if (!(thrown instanceof WebAssembly.RuntimeError)) throw thrown;
  if (/no exception to throw/.test(thrown.message)) endBySignal('SIGABRT', NO_ACTIVE_EXCEPTION);
  if (!/^Aborted\(\)/.test(thrown.message)) throw thrown;
  outOfMemory();
}
