'use strict';
// The playground's page. Everything the interpreter does happens in
// workers (worker.js, whose top says what they send): one explains the
// program as it is edited, and each run gets a fresh one, which the page
// stops after a time budget. This thread only shows what they send, a
// bounded piece at a time, so that it never freezes, whatever a program
// writes; the words it shows are built from the facts the worker sends.

const ADDRESS_LIMIT = 16000; // characters that every browser and chat keeps of an address
const STORAGE_KEY = 'qualm.program';
const SHARE_PREFIX = '#program=';
const SLICE_MS = 16; // the longest the page spends putting output on the page in one go
const PIECE_CHARS = 4096; // and how much of it it lays out at a time
const PIECE_LINES = 256;
const PAUSE_MS = 1000; // typing stopped this long is a pause, when the summary is spoken
// The longest program kept across a reload: keeping it, at every key, takes a few ms. Keeping a
// longer one would hold the page up for as long as a browser lets it be, and then fail.
const KEPT_AT_MOST = 1 << 20;

const $ = (id) => document.getElementById(id);
const page = Object.fromEntries([
  'about', 'program', 'mirror', 'kept', 'run', 'stop', 'examples', 'load', 'share', 'save',
  'notice', 'summary', 'spoken', 'command-string', 'legend', 'commands', 'pointed', 'meanings',
  'ending', 'output', 'shown', 'download', 'limits',
].map((id) => [id.replace(/-./, (s) => s[1].toUpperCase()), $(id)]));

let facts = null; // FACTS of worker.js, once the first worker has sent them

// Browsers refuse a worker script from disk, but not one from a Blob.
const workerUrl = URL.createObjectURL(new Blob(
  [$('interpreter').textContent, ';\n', $('worker').textContent], { type: 'text/javascript' }));

// --- Words built from the facts

const plural = (n, word) => `${n.toLocaleString('en')} ${word}${n === 1 ? '' : 's'}`;
const size = (bytes) => (bytes % (1 << 20) === 0 ? `${bytes >> 20} MiB`
  : bytes % 1024 === 0 ? `${bytes >> 10} KiB` : plural(bytes, 'byte'));

// Fills an element with text and <code> pieces: a piece in an array is code.
function words(element, ...pieces) {
  element.replaceChildren(...pieces.map((piece) => {
    if (typeof piece === 'string') return piece;
    const code = document.createElement('code');
    code.textContent = piece[0];
    return code;
  }));
}

function showFacts() {
  const list = (items) => items.flatMap((item, i) => [
    i === 0 ? '' : i < items.length - 1 ? ', ' : ' and ', ...item]);
  words(page.about, 'The commands, in either case: ',
    ...list(facts.commands.map(([command, does]) => [[command], ` ${does}`])),
    '. Everything else is ignored.');
  words(page.legend, 'In the command string, a command that ends the run stands for its pair: ',
    ...list(Object.entries(facts.enders).map(([c, { pair }]) => [[c], ' for ', [pair]])),
    '; a ', ['-'], ' there found no command right before it: the first turns quality control',
    ' off, and any later one does nothing.');
  const mark = document.createElement('span');
  mark.className = 'byte';
  mark.textContent = '\\xHH';
  page.limits.replaceChildren('Text that is not valid UTF-8, and control characters other than',
    ' newline and tab, are shown boxed, as ', mark, '. A run is stopped after',
    ` ${size(facts.outputBytes)} of output or ${facts.runMs / 1000} s. The page shows the first`,
    ` ${size(facts.shownBytes)} of the output, up to its`,
    ` ${plural(facts.shownMarks, 'boxed byte')}; the download has all of it.`);
}

// --- Explaining the program as it is edited

const explainer = new Worker(workerUrl);
let explaining = null; // the program being explained
let explainAgain = false;
let explained = { program: null, ender: null, chips: [] };

function explain() {
  if (explaining !== null) {
    explainAgain = true;
    return;
  }
  explaining = page.program.value;
  explainer.postMessage({ explain: explaining });
}

explainer.onmessage = ({ data }) => {
  if ('facts' in data) {
    facts = data.facts;
    showFacts();
    explain();
    if (runWhenReady) run();
    return;
  }
  explained = { program: explaining, ...data.explained };
  showExplanation(data.explained);
  explaining = null;
  if (explainAgain) {
    explainAgain = false;
    explain();
  } else speak();
};

