// qualm for programs: run() runs a program on the interpreter compiled to
// WebAssembly, in memory, on a thread of a pool (lib/thread.js), so that
// the caller's thread goes on meanwhile; index.d.mts declares its types.
import { availableParallelism } from 'node:os';
import { Worker } from 'node:worker_threads';

// Runs at once, at most: one for each processor; more wait their turn.
const THREADS = availableParallelism();
const DEFAULT_BUDGET = 1 << 20;
const OPTIONS = ['budget', 'signal', 'onOutput'];

const idle = []; // threads that wait for a run
const queue = []; // runs that wait for a thread
let busy = 0; // threads running a run
// The runs that each signal stops: one listener on a signal, however many
// runs share it.
const stoppedBy = new WeakMap();

// A program as bytes of its own, which the thread then takes over: a string
// as UTF-8, or a copy of any view of bytes, so that the caller's stay as
// they are.
function bytesOf(program) {
  if (typeof program === 'string') return new TextEncoder().encode(program);
  const view = ArrayBuffer.isView(program)
    ? new Uint8Array(program.buffer, program.byteOffset, program.byteLength)
    : program instanceof ArrayBuffer || program instanceof SharedArrayBuffer
      ? new Uint8Array(program) : null;
  if (view === null) {
    throw new TypeError('qualm: the program is a string or bytes (a typed array, a DataView,'
      + ' an ArrayBuffer or a SharedArrayBuffer)');
  }
  try {
    return view.slice();
  } catch (thrown) {
    if (thrown instanceof RangeError) throw thrown; // no memory for the copy
    throw new TypeError('qualm: the program\'s bytes cannot be read: their buffer is detached',
      { cause: thrown });
  }
}

// The options, checked: the object's own properties, as a plain object
// holds them; the package's own words for any that is wrong.
function optionsOf(options) {
  if (options === null || typeof options !== 'object' || options instanceof Map) {
    throw new TypeError('qualm: the options are an object');
  }
  const unknown = Object.keys(options).find((name) => !OPTIONS.includes(name));
  if (unknown !== undefined) {
    throw new TypeError(`qualm: there is no option ${JSON.stringify(unknown)}; the options are`
      + ` ${OPTIONS.join(', ')}`);
  }
  const own = (name) => (Object.hasOwn(options, name) ? options[name] : undefined);
  const [budget, signal, onOutput] = [own('budget') ?? DEFAULT_BUDGET, own('signal'),
    own('onOutput')];
  if (typeof budget !== 'number') throw new TypeError('qualm: the budget is a number of bytes');
  if (!(budget >= 0 && (Number.isInteger(budget) || budget === Infinity))) {
    throw new RangeError('qualm: the budget is a whole number of bytes, or Infinity');
  }
  if (signal !== undefined && !(signal instanceof AbortSignal)) {
    throw new TypeError('qualm: the signal is an AbortSignal');
  }
  if (onOutput !== undefined && typeof onOutput !== 'function') {
    throw new TypeError('qualm: onOutput is a function');
  }
  return { budget, signal, onOutput };
}

// Runs the program (a string or bytes) with nothing on standard input, on
// a thread of the pool, and resolves, for every program, to its output and
// how the run ended (index.d.mts and README.md say what each means).
export async function run(program, options = {}) {
  const job = { ...optionsOf(options), pieces: [] };
  try {
    job.program = bytesOf(program);
  } catch (thrown) { // no memory for a copy of the program
    if (!(thrown instanceof RangeError)) throw thrown;
    return { output: new Uint8Array(), end: { how: 'out of memory' } };
  }
  const { budget, signal, onOutput, pieces } = job;
  // Output is gathered where the budget bounds it and no one takes it.
  job.take = onOutput ?? (budget === Infinity ? () => {} : (piece) => { pieces.push(piece); });
  const end = await new Promise((resolve, reject) => {
    if (signal?.aborted) return resolve({ how: 'stopped' });
    job.stop = () => { // until a thread takes it
      queue.splice(queue.indexOf(job), 1);
      job.settle(resolve, { how: 'stopped' });
    };
    job.settle = (settle, value) => {
      stoppedBy.get(signal)?.delete(job);
      settle(value);
    };
    if (signal) stopOn(signal, job);
    job.settlers = [resolve, reject];
    queue.push(job);
    startWaiting();
  });
  return { output: joined(pieces), end };
}

// Has `signal` stop the run `job`, with one listener for all the runs it stops.
function stopOn(signal, job) {
  if (!stoppedBy.has(signal)) {
    const runs = new Set();
    stoppedBy.set(signal, runs);
    signal.addEventListener('abort', () => { // those that wait first, so that none starts
      for (const waiting of [...runs].filter((job) => queue.includes(job))) waiting.stop();
      for (const running of [...runs]) running.stop();
    }, { once: true });
  }
  stoppedBy.get(signal).add(job);
}

// Starts the runs that wait, as far as the threads go.
function startWaiting() {
  while (busy < THREADS && queue.length > 0) {
    busy += 1;
    const worker = idle.pop() ?? new Worker(new URL('./lib/thread.js', import.meta.url));
    worker.ref(); // while it runs, the process waits for it
    runOn(worker, queue.shift());
  }
}

function runOn(worker, job) {
  const inFlight = new Int32Array(new SharedArrayBuffer(4));
  let during = null;
  let delivered = Promise.resolve(); // the output taken so far, in order
  let over = false;
  const done = (keep, settle, value) => {
    if (over) return;
    over = true;
    busy -= 1;
    for (const event of ['message', 'error']) worker.removeAllListeners(event);
    if (keep) {
      worker.unref(); // an idle thread keeps no process alive
      idle.push(worker);
    } else {
      worker.terminate();
    }
    job.settle(settle, value);
    startWaiting();
  };
  const [resolve, reject] = job.settlers;
  // A stop ends the thread at once, wherever the run is.
  job.stop = () => done(false, resolve, during ? { how: 'stopped', during } : { how: 'stopped' });
  worker.on('message', (message) => {
    if ('output' in message) { // not once the run is over: it was stopped, or failed
      delivered = delivered.then(() => over || job.take(message.output)).then(() => {
        Atomics.sub(inFlight, 0, 1);
        Atomics.notify(inFlight, 0);
      });
    } else if ('underway' in message) {
      during = message.underway;
    } else if ('end' in message) {
      delivered.then(() => done(true, resolve, message.end));
    } else {
      done(false, reject, new Error(`qualm: the interpreter failed: ${message.fault}`));
    }
    delivered = delivered.catch((error) => done(false, reject, error)); // onOutput threw
  });
  worker.on('error', (error) => done(false, reject, error));
  worker.postMessage({ program: job.program, budget: job.budget, inFlight },
    [job.program.buffer]);
}

function joined(pieces) {
  const whole = new Uint8Array(pieces.reduce((length, piece) => length + piece.length, 0));
  pieces.reduce((at, piece) => whole.set(piece, at) ?? at + piece.length, 0);
  return whole;
}
