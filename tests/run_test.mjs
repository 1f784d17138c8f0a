// run() of the npm package: each way a run ends, the budget, the arguments it
// rejects, runs side by side, a stop, and the caller's thread free meanwhile.
// Usage: node run_test.mjs PACKAGE_DIR EXAMPLES
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { pathToFileURL } from 'node:url';

const [packageDir, examples] = process.argv.slice(2);
const { run } = await import(pathToFileURL(`${packageDir}/index.mjs`));
const types = readFileSync(`${packageDir}/index.d.mts`, 'utf8');
const song = readFileSync(`${examples}/song.out`, 'latin1');
const hello = 'Hello World!\n';
const exit = { how: 'exit', status: 0 };
const text = (bytes) => Buffer.from(bytes).toString('latin1');

// program, options, how the run ends, output
const rows = [
  ['hQ\xff', {}, exit, `${hello}hQ\xc3\xbf\n`],
  [Uint8Array.of(0x71, 0xff), {}, exit, 'q\xff\n'],
  [new Uint8Array([0x68, 0x68, 0x2d]).buffer, {}, { how: 'stream failure' }, hello],
  [new Uint8Array(new SharedArrayBuffer(1)).fill(0x68).buffer, {}, exit, hello],
  ['-h', {}, { how: 'syntax error' },
    'Syntax error: A quality control operator is not allowed as the first operator!\n'],
  ['-h', { budget: 6 }, { how: 'budget' }, 'Syntax'],
  ['9++-h', {}, { how: 'rethrow' }, song],
  ['h+-h', {}, { how: 'division by zero' }, hello],
  ['Q-', { budget: 7 }, { how: 'budget', during: 'endless echo' }, 'Q-\nQ-\nQ'],
  ['9-', { budget: song.length + 2 }, { how: 'budget', during: 'endless song' }, `${song}99`],
  ['h', { budget: 13 }, exit, hello],
  ['hh', { budget: 13 }, { how: 'budget' }, hello],
  ['h', { budget: 0 }, { how: 'budget' }, ''],
  // More than WebAssembly's 4 GiB holds as a text and its command string beside it.
  [new Uint8Array(2.5e9), {}, { how: 'out of memory' }, ''],
];
// All side by side, and every ending a run can have is declared to TypeScript.
await Promise.all(rows.map(async ([program, options, end, output], row) => {
  const result = await run(program, options);
  assert.deepEqual([result.end, text(result.output)], [end, output], `row ${row}`);
  assert.match(types, new RegExp(`how: '${end.how}'`));
}));

// Arguments of another kind reject, in the package's words.
for (const [program, options, error] of [
  [42, {}, TypeError], ['h', null, TypeError], ['h', { buget: 1 }, TypeError],
  ['h', { input: '' }, TypeError], ['h', { budget: '1' }, TypeError],
  ['h', { budget: -1 }, RangeError],
  ['h', { budget: 1.5 }, RangeError], ['h', { signal: {} }, TypeError],
  ['h', { onOutput: 'console' }, TypeError],
]) {
  await assert.rejects(run(program, options),
    (e) => e instanceof error && /^qualm: /.test(e.message), JSON.stringify(options));
}

// Without end, and stopped: the output reaches onOutput as it is written,
// and timers tick on the caller's thread meanwhile; a stop ends it at once,
// as one did before it began.
const stop = new AbortController();
let taken = 0;
let ticks = 0;
const endless = run('9-', { budget: Infinity, signal: stop.signal, onOutput: (bytes) => {
  taken += bytes.length;
} });
await new Promise((resolve) => {
  const timer = setInterval(() => {
    ticks += taken > 0;
    if (ticks === 3) resolve(clearInterval(timer));
  }, 1);
});
stop.abort();
const stopped = await endless;
assert.deepEqual([stopped.end, stopped.output.length],
  [{ how: 'stopped', during: 'endless song' }, 0]);
assert.deepEqual((await run('h', { signal: stop.signal })).end, { how: 'stopped' });
// More runs than threads, on one signal without a warning: those that wait are stopped as
// they wait.
const warnings = [];
process.on('warning', (warning) => warnings.push(warning.name));
const waiting = new AbortController();
const crowd = Array.from({ length: 12 }, () => run('9-', { budget: Infinity,
  signal: waiting.signal }));
waiting.abort();
assert.deepEqual(new Set((await Promise.all(crowd)).map(({ end }) => end.how)),
  new Set(['stopped']));
assert.deepEqual(warnings, []);

// Whatever the program, run() resolves, and leaves the process as it was.
const programs = Array.from({ length: 256 }, (_, byte) => Uint8Array.of(byte, 0x2d, byte));
for (const { end } of await Promise.all(programs.map((program) => run(program, { budget: 99 })))) {
  assert.match(types, new RegExp(`how: '${end.how}'`));
}
assert.deepEqual([process.exitCode, process.listenerCount('uncaughtException'),
  process.listenerCount('unhandledRejection')], [undefined, 0, 0]);
console.log(`ok ${rows.length} rows, 9 rejections, a stop with ${ticks} ticks, 256 programs`);
