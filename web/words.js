'use strict';
// What the page says: the one table of the language's words, keyed by the
// language's own spelling, joined to the characters the module sends; the
// lines about the language and the budgets; and how a run ended.
/* global LIMITS, page, facts */
/* exported learn, plural, showFacts, describeEnd */

const WORDS = {
  // What each command does.
  commands: {
    '+': 'does nothing',
    '-': 'turns the command right before it into one that ends the run',
    '9': 'sings 99 bottles of beer',
    'h': 'writes Hello World!',
    'q': 'writes the program itself',
  },
  // How each pair ends a run, and how a console shows that end (null for a
  // run without end, which goes on until stopped).
  pairs: {
    '+-': { brings: 'a division of 1 by 0', console: 'the signal SIGFPE (status 136)' },
    '++-': {
      brings: 're-raising an exception when none is in flight',
      console: 'the signal SIGABRT (status 134)',
    },
    '9-': { brings: 'the song, sung again and again without end', console: null },
    'h-': { brings: 'an uncaught stream failure', console: 'the signal SIGABRT (status 134)' },
    'q-': { brings: 'the program text, written again and again without end', console: null },
  },
};

// The language as the page words it, from the characters the module sent:
// each command with what it does, and by the character that stands for a
// pair in the command string, the pair's run and words.
function learn({ commands, pairs }) {
  return {
    commands: [...commands].map((command) => [command, WORDS.commands[command]]),
    enders: Object.fromEntries(pairs.map(([run, ender]) =>
      [ender, { run, pair: `${run}-`, ...WORDS.pairs[`${run}-`] }])),
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
  page.boxed.replaceChildren('Control characters other than newline and tab are shown boxed,',
    ' as ', mark, '.');
  page.limits.replaceChildren(`A run is stopped after ${size(LIMITS.outputBytes)} of output or`,
    ` ${LIMITS.runMs / 1000} s. The page shows the first ${size(LIMITS.shownBytes)} of the`,
    ` output, up to its ${plural(LIMITS.shownMarks, 'boxed byte')}; the download has all of it.`);
}

// How a run ended, in words, and whether that is an abnormal end: what a
// console would show, and what the page saw, from how the run ended (see
// run.js, and 'time' and 'stopped' from the page) and the explanation of
// its program.
function describeEnd(end, { rejected, ender }) {
  const paired = facts.enders[ender];
  const key = 'in a console, qualm first waits for a key';
  if (end.end === 'exit') return exitWords(end, rejected, key);
  const by = { budget: `after ${size(LIMITS.outputBytes)} of output`,
    time: `after ${LIMITS.runMs / 1000} s`, stopped: 'by you' }[end.end];
  if (by && paired && !paired.console) {
    return [`Stopped ${by}: ${paired.pair} brings ${paired.brings}; in a console it runs until`
      + ' stopped.', true];
  }
  if (by) {
    return [`Stopped ${by}. The program would end on its own${paired ? `, by ${paired.pair}` : ''};`
      + ' the page stopped it first.', true];
  }
  const saw = { exception: 'an exception that nothing caught',
    abort: end.by === 'trap' ? `the interpreter stop on “${end.reason}”`
      : `the interpreter abort${end.reason ? `, saying “${end.reason}”` : ''}`,
    error: `an error: “${end.reason}”` }[end.end];
  if (!paired) return [`Ended abnormally: the page saw ${saw}.`, true];
  return [`Ended by ${paired.pair}: ${paired.brings}. In a console, ${paired.console} ends it;`
    + ` here the page saw ${saw}.`, true];
}

// Status 1 is the syntax error, or a failure that the interpreter names on
// standard error.
function exitWords({ status, stderr }, rejected, key) {
  if (status === 0) return [`Ended normally, with status 0 (${key}).`, false];
  if (status === 1 && rejected) return [`Syntax error, nothing ran: status 1 (${key}).`, true];
  const said = stderr.trim().replace(/^qualm: /, '');
  if (/^out of memory/.test(said)) {
    return ['The program is too large for memory: status 1, and nothing ran.', true];
  }
  if (/^cannot write/.test(said)) return [`Stopped: it ${said}, with status 1.`, true];
  return [`Ended with status ${status}${said ? `, saying “${said}”` : ''}.`, true];
}
