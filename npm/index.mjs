// qualm for programs: run() runs a program on the interpreter compiled to
// WebAssembly, in memory, without touching the process.
import createQualm from './lib/module.js';

// How a run ends, by the character of the command string that ended it.
const PAIR_ENDS = { '#': 'stream failure', 'v': 'rethrow', '0': 'division by zero' };

const bytesOf = (data) => (typeof data === 'string' ? new TextEncoder().encode(data) : data);

// The first command of the program's command string that ends a run, or
// 'rejected' when the pass rejects it.
function enderOf(qualm, program) {
  const text = qualm._malloc(program.length + 1);
  const out = qualm._malloc(program.length + 1);
  qualm.HEAPU8.set(program, text);
  const length = qualm._qualm_trace(text, program.length, out, 0, 0);
  const commands = qualm.HEAPU8.subarray(out, out + Math.max(length, 0));
  const ender = length < 0 ? 'rejected'
    : String.fromCharCode(...commands.filter((c) => String.fromCharCode(c) in PAIR_ENDS)).at(0);
  qualm._free(text);
  qualm._free(out);
  return ender;
}

// Runs the program (a string or bytes) with `input` (a string or bytes, empty
// by default) on standard input, and stops it once it has written `budget`
// bytes. Returns the output and how the run ended: { how: 'exit', status },
// { how: 'syntax error' }, { how: NAME } for the pairs that end a run
// ('stream failure', 'rethrow', 'division by zero'), or { how: 'budget' },
// which is how the endless pairs end. Never throws for any program.
export function run(program, { input = '', budget = 1 << 20 } = {}) {
  const text = bytesOf(program);
  const stdin = bytesOf(input);
  const output = new Uint8Array(budget);
  let read = 0;
  let written = 0;
  let full = false;
  const qualm = {
    noInitialRun: true,
    quit: (status, thrown) => { throw thrown; },
    print: () => {},
    printErr: () => {},
    preRun: [(module) => module.FS.init(() => (read < stdin.length ? stdin[read++] : null),
      (byte) => {
        if (byte === null) return;
        full = written === budget;
        if (full) throw new Error('output budget reached');
        output[written++] = byte;
      }, () => {})],
  };
  createQualm(qualm); // ready at once: the module is compiled synchronously
  qualm.FS.writeFile('/program.qlm', text);
  const ender = enderOf(qualm, text);
  let end;
  try {
    const status = qualm.callMain(['/program.qlm']);
    end = ender === 'rejected' ? { how: 'syntax error' } : { how: 'exit', status };
  } catch {
    end = { how: PAIR_ENDS[ender] };
  }
  return { output: output.slice(0, written), end: full ? { how: 'budget' } : end };
}
