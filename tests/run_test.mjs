// run() of the npm package: each way a run ends, and the output budget.
// Usage: node run_test.mjs PACKAGE_INDEX EXAMPLES
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { pathToFileURL } from 'node:url';

const { run } = await import(pathToFileURL(process.argv[2]));
const song = readFileSync(`${process.argv[3]}/song.out`, 'latin1');
const hello = 'Hello World!\n';
const exit = (status) => ({ how: 'exit', status });
const budget = { how: 'budget' };

// program, options, how the run ends, output
const rows = [
  ['hQ\xff', {}, exit(0), `${hello}hQ\xc3\xbf\n`],
  [Uint8Array.of(0x71, 0xff), {}, exit(0), 'q\xff\n'],
  ['-h', {}, { how: 'syntax error' },
    'Syntax error: A quality control operator is not allowed as the first operator!\n'],
  ['hh-h', {}, { how: 'stream failure' }, hello],
  ['9++-h', {}, { how: 'rethrow' }, song],
  ['h+-h', {}, { how: 'division by zero' }, hello],
  ['Q-', { budget: 7 }, budget, 'Q-\nQ-\nQ'],
  ['9-', { budget: song.length + 2 }, budget, `${song}99`],
  ['h', { budget: 13 }, exit(0), hello],
  ['hh', { budget: 13 }, budget, hello],
];
for (const [program, options, end, output] of rows) {
  const result = await run(program, options);
  assert.deepEqual([result.end, Buffer.from(result.output).toString('latin1')], [end, output],
    `${program}`);
}
// Whatever the program, run() returns, and leaves the process as it was.
for (let byte = 0; byte < 256; byte += 1) {
  assert.ok((await run(Uint8Array.of(byte, 0x2d, byte), { budget: 99 })).end.how !== 'error');
}
assert.deepEqual([process.exitCode, process.listenerCount('uncaughtException'),
  process.listenerCount('unhandledRejection')], [undefined, 0, 0]);
console.log(`ok ${rows.length} rows and 256 programs`);
