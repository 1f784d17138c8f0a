// The playground page as a person uses it, in headless Chromium, opened
// from disk: every example, the page's promises (output a bounded piece at
// a time, text as typed, never losing work, keyboard and screen reader,
// explaining, reading well) and random programs against the executable.
// Usage: node page_test.mjs PAGE EXAMPLES-DIR NATIVE-BUILD
import { spawnSync } from 'node:child_process';
import { existsSync, readFileSync, readdirSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { pathToFileURL } from 'node:url';
import { heavy } from './programs.mjs';

// What the test needs, each named in one line where it is missing.
const missing = (what) => console.log(`The page test needs ${what}`) ?? process.exit(1);
if (!existsSync('/usr/bin/chromium')) missing("Debian's chromium: sudo apt-get install chromium");
const { chromium } = await import('playwright-core')
  .catch(() => missing('playwright-core: npm ci --prefix tests/web'));

const [pagePath, examples, native] = process.argv.slice(2);
const song = readFileSync(`${examples}/song.out`, 'utf8');
const hello = 'Hello World!\n';
const browser = await chromium.launch({ executablePath: '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu'] });
const context = await browser.newContext();
await context.grantPermissions(['clipboard-read', 'clipboard-write']);
// What the page does on its own thread: the characters each task adds to the output (a
// MutationObserver is called once a task), the longest text it encodes, and the scripts it
// makes into Blob URLs.
await context.addInitScript(() => {
  Object.assign(window, { added: [], encoded: 0, scripts: 0 });
  const createUrl = URL.createObjectURL;
  URL.createObjectURL = (blob) => {
    window.scripts += blob.type === 'text/javascript';
    return createUrl(blob);
  };
  const encode = TextEncoder.prototype.encode;
  TextEncoder.prototype.encode = function (text = '') {
    window.encoded = Math.max(window.encoded, text.length);
    return encode.call(this, text);
  };
  document.addEventListener('DOMContentLoaded', () => {
    const output = document.getElementById('output');
    let before = 0;
    new MutationObserver(() => {
      const now = output.textContent.length;
      if (now > before) window.added.push(now - before);
      before = now;
    }).observe(output, { childList: true, subtree: true, characterData: true });
  });
});
let page = await context.newPage();
await page.goto(pathToFileURL(pagePath).href);
let failures = 0;
const check = (ok, what) => { console.log(`${ok ? 'ok' : 'FAILED'} ${what}`); failures += !ok; };
const text = (selector) => page.textContent(selector);
const value = () => page.inputValue('#program');
const ended = () => page.waitForFunction(() => !/^(Running…)?$/.test(
  document.getElementById('ending').textContent), null, { polling: 20 });
const runShown = async (program) => {
  if (program !== undefined) await page.fill('#program', program);
  await page.click('#run').then(ended);
  return { ending: await text('#ending') };
};
const downloaded = async (link = '#download') => (await page.isHidden(link) ? Buffer.alloc(0)
  : readFileSync(await (await Promise.all([page.waitForEvent('download'), page.click(link)]))[0]
    .path()));
// What COMMAND writes, with the program in the file "$1", and its status.
const runNative = (command, program) => spawnSync('bash', ['-o', 'pipefail', '-c',
  `[[ -v 2 ]] && printf %s "$2" > "$1"; ${command}`, 'bash', `${tmpdir()}/page-test.qlm`,
  ...program === undefined ? [] : [program]], { maxBuffer: 2 << 20 });
// What the executable writes of a program file holding `bytes`.
const nativeOutput = (bytes) => {
  writeFileSync(`${tmpdir()}/page-test.qlm`, bytes);
  return runNative(`"${native}/qualm" "$1" < /dev/null`, undefined).stdout;
};
const commandsOf = (program) => page.waitForFunction(
  (want) => document.getElementById('command-string').textContent === want,
  runNative(`"${native}/tests/pass_of" < "$1"`, program).stdout.toString().trim()
    .replace(/^rejected$/, 'none: rejected').replace(/^$/, 'empty'), { timeout: 5000, polling: 20 })
  .then(() => true, () => false);
const shownSource = () => page.$eval('#mirror', (m) => (m.hidden ? null : m.textContent
  .slice(m.querySelector('mark').previousSibling.length)));