function showExplanation({ rejected, count, commands, chips, ender, lone }) {
  const focused = page.commands.contains(document.activeElement);
  page.commands.replaceChildren(...chips.map((chip, i) => chipFor(chip, i)));
  rove(Math.min(rovingAt, chips.length - 1), focused);
  page.meanings.replaceChildren();
  page.commandString.textContent = rejected ? 'none: rejected' : commands === '' ? 'empty'
    : commands + (count > commands.length ? '…' : '');
  if (count > chips.length) {
    addMeaning(`The first ${plural(chips.length, 'command')} are shown one by one.`);
  }
  if (rejected) {
    page.summary.textContent =
      'Syntax error: a - came before any command was written. Nothing runs.';
    addMeaning('A - with no command written before it (only ignored characters, or pluses that'
      + ' something else followed) is the syntax error: the program is rejected, and nothing'
      + ' runs.');
    return;
  }
  const plusRun = chips.find(pairOfPluses);
  if (plusRun) {
    addMeaning(`Pluses count in pairs: ${sourceOf(plusRun)} acts as ${pairOfPluses(plusRun)}.`);
  }
  const { pair, words: brings } = facts.enders[ender] ?? {};
  if (ender) addMeaning(`${pair} ends the run with ${brings}; nothing after it runs.`);
  if (lone) {
    addMeaning('A lone - found no command right before it: from there on, quality control is off,'
      + ' and every command runs as usual.');
  }
  page.summary.textContent = count === 0 ? 'No commands: the program writes nothing.'
    : `${plural(count, 'command')}; the run ends ${ender ? `at ${pair}` : 'normally'}.`;
}

function addMeaning(text) {
  const item = document.createElement('li');
  item.textContent = text;
  page.meanings.append(item);
}

// The live summary speaks once typing pauses, not at every key.
let pauseTimer = 0;
let paused = false;
function typing() {
  paused = false;
  clearTimeout(pauseTimer);
  pauseTimer = setTimeout(() => {
    paused = true;
    speak();
  }, PAUSE_MS);
}

function speak() {
  if (!paused || explaining !== null) return;
  page.spoken.textContent = page.summary.textContent;
  paused = false;
}

// --- The commands, one Tab stop with arrow keys inside

const sourceOf = ({ start, end }) => explained.program.slice(start, end);

// The pair that a longer run of pluses acts as, pluses counting in pairs;
// null for any other command.
function pairOfPluses({ command, start, end }) {
  const pair = '0v'.includes(command) && facts.enders[command].pair;
  return pair && end - start > pair.length ? pair : null;
}

function meaningOf(chip) {
  const { command } = chip;
  const paired = facts.enders[command];
  const acts = pairOfPluses(chip) ? ` acts as ${paired.pair} and` : '';
  if (explained.rejected) {
    return `${sourceOf(chip)}: this - came before any command: the syntax error`;
  }
  if (paired) return `${sourceOf(chip)}:${acts} ends the run with ${paired.words}`;
  if (command === '-' && explained.chips.find((c) => c.command === '-') === chip) {
    return '-: a lone -: quality control is off from here on';
  }
  if (command === '-') return '-: quality control is already off, and this - does nothing';
  return `${sourceOf(chip)}: ${facts.commands.find(([c]) => c === command)[1]}`;
}

// A command as a chip: pointing at or focusing it shows, over the
// program, the characters it came from.
function chipFor(chip, i) {
  const element = document.createElement('span');
  element.setAttribute('role', 'option');
  element.tabIndex = -1;
  const paired = chip.command in facts.enders;
  element.className = explained.rejected ? 'chip rejected' : paired ? 'chip paired'
    : chip.command === '-' ? 'chip lone' : 'chip';
  element.textContent = paired || chip.command === '-' ? sourceOf(chip) : chip.command;
  element.setAttribute('aria-label', meaningOf(chip));
  element.addEventListener('focus', () => rove(i, false));
  element.addEventListener('mouseenter', () => point(i));
  return element;
}

let rovingAt = 0; // the chip that Tab reaches
function rove(i, focus) {
  const chips = page.commands.children;
  if (chips.length === 0) return point(null);
  rovingAt = Math.max(0, i);
  for (const [at, chip] of [...chips].entries()) {
    chip.tabIndex = at === rovingAt ? 0 : -1;
    chip.setAttribute('aria-selected', String(at === rovingAt));
  }
  if (focus) chips[rovingAt].focus();
  point(page.commands.contains(document.activeElement) ? rovingAt : null);
}

