// qualm for programs: run() runs a program on the interpreter compiled to
// WebAssembly, in memory, without touching the process. The build puts
// web/run.js, the one wrapper around the module, before this.
/* global startQualm, runQualm, languageOf */
import createQualm from './lib/module.js';

// How a run ends, by the pair that ended it, as a program writes it.
const PAIR_ENDS = { 'h-': 'stream failure', '++-': 'rethrow', '+-': 'division by zero' };

// A program or an input as bytes: a string (as UTF-8), or any view of bytes.
function bytesOf(data, what) {
  if (typeof data === 'string') return new TextEncoder().encode(data);
  if (ArrayBuffer.isView(data)) {
    return new Uint8Array(data.buffer, data.byteOffset, data.byteLength);
  }
  if (data instanceof ArrayBuffer) return new Uint8Array(data);
  throw new TypeError(`qualm: ${what} is a string or bytes`);
}

// The pair, as written, of the first command of the program's command string
// that ends a run, or 'rejected' where the pass rejects the program.
function enderOf(qualm, program) {
  const text = qualm._malloc(program.length + 1);
  const out = qualm._malloc(program.length + 1);
  qualm.HEAPU8.set(program, text);
  const length = qualm._qualm_trace(text, program.length, out, 0, 0);
  const commands = new TextDecoder().decode(qualm.HEAPU8.subarray(out, out + Math.max(length, 0)));
  qualm._free(text);
  qualm._free(out);
  if (length < 0) return 'rejected';
  const pairOf = Object.fromEntries(languageOf(qualm).pairs
    .map(([run, standsFor]) => [standsFor, `${run}-`]));
  return pairOf[[...commands].find((command) => PAIR_ENDS[pairOf[command]])];
}

// Runs the program (a string or bytes) with `input` (a string or bytes,
// empty by default) on standard input, and stops it once it has written
// `budget` bytes (a whole number; 1 MiB by default, Infinity for no limit,
// which a program without end never meets). Resolves, for every program, to
// the output, as bytes, and how the run ended: { how: 'exit', status },
// { how: 'syntax error' }, { how: NAME } for the pairs that end a run
// ('stream failure', 'rethrow', 'division by zero'), { how: 'budget' },
// which is how the endless pairs end, or, where memory runs out,
// { how: 'out of memory' }. Rejects only arguments of another kind.
export async function run(program, { input = '', budget = 1 << 20 } = {}) {
  const text = bytesOf(program, 'the program');
  const given = bytesOf(input, 'the input');
  if (!(budget >= 0 && (Number.isInteger(budget) || budget === Infinity))) {
    throw new RangeError('qualm: the budget is a whole number of bytes, or Infinity');
  }
  let started;
  let qualm;
  try {
    started = startQualm(createQualm);
    qualm = await started.module;
  } catch (thrown) { // the module's memory is reserved as it starts
    if (!(thrown instanceof RangeError)) throw thrown;
    return { output: new Uint8Array(), end: { how: 'out of memory' } };
  }
  const ender = enderOf(qualm, text);
  const pieces = [];
  const ran = await runQualm(started, text, given, budget, (bytes) => pieces.push(bytes.slice()));
  const end = ran.end === 'exit' && ender === 'rejected' ? { how: 'syntax error' }
    : ran.end === 'exit' ? { how: 'exit', status: ran.status }
    : ran.end === 'budget' ? { how: 'budget' }
    : ender in PAIR_ENDS ? { how: PAIR_ENDS[ender] }
    : ran.end === 'abort' && ran.reason === '' ? { how: 'out of memory' }
    : { how: 'error', reason: ran.reason };
  const output = new Uint8Array(pieces.reduce((length, piece) => length + piece.length, 0));
  pieces.reduce((at, piece) => output.set(piece, at) ?? at + piece.length, 0);
  return { output, end };
}