// 1. Never freezes: whatever a program writes, no task puts more than 4,096 characters of it on
// the page, the output of q- comes in several, and the page's thread never encodes a program.
const pieces = {};
for (const [name, program] of Object.entries(heavy)) {
  await page.$eval('#program', (area, typed) => Object.assign(area, { value: typed })
    .dispatchEvent(new Event('input')), program);
  await commandsOf(name === '5 MiB pasted' ? 'hq' : program);
  await page.evaluate(() => { window.added = []; });
  await runShown();
  pieces[name] = await page.evaluate(() => window.added);
}
const most = Object.entries(pieces).map(([name, added]) => [name, Math.max(...added)]);
check(most.every(([, chars]) => chars <= 4096), `characters a task adds: ${most.join('; ')}`);
check(pieces['q-'].length > 1, `q- output in ${pieces['q-'].length} tasks`);
check(await page.evaluate(() => window.encoded) < 1000, 'no program encoded on the main thread');

// 2. Text as it is: UTF-8 as its characters, control characters boxed.
await runShown('é \\xC3\x01\tq');
check(await text('#output') === 'é \\xC3\\x01\tq\n'
  && (await page.locator('#output .byte').allTextContents()).join() === '\\x01',
'UTF-8 and a typed \\xC3 shown as they are; only the control character boxed');

// 3. Nothing lost, keyboard and screen reader first: a row for each way a program was lost, and
// for each thing the keyboard or a screen reader needs.
const refused = await browser.newContext();
await refused.addInitScript(() => Object.defineProperty(window, 'localStorage', {
  get() { throw new DOMException('refused', 'SecurityError'); },
}));
const focused = () => page.evaluate(() => document.activeElement.id);
for (const [what, fine] of [
  ['storage refused: Ctrl+Enter runs, the program will not be kept, Save', async () => {
    page = await refused.newPage();
    await page.goto(pathToFileURL(pagePath).href);
    await page.fill('#program', 'h').then(() => page.keyboard.press('Control+Enter')).then(ended);
    const said = `${await text('#kept')} ${await text('#ending')}`;
    const saved = (await downloaded('#save')).toString();
    await refused.close();
    page = context.pages()[0];
    return /will not be kept.*status 0/.test(said) && saved === 'h';
  }],
  ['arrow keys on the examples change nothing; Enter loads, undo undoes', async () => {
    await page.fill('#program', 'mine').then(() => page.focus('#examples'));
    await page.keyboard.press('ArrowDown').then(() => page.keyboard.press('ArrowDown'));
    const browsed = await value();
    await page.keyboard.press('Enter');
    const loaded = await value() === await page.$eval('#examples', (list) => list.value);
    await page.keyboard.press('Control+z');
    return browsed === 'mine' && loaded && await value() === 'mine';
  }],
  ['a shared address opens the program, says where it works; undo brings back the kept one; an'
    + ' edit after Share stays across a reload; too long to share says so', async () => {
    await page.fill('#program', 'shared é+9\nq').then(() => page.click('#share'));
    const address = await page.evaluate(() => navigator.clipboard.readText());
    const notice = await text('#notice');
    await page.focus('#program').then(() => page.keyboard.type(' edited'));
    const edited = await page.reload().then(value) === 'shared é+9\nq edited';
    await page.fill('#program', 'kept').then(() => page.goto('about:blank'));
    const opened = await page.goto(address).then(value);
    await page.keyboard.press('Control+z');
    const kept = await value();
    await page.fill('#program', 'h'.repeat(20000)).then(() => page.click('#share'));
    return edited && opened === 'shared é+9\nq' && notice.includes('this computer')
      && kept === 'kept' && (await text('#notice')).includes('too long to share');
  }],
  ['pointing at a command shows it, typing goes where the caret was; the commands are one Tab'
    + ' stop, with arrow keys inside', async () => {
    await page.fill('#program', 'h +++- 9 q').then(() => commandsOf('h +++- 9 q'));
    const shown = await page.hover('#commands .chip.paired').then(shownSource);
    await page.keyboard.type('H');
    await commandsOf('h +++- 9 qH').then(() => page.focus('#commands [tabindex="0"]'));
    for (const key of ['ArrowRight', 'ArrowRight', 'ArrowLeft']) await page.keyboard.press(key);
    const [second, stops] = [await shownSource(), await page.$$('#commands [tabindex="0"]')];
    await page.keyboard.press('Tab');
    return shown === '+++-' && await value() === 'h +++- 9 qH' && second === '+++-'
      && stops.length === 1 && await focused() === 'output';
  }],
  ['the live summary is quiet while typing, and speaks after', async () => {
    await page.fill('#program', '').then(() => page.$eval('#spoken', (l) => l.replaceChildren()));
    await page.keyboard.type('hello world', { delay: 60 });
    const whileTyping = await text('#spoken');
    await page.waitForFunction(() => document.getElementById('spoken').textContent
      === document.getElementById('summary').textContent, null, { timeout: 10000 });
    return whileTyping === '';
  }],
  ['Ctrl+Enter runs, Stop ends a run, and Run takes the focus', async () => {
    await page.fill('#program', '9-').then(() => page.keyboard.press('Control+Enter')).then(ended);
    await page.$$eval('#run, #stop', (all) => all.forEach((b) => { b.focus(); b.click(); }));
    return (await text('#ending')).startsWith('Stopped by you, before the program ended.')
      && await page.isDisabled('#stop') && await focused() === 'run';
  }],
]) check(await fine().catch(() => false), what);

