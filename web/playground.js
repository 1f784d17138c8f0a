'use strict';
// The playground's page. Everything the interpreter does happens in
// workers (worker.js): one explains the program as it is edited, and each
// run gets a fresh one, which the page stops after a time budget. This
// thread only shows what they send, in pieces of bounded size, so that it
// never freezes, whatever a program writes.

const TIME_BUDGET_MS = 2000;
const ADDRESS_LIMIT = 16000; // characters that every browser and chat keeps of an address
const STORAGE_KEY = 'qualm.program';
const SHARE_PREFIX = '#program=';

// What each command that quality control pairs stands for, and how a
// console shows the end it brings.
const PAIRED = {
  '0': { pair: '+-', words: 'a division of 1 by 0', console: 'signal SIGFPE (status 136)' },
  'v': { pair: '++-', words: 'a re-raise with no exception in flight', console: 'signal SIGABRT (status 134)' },
  '?': { pair: '9-', words: 'the song, sung again and again without end', console: 'it runs until it is stopped', endless: true },
  '#': { pair: 'h-', words: 'an uncaught stream failure', console: 'signal SIGABRT (status 134)' },
  '@': { pair: 'q-', words: 'the program text, written again and again without end', console: 'it runs until it is stopped', endless: true },
};
const PLAIN = { '+': 'does nothing', '9': 'sings the song once', 'h': 'writes Hello World!', 'q': 'writes the program itself' };

const $ = (id) => document.getElementById(id);
const page = {
  program: $('program'), run: $('run'), stop: $('stop'), examples: $('examples'), share: $('share'),
  notice: $('notice'), summary: $('summary'), commandString: $('command-string'), commands: $('commands'),
  meanings: $('meanings'), ending: $('ending'), output: $('output'), shown: $('shown'), download: $('download'),
};

// Browsers refuse a worker script from disk, but not one from a Blob.
const workerUrl = URL.createObjectURL(new Blob(
  [$('interpreter').textContent, ';\n', $('worker').textContent], { type: 'text/javascript' }));

// --- Explaining the program as it is edited

const explainer = new Worker(workerUrl);
let explaining = null; // the program being explained
let explainAgain = false;
let explained = { program: null, ender: null };

function explain() {
  if (explaining !== null) {
    explainAgain = true;
    return;
  }
  explaining = page.program.value;
  explainer.postMessage({ explain: explaining });
}

explainer.onmessage = ({ data }) => {
  explained = { program: explaining, ender: data.explained.ender };
  showExplanation(data.explained);
  explaining = null;
  if (explainAgain) {
    explainAgain = false;
    explain();
  }
};

function showExplanation({ rejected, count, commands, chips, ender, lone }) {
  page.commands.replaceChildren(...chips.map((chip) => chipFor(chip, rejected)));
  page.meanings.replaceChildren();
  page.commandString.textContent = rejected ? 'none: rejected' : commands === '' ? 'empty' : commands + (count > commands.length ? '…' : '');
  if (rejected) {
    page.summary.textContent = 'Syntax error: a - came before any command was written. Nothing runs.';
    addMeaning('A - with no command written before it (only ignored characters, or pluses that something else followed) is the syntax error: the program is rejected, and nothing runs.');
    return;
  }
  const plusRun = chips.find(pairOfPluses);
  if (plusRun) addMeaning(`Pluses count in pairs: ${page.program.value.slice(plusRun.start, plusRun.end)} acts as ${pairOfPluses(plusRun)}.`);
  if (ender) addMeaning(`${PAIRED[ender].pair} ends the run with ${PAIRED[ender].words}; nothing after it runs.`);
  if (lone) {
    addMeaning('A lone - found no command right before it: from there on, quality control is off, and every command runs as usual.');
  }
  const plural = (n, word) => `${n} ${word}${n === 1 ? '' : 's'}`;
  page.summary.textContent = count === 0 ? 'No commands: the program writes nothing.'
    : `${plural(count, 'command')}${ender ? `; the run ends at ${PAIRED[ender].pair}` : '; the run ends normally'}.`;
}

// The pair that a longer run of pluses acts as, pluses counting in pairs;
// null for any other command.
const pairOfPluses = ({ command, start, end }) => ('0v'.includes(command) && end - start > PAIRED[command].pair.length ? PAIRED[command].pair : null);

// A command as a chip: focusing or hovering it selects, in the program,
// the characters it came from.
function chipFor({ command, start, end }, rejected) {
  const chip = document.createElement('button');
  chip.type = 'button';
  const source = page.program.value.slice(start, end);
  const paired = PAIRED[command];
  chip.className = rejected ? 'chip rejected' : paired ? 'chip paired' : command === '-' ? 'chip lone' : 'chip';
  chip.textContent = paired || command === '-' ? source : command;
  chip.title = rejected ? 'this - came before any command: the syntax error'
    : paired ? `${source}${pairOfPluses({ command, start, end }) ? ` acts as ${paired.pair}` : ''}: ends the run with ${paired.words}`
    : command === '-' ? 'a lone -: quality control is off from here on'
    : `${source}: ${PLAIN[command]}`;
  const select = () => page.program.setSelectionRange(start, end);
  chip.addEventListener('focus', select);
  chip.addEventListener('mouseenter', select);
  return chip;
}

function addMeaning(text) {
  const item = document.createElement('li');
  item.textContent = text;
  page.meanings.append(item);
}

// --- Running

let spare = new Worker(workerUrl); // started ahead, so that a run need not wait for the module
let current = null;