page.commands.addEventListener('keydown', (event) => {
  const last = page.commands.children.length - 1;
  const to = { ArrowRight: rovingAt + 1, ArrowDown: rovingAt + 1, ArrowLeft: rovingAt - 1,
    ArrowUp: rovingAt - 1, Home: 0, End: last }[event.key];
  if (to === undefined) return;
  event.preventDefault();
  rove(Math.min(Math.max(to, 0), last), true);
});
page.commands.addEventListener('mouseleave', () => rove(rovingAt, false));
page.commands.addEventListener('focusout', (event) => {
  if (!page.commands.contains(event.relatedTarget)) point(null);
});

// Shows where chip `i` came from, over the program, scrolled into its
// view, leaving the program's selection and caret as they are; or, for
// null, nothing.
function point(i) {
  const chip = explained.chips[i];
  page.mirror.hidden = i === null || !chip || explained.program !== page.program.value;
  if (page.mirror.hidden) {
    page.pointed.textContent = 'Point at a command, or focus it, to see where it came from.';
    return;
  }
  const before = explained.program.slice(0, chip.start);
  const line = before.length - before.replaceAll('\n', '').length + 1;
  const meaning = meaningOf(chip);
  page.pointed.textContent = `Line ${line}: ${meaning}${/[.!?]$/.test(meaning) ? '' : '.'}`;
  const mark = document.createElement('mark');
  mark.textContent = sourceOf(chip);
  const copy = page.mirror.firstChild;
  copy.replaceChildren(before, mark);
  const area = page.program;
  page.mirror.style.width = `${area.clientWidth + area.clientLeft * 2}px`;
  page.mirror.style.height = `${area.clientHeight + area.clientTop * 2}px`;
  const top = mark.offsetTop;
  if (top < area.scrollTop || top + mark.offsetHeight > area.scrollTop + area.clientHeight) {
    area.scrollTop = top - (area.clientHeight - mark.offsetHeight) / 2;
  }
  followScroll();
}

function followScroll() {
  const area = page.program;
  page.mirror.firstChild.style.transform = `translate(${-area.scrollLeft}px, ${-area.scrollTop}px)`;
}
page.program.addEventListener('scroll', followScroll);

// --- Running

let spare = new Worker(workerUrl); // started ahead, so that a run need not wait for the module
let current = null;
let runWhenReady = false;

function run() {
  stopRun();
  showEnding('Running…', false);
  runWhenReady = !facts; // the facts come with the first worker, at once
  if (runWhenReady) return;
  const worker = spare;
  spare = new Worker(workerUrl);
  // How the run ends is known at once where the program has been explained;
  // otherwise the worker tells.
  const ender = explained.program === page.program.value ? explained.ender : null;
  current = {
    worker, chunks: [], total: 0, shown: 0, marks: 0, ender, end: null,
    timer: setTimeout(() => finish({ budget: 'time' }), facts.runMs),
  };
  waiting = [];
  openLine = null;
  page.output.replaceChildren();
  page.shown.textContent = '';
  page.download.hidden = true;
  page.stop.disabled = false;
  worker.onmessage = ({ data }) => {
    if ('ender' in data) current.ender = data.ender;
    if ('chunk' in data) showOutput(data);
    if ('end' in data) finish(data.end);
  };
  worker.onerror = (event) => finish({ error: event.message });
  worker.postMessage({ run: page.program.value });
}

// The output's parts not yet on the page, and the element that the next
// text goes on, until a line ends.
let waiting = [];
let openLine = null;
let drawing = false;
const slices = new MessageChannel();
slices.port1.onmessage = drawSlice;

function showOutput({ chunk, parts, shown }) {
  current.chunks.push(chunk);
  current.total += chunk.length;
  current.shown = shown;
  current.marks += parts.filter(([marked]) => marked).length;
  waiting.push(...parts);
  if (!drawing) slices.port2.postMessage(null);
  drawing = true;
}

// Puts the waiting output on the page a piece at a time, laying each out
// at once, for SLICE_MS at most a task; then, when all of it is shown and
// the run is over, how it ended.
function drawSlice() {
  const start = performance.now();
  while (waiting.length > 0 && performance.now() - start < SLICE_MS) {
    drawPiece();
    page.output.getBoundingClientRect();
  }
  drawing = waiting.length > 0;
  if (drawing) slices.port2.postMessage(null);
  else if (current?.end) finish(current.end);
}