// 4. As people use it: in several tabs, on a phone, stopping a run, reading it at a glance.
const open = async () => (await context.newPage().then(async (tab) => {
  await tab.goto(pathToFileURL(pagePath).href);
  return tab;
}));
const cpu = await context.newCDPSession(page);
const copied = () => page.waitForFunction(() => /Copied/.test(document.getElementById('copied')
  .textContent)).then(() => page.evaluate(() => navigator.clipboard.readText()));
for (const [what, fine] of [
  ['two tabs keep their own programs across a reload; a new tab starts from the last', async () => {
    const other = await open();
    await page.fill('#program', 'tab one').then(() => other.fill('#program', 'tab two'));
    const [one, fresh] = [await page.reload().then(value), await open()];
    const started = await fresh.inputValue('#program');
    await Promise.all([other.close(), fresh.close()]);
    return one === 'tab one' && started === 'tab two';
  }],
  ['an example loaded, the page reloaded: Undo brings back the program', async () => {
    await page.fill('#program', 'mine').then(() => page.selectOption('#examples', { index: 1 }));
    await page.click('#load').then(() => page.reload()).then(() => page.click('#undo'));
    return await value() === 'mine' && await page.isHidden('#undo')
      && await page.$eval('#examples', (list) => list.value === '');
  }],
  ['runs after the first make no worker script anew', async () => {
    const before = await page.evaluate(() => window.scripts);
    for (let i = 0; i < 20; i += 1) await runShown(`h${i}`);
    return before === 2 && await page.evaluate(() => window.scripts) === before;
  }],
  ['320 px wide: no sideways scroll, and after Run the ending in view', async () => {
    await page.setViewportSize({ width: 320, height: 640 }).then(() => runShown('9'));
    const fits = await page.evaluate(() => document.documentElement.scrollWidth <= innerWidth
      && document.getElementById('ending').getBoundingClientRect().bottom <= innerHeight);
    await page.setViewportSize({ width: 1280, height: 720 });
    return fits;
  }],
  ['Stop, CPU slowed: stopped in the click\'s own task, and no output drawn after', async () => {
    await cpu.send('Emulation.setCPUThrottlingRate', { rate: 4 });
    await page.fill('#program', 'q-').then(() => commandsOf('q-'));
    const [ending, disabled, drawn, later] = await page.evaluate(async () => {
      const [end, stop, output, run] = ['ending', 'stop', 'output', 'run']
        .map((id) => document.getElementById(id));
      // Stop, once the first output is on the page and more is coming.
      const at = await new Promise((resolve) => {
        new MutationObserver((records, observer) => {
          if (!records.some(({ addedNodes }) => addedNodes.length > 0)) return;
          observer.disconnect();
          stop.click();
          resolve([end.textContent, stop.disabled, output.textContent.length]);
        }).observe(output, { childList: true });
        run.click();
      });
      await new Promise((resolve) => setTimeout(resolve, 500)); // nothing more comes meanwhile
      return [...at, output.textContent.length];
    });
    await cpu.send('Emulation.setCPUThrottlingRate', { rate: 1 });
    return ending.startsWith('Stopped') && disabled && drawn > 0 && drawn === later;
  }],
  ['output of an earlier program marked; commands after the end shown as not run', async () => {
    const fresh = await runShown('hh-h').then(() => page.isHidden('#stale'));
    await page.fill('#program', 'hh-hq').then(() => commandsOf('hh-hq'));
    const unreached = await page.$$eval('#commands .chip',
      (chips) => chips.map((chip) => chip.classList.contains('unreached')).join());
    await page.fill('#program', 'hh').then(() => commandsOf('hh'));
    return fresh && await page.isVisible('#stale') && unreached === 'false,false,true,true'
      && await page.isHidden('#legend');
  }],
  ['Copy output copies all the run wrote', async () => {
    await runShown('H\x01 é q').then(() => page.click('#copy'));
    return await copied() === nativeOutput(Buffer.from('H\x01 é q')).toString();
  }],
]) check(await fine().catch(() => false), what);

