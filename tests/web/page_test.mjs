// Runs every program of examples/ through the playground page in headless
// Chromium, opened from disk, and compares what the page shows with the
// example's .out and .end. Usage: node page_test.mjs PAGE EXAMPLES-DIR [SCREENSHOT]
import { readFileSync, readdirSync } from 'node:fs';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const [page_path, examples, screenshot] = process.argv.slice(2);
const budget = 1 << 20;
const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
    '--disable-sync', '--no-first-run', '--disable-quic'],
});
const page = await browser.newPage();
const opened = Date.now();
await page.goto(pathToFileURL(page_path).href);
await page.click('#run');
await page.waitForFunction(() => document.getElementById('output').textContent !== '');
console.log(`first output ${Date.now() - opened} ms after opening the page`);
let failures = 0;

async function run(name) {
  await page.selectOption('#examples', { label: name });
  await page.click('#run');
  await page.waitForFunction(() => !['', 'Running…'].includes(document.getElementById('ending').textContent));
  return { output: await page.textContent('#output'), ending: await page.textContent('#ending') };
}

for (const file of readdirSync(examples).filter((f) => f.endsWith('.qlm')).sort()) {
  const name = file.slice(0, -4);
  const expected = readFileSync(`${examples}/${name}.out`, 'latin1');
  const [how, detail] = readFileSync(`${examples}/${name}.end`, 'utf8').trim().split(' ');
  const { output, ending } = await run(name);
  const wanted = how === 'repeats' ? expected.repeat(Math.ceil(budget / expected.length)).slice(0, budget) : expected;
  const words = how === 'repeats' ? 'repeats without end' : `${how} ${detail}`;
  const ok = output === wanted && ending.includes(words);
  console.log(`${ok ? 'ok' : 'FAILED'} ${name}: ${ending}`);
  if (!ok) {
    failures += 1;
    console.log(`  expected ${JSON.stringify(wanted.slice(0, 80))}... (${wanted.length} bytes) and "${words}"`);
    console.log(`  shown    ${JSON.stringify(output.slice(0, 80))}... (${output.length} bytes)`);
  }
  if (name === 'song' && screenshot) await page.screenshot({ path: screenshot, fullPage: false });
}

// The command string, from the same pass: a pair, a lone `-`, a rejection.
for (const [program, shown] of [['hx-h-', 'h-h-'], ['9++-', '9++-'], ['+x-', 'Rejected: a - came before any command.']]) {
  await page.fill('#program', program);
  await page.click('#run');
  await page.waitForFunction(() => !['', 'Running…'].includes(document.getElementById('ending').textContent));
  const text = await page.textContent('#commands');
  console.log(`${text === shown ? 'ok' : 'FAILED'} commands of ${program}: ${text}`);
  if (text !== shown) failures += 1;
}
await browser.close();
process.exit(failures === 0 ? 0 : 1);
