// run() of the npm package as its caller meets it: the ticks of a 1 ms
// timer during an endless run, against the same second with nothing
// running; the time from abort() to the run's end; and 200 runs at once
// against 200 in a row. Prints: ticks-ratio abort-ms together/in-a-row
// ticks-idle ticks-running.
// Usage: node bench/npm_run.mjs PACKAGE_DIR
import { pathToFileURL } from 'node:url';

const { run } = await import(pathToFileURL(`${process.argv[2]}/index.mjs`));
const median = (values) => values.toSorted((a, b) => a - b)[values.length >> 1];

// The ticks of a 1 ms timer over a second.
const ticksOver = (ms) => new Promise((resolve) => {
  let ticks = 0;
  const timer = setInterval(() => { ticks += 1; }, 1);
  setTimeout(() => resolve(clearInterval(timer) ?? ticks), ms);
});

await run('h'); // the pool's first thread, started
const idle = await ticksOver(1000);
const stop = new AbortController();
const endless = run('9-', { budget: Infinity, signal: stop.signal });
const running = await ticksOver(1000);
stop.abort();
await endless;

const delays = [];
for (let i = 0; i < 9; i += 1) {
  const controller = new AbortController();
  const song = run('9-', { budget: Infinity, signal: controller.signal, onOutput: () => {} });
  await new Promise((resolve) => setTimeout(resolve, 100));
  const start = performance.now();
  controller.abort();
  await song;
  delays.push(performance.now() - start);
}

const programs = Array.from({ length: 200 }, (_, i) => `h${'9'.repeat(i % 3)}`);
let start = performance.now();
for (const program of programs) await run(program);
const inARow = performance.now() - start;
start = performance.now();
await Promise.all(programs.map((program) => run(program)));
const together = performance.now() - start;

console.log((running / idle).toFixed(2), median(delays).toFixed(1), (together / inARow).toFixed(2),
  idle, running);
