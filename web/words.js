'use strict';
// What the page says: the table of the commands' words, keyed by the
// language's own spelling, joined to the characters the module sends and to
// the endings' words (endings.js); the lines about the language and the
// budgets; and how a run ended.
/* global LIMITS, ENDINGS, page, facts */
/* exported learn, plural, showFacts, describeEnd, describeStep, byteName */

// What each command does.
const COMMAND_WORDS = {
  '+': 'does nothing',
  '-': 'turns the command right before it into one that ends the run',
  '9': 'sings 99 bottles of beer',
  'h': 'writes Hello World!',
  'q': 'writes the program itself',
};

// The language as the page words it, from the characters the module sent:
// each command with what it does; by the character that stands for a pair
// in the command string, the pair's run, the ending it brings and its
// words; by the name of an ending, the pair that brings it; and the pass's
// pending runs.
function learn({ commands, pairs, runs }) {
  return {
    runs,
    commands: [...commands].map((command) => [command, COMMAND_WORDS[command]]),
    enders: Object.fromEntries(pairs.map(([run, ender, how]) =>
      [ender, { run, pair: `${run}-`, how, ...ENDINGS[how] }])),
    pairOf: Object.fromEntries(pairs.map(([run, , how]) => [how, `${run}-`])),
  };
}

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
  page.boxed.replaceChildren('Bytes that are no character, and control characters other than',
    ' newline and tab, are shown boxed, as ', mark, '.');
  page.limits.replaceChildren(`A run is stopped after ${size(LIMITS.outputBytes)} of output or`,
    ` ${LIMITS.runMs / 1000} s. The page shows the first ${size(LIMITS.shownBytes)} of the`,
    ` output, up to its ${plural(LIMITS.shownMarks, 'boxed byte')}; the download has all of it.`);
}

// How a run ended, in words, and whether that is an abnormal end: from the
// ending the module reported (see run.js), or one the page brought about:
// 'time', 'stopped', or 'fault' where the interpreter failed without saying
// how it ended.
function describeEnd({ how, during, reason }) {
  const by = { budget: `after ${size(LIMITS.outputBytes)} of output`,
    time: `after ${LIMITS.runMs / 1000} s`, stopped: 'by you' }[how];
  if (by && during) {
    return [`Stopped ${by}: ${facts.pairOf[during]} brings ${ENDINGS[during].brings}; in a`
      + ' console it runs until stopped.', true];
  }
  if (by) return [`Stopped ${by}, before the program ended.`, true];
  if (how === 'fault') return [`The interpreter failed: “${reason}”.`, true];
  const { says, brings, signal, status } = ENDINGS[how];
  if (signal) {
    return [`Ended by ${facts.pairOf[how]}: ${brings}. In a console, the signal ${signal} (status`
      + ` ${status}) ends it.`, true];
  }
  return [`${says}.`, how !== 'exit'];
}

// The byte a step reads, as a person reads it: a blank by its name, any
// other character quoted, and a byte of a character of several bytes as
// which of them it is.
const BLANKS = { ' ': 'a space', '\n': 'a newline', '\t': 'a tab' };
function byteName({ shown, part }) {
  const name = BLANKS[shown] ?? `“${shown}”`;
  return part ? `byte ${part[0]} of the ${part[1]} of ${name}` : name;
}

// Why a step of the pass did what it did, in words, from what the module's
// trace says of it (steps.js): the byte read (its class 0 where it is no
// command), the pending runs before and after it, and what it wrote.
function describeStep(step) {
  const { end, rejected, read, before, after, wrote } = step;
  const [was, is] = [facts.runs[before], facts.runs[after]];
  const named = byteName(step);
  const byte = named[0].toUpperCase() + named.slice(1);
  if (rejected) {
    return `${byte} comes before any command was written: the syntax error. The pass stops here,`
      + ' and nothing runs.';
  }
  if (end) {
    return was.holds === '' ? 'The end of the text, with nothing pending.'
      : `The end of the text: the pending ${was.holds} is kept as it is.`;
  }
  if (was.off) return `Pairing is off: ${named} ${read === 0 ? 'is no command, and is dropped'
    : 'is kept as it is'}.`;
  const paired = facts.enders[wrote];
  if (paired) {
    return `${byte} right after ${paired.run}: they pair as ${paired.pair}, which brings`
      + ` ${paired.brings}.`;
  }
  if (is.off) return `${byte} finds no command right before it: it is kept, and pairing is off`
    + ' from here on.';
  const grew = was.holds !== '' && is.holds.length > was.holds.length;
  const settled = was.holds === '' || grew ? ''
    : wrote === was.holds ? `; the pending ${was.holds} is written`
      : `; the pending ${was.holds} is dropped, as no - came right after it`;
  const waits = read === 0 ? 'is no command, and is dropped'
    : `: ${grew ? `with the pending ${was.holds}, ` : ''}${is.holds} waits for a - right after it`;
  return `${byte}${read === 0 ? ' ' : ''}${waits}${settled}.`;
}