// 5. Explained as typed: pluses count in pairs; a finite run stopped by the budget says so.
await page.fill('#program', 'h ++++-');
check(await commandsOf('h ++++-')
  && (await text('#meanings')).includes('Pluses count in pairs: ++++- acts as ++-.')
  && (await runShown('9'.repeat(200))).ending.includes('before the program ended'),
'pluses count in pairs; a finite run stopped by the budget says it had not ended');

// 6. A program is bytes: a file from another system runs byte for byte as the executable runs
// it, saves to its own bytes under its own name, is kept across a reload and carried by Share;
// an edit that takes out a byte shown as \xHH says so, and one undo brings it back.
const files = { 'crlf.qlm': 'q\r\nh\r\n', 'cr.qlm': 'q\rh', 'bom.qlm': '\xEF\xBB\xBFqh',
  'latin1.qlm': 'q caf\xE9', 'invalid.qlm': 'q\xC3\x28\xFFh', 'nul.qlm': 'q\0h' };
const openFile = async (name, bytes) => {
  await page.setInputFiles('#file', { name, mimeType: 'text/plain', buffer: bytes });
  await page.waitForFunction((file) => document.getElementById('notice').textContent
    .startsWith(`Opened ${file}.`), name);
};
const saved = async () => {
  const [file] = await Promise.all([page.waitForEvent('download'), page.click('#save')]);
  return [file.suggestedFilename(), readFileSync(await file.path())];
};
const unlike = [];
for (const [name, bytes] of Object.entries(files).map(([n, t]) => [n, Buffer.from(t, 'latin1')])) {
  await openFile(name, bytes).then(() => runShown());
  const [savedName, savedBytes] = await saved();
  if (!(await downloaded()).equals(nativeOutput(bytes)) || savedName !== name
    || !savedBytes.equals(bytes)) unlike.push(name);
}
check(unlike.length === 0, `six files from other systems run and save as their bytes ${unlike}`);
const crlf = Buffer.from(files['crlf.qlm'], 'latin1');
await openFile('crlf.qlm', crlf).then(() => page.reload());
const [, kept] = await saved();
await page.click('#share');
await page.goto(await page.evaluate(() => navigator.clipboard.readText()));
const [, shared] = await saved();
await page.$eval('#program', (area) => area.focus() ?? area.setSelectionRange(1, 5)); // \x0D
await page.keyboard.press('Delete');
const said = await text('#notice');
await page.keyboard.press('Control+z');
const [, undone] = await saved();
check(kept.equals(crlf) && shared.equals(crlf) && undone.equals(crlf)
  && said.startsWith('This edit took out the byte \\x0D'),
`a file's bytes kept across a reload and by Share, and an edit of them said and undone: ${said}`);

// 7. Where a person looks, and controls that tell the truth: a row for each.
const phone = await browser.newContext({ viewport: { width: 320, height: 640 }, isMobile: true,
  hasTouch: true });