// Up to PIECE_LINES lines or PIECE_CHARS characters of the waiting output,
// whole lines in a block of their own, so that the page lays out only the
// new lines.
function drawPiece() {
  let chars = PIECE_CHARS;
  let lines = PIECE_LINES;
  while (chars > 0 && lines > 0 && waiting.length > 0) {
    const [marked, text] = waiting[0];
    openLine ??= page.output.appendChild(document.createElement('div'));
    let cut = marked ? text.length : Math.min(text.length, chars);
    if (marked) {
      const mark = openLine.appendChild(document.createElement('span'));
      mark.className = 'byte';
      mark.textContent = text;
    } else {
      for (let at = text.indexOf('\n'); at >= 0 && at < cut; at = text.indexOf('\n', at + 1)) {
        if (--lines === 0) cut = at + 1;
      }
      cut += (text.charCodeAt(cut - 1) & 0xfc00) === 0xd800; // not between the halves of a pair
      openLine.append(text.slice(0, cut));
      if (text[cut - 1] === '\n') openLine = null;
    }
    chars -= cut;
    if (cut < text.length) waiting[0] = [false, text.slice(cut)];
    else waiting.shift();
  }
}

function finish(end) {
  if (!current) return;
  const { worker, timer, chunks, total, shown, marks, ender } = current;
  clearTimeout(timer);
  worker.terminate();
  current.end ??= end;
  end = current.end;
  if (drawing) return; // drawSlice finishes once the output is on the page
  current = null;
  if (document.activeElement === page.stop) page.run.focus();
  page.stop.disabled = true;
  showEnding(...describeEnd(end, ender));
  if (total > shown) {
    const capped = marks >= facts.shownMarks
      ? `, up to the ${plural(facts.shownMarks, 'boxed byte')} the page shows` : '';
    const of = `of ${total.toLocaleString('en')} written`;
    page.shown.textContent = `Shown: the first ${plural(shown, 'byte')} ${of}${capped}.`;
  }
  if (total > 0) {
    URL.revokeObjectURL(page.download.href);
    const whole = new Blob(chunks, { type: 'application/octet-stream' });
    page.download.href = URL.createObjectURL(whole);
    page.download.hidden = false;
  }
}

function stopRun() {
  finish({ budget: 'you' });
}

function showEnding(text, abnormal) {
  page.ending.textContent = text;
  page.ending.classList.toggle('abnormal', abnormal);
}

// How the run ended, in words, and whether that is an abnormal end: what
// a console would show, and what the page saw. The command that ends a
// run is the first paired one in the command string.
function describeEnd(end, ender) {
  const paired = facts.enders[ender];
  const key = 'in a console, qualm first waits for a key';
  if (end.exit === 0) return [`Ended normally, with status 0 (${key}).`, false];
  if (end.exit === 1) return [`Syntax error, nothing ran: status 1 (${key}).`, true];
  if ('exit' in end) return [`Ended with status ${end.exit}.`, true];
  if ('budget' in end) {
    const by = {
      output: `after ${size(facts.outputBytes)} of output`, time: `after ${facts.runMs / 1000} s`,
      you: 'by you',
    }[end.budget];
    if (paired && !paired.console) {
      return [`Stopped ${by}: ${paired.pair} brings ${paired.words}; in a console it runs until`
        + ' stopped.', true];
    }
    return [`Stopped ${by}. The program would end on its own${paired ? `, by ${paired.pair}` : ''};`
      + ' the page stopped it first.', true];
  }
  const reason = /^Aborted\((.+?)\)/.exec(end.abort)?.[1];
  const saw = end.exception ? 'an exception that nothing caught'
    : /^Aborted/.test(end.abort) ? `the interpreter abort${reason ? `, saying “${reason}”` : ''}`
    : 'abort' in end ? `the interpreter stop on “${end.abort}”` : `an error: “${end.error}”`;
  if (!paired) return [`Ended abnormally: the page saw ${saw}.`, true];
  return [`Ended by ${paired.pair}: ${paired.words}. In a console, ${paired.console} ends it;`
    + ` here the page saw ${saw}.`, true];
}

// --- Keeping, sharing and choosing programs

// The browser's storage, or null where it refuses it.
const storage = (() => {
  try {
    localStorage.getItem(STORAGE_KEY);
    return localStorage;
  } catch {
    return null;
  }
})();

