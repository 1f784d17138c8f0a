'use strict';
// The one wrapper around the interpreter module, which every host runs it
// with: the page's workers and the npm package's. It touches neither a
// page nor a worker's globals, so that any JavaScript host can load it
// beside the module's own script.
//
//   const started = startQualm(createQualm);  // ahead of the run: main runs once an instance
//   const end = await runQualm(started, program, budget, { output, command, ending });
//
// where program is a Uint8Array and budget the most output the run may
// write (Infinity for no limit). As the run goes, output(bytes) takes its
// output a piece at a time (a view that is only valid during the call),
// command(index, at) hears that the command at `index` of the command
// string begins, `at` bytes into the output, and ending(how, endless) hears
// each ending the module reports, as it takes its way to it, and whether it
// is one that never ends on its own. The run ends as the module says:
//   { how: 'exit', status }      the program ran to its end, and main returned status 0
//   { how: NAME }                any other ending the module names (endingsOf), such as
//                                'syntax error', 'stream failure' or 'out of memory'
//   { how: 'budget', during? }   the output reached the budget: the host refused the next
//                                write; `during` names the endless ending under way, if any
// and where the module cannot even start for want of memory, { how: 'out of memory' }.
/* exported startQualm, runQualm, languageOf, endingsOf, pendingRunsOf, traceQualm, stepsQualm */

const PROGRAM_PATH = '/program.qlm';
const FILE_TOO_LARGE = 22; // the errno of a write refused at the budget: EFBIG

// An instance of the module, started ahead of its one run, with standard
// streams that the run then connects: standard input empty, so that the
// final wait returns at once; standard error dropped, since the module
// reports how the run ends; standard output a device that takes a write
// whole.
function startQualm(createQualm) {
  const host = { write: () => 0, command: () => {}, ending: () => {} };
  // A module that cannot reserve its memory throws as it starts.
  const module = new Promise((resolve) => {
    resolve(createQualm({
      noInitialRun: true,
      // The module would end the host's process; the run takes the throw.
      quit: (status, thrown) => { throw thrown; },
      print: () => {},
      printErr: () => {},
      onCommand: (index) => host.command(index),
      onEnding: (how) => host.ending(how),
      preRun: [(qualm) => connectOutput(qualm, host)],
    }));
  });
  return { module, host };
}

function connectOutput(qualm, host) {
  const { FS } = qualm;
  FS.init(() => null, () => {}, () => {});
  const device = FS.makedev(64, 0);
  FS.registerDevice(device, {
    open: () => {},
    close: () => {},
    write: (stream, heap, offset, length) => host.write(
      new Uint8Array(heap.buffer, heap.byteOffset + offset, length), FS.ErrnoError),
  });
  FS.mkdev('/dev/output', device);
  FS.closeStream(1);
  FS.open('/dev/output', 'w'); // the lowest free descriptor: standard output
}

async function runQualm({ module, host }, program, budget, listener) {
  let qualm;
  try {
    qualm = await module;
  } catch (thrown) {
    if (thrown instanceof RangeError) return { how: 'out of memory' };
    throw thrown;
  }
  const endings = endingsOf(qualm);
  let taken = null; // the last ending the module reported
  let underway = null; // the endless one, once it begins
  let refused = null; // the budget's ending, once a write is refused
  let written = 0;
  host.ending = (index) => {
    const { how, endless } = endings[index];
    taken = how;
    if (endless) underway = how;
    listener.ending?.(how, endless);
  };
  host.command = (index) => listener.command?.(index, written);
  host.write = (bytes, ErrnoError) => {
    if (written === budget) {
      refused ??= underway ? { how: 'budget', during: underway } : { how: 'budget' };
      throw new ErrnoError(FILE_TOO_LARGE);
    }
    const taking = Math.min(bytes.length, budget - written);
    listener.output(bytes.subarray(0, taking));
    written += taking;
    return taking;
  };
  // As the file's own contents, of the heap's type, so that reading it is a plain copy.
  qualm.FS.writeFile(PROGRAM_PATH, new Int8Array(program.buffer, program.byteOffset,
    program.length), { canOwn: true });
  let status;
  try {
    status = qualm.callMain([PROGRAM_PATH]);
  } catch (thrown) { // the ways to an end that throw were reported before
    if (taken === null) throw thrown;
  }
  if (refused) return refused;
  return taken === 'exit' ? { how: 'exit', status } : { how: taken };
}

// Lines of a zero-terminated text that the module exports.
function linesOf(qualm, at) {
  const text = new TextDecoder().decode(qualm.HEAPU8.subarray(at, qualm.HEAPU8.indexOf(0, at)));
  return text.split('\n').slice(0, -1);
}

// The language's characters, as the module states them: the command
// characters, and for each pair [run, character, ending], where the
// character stands in the command string for the run and its -, and the
// ending is the name of the one it brings.
function languageOf(qualm) {
  const [commands, ...pairs] = linesOf(qualm, qualm._qualm_language());
  return { commands, pairs: pairs.map((line) => {
    const [run, how] = [line.slice(0, line.indexOf(' ')), line.slice(line.indexOf(' ') + 1)];
    return [run.slice(0, -1), run.slice(-1), how];
  }) };
}

// The endings, in the order the module reports them by: { how, endless },
// their names, and whether each is one that never ends on its own.
const endingsOf = (qualm) => linesOf(qualm, qualm._qualm_endings()).map((line) => {
  const [how, kind] = line.split('\t');
  return { how, endless: kind === 'endless' };
});

// The pass's pending runs, in the order its steps name them by: { holds,
// off }, what each holds, and whether it is the one in which pairing is off.
const pendingRunsOf = (qualm) => linesOf(qualm, qualm._qualm_pending_runs()).map((line) => {
  const [holds, kind] = line.split('\t');
  return { holds, off: kind === 'off' };
});

// What the pass did at each byte of `program` (a Uint8Array) that it read,
// two bytes a byte (see qualm_steps in trace.cpp), as a Uint8Array as long
// as the bytes read.
function stepsQualm(qualm, program) {
  const [text, out] = [program.length + 1, 2 * program.length + 1]
    .map((size) => qualm._malloc(size) >>> 0);
  qualm.HEAPU8.set(program, text);
  const read = qualm._qualm_steps(text, program.length, out) >>> 0;
  const steps = qualm.HEAPU8.slice(out, out + 2 * read);
  for (const pointer of [text, out]) qualm._free(pointer);
  return steps;
}

// The command string of `program` (a Uint8Array), and where the first
// `spanRoom` of its commands came from: { length, commands, spans }, where
// commands is the command string's bytes, length its length or -1 where
// the pass rejects the program, and spans the offsets [start, end) in the
// program of each of those commands, one after the other (the rejected -
// alone, on a rejection).
function traceQualm(qualm, program, spanRoom) {
  // Addresses past 2 GiB come back from the module as negative numbers.
  const [text, out, spans] = [program.length + 1, program.length + 1, 8 * spanRoom]
    .map((size) => qualm._malloc(size) >>> 0);
  qualm.HEAPU8.set(program, text);
  const length = qualm._qualm_trace(text, program.length, out, spans, spanRoom);
  const traced = length < 0 ? 1 : Math.min(length, spanRoom);
  const result = { length, commands: qualm.HEAPU8.slice(out, out + Math.max(length, 0)),
    spans: Array.from(qualm.HEAPU32.subarray(spans / 4, spans / 4 + 2 * traced)) };
  for (const pointer of [text, out, spans]) qualm._free(pointer);
  return result;
}