const shownOf = (selector) => page.$eval(selector, (e) => {
  const { top, bottom } = e.getBoundingClientRect();
  return Math.min(bottom, innerHeight) - Math.max(top, 0);
});
for (const [what, fine] of [
  ['390×844: after Run, the ending and 300 px of output in view; one who scrolls stays',
    async () => {
      await page.setViewportSize({ width: 390, height: 844 });
      await page.fill('#program', '9').then(() => page.evaluate(() => scrollTo(0, 0)));
      await runShown();
      const [ending, output] = [await shownOf('#ending'), await shownOf('#output')];
      await page.fill('#program', 'q-').then(() => page.evaluate(() => scrollTo(0, 0)));
      await page.evaluate(() => document.getElementById('run').click() ?? scrollTo(0, 10));
      await ended();
      const stayed = await page.evaluate(() => scrollY);
      await page.setViewportSize({ width: 1280, height: 720 });
      return ending > 0 && output >= 300 && stayed === 10;
    }],
  ['Undo offered only while it brings something back: not after Ctrl+Z, nor after an edit',
    async () => {
      const load = () => page.selectOption('#examples', { index: 1 })
        .then(() => page.click('#load'));
      await page.fill('#program', 'mine').then(load);
      await page.keyboard.press('Control+z');
      const afterUndo = await page.reload().then(() => page.isHidden('#undo'));
      await load().then(() => page.focus('#program')).then(() => page.keyboard.type('x'));
      return afterUndo && await page.reload().then(() => page.isHidden('#undo'));
    }],
  ['a program equal to an example, without its final newline, selects it', async () => {
    await page.fill('#program', 'hh-');
    return await page.$eval('#examples', (list) => list.value) === 'hh-\n';
  }],
  ['Escape stops a run, and no "Shown" line stands beside output never drawn', async () => {
    await page.fill('#program', 'q-').then(() => commandsOf('q-'));
    await page.evaluate(() => document.getElementById('run').click()
      ?? document.dispatchEvent(new KeyboardEvent('keydown', { key: 'Escape' })));
    const stopped = (await text('#ending')).startsWith('Stopped by you');
    await page.evaluate(() => { // Stop as the first output arrives, before it is drawn
      const post = MessagePort.prototype.postMessage;
      MessagePort.prototype.postMessage = function (message, ...rest) {
        if (message === null) {
          MessagePort.prototype.postMessage = post;
          document.getElementById('stop').click();
        }
        return post.call(this, message, ...rest);
      };
      document.getElementById('run').click();
    });
    await ended();
    return stopped && await text('#output') === '' && await text('#shown') === '';
  }],
  ['on a phone at 320 px: the examples readable, no keyboard hints, fields of 16 px', async () => {
    const small = await phone.newPage();
    await small.goto(pathToFileURL(pagePath).href);
    const [fits, hints, fonts] = await small.evaluate(() => {
      const list = document.getElementById('examples');
      const measure = document.createElement('canvas').getContext('2d');
      measure.font = getComputedStyle(list).font;
      const widest = Math.max(...[...list.options].map((o) => measure.measureText(o.text).width));
      return [list.clientWidth >= widest + 24, document.querySelector('.keys').checkVisibility(),
        ['program', 'examples'].map((id) => parseFloat(getComputedStyle(
          document.getElementById(id)).fontSize))];
    });
    await phone.close();
    return fits && !hints && Math.min(...fonts) >= 16;
  }],
]) check(await fine().catch(() => false), what);

// 8. Quality control a byte at a time: at each byte, what is pending and whether pairing is
// on, as the language's rules give them (the reference pass, through pass_of): a `-` after the
// text read pairs with what is pending, or turns pairing off, or is the syntax error; the end
// shows the command string of the summary. Held keys speak once they are let go.
const passOf = (program) => runNative(`"${native}/tests/pass_of" < "$1"`, program).stdout
  .toString().trim();
// What the rules leave after reading `read`: once a lone - is kept, pairing is off; until then,
// a - after the text pairs with what is pending (h- is #, q- @, 9- ?, +- 0, ++- v).
const PAIRED = { '#': 'h', '@': 'q', '?': '9', '0': '+', 'v': '++' };
const rules = (read) => (passOf(read).includes('-') ? ['nothing', 'off']
  : [PAIRED[passOf(`${read}-`).at(-1)] ?? 'nothing', 'on']);
const stepShown = () => page.evaluate(() => ['where', 'pending', 'pairing', 'commands', 'why']
  .map((id) => document.getElementById(`step-${id}`).textContent));
const stepped = (before) => page.waitForFunction((was) => !['Reading the program…', was]
  .includes(document.getElementById('step-where').textContent), before);
