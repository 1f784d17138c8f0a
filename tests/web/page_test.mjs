// The playground page as a person uses it, in headless Chromium, opened
// from disk: every example, the page's promises (never freezing, text as
// typed, keeping and sharing, explaining, reading well) and random programs
// against the executable. Usage: node page_test.mjs PAGE EXAMPLES-DIR NATIVE-BUILD
import { execFileSync } from 'node:child_process';
import { readFileSync, readdirSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const [pagePath, examples, native] = process.argv.slice(2);
const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox', '--disable-gpu'] });
const context = await browser.newContext();
await context.grantPermissions(['clipboard-read', 'clipboard-write']);
await context.addInitScript(() => new PerformanceObserver((list) => {
  window.longest = Math.max(window.longest ?? 0, ...list.getEntries().map((e) => e.duration)); // tasks over 50 ms
}).observe({ type: 'longtask' }));
const page = await context.newPage();
await page.goto(pathToFileURL(pagePath).href);
let failures = 0;
const check = (ok, what) => { console.log(`${ok ? 'ok' : 'FAILED'} ${what}`); failures += !ok; };
const text = (selector) => page.textContent(selector);
const ended = () => page.waitForFunction(() => !['', 'Running…'].includes(document.getElementById('ending').textContent), null, { polling: 20 });
const runShown = async (program) => {
  if (program !== undefined) await page.fill('#program', program);
  const start = await page.evaluate(() => { window.longest = 0; return Date.now(); });
  await page.click('#run').then(ended);
  return { took: Date.now() - start, longest: await page.evaluate(() => window.longest), ending: await text('#ending') };
};
const downloaded = async () => (await page.isHidden('#download') ? Buffer.alloc(0) : readFileSync(await (await Promise.all(
  [page.waitForEvent('download'), page.click('#download')]))[0].path()));
// What COMMAND writes, with the program in the file "$1".
const runNative = (command, program) => execFileSync('sh', ['-c', `printf %s "$2" > "$1"; ${command}`, 'sh',
  `${tmpdir()}/page-test.qlm`, program], { stdio: ['ignore', 'pipe', 'ignore'] });
const commandsOf = (program) => page.waitForFunction((want) => document.getElementById('command-string').textContent === want,
  runNative(`"${native}/tests/pass_of" < "$1"`, program).toString().trim().replace(/^rejected$/, 'none: rejected').replace(/^$/, 'empty'), { timeout: 5000, polling: 20 })
  .then(() => true, () => false);

// 1. Never freezes: no task over 200 ms, whatever the program writes.
const big = `h${'x'.repeat(5 << 20)}q`;
for (const program of ['q-', 'Q-😀', 'é q-', 'h'.repeat(80000), '9'.repeat(200), big]) {
  if (program === big) await page.$eval('#program', (area, value) => { area.value = value; area.dispatchEvent(new Event('input')); }, big);
  const { took, longest, ending } = await runShown(program === big ? undefined : program);
  check(longest <= 200, `${program.slice(0, 12)}: result in ${took} ms, longest task ${longest} ms: ${ending.slice(0, 60)}`);
}

// 2. Text as it is: UTF-8 as its characters, control characters boxed.
await runShown('é \\xC3\x01\tq');
check(await text('#output') === 'é \\xC3\\x01\tq\n' && (await page.locator('#output .byte').allTextContents()).join() === '\\x01',
  'UTF-8 and a typed \\xC3 shown as they are; only the control character boxed');

// 3. Kept across a reload, an example after an edit undone, shared through
// the address; Ctrl+Enter runs and Stop stops.
await page.fill('#program', 'kept H');
await page.waitForTimeout(500);
await page.reload();
await page.selectOption('#examples', { label: 'song' });
await page.keyboard.press('Control+z');
check(await page.inputValue('#program') === 'kept H', 'the program survives a reload, and undo brings it back from an example');
await page.fill('#program', 'shared é+9\nq').then(() => page.click('#share'));
const address = await page.evaluate(() => navigator.clipboard.readText());
await page.fill('#program', 'kept, not shared').then(() => page.waitForTimeout(500));
await page.goto('about:blank').then(() => page.goto(address));
check(await page.inputValue('#program') === 'shared é+9\nq', 'a shared address opens the program');
await page.fill('#program', 'h'.repeat(20000)).then(() => page.click('#share'));
check((await text('#notice')).includes('too long to share'), 'a program too long for an address says so');
await page.fill('#program', '9-');
await page.keyboard.press('Control+Enter').then(ended);
await page.evaluate(() => ['run', 'stop'].forEach((id) => document.getElementById(id).click()));
check((await text('#ending')).startsWith('Stopped by you: 9- brings') && await page.isDisabled('#stop'), 'Ctrl+Enter runs, Stop ends a run');

// 4. Quality control explained as the program is typed.
await page.fill('#program', 'h ++++-');
check(await commandsOf('h ++++-') && (await text('#meanings')).includes('Pluses count in pairs: ++++- acts as ++-.'), 'pluses count in pairs');
check(await page.hover('#commands .chip.paired').then(() => page.$eval('#program', (e) => `${e.selectionStart},${e.selectionEnd}`)) === '2,7',
  'hovering a pair selects it whole');
await page.fill('#program', '++x-h');
check(await commandsOf('++x-h') && (await text('#summary')).startsWith('Syntax error'), 'a - after dropped pluses is the syntax error');
check((await runShown('9'.repeat(200))).ending.includes('would end on its own'), 'a finite run stopped by the budget says so');

// 5. Reads well: an accessible output, commands that keep to their own
// height, words whole at phone width, and 4.5:1 contrast in both schemes.
check(await page.getByRole('region', { name: 'Output' }).count() === 1, 'the output has an accessible name');
await page.setViewportSize({ width: 390, height: 800 }).then(() => runShown(`9${'h'.repeat(3000)}`));
check(await page.$eval('#output', (output) => {
  output.normalize();
  const range = document.createRange();
  return output.getBoundingClientRect().top < 1200 && [...output.textContent.slice(0, 3000).matchAll(/\S+/g)].every((word) => {
    range.setStart(output.firstChild, word.index);
    range.setEnd(output.firstChild, word.index + word[0].length);
    return new Set([...range.getClientRects()].map((r) => r.top)).size === 1;
  });
}), 'commands keep to their own height, and output wraps between words at 390 px');
for (const colorScheme of ['light', 'dark']) {
  await page.emulateMedia({ colorScheme });
  const low = await page.evaluate(lowContrast);
  check(low.length === 0, `contrast of 4.5:1 in the ${colorScheme} scheme ${low.slice(0, 3)}`);
}

// Every example and random programs, against the executable: command
// string and output bytes, and for an example, how the run ended.
let seed = 7;
const letters = ['h', 'q', '9', '+', '-', 'H', 'Q', 'x', ' ', '\n', 'é'];
const programs = readdirSync(examples).filter((f) => f.endsWith('.qlm')).map((f) => f.slice(0, -4)).map((name) => {
  const [how, detail] = readFileSync(`${examples}/${name}.end`, 'utf8').trim().split(' ');
  return [readFileSync(`${examples}/${name}.qlm`, 'utf8'), how === 'repeats' ? 'repeats without end' : `${how} ${detail}`];
}).concat(Array.from({ length: 30 }, (_, i) => [Array.from({ length: 1 + (i % 9) },
  () => letters[(seed = (seed * 48271) % 2147483647) % letters.length]).join(''), '']));
const differing = [];
for (const [program, end] of programs) {
  const { ending } = await runShown(program);
  const output = runNative(`"${native}/qualm" "$1" < /dev/null | head -c 1048576`, program);
  if (!(await commandsOf(program) && (await downloaded()).equals(output) && ending.includes(end))) differing.push(program);
}
check(differing.length === 0, `${programs.length} programs, every example and random ones, as the executable runs them ${JSON.stringify(differing)}`);
await browser.close();
process.exit(failures === 0 ? 0 : 1);

// Every element with text of its own whose contrast with what lies under it
// is below 4.5:1.
function lowContrast() {
  const luminance = (color) => color.match(/[\d.]+/g).slice(0, 3).map((c) => c / 255)
    .map((c) => (c <= 0.03928 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4)).reduce((sum, c, i) => sum + c * [0.2126, 0.7152, 0.0722][i], 0);
  const under = (e) => (e && /, 0\)|transparent/.test(getComputedStyle(e).backgroundColor) ? under(e.parentElement)
    : getComputedStyle(e ?? document.body).backgroundColor);
  const contrast = (e) => [getComputedStyle(e).color, under(e)].map(luminance).sort((a, b) => b - a).reduce((a, b) => (a + 0.05) / (b + 0.05));
  return [...document.querySelectorAll('body *')].filter((e) => e.checkVisibility()
    && [...e.childNodes].some((n) => n.nodeType === 3 && n.textContent.trim()) && contrast(e) < 4.5).map((e) => `${e.tagName}#${e.id}.${e.className}`);
}
