// The playground pages given, side by side in headless Chromium, opened
// from disk: for each program that writes much, the time from Run to the
// result and the longest task of the page's main thread, three runs each.
// Usage: node bench/page.mjs PAGE...   (after npm ci --prefix tests/web)
import { pathToFileURL } from 'node:url';
import { chromium } from '../tests/web/node_modules/playwright-core/index.mjs';

const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox', '--disable-gpu'] });
const context = await browser.newContext();
await context.addInitScript(() => {
  window.longTasks = [];
  new PerformanceObserver((list) => window.longTasks.push(...list.getEntries().map((e) => e.duration))).observe({ type: 'longtask' });
});
const programs = {
  'q-': 'q-', 'Q-😀': 'Q-😀', 'é q-': 'é q-', 'h x 80,000': 'h'.repeat(80000), '9 x 200': '9'.repeat(200),
  '5 MiB pasted': `h${'x'.repeat(5 << 20)}q`,
};
for (const file of process.argv.slice(2)) {
  const page = await context.newPage();
  await page.goto(pathToFileURL(file).href);
  await page.waitForTimeout(1000);
  for (const [name, program] of Object.entries(programs)) {
    const times = [];
    const longest = [];
    for (let i = 0; i < 3; i += 1) {
      await page.evaluate((text) => {
        const area = document.getElementById('program');
        area.value = text;
        area.dispatchEvent(new Event('input'));
      }, program);
      await page.waitForTimeout(500);
      await page.evaluate(() => { window.longTasks = []; });
      const start = Date.now();
      await page.click('#run');
      await page.waitForFunction(() => !['', 'Running…'].includes(document.getElementById('ending').textContent), null,
        { timeout: 60000, polling: 20 });
      await page.evaluate(() => new Promise(requestAnimationFrame));
      times.push(Date.now() - start);
      longest.push(Math.round(Math.max(0, ...await page.evaluate(() => window.longTasks))));
    }
    console.log(`${file.split('/').pop().padEnd(16)} ${name.padEnd(14)} Run to result ${times.join(' ')} ms; longest task ${longest.join(' ')} ms`);
  }
  for (const colorScheme of process.env.SCREENSHOTS ? ['light', 'dark'] : []) {
    for (const width of [390, 1280]) {
      await page.emulateMedia({ colorScheme });
      await page.setViewportSize({ width, height: 900 });
      await page.fill('#program', 'Hé\t+++-9');
      await page.click('#run');
      await page.waitForTimeout(500);
      await page.screenshot({ path: `${process.env.SCREENSHOTS}/${file.split('/').pop()}-${width}-${colorScheme}.png`, fullPage: true });
    }
  }
  await page.close();
}
await browser.close();