const wrong = [];
for (const program of ['h+++-x-9', 'Q9-++q h', '+x-h']) {
  await page.fill('#program', program).then(() => commandsOf(program));
  await page.click('#step');
  await stepped('');
  for (let at = 1; ; at += 1) {
    const [where, pending, pairing, commands, why] = await stepShown();
    if (where.startsWith('The end') || why.includes('syntax error')) {
      if (commands !== await text('#command-string')) {
        wrong.push([program, 'end', commands]);
      }
      break;
    }
    const expected = rules(program.slice(0, at));
    if (pending !== expected[0] || !pairing.startsWith(expected[1])) {
      wrong.push([program, at, pending, pairing, expected]);
    }
    await page.keyboard.press('ArrowRight').then(() => stepped(where));
  }
  await page.keyboard.press('Escape');
}
await page.fill('#program', '9hq+h').then(() => commandsOf('9hq+h'));
await page.click('#step');
await stepped('').then(() => page.evaluate(() => {
  window.said = [];
  const spoken = document.getElementById('step-spoken');
  new MutationObserver(() => window.said.push(spoken.textContent)).observe(spoken,
    { childList: true });
}));
for (const key of ['down', 'down', 'down', 'up']) await page.keyboard[key]('ArrowRight');
const spoken = await page.waitForFunction(() => window.said.at(-1)?.startsWith('Byte 4'))
  .then(() => page.evaluate(() => window.said));
await page.keyboard.press('Escape');
check(wrong.length === 0 && spoken.length === 2 && spoken[1].startsWith('Byte 4 of 5: “+”'),
  `stepping shows the pending run and pairing the rules give ${JSON.stringify(wrong)}; held keys`
  + ` spoke ${JSON.stringify(spoken)}`);

// A program of 1 MiB steps to its end and back.
await page.$eval('#program', (area) => Object.assign(area,
  { value: `h${'x'.repeat((1 << 20) - 2)}q` }).dispatchEvent(new Event('input')));
await commandsOf('hq').then(() => page.click('#step')).then(() => stepped(''));
await page.keyboard.press('End').then(() => stepped('Byte 1 of 1,048,576: “h”.'));
const far = await stepShown();
await page.keyboard.press('Control+ArrowLeft').then(() => stepped(far[0]));
const back = await stepShown();
await page.keyboard.press('Escape');
check(far[0] === 'The end of the text, after its 1,048,576 bytes.' && far[3] === 'hq'
  && back[0] === 'Byte 1,048,576 of 1,048,576: “q”.', `1 MiB stepped: ${far[0]} ${back[0]}`);

// Each command's output marked from its chip, exactly, though another wrote the same text; and
// pointing at output marks the chip and the characters of the command that wrote it.
const marked = [];
for (const program of ['9hq', 'qHello World!']) {
  await runShown(program).then(() => commandsOf(program));
  for (const chip of await page.$$('#commands .chip')) {
    marked.push(await chip.hover().then(() => page.$$eval('#output .pointed',
      (pieces) => pieces.map((piece) => piece.textContent).join(''))));
  }
}
await page.hover('#output [data-command="1"]');
const pointedBack = [await text('#commands .chip.pointed'), await shownSource()];
check(JSON.stringify(marked) === JSON.stringify([song, hello, '9hq\n', 'qHello World!\n', hello])
  && pointedBack.join() === 'h,H', `output marked by command: ${pointedBack}`);

// Every example and random programs, against the executable: command
// string, output bytes, and how the run ended, by the executable's status.
let seed = 7;
const letters = ['h', 'q', '9', '+', '-', 'H', 'Q', 'x', ' ', '\n', 'é'];
const letter = () => letters[(seed = (seed * 48271) % 2147483647) % letters.length];
const programs = readdirSync(examples).filter((f) => f.endsWith('.qlm'))
  .map((f) => readFileSync(`${examples}/${f}`, 'utf8'))
  .concat(Array.from({ length: 30 }, (_, i) => Array.from({ length: 1 + i % 9 }, letter).join('')));
const differing = [];
for (const program of programs) {
  const { ending } = await runShown(program);
  const { stdout, status } =
    runNative(`"${native}/qualm" "$1" < /dev/null | head -c 1048576`, program);
  const end = status === 141 ? 'without end' : `status ${status}`; // 141: stopped by head, at 1 MiB
  if (!(await commandsOf(program) && (await downloaded()).equals(stdout) && ending.includes(end))) {
    differing.push([program, ending, end]);
  }
}
check(differing.length === 0,
  `${programs.length} programs, every example and random ones, as the executable runs them`
  + ` ${JSON.stringify(differing)}`);
await browser.close();
process.exit(failures === 0 ? 0 : 1);
