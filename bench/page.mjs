// The playground pages given, side by side in headless Chromium, opened
// from disk. For each program of the list the page test checks: the time
// from Run to the result, and the longest task of the page's main thread
// (the browser reports only tasks over 50 ms), on a quiet machine and on a
// busy one (the page's CPU slowed fourfold, and a spinning process for each
// core), judged against 1 s and 100 ms. Then Stop, clicked 80 ms into q- with
// the CPU slowed fourfold: the time from the click to the first frame that
// shows the run stopped, and the longest task. Each run is a new visitor's
// first, in a browser context of its own; the pages take turns, run by run,
// so that both meet the same noise. Each figure is the median (time) and the
// worst (task) of five runs; the run exits with 1 when a page misses a goal.
// STOP_ONLY=1 measures Stop alone.
// Usage: node bench/page.mjs PAGE...   (after npm ci --prefix tests/web)
import { spawn } from 'node:child_process';
import { availableParallelism } from 'node:os';
import { pathToFileURL } from 'node:url';
import { chromium } from '../tests/web/node_modules/playwright-core/index.mjs';
import { heavy } from '../tests/web/programs.mjs';

const files = process.argv.slice(2);
const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium', args: ['--no-sandbox', '--disable-gpu'],
});
const RESULT_MS = 1000; // the most from Run to the result
const TASK_MS = 100; // the longest task of the page's main thread
let missed = 0;

// Runs the program on a fresh page, its tasks watched, after a first run
// that lets the tools' own scripts in; returns the time from Run to the
// result (or, with `stopAt`, from Stop clicked that many ms in to the run
// shown stopped) and the longest task meanwhile.
async function measure(file, slowdown, program, stopAt) {
  const context = await browser.newContext();
  await context.addInitScript(() => new PerformanceObserver((list) => {
    window.longest = Math.max(window.longest ?? 0, ...list.getEntries().map((e) => e.duration));
  }).observe({ type: 'longtask' }));
  const page = await context.newPage();
  await (await context.newCDPSession(page)).send('Emulation.setCPUThrottlingRate',
    { rate: slowdown });
  await page.goto(pathToFileURL(file).href);
  const figures = [];
  for (const text of ['+', program]) {
    await page.evaluate((typed) => Object.assign(document.getElementById('program'),
      { value: typed }).dispatchEvent(new Event('input')), text);
    await page.waitForTimeout(500);
    figures.push(await page.evaluate(async (stop) => {
      const [ending, stopButton] = ['ending', 'stop'].map((id) => document.getElementById(id));
      window.longest = 0;
      let start = performance.now();
      document.getElementById('run').click();
      if (stop) {
        await new Promise((resolve) => setTimeout(resolve, stop));
        start = performance.now();
        stopButton.click();
      }
      do await new Promise(requestAnimationFrame);
      while (/^(Running…)?$/.test(ending.textContent) || !stopButton.disabled);
      const took = performance.now() - start;
      await new Promise((resolve) => setTimeout(resolve, 300));
      return [took, window.longest];
    }, text === '+' ? 0 : stopAt));
  }
  await context.close();
  return figures[1];
}

// Stepping through quality control on a program of 1 MiB: from Step to the
// first step shown, and the median of 20 steps back from its end, each from
// the key to the step shown, judged against 1 s and 50 ms.
async function stepping(file) {
  const page = await browser.newPage();
  await page.goto(pathToFileURL(file).href);
  const [start, step] = await page.evaluate(async () => {
    const program = document.getElementById('program');
    const where = document.getElementById('step-where');
    const shown = (was) => new Promise((resolve) => {
      const poll = () => (where.textContent !== was && where.textContent !== 'Reading the program…'
        ? resolve(performance.now()) : requestAnimationFrame(poll));
      poll();
    });
    program.value = `h${'x'.repeat((1 << 20) - 2)}q`;
    program.dispatchEvent(new Event('input'));
    while (document.getElementById('command-string').textContent !== 'hq') {
      await new Promise(requestAnimationFrame);
    }
    let begun = performance.now();
    document.getElementById('step').click();
    const entered = await shown('') - begun;
    const view = document.getElementById('step-view');
    const key = (name) => view.dispatchEvent(new KeyboardEvent('keydown', { key: name }));
    key('End');
    await shown(where.textContent);
    const steps = [];
    for (let i = 0; i < 20; i += 1) {
      const was = where.textContent;
      begun = performance.now();
      key('ArrowLeft');
      steps.push(await shown(was) - begun);
    }
    return [entered, steps.toSorted((a, b) => a - b)[10]];
  });
  await page.close();
  const miss = start > RESULT_MS || step > 50;
  missed += miss;
  console.log(`${'1 MiB: Step, and a step'.padEnd(28)} ${file.split('/').pop().padEnd(16)}`
    + ` ${Math.round(start)} ms, ${step.toFixed(1)} ms${miss ? ` MISSED (${RESULT_MS}, 50)` : ''}`);
}

const median = (values) => values.toSorted((a, b) => a - b)[values.length >> 1];
const task = (ms) => (ms === 0 ? '<50' : String(Math.round(ms)));
// Measures one case five times on each page, in turn, and reports it.
async function report(what, slowdown, program, stopAt, goal) {
  const runs = files.map(() => []);
  for (let round = 0; round < 5; round += 1) {
    for (const [i, file] of files.entries()) {
      runs[i].push(await measure(file, slowdown, program, stopAt));
    }
  }
  const took = runs.map((list) => median(list.map(([ms]) => ms)));
  for (const [i, file] of files.entries()) {
    const ratio = i === 0 ? '' : `, ${(took[i] / took[0]).toFixed(2)} of the first`;
    const worst = Math.max(...runs[i].map(([, longest]) => longest));
    const miss = goal && (took[i] > RESULT_MS || worst > TASK_MS);
    missed += miss;
    const verdict = miss ? ` MISSED (${RESULT_MS}, ${TASK_MS})` : '';
    console.log(`${what.padEnd(28)} ${file.split('/').pop().padEnd(16)} ${Math.round(took[i])} ms`
      + `${ratio}; longest task ${task(worst)} ms${verdict}`);
  }
}

for (const busy of process.env.STOP_ONLY ? [] : [false, true]) {
  const spinners = Array.from({ length: busy ? availableParallelism() : 0 },
    () => spawn(process.execPath, ['-e', 'for (;;);'], { stdio: 'ignore' }));
  for (const [name, program] of Object.entries(heavy)) {
    const what = `${busy ? 'busy' : 'quiet'} ${name}: Run to result`;
    await report(what, busy ? 4 : 1, program, 0, true);
  }
  for (const spinner of spinners) spinner.kill();
}
// Stop under the slowed CPU alone (a spinning process would only add noise).
await report('slowed q-: Stop to stopped', 4, 'q-', 80, false);
if (!process.env.STOP_ONLY) for (const file of files) await stepping(file);
await browser.close();
process.exit(missed === 0 ? 0 : 1);
