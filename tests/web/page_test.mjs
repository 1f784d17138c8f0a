// The playground page as a person uses it, in headless Chromium, opened
// from disk: every example, the page's promises (never freezing, text as
// typed, keeping and sharing, explaining, reading well) and random programs
// against the executable. Usage: node page_test.mjs PAGE EXAMPLES-DIR NATIVE-BUILD [SCREENSHOTS-DIR]
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, readdirSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const [pagePath, examples, native, screenshots] = process.argv.slice(2);
const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox', '--disable-gpu'] });
const context = await browser.newContext();
await context.grantPermissions(['clipboard-read', 'clipboard-write']);
// Every task of the main thread that takes over 50 ms, as the page sees it.
await context.addInitScript(() => {
  window.longTasks = [];
  new PerformanceObserver((list) => window.longTasks.push(...list.getEntries().map((e) => e.duration))).observe({ type: 'longtask' });
});
const page = await context.newPage();
const url = pathToFileURL(pagePath).href;
await page.goto(url);
let failures = 0;
const check = (ok, what) => { console.log(`${ok ? 'ok' : 'FAILED'} ${what}`); failures += !ok; };
const text = (selector) => page.textContent(selector);
const ended = () => page.waitForFunction(() => !['', 'Running…'].includes(document.getElementById('ending').textContent));
const runShown = async (program) => {
  if (program !== undefined) await page.fill('#program', program);
  const start = Date.now();
  await page.evaluate(() => { window.longTasks = []; });
  await page.click('#run');
  await ended();
  return { took: Date.now() - start, longest: Math.max(0, ...await page.evaluate(() => window.longTasks)), ending: await text('#ending') };
};
// The whole output, as the page offers it for download.
const downloaded = async () => {
  if (await page.isHidden('#download')) return Buffer.alloc(0);
  const [file] = await Promise.all([page.waitForEvent('download'), page.click('#download')]);
  return readFileSync(await file.path());
};
const commandsOf = (program) => page.waitForFunction((want) => document.getElementById('command-string').textContent === want,
  execFileSync(`${native}/tests/pass_of`, { input: program }).toString().trim().replace(/^rejected$/, 'none: rejected').replace(/^$/, 'empty'),
  { timeout: 5000 }).then(() => true, () => false);

// Every example: its output, and how the run ended.
for (const name of readdirSync(examples).filter((f) => f.endsWith('.qlm')).map((f) => f.slice(0, -4))) {
  const expected = readFileSync(`${examples}/${name}.out`);
  const [how, detail] = readFileSync(`${examples}/${name}.end`, 'utf8').trim().split(' ');
  const { ending } = await runShown(readFileSync(`${examples}/${name}.qlm`, 'utf8'));
  const wanted = how === 'repeats' ? Buffer.alloc(1 << 20, expected) : expected;
  check((await downloaded()).equals(wanted) && ending.includes(how === 'repeats' ? 'repeats without end' : `${how} ${detail}`),
    `example ${name}: ${ending}`);
}

// 1. Never freezes: no task over 200 ms, whatever the program writes.
for (const program of ['q-', 'Q-😀', 'é q-', 'h'.repeat(80000), '9'.repeat(200)]) {
  const { took, longest, ending } = await runShown(program);
  check(longest <= 200, `${program.slice(0, 12)}: result in ${took} ms, longest task ${longest} ms: ${ending.slice(0, 60)}`);
}
await page.evaluate((program) => {
  document.getElementById('program').value = program;
  document.getElementById('program').dispatchEvent(new Event('input'));
}, 'h' + 'x'.repeat(5 << 20) + 'q');
await page.waitForTimeout(500);
const bigRun = await runShown();
check((await downloaded()).length === 1 << 20, `a pasted 5 MiB program: result in ${bigRun.took} ms, longest task ${bigRun.longest} ms`);

// 2. Text as it is: UTF-8 as its characters, control characters boxed.
await runShown('é \\xC3\x01\tq');
check(await text('#output') === 'é \\xC3\\x01\tq\n' && await page.locator('#output .byte').allTextContents().then((m) => m.join() === '\\x01'),
  'UTF-8 and a typed \\xC3 shown as they are; only the control character boxed');

// 3. Kept across a reload; an example after an edit can be undone; shared
// through the address; Ctrl+Enter runs and Stop stops.
await page.fill('#program', 'kept H');
await page.waitForTimeout(500);
await page.reload();
check(await page.inputValue('#program') === 'kept H', 'the program survives a reload');
await page.selectOption('#examples', { label: 'song' });
await page.keyboard.press('Control+z');
check(await page.inputValue('#program') === 'kept H', 'undo brings back the program an example replaced');
await page.fill('#program', 'shared é+9\nq');
await page.click('#share');
const shared = await context.newPage();
await shared.goto(await page.evaluate(() => navigator.clipboard.readText()));
check(await shared.inputValue('#program') === 'shared é+9\nq', 'a shared address opens the program');
await shared.close();
await page.fill('#program', 'h'.repeat(20000));
await page.click('#share');
check((await text('#notice')).includes('too long to share'), 'a program too long for an address says so');
await page.fill('#program', '9-');
await page.keyboard.press('Control+Enter');
await ended();
check((await text('#ending')).includes('9- brings'), 'Ctrl+Enter runs');
await page.evaluate(() => ['run', 'stop'].forEach((id) => document.getElementById(id).click()));
check((await text('#ending')).startsWith('Stopped by you: 9- brings') && await page.isDisabled('#stop'), 'Stop ends a run');

