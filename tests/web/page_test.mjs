// Runs every program of examples/ through the playground page in headless
// Chromium, opened from disk, and compares what the page shows with the
// example's .out and .end. Usage: node page_test.mjs PAGE EXAMPLES-DIR [SCREENSHOT]
import { readFileSync, readdirSync } from 'node:fs';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const [pagePath, examples, screenshot] = process.argv.slice(2);
const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update', '--no-first-run'],
});
const page = await browser.newPage();
let failures = 0;
const check = (ok, what) => { console.log(`${ok ? 'ok' : 'FAILED'} ${what}`); failures += !ok; };
const shown = async (selector) => {
  await page.click('#run');
  await page.waitForFunction(() => !['', 'Running…'].includes(document.getElementById('ending').textContent));
  return page.textContent(selector);
};

const opened = Date.now();
await page.goto(pathToFileURL(pagePath).href);
await page.click('#run');
await page.waitForFunction(() => document.getElementById('output').textContent !== '');
console.log(`first output ${Date.now() - opened} ms after opening the page`);

for (const name of readdirSync(examples).filter((f) => f.endsWith('.qlm')).map((f) => f.slice(0, -4))) {
  const expected = readFileSync(`${examples}/${name}.out`, 'latin1');
  const [how, detail] = readFileSync(`${examples}/${name}.end`, 'utf8').trim().split(' ');
  await page.selectOption('#examples', { label: name });
  const [ending, output] = [await shown('#ending'), await page.textContent('#output')];
  // Output without end is stopped after 1 MiB.
  const wanted = how === 'repeats' ? expected.repeat(1 + (1 << 20) / expected.length).slice(0, 1 << 20) : expected;
  check(output === wanted && ending.includes(how === 'repeats' ? 'repeats without end' : `${how} ${detail}`),
    `${name}: ${ending}`);
  if (name === 'song' && screenshot) await page.screenshot({ path: screenshot });
}

// The command string, from the same pass: pairing switched off, a pair, a rejection.
for (const [program, commands] of [['hx-h-', 'h-h-'], ['9++-', '9++-'], ['+x-', 'Rejected: a - came before any command.']]) {
  await page.fill('#program', program);
  check(await shown('#commands') === commands, `commands of ${program}`);
}
await browser.close();
process.exit(failures === 0 ? 0 : 1);
