// Looks at the playground page as people see it: screenshots at 320, 390 and
// 1280 px wide, light and dark, after a run, with a command focused, and
// stepping through quality control, at a byte in the middle of a program,
// to look at; and, in each, every text whose contrast with what lies under
// it is below 4.5:1, which makes it exit 1.
// Usage: node tools/page_screenshots.mjs PAGE DIR   (after npm ci --prefix tests/web)
import { pathToFileURL } from 'node:url';
import { chromium } from '../tests/web/node_modules/playwright-core/index.mjs';

const [file, folder] = process.argv.slice(2);
const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium', args: ['--no-sandbox', '--disable-gpu'],
});
const page = await browser.newPage();
await page.goto(pathToFileURL(file).href);
let low = 0;
for (const colorScheme of ['light', 'dark']) {
  for (const width of [320, 390, 1280]) {
    await page.emulateMedia({ colorScheme });
    await page.setViewportSize({ width, height: 900 });
    await page.fill('#program', `Hé\t+++-9${'\n'.repeat(30)}q`);
    await page.click('#run');
    await page.waitForFunction(() => !/^(Running…)?$/.test(
      document.getElementById('ending').textContent));
    await page.focus('#commands [tabindex="0"]');
    await page.keyboard.press('ArrowRight');
    await look(`${folder}/page-${width}-${colorScheme}.png`);
    await page.fill('#program', 'h+++-x-9');
    await page.waitForFunction(() => document.getElementById('command-string')
      .textContent === 'h0-9');
    await page.click('#step');
    for (const at of [1, 2, 3, 4, 5]) {
      await page.waitForFunction((byte) => document.getElementById('step-where').textContent
        .startsWith(`Byte ${byte} `), at);
      if (at < 5) await page.keyboard.press('ArrowRight');
    }
    await look(`${folder}/page-${width}-${colorScheme}-step.png`);
    await page.keyboard.press('Escape');
  }
}
await browser.close();
process.exit(low === 0 ? 0 : 1);

// A screenshot, and every text in it of low contrast, counted and said.
async function look(shot) {
  await page.screenshot({ path: shot, fullPage: true });
  const found = await page.evaluate(lowContrast);
  low += found.length;
  console.log(`${shot}: ${found.length ? `low contrast: ${found.join(' ')}` : 'contrast 4.5:1'}`);
}

// Every element with text of its own whose contrast with what lies under it
// is below 4.5:1.
function lowContrast() {
  const luminance = (color) => color.match(/[\d.]+/g).slice(0, 3).map((c) => c / 255)
    .map((c) => (c <= 0.03928 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4))
    .reduce((sum, c, i) => sum + c * [0.2126, 0.7152, 0.0722][i], 0);
  const under = (e) => (e && /, 0\)|transparent/.test(getComputedStyle(e).backgroundColor)
    ? under(e.parentElement) : getComputedStyle(e ?? document.body).backgroundColor);
  const contrast = (e) => [getComputedStyle(e).color, under(e)].map(luminance).sort((a, b) => b - a)
    .reduce((a, b) => (a + 0.05) / (b + 0.05));
  const ownText = (e) => [...e.childNodes].some((n) => n.nodeType === 3 && n.textContent.trim());
  return [...document.querySelectorAll('body *')].filter((e) => e.checkVisibility()
    && !e.closest('[aria-hidden="true"]') && ownText(e) && contrast(e) < 4.5)
    .map((e) => `${e.tagName}#${e.id}.${e.className}`);
}
