// The playground pages given, side by side in headless Chromium, opened
// from disk: for each program of the list, the time from Run to the result
// and the longest task of the page's main thread (the browser reports only
// tasks over 50 ms), on a quiet machine and on a busy one: the page's CPU
// slowed fourfold, and a spinning process for each core. Each run is a new
// visitor's first, in a browser context of its own; the pages take turns,
// run by run, so that both meet the same noise. Each figure is the median
// (time) and the worst (task) of five runs, judged against 1 s and 100 ms:
// the run exits with 1 when a page misses either. The programs are those the
// page test checks. Then Stop, 80 ms into q- with the CPU slowed fourfold:
// the time from the click to the page showing the run stopped, and the
// longest task (median and worst of five); STOP_ONLY=1 measures only that.
// Usage: node bench/page.mjs PAGE...   (after npm ci --prefix tests/web)
import { spawn } from 'node:child_process';
import { availableParallelism } from 'node:os';
import { pathToFileURL } from 'node:url';
import { chromium } from '../tests/web/node_modules/playwright-core/index.mjs';
import { heavy as programs } from '../tests/web/programs.mjs';

const files = process.argv.slice(2);
const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium', args: ['--no-sandbox', '--disable-gpu'],
});
const RESULT_MS = 1000; // the most from Run to the result
const TASK_MS = 100; // the longest task of the page's main thread
let missed = 0;

// A fresh page, its tasks watched.
async function open(file, slowdown) {
  const context = await browser.newContext();
  await context.addInitScript(() => {
    window.longTasks = [];
    new PerformanceObserver((list) => {
      window.longTasks.push(...list.getEntries().map((e) => e.duration));
    }).observe({ type: 'longtask' });
  });
  const page = await context.newPage();
  const devtools = await context.newCDPSession(page);
  await devtools.send('Emulation.setCPUThrottlingRate', { rate: slowdown });
  await page.goto(pathToFileURL(file).href);
  return page;
}

const ended = (page) => page.waitForFunction(
  () => !/^(Running…)?$/.test(document.getElementById('ending').textContent), null,
  { timeout: 60000, polling: 20 });

// Puts the program on the page as a paste would, and lets the page settle.
async function enter(page, program) {
  await page.evaluate((text) => {
    const area = document.getElementById('program');
    area.value = text;
    area.dispatchEvent(new Event('input'));
  }, program);
  await page.waitForTimeout(500);
  await page.evaluate(() => { window.longTasks = []; });
}

// Runs the program; returns the time from Run to the result, and the
// longest task meanwhile.
async function run(page, program) {
  await enter(page, program);
  const start = Date.now();
  await page.click('#run');
  await ended(page);
  await page.evaluate(() => new Promise(requestAnimationFrame));
  return [Date.now() - start, Math.max(0, ...await page.evaluate(() => window.longTasks))];
}

// Runs q- and clicks Stop 80 ms in; returns the time from the click to the
// first frame that shows the run stopped (the ending worded, Stop disabled),
// and the longest task from Run to 300 ms after that.
async function stop(page) {
  await enter(page, 'q-');
  return page.evaluate(async () => {
    const [ending, stopButton] = ['ending', 'stop'].map((id) => document.getElementById(id));
    const frame = () => new Promise(requestAnimationFrame);
    document.getElementById('run').click();
    await new Promise((resolve) => setTimeout(resolve, 80));
    const start = performance.now();
    stopButton.click();
    do await frame(); while (/^Running/.test(ending.textContent) || !stopButton.disabled);
    const delay = performance.now() - start;
    await new Promise((resolve) => setTimeout(resolve, 300));
    return [delay, Math.max(0, ...window.longTasks)];
  });
}

const median = (values) => values.toSorted((a, b) => a - b)[values.length >> 1];
const task = (ms) => (ms === 0 ? '<50' : String(Math.round(ms)));
for (const busy of process.env.STOP_ONLY ? [] : [false, true]) {
  const spinners = Array.from({ length: busy ? availableParallelism() : 0 },
    () => spawn(process.execPath, ['-e', 'for (;;);'], { stdio: 'ignore' }));
  for (const [name, program] of Object.entries(programs)) {
    const runs = files.map(() => []);
    for (let round = 0; round < 5; round += 1) {
      for (const [i, file] of files.entries()) {
        const page = await open(file, busy ? 4 : 1);
        await run(page, '+'); // the tools' own scripts go in now, not in the run measured
        runs[i].push(await run(page, program));
        await page.context().close();
      }
    }
    const took = runs.map((list) => median(list.map(([ms]) => ms)));
    for (const [i, file] of files.entries()) {
      const ratio = i === 0 ? '' : `, ${(took[i] / took[0]).toFixed(2)} of the first`;
      const what = `${busy ? 'busy ' : 'quiet'} ${file.split('/').pop().padEnd(16)}`
        + ` ${name.padEnd(13)}`;
      const worst = Math.max(...runs[i].map(([, longest]) => longest));
      const miss = took[i] > RESULT_MS || worst > TASK_MS;
      missed += miss;
      console.log(`${what} Run to result ${took[i]} ms${ratio}; longest task ${task(worst)} ms`
        + `${miss ? ` MISSED (${RESULT_MS} ms, ${TASK_MS} ms)` : ''}`);
    }
  }
  for (const spinner of spinners) spinner.kill();
}

// Stop under the slowed CPU alone (a spinning process would only add noise).
const stops = files.map(() => []);
for (let round = 0; round < 5; round += 1) {
  for (const [i, file] of files.entries()) {
    const page = await open(file, 4);
    await run(page, '+');
    stops[i].push(await stop(page));
    await page.context().close();
  }
}
for (const [i, file] of files.entries()) {
  const delay = median(stops[i].map(([ms]) => ms));
  const worst = Math.max(...stops[i].map(([, longest]) => longest));
  const first = median(stops[0].map(([ms]) => ms));
  const ratio = i === 0 ? '' : `, ${(delay / first).toFixed(2)} of the first`;
  console.log(`slowed ${file.split('/').pop().padEnd(16)} Stop to stopped shown`
    + ` ${Math.round(delay)} ms${ratio}; longest task ${task(worst)} ms`);
}

await browser.close();
process.exit(missed === 0 ? 0 : 1);