const REFUSED = 'This browser lets the page keep nothing, so the program will not be kept across'
  + ' a reload: Save to a file or Share keeps it.';
let keeping = ''; // what #kept says
function keep() {
  const program = page.program.value;
  let says = '';
  try {
    if (program.length <= KEPT_AT_MOST) storage.setItem(STORAGE_KEY, program);
    else {
      storage.removeItem(STORAGE_KEY); // no older program comes back in its place
      says = 'This program is too long to keep across a reload: Save to a file keeps it.';
    }
  } catch {
    says = REFUSED;
  }
  if (says !== keeping) page.kept.textContent = keeping = says;
}

let fromAddress = false; // the program is being loaded from the address, not edited
function edited() {
  notice('');
  point(null);
  explain();
  if (fromAddress) return;
  typing();
  if (storage) keep(); // at every edit, so that a reload or a close right after loses nothing
  // The address holds a program no more, so that a reload shows this one.
  if (location.hash.startsWith(SHARE_PREFIX)) {
    history.replaceState(null, '', location.href.split('#')[0]);
  }
}

function share() {
  const address = location.href.split('#')[0] + SHARE_PREFIX
    + encodeURIComponent(page.program.value.toWellFormed());
  if (address.length > ADDRESS_LIMIT) {
    notice('This program is too long to share in an address: it would take'
      + ` ${address.length.toLocaleString('en')} characters, and`
      + ` ${ADDRESS_LIMIT.toLocaleString('en')} is the most that every browser keeps.`
      + ' Save to a file, and send the file.');
    return;
  }
  history.replaceState(null, '', address);
  const where = location.protocol === 'file:'
    ? 'This page was opened from a file, so the address opens the program on this computer only.'
    : 'Opening it loads the program; it holds the program itself, and nothing is sent anywhere.';
  navigator.clipboard.writeText(address).then(
    () => notice(`Copied the address of this program. ${where}`),
    () => notice(`The address bar now holds this program: copy it from there. ${where}`));
}

function save() {
  const link = document.createElement('a');
  link.download = 'program.qlm';
  link.href = URL.createObjectURL(new Blob([page.program.value], { type: 'text/plain' }));
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 60000);
}

function notice(text) {
  page.notice.textContent = text;
}

function loadFromAddress() {
  if (!location.hash.startsWith(SHARE_PREFIX)) return;
  try {
    const program = decodeURIComponent(location.hash.slice(SHARE_PREFIX.length));
    fromAddress = true;
    if (program !== page.program.value) {
      replaceProgram(program, 'Loaded the program in the address.');
    }
  } catch {
    notice('The address holds no program that can be read.');
  } finally {
    fromAddress = false;
  }
}

// Replaces the program the way typing would, so that undo brings the old
// one back.
function replaceProgram(text, what) {
  page.program.focus();
  page.program.select();
  if (!document.execCommand('insertText', false, text)) {
    page.program.setRangeText(text, 0, page.program.value.length, 'end');
    edited();
  }
  notice(`${what} Undo (Ctrl+Z) brings back the program you had.`);
}

for (const example of document.querySelectorAll('script.example')) {
  const name = example.dataset.name.replaceAll('_', ' ');
  const program = example.textContent.trim();
  const label = `${name[0].toUpperCase()}${name.slice(1)}: ${program}`;
  page.examples.append(new Option(label, example.textContent));
}
try {
  page.program.value = storage?.getItem(STORAGE_KEY) ?? page.program.value;
} catch {
  // kept nothing that can be read
}
if (!storage) page.kept.textContent = keeping = REFUSED;
loadFromAddress();
page.examples.addEventListener('keydown', (event) => {
  if (event.key !== 'Enter' || event.ctrlKey || event.metaKey) return; // Ctrl+Enter runs
  event.preventDefault();
  page.load.click();
});
page.load.addEventListener('click', () => replaceProgram(page.examples.value,
  `Loaded the example ${page.examples.selectedOptions[0].text}.`));
page.program.addEventListener('input', edited);
page.run.addEventListener('click', run);
page.stop.addEventListener('click', stopRun);
page.share.addEventListener('click', share);
page.save.addEventListener('click', save);
window.addEventListener('hashchange', loadFromAddress);
document.addEventListener('keydown', (event) => {
  if (event.key === 'Enter' && (event.ctrlKey || event.metaKey)) {
    event.preventDefault();
    run();
  }
});
point(null);