// 4. Quality control explained as the program is typed.
await page.fill('#program', 'h ++++-');
check(await commandsOf('h ++++-') && (await text('#meanings')).includes('Pluses count in pairs: ++++- acts as ++-.'), 'pluses count in pairs');
await page.hover('#commands .chip.paired');
check(await page.$eval('#program', (e) => `${e.selectionStart},${e.selectionEnd}`) === '2,7', 'hovering a pair selects it whole');
await page.fill('#program', '++x-h');
check(await commandsOf('++x-h') && (await text('#summary')).startsWith('Syntax error'), 'a - after dropped pluses is the syntax error');
check((await runShown('9'.repeat(200))).ending.includes('would end on its own'), 'a finite run stopped by the budget says so');

// 5. Reads well: an accessible output, text of 4.5:1 contrast and words
// whole at phone width, and commands that keep to their own height.
check(await page.getByRole('region', { name: 'Output' }).count() === 1, 'the output has an accessible name');
await page.setViewportSize({ width: 390, height: 800 });
await runShown('9' + 'h'.repeat(3000));
check(await page.evaluate(() => document.getElementById('output').getBoundingClientRect().top) < 1200, 'commands keep to their own height');
check(await page.evaluate(() => [...document.getElementById('output').textContent.slice(0, 3000).matchAll(/\S+/g)].every((word) => {
  const range = document.createRange();
  document.getElementById('output').normalize();
  const node = document.getElementById('output').firstChild;
  range.setStart(node, word.index);
  range.setEnd(node, word.index + word[0].length);
  return new Set([...range.getClientRects()].map((r) => r.top)).size === 1;
})), 'output wraps between words at 390 px');
for (const colorScheme of ['light', 'dark']) {
  await page.emulateMedia({ colorScheme });
  const low = await page.evaluate(lowContrast);
  check(low.length === 0, `contrast of 4.5:1 in the ${colorScheme} scheme ${low.slice(0, 3).join(' ')}`);
  for (const width of screenshots ? [390, 1280] : []) {
    await page.setViewportSize({ width, height: 900 });
    await runShown('Hé\t+++-9');
    await page.screenshot({ path: `${screenshots}/page-${width}-${colorScheme}.png`, fullPage: true });
  }
}

// Random programs, against the executable: command string and output bytes.
const scratch = mkdtempSync(`${tmpdir()}/page-`);
const letters = ['h', 'q', '9', '+', '-', 'H', 'Q', 'x', ' ', '\n', 'é'];
let seed = 7;
const random = () => (seed = (seed * 48271) % 2147483647) / 2147483647;
let same = 0;
for (let i = 0; i < 30; i += 1) {
  const program = Array.from({ length: 1 + (i % 9) }, () => letters[Math.floor(random() * letters.length)]).join('');
  writeFileSync(`${scratch}/program`, program);
  const expected = execFileSync('sh', ['-c', `"${native}/qualm" "$1" < /dev/null | head -c 1048576`, 'sh', `${scratch}/program`], { stdio: ['ignore', 'pipe', 'ignore'] });
  await runShown(program);
  if (await commandsOf(program) && (await downloaded()).equals(expected)) same += 1;
  else console.log(`differs: ${JSON.stringify(program)}`);
}
check(same === 30, `${same} of 30 random programs as the executable runs them`);
await browser.close();
process.exit(failures === 0 ? 0 : 1);

// Every text, control and mark whose contrast with what lies under it is
// below 4.5:1.
function lowContrast() {
  const rgb = (color) => color.match(/[\d.]+/g).map(Number);
  const luminance = (color) => rgb(color).slice(0, 3).map((c) => c / 255).map((c) => (c <= 0.03928 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4))
    .reduce((sum, c, i) => sum + c * [0.2126, 0.7152, 0.0722][i], 0);
  const under = (element) => {
    for (let e = element; e; e = e.parentElement) {
      const color = getComputedStyle(e).backgroundColor;
      if (rgb(color)[3] !== 0) return color;
    }
    return getComputedStyle(document.body).backgroundColor;
  };
  return [...document.querySelectorAll('body *')].filter((e) => e.checkVisibility() && [...e.childNodes].some((n) => n.nodeType === 3 && n.textContent.trim()))
    .filter((e) => {
      const [a, b] = [luminance(getComputedStyle(e).color), luminance(under(e))];
      return (Math.max(a, b) + 0.05) / (Math.min(a, b) + 0.05) < 4.5;
    }).map((e) => `${e.tagName}#${e.id}.${e.className}`);
}
