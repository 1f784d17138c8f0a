'use strict';
// Explaining the program as it is edited, in its own worker
// (explain_worker.js, whose top says what it sends): the summary, the
// command string, each command's meaning, and the summary spoken once
// typing pauses. The worker explains one program at a time: the latest.
/* global page, workerUrl, learn, plural, showFacts, chipFor, rove, rovingAt, held, isCurrent */
/* exported facts, handBytes, askExplainer, explain, explained, typing, sourceOf, meaningOf */

const PAUSE_MS = 1000; // typing stopped this long is a pause, when the summary is spoken

let facts = null; // the language as the page words it, once the worker has sent it
let explained = { program: null, bytes: false, ender: null, chips: [] }; // what the page shows
let explaining = null; // the program being explained

const explainer = new Worker(workerUrl('explainer'));
explainer.onmessage = ({ data }) => {
  if ('language' in data) {
    facts = learn(data.language);
    showFacts();
    return;
  }
  const explanation = { ...explaining, ...data.explained };
  explaining = null;
  if (isCurrent(explanation)) {
    explained = explanation;
    showExplanation(explanation);
    speak();
  } else {
    explain();
  }
};

function explain() {
  if (explaining !== null) return; // its answer asks for the next
  explaining = { program: page.program.value, bytes: held.bytes };
  explainer.postMessage({ explain: explaining.program, bytes: explaining.bytes });
}

// Has the explaining worker send the bytes of the program on `port`, where
// they are those of `run`'s program, which it explained last; says whether
// it does.
function handBytes(run, port) {
  if (explaining !== null || explained.program !== run.program || explained.bytes !== run.bytes) {
    return false;
  }
  explainer.postMessage({ hand: port }, [port]);
  return true;
}

// What the explaining worker answers to `message` (explain_worker.js), on a
// port of its own.
function askExplainer(message, transfer = []) {
  const { port1, port2 } = new MessageChannel();
  explainer.postMessage({ ...message, port: port2 }, [port2, ...transfer]);
  return new Promise((resolve) => {
    port1.onmessage = ({ data }) => resolve(data);
  });
}

function showExplanation({ rejected, count, commands, chips, ender, lone }) {
  const focused = page.commands.contains(document.activeElement);
  page.commands.replaceChildren(...chips.map((chip, i) => chipFor(chip, i)));
  rove(Math.min(rovingAt, chips.length - 1), focused);
  page.meanings.replaceChildren();
  page.legend.hidden = !ender && !lone; // nothing in the command string stands for more
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
  const { pair, brings } = facts.enders[ender] ?? {};
  if (ender) addMeaning(`${pair} brings ${brings}; nothing after it runs.`);
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
  if (!paused || !isCurrent(explained)) return;
  page.spoken.textContent = page.summary.textContent;
  paused = false;
}

const sourceOf = ({ start, end }) => explained.program.slice(start, end);

// The pair that a longer run of pluses acts as, pluses counting in pairs;
// null for any other command.
function pairOfPluses({ command, start, end }) {
  const paired = facts.enders[command];
  return paired && /^\++$/.test(paired.run) && end - start > paired.pair.length ? paired.pair
    : null;
}

function meaningOf(chip) {
  const { command } = chip;
  const paired = facts.enders[command];
  const acts = pairOfPluses(chip) ? ` acts as ${paired.pair} and` : '';
  if (explained.rejected) {
    return `${sourceOf(chip)}: this - came before any command: the syntax error`;
  }
  if (paired) return `${sourceOf(chip)}:${acts} brings ${paired.brings}`;
  const ends = explained.chips.findIndex((c) => c.command in facts.enders);
  if (ends >= 0 && explained.chips.indexOf(chip) > ends) {
    const { pair } = facts.enders[explained.chips[ends].command];
    return `${sourceOf(chip)}: never runs, since ${pair} before it ends the run`;
  }
  if (command === '-' && explained.chips.find((c) => c.command === '-') === chip) {
    return '-: a lone -: quality control is off from here on';
  }
  if (command === '-') return '-: quality control is already off, and this - does nothing';
  return `${sourceOf(chip)}: ${facts.commands.find(([c]) => c === command)[1]}`;
}
