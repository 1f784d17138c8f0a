'use strict';
// The playground: runs qualm, compiled to WebAssembly, in a worker started
// afresh for each run, so that a program without end never freezes the
// page: the worker stops itself after an output budget, and the page stops
// it after a time budget.

const OUTPUT_BUDGET = 1 << 20;
const TIME_BUDGET_MS = 2000;
const COMMANDS_SHOWN = 2000;

// Runs in the worker, after the interpreter module's own script. Takes the
// program's bytes, answers with its command string, the output as it comes
// and how the run ended.
function workerMain(outputBudget) {
  onmessage = async ({ data: program }) => {
    let pending = [];
    let written = 0;
    let budgetReached = false;
    let lastPost = Date.now();
    const postOutput = () => {
      postMessage({ output: Uint8Array.from(pending) });
      pending = [];
      lastPost = Date.now();
    };
    const writeByte = (byte) => {
      if (byte === null) return;
      // The interpreter takes this as a failed write and stops at once.
      if (written === outputBudget) {
        budgetReached = true;
        throw new Error('output budget reached');
      }
      pending.push(byte);
      written += 1;
      if (pending.length >= 1 << 15 || Date.now() - lastPost > 50) postOutput();
    };
    const qualm = await createQualm({
      noInitialRun: true,
      quit: (status, thrown) => { throw thrown; },
      // The final wait has nothing to wait for here: standard input is empty.
      preRun: [(module) => module.FS.init(() => null, writeByte, () => {})],
      print: () => {},
      printErr: () => {},
    });
    qualm.FS.writeFile('/program.qlm', program);
    postMessage({ commands: commandString(qualm, program) });
    let end;
    try {
      end = { exit: qualm.callMain(['/program.qlm']) };
    } catch (thrown) {
      if (thrown instanceof WebAssembly.RuntimeError) end = { abort: String(thrown.message) };
      else if (typeof thrown === 'number') end = { exception: true };
      else end = { error: String(thrown) };
    }
    postOutput();
    postMessage({ end: budgetReached ? { budget: 'output' } : end });
  };

  // The command string from the interpreter's own pass, or null when the
  // program is rejected.
  function commandString(qualm, program) {
    const text = qualm._malloc(program.length + 1);
    const out = qualm._malloc(program.length + 1);
    qualm.HEAPU8.set(program, text);
    const length = qualm._qualm_command_string(text, program.length, out);
    const commands = length < 0 ? null : new TextDecoder().decode(qualm.HEAPU8.subarray(out, out + length));
    qualm._free(text);
    qualm._free(out);
    return commands;
  }
}

// What each command that quality control pairs stands for, and how a
// console shows the end it brings.
const PAIRED = {
  '0': { pair: '+-', words: 'a division of 1 by 0', console: 'signal SIGFPE (status 136)' },
  'v': { pair: '++-', words: 'a re-raise with no exception in flight', console: 'signal SIGABRT (status 134)' },
  '?': { pair: '9-', words: 'the song, sung again and again without end', console: 'it runs until it is stopped' },
  '#': { pair: 'h-', words: 'an uncaught stream failure', console: 'signal SIGABRT (status 134)' },
  '@': { pair: 'q-', words: 'the program text, written again and again without end', console: 'it runs until it is stopped' },
};

const page = {
  program: document.getElementById('program'),
  run: document.getElementById('run'),
  examples: document.getElementById('examples'),
  commands: document.getElementById('commands'),
  meanings: document.getElementById('meanings'),
  ending: document.getElementById('ending'),
  output: document.getElementById('output'),
};

// Browsers refuse a worker script from disk, but not one from a Blob.
const workerUrl = URL.createObjectURL(new Blob([
  document.getElementById('interpreter').textContent,
  `;(${workerMain})(${OUTPUT_BUDGET});`,
], { type: 'text/javascript' }));

let current = null;