function run() {
  stop();
  const worker = spare;
  spare = new Worker(workerUrl);
  // How the run ends is known at once where the program has been explained;
  // otherwise the worker tells.
  const ender = explained.program === page.program.value ? explained.ender : null;
  current = { worker, chunks: [], total: 0, shown: 0, ender, timer: setTimeout(() => finish({ budget: 'time' }), TIME_BUDGET_MS) };
  page.output.replaceChildren();
  page.shown.textContent = '';
  page.download.hidden = true;
  page.stop.disabled = false;
  showEnding('Running…', false);
  worker.onmessage = ({ data }) => {
    if ('ender' in data) current.ender = data.ender;
    if ('chunk' in data) showOutput(data);
    if ('end' in data) finish(data.end);
  };
  worker.onerror = (event) => finish({ error: event.message });
  worker.postMessage({ run: new TextEncoder().encode(page.program.value) });
}

function showOutput({ chunk, parts, shown }) {
  current.chunks.push(chunk);
  current.total += chunk.length;
  current.shown = shown;
  const fragment = document.createDocumentFragment();
  for (const [marked, text] of parts) {
    if (!marked) {
      fragment.append(text);
      continue;
    }
    const mark = document.createElement('span');
    mark.className = 'byte';
    mark.textContent = text;
    fragment.append(mark);
  }
  page.output.append(fragment);
}

function finish(end) {
  if (!current) return;
  const { worker, timer, chunks, total, shown, ender } = current;
  clearTimeout(timer);
  worker.terminate();
  current = null;
  page.stop.disabled = true;
  showEnding(...describeEnd(end, ender));
  if (total > shown) page.shown.textContent = `Shown: the first ${shown.toLocaleString('en')} of ${total.toLocaleString('en')} bytes written.`;
  if (total > 0) {
    URL.revokeObjectURL(page.download.href);
    page.download.href = URL.createObjectURL(new Blob(chunks, { type: 'application/octet-stream' }));
    page.download.hidden = false;
  }
}

function stop() {
  finish({ budget: 'you' });
}

function showEnding(text, abnormal) {
  page.ending.textContent = text;
  page.ending.classList.toggle('abnormal', abnormal);
}

// How the run ended, in words, and whether that is an abnormal end. The
// command that ends a run is the first paired one in the command string.
function describeEnd(end, ender) {
  const paired = PAIRED[ender];
  if (end.exit === 0) return ['Ended normally: exit 0 (a console first waits for one key).', false];
  if ('exit' in end) return [`Syntax error, nothing ran: exit ${end.exit} (a console first waits for one key).`, true];
  if ('budget' in end) {
    const by = { output: 'after 1 MiB of output', time: `after ${TIME_BUDGET_MS / 1000} s`, you: 'by you' }[end.budget];
    if (paired?.endless) return [`Stopped ${by}: ${paired.pair} brings ${paired.words}, so the output repeats without end.`, true];
    return [`Stopped ${by}. The program would end on its own${paired ? `, by ${paired.pair}` : ''}; the page stopped it first.`, true];
  }
  const runtime = end.exception ? 'an uncaught exception'
    : 'abort' in end ? `abort(${end.abort.replace(/^Aborted\((.*)\).*$/, '$1')})` : end.error;
  if (!paired) return [`Ended abnormally: ${runtime}.`, true];
  return [`Ended by ${paired.pair}: ${paired.words}. In a console: ${paired.console}. Here: ${runtime}.`, true];
}

// --- Keeping, sharing and choosing programs

let saveTimer = 0;
function edited() {
  notice('');
  explain();
  clearTimeout(saveTimer);
  saveTimer = setTimeout(() => {
    try {
      localStorage.setItem(STORAGE_KEY, page.program.value);
    } catch {
      notice('This program is too long to keep across a reload; download or share it instead.');
    }
  }, 300);
}

function share() {
  const address = location.href.split('#')[0] + SHARE_PREFIX + encodeURIComponent(page.program.value.toWellFormed());
  if (address.length > ADDRESS_LIMIT) {
    notice(`This program is too long to share in an address: it would take ${address.length.toLocaleString('en')} characters, and ${ADDRESS_LIMIT.toLocaleString('en')} is the most that every browser keeps.`);
    return;
  }
  history.replaceState(null, '', address);
  navigator.clipboard.writeText(address).then(
    () => notice('Copied the address of this program: opening it loads the program. Nothing is sent anywhere.'),
    () => notice('The address bar now holds this program: copy it from there.'));
}

function notice(text) {
  page.notice.textContent = text;
}

function loadShared() {
  if (!location.hash.startsWith(SHARE_PREFIX)) return false;
  try {
    page.program.value = decodeURIComponent(location.hash.slice(SHARE_PREFIX.length));
  } catch {
    notice('The address holds no program that can be read.');
  }
  return true;
}

// Replaces the program the way typing would, so that undo brings the old
// one back.
function replaceProgram(text) {
  page.program.focus();
  page.program.select();
  if (!document.execCommand('insertText', false, text)) page.program.setRangeText(text, 0, page.program.value.length, 'end');
  notice('Undo (Ctrl+Z) brings back the program you had.');
}

for (const example of document.querySelectorAll('script.example')) {
  page.examples.append(new Option(example.dataset.name, example.textContent));
}
if (!loadShared()) page.program.value = localStorage.getItem(STORAGE_KEY) ?? page.program.value;
page.examples.addEventListener('change', () => {
  if (page.examples.value !== '') replaceProgram(page.examples.value);
  page.examples.value = '';
});
page.program.addEventListener('input', edited);
page.run.addEventListener('click', run);
page.stop.addEventListener('click', stop);
page.share.addEventListener('click', share);
window.addEventListener('hashchange', () => loadShared() && edited());
document.addEventListener('keydown', (event) => {
  if (event.key === 'Enter' && (event.ctrlKey || event.metaKey)) {
    event.preventDefault();
    run();
  }
});
explain();
