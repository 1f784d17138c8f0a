// qualm for programs: run() runs a program on the interpreter compiled to
// WebAssembly, in memory, without touching the process. The build puts
// web/run.js, the one wrapper around the module, before this.
/* global startQualm, runQualm */
import createQualm from './lib/module.js';

// How a run ends, by the character of the command string that ended it.
const PAIR_ENDS = { '#': 'stream failure', 'v': 'rethrow', '0': 'division by zero' };

const bytesOf = (data) => (typeof data === 'string' ? new TextEncoder().encode(data) : data);

// The first command of the program's command string that ends a run, or
// 'rejected' where the pass rejects the program.
function enderOf(qualm, program) {
  const text = qualm._malloc(program.length + 1);
  const out = qualm._malloc(program.length + 1);
  qualm.HEAPU8.set(program, text);
  const length = qualm._qualm_trace(text, program.length, out, 0, 0);
  const commands = new TextDecoder().decode(qualm.HEAPU8.subarray(out, out + Math.max(length, 0)));
  qualm._free(text);
  qualm._free(out);
  return length < 0 ? 'rejected' : [...commands].find((command) => command in PAIR_ENDS);
}

// Runs the program (a string or bytes) with `input` (a string or bytes,
// empty by default) on standard input, and stops it once it has written
// `budget` bytes. Resolves to the output, as bytes, and how the run ended:
// { how: 'exit', status }, { how: 'syntax error' }, { how: NAME } for the
// pairs that end a run ('stream failure', 'rethrow', 'division by zero'),
// { how: 'budget' }, which is how the endless pairs end, or, where the
// module's memory runs out, { how: 'out of memory' }. Never throws.
export async function run(program, { input = '', budget = 1 << 20 } = {}) {
  const text = bytesOf(program);
  const started = startQualm(createQualm);
  const qualm = await started.module;
  const ender = enderOf(qualm, text);
  const output = new Uint8Array(budget);
  let written = 0;
  const ran = await runQualm(started, text, bytesOf(input), budget, (bytes) => {
    output.set(bytes, written);
    written += bytes.length;
  });
  const end = ran.end === 'exit' && ender === 'rejected' ? { how: 'syntax error' }
    : ran.end === 'exit' ? { how: 'exit', status: ran.status }
    : ran.end === 'budget' ? { how: 'budget' }
    : ender in PAIR_ENDS ? { how: PAIR_ENDS[ender] }
    : ran.end === 'abort' && ran.reason === '' ? { how: 'out of memory' }
    : { how: 'error', reason: ran.reason };
  return { output: output.slice(0, written), end };
}