function run() {
  stop();
  page.output.textContent = '';
  page.commands.textContent = '';
  page.meanings.textContent = '';
  showEnding('Running…', false);
  const worker = new Worker(workerUrl);
  const timer = setTimeout(() => {
    stop();
    showEnding(`Stopped after ${TIME_BUDGET_MS / 1000} s.`, true);
  }, TIME_BUDGET_MS);
  current = { worker, timer, commands: '' };
  worker.onmessage = ({ data }) => {
    if ('commands' in data) showCommands(data.commands);
    if ('output' in data) page.output.append(visible(data.output));
    if ('end' in data) {
      showEnding(...describeEnd(data.end, current.commands));
      stop();
    }
  };
  worker.onerror = (event) => {
    stop();
    showEnding(`The interpreter could not run: ${event.message}`, true);
  };
  worker.postMessage(new TextEncoder().encode(page.program.value));
}

function stop() {
  if (!current) return;
  clearTimeout(current.timer);
  current.worker.terminate();
  current = null;
}

function showEnding(text, abnormal) {
  page.ending.textContent = text;
  page.ending.classList.toggle('abnormal', abnormal);
}

// The command string, character by character: paired commands stand out,
// and once a lone `-` has switched pairing off, what follows is plain.
function showCommands(commands) {
  if (commands === null) {
    page.commands.textContent = 'Rejected: a - came before any command.';
    return;
  }
  current.commands = commands;
  if (commands === '') page.commands.textContent = 'No commands.';
  let off = false;
  const seen = new Set();
  for (const c of commands.slice(0, COMMANDS_SHOWN)) {
    const chip = document.createElement('span');
    off = off || c === '-';
    chip.className = PAIRED[c] ? 'paired' : off ? 'off' : '';
    chip.textContent = PAIRED[c] ? PAIRED[c].pair : c;
    chip.title = PAIRED[c] ? PAIRED[c].words : c === '-' ? 'a lone -: pairing is off from here on' : 'runs as usual';
    page.commands.append(chip);
    if (PAIRED[c] && !seen.has(c)) {
      seen.add(c);
      addMeaning(`${PAIRED[c].pair} ends the run with ${PAIRED[c].words}; nothing after it runs.`);
    }
  }
  if (commands.length > COMMANDS_SHOWN) page.commands.append(`… and ${commands.length - COMMANDS_SHOWN} more`);
  if (commands.includes('-')) {
    addMeaning('A lone - found no command right before it: quality control is off from there on, and every later command runs as usual.');
  }
}

function addMeaning(text) {
  const item = document.createElement('li');
  item.textContent = text;
  page.meanings.append(item);
}

// How the run ended, in words, and whether that is an abnormal end. The
// command that ends a run is the first paired one in the command string.
function describeEnd(end, commands) {
  const ender = PAIRED[[...commands].find((c) => PAIRED[c])];
  if ('exit' in end && end.exit === 0) return ['Ended normally: exit 0 (a console first waits for one key).', false];
  if ('exit' in end) return [`Syntax error, nothing ran: exit ${end.exit} (a console first waits for one key).`, true];
  if ('budget' in end) {
    const endless = ender && ['9-', 'q-'].includes(ender.pair);
    return [`Stopped after 1 MiB of output${endless ? `: ${ender.pair} brings ${ender.words}, so the output repeats without end` : ''}.`, true];
  }
  const runtime = end.exception ? 'an uncaught exception' : 'abort' in end ? `abort(${end.abort.replace(/^Aborted\((.*)\).*$/, '$1')})` : end.error;
  if (!ender) return [`Ended abnormally: ${runtime}.`, true];
  return [`Ended by ${ender.pair}: ${ender.words}. In a console: ${ender.console}. Here: ${runtime}.`, true];
}

// The output's bytes as text that shows each of them: printable ones and
// newlines as they are, the others as \xHH in a mark of their own.
function visible(bytes) {
  const fragment = document.createDocumentFragment();
  let plain = '';
  for (const byte of bytes) {
    if ((byte >= 0x20 && byte < 0x7f) || byte === 0x0a) {
      plain += String.fromCharCode(byte);
      continue;
    }
    fragment.append(plain);
    plain = '';
    const mark = document.createElement('i');
    mark.className = 'byte';
    mark.textContent = `\\x${byte.toString(16).toUpperCase().padStart(2, '0')}`;
    fragment.append(mark);
  }
  fragment.append(plain);
  return fragment;
}

for (const example of document.querySelectorAll('script.example')) {
  page.examples.append(new Option(example.dataset.name, example.textContent));
}
page.examples.addEventListener('change', () => {
  if (page.examples.value !== '') page.program.value = page.examples.value;
});
page.run.addEventListener('click', run);
