'use strict';
// The playground's worker, started after the interpreter module's own
// script. One worker explains programs as they are edited: the command
// string of the pass and where in the program each command came from.
// Another runs one program, once: it sends the output as it comes, what of
// it the page shows, already decoded, and how the run ended.
//
// The messages between the page and its workers, all of them:
//   worker to page, first, from every worker:
//     { facts }          FACTS below, of which the page builds its words
//   page to the explaining worker, on every edit:
//     { explain }        the program, as the string the page holds
//   and back, once for each:
//     { explained: { rejected, count, commands, chips, ender, lone } }
//                        rejected: whether the pass rejects it (the syntax error);
//                        count: the length of the command string, and commands
//                        its first FACTS.shownCommands characters; chips, one for
//                        each of those: { command, start, end }, where it came
//                        from in the string; ender: the command that ends the
//                        run, or null; lone: whether a lone - is among them
//   page to a fresh worker, once:
//     { run }            the program, as a string: the worker encodes it
//   and back, in this order:
//     { ender }          as above, for the page to word the end with
//     { chunk, parts, shown }, again and again: the bytes written since the
//                        last time (a Uint8Array, transferred); the part of
//                        them the page shows, decoded, as [marked, text]
//                        pairs, where marked text is a byte boxed as \xHH;
//                        and how many bytes from the start are shown so far
//     { end }            one of { exit: status }, { abort: message },
//                        { exception: true }, { error: message } or
//                        { budget: 'output' }
//   The page ends a run itself, after FACTS.runMs or when asked, by
//   terminating the worker.

// The one home of what the page says about the language and its budgets.
const FACTS = {
  outputBytes: 1 << 20, // a run is stopped after writing this much
  runMs: 2000, // or after running this long
  shownBytes: 32 << 10, // where a person stops reading; the rest is downloaded
  shownMarks: 1000, // bytes boxed as \xHH, after which the page shows no more
  shownCommands: 300, // commands shown one by one
  // The five commands, in byte order, and what each does.
  commands: [
    ['+', 'does nothing'],
    ['-', 'turns the command right before it into one that ends the run'],
    ['9', 'sings 99 bottles of beer'],
    ['h', 'writes Hello World!'],
    ['q', 'writes the program itself'],
  ],
  // The characters of the command string that end a run: the pair of the
  // program each stands for, the end it brings, and how a console shows
  // that end (null for a run without end, which goes on until stopped).
  enders: {
    '0': { pair: '+-', words: 'a division of 1 by 0', console: 'the signal SIGFPE (status 136)' },
    'v': {
      pair: '++-', words: 're-raising an exception when none is in flight',
      console: 'the signal SIGABRT (status 134)',
    },
    '?': { pair: '9-', words: 'the song, sung again and again without end', console: null },
    '#': {
      pair: 'h-', words: 'an uncaught stream failure', console: 'the signal SIGABRT (status 134)',
    },
    '@': {
      pair: 'q-', words: 'the program text, written again and again without end', console: null,
    },
  },
};
const POST_EVERY_MS = 50;

const output = new Uint8Array(FACTS.outputBytes);
let written = 0;
let sent = 0;
let budgetReached = false;

// The interpreter takes a throw from its output as a failed write, and
// stops at once; its standard input is empty, so the final wait returns.
const ready = createQualm({
  noInitialRun: true,
  quit: (status, thrown) => { throw thrown; },
  preRun: [(module) => module.FS.init(() => null, writeByte, () => {})],
  print: () => {},
  printErr: () => {},
});

postMessage({ facts: FACTS });
onmessage = async ({ data }) => {
  const qualm = await ready;
  if ('explain' in data) postMessage({ explained: explain(qualm, data.explain) });
  if ('run' in data) run(qualm, new TextEncoder().encode(data.run));
};

// The command string of the program's bytes, and the spans of its first
// `spanRoom` commands (the rejected `-` when it is rejected).
function trace(qualm, bytes, spanRoom) {
  const text = qualm._malloc(bytes.length + 1);
  const out = qualm._malloc(bytes.length + 1);
  const spans = qualm._malloc(8 * spanRoom + 8);
  qualm.HEAPU8.set(bytes, text);
  const length = qualm._qualm_trace(text, bytes.length, out, spans, spanRoom);
  const commands =
    length < 0 ? '' : new TextDecoder().decode(qualm.HEAPU8.subarray(out, out + length));
  const traced = Math.min(spanRoom, length < 0 ? 1 : length);
  const offsets = Array.from(qualm.HEAPU32.subarray(spans / 4, spans / 4 + 2 * traced));
  for (const pointer of [text, out, spans]) qualm._free(pointer);
  return { rejected: length < 0, commands, offsets };
}

function explain(qualm, program) {
  const bytes = new TextEncoder().encode(program);
  const { rejected, commands, offsets } = trace(qualm, bytes, FACTS.shownCommands);
  const at = indexesOf(program, offsets);
  const chips = [];
  for (let i = 0; i < offsets.length; i += 2) {
    const command = rejected ? '-' : commands[i / 2];
    chips.push({ command, start: at.get(offsets[i]), end: at.get(offsets[i + 1]) });
  }
  return {
    rejected, count: commands.length, commands: commands.slice(0, FACTS.shownCommands), chips,
    ender: firstEnder(commands), lone: commands.includes('-'),
  };
}

const firstEnder = (commands) => [...commands].find((c) => c in FACTS.enders) ?? null;

// Where each of the byte offsets of the program's UTF-8 form falls in the
// program as the page holds it, in UTF-16 code units.
function indexesOf(program, offsets) {
  const at = new Map();
  let byte = 0;
  let index = 0;
  for (const offset of [...new Set(offsets)].sort((a, b) => a - b)) {
    for (; byte < offset; index += 1) {
      const unit = program.charCodeAt(index);
      const pair = unit >= 0xd800 && unit < 0xdc00 && index + 1 < program.length
        && (program.charCodeAt(index + 1) & 0xfc00) === 0xdc00;
      byte += unit < 0x80 ? 1 : unit < 0x800 ? 2 : pair ? 4 : 3;
      index += pair ? 1 : 0;
    }
    at.set(offset, index);
  }
  return at;
}

function run(qualm, program) {
  qualm.FS.writeFile('/program.qlm', program);
  postMessage({ ender: firstEnder(trace(qualm, program, 0).commands) });
  let end;
  try {
    end = { exit: qualm.callMain(['/program.qlm']) };
  } catch (thrown) {
    if (thrown instanceof WebAssembly.RuntimeError) end = { abort: String(thrown.message) };
    else if (typeof thrown === 'number') end = { exception: true };
    else end = { error: String(thrown) };
  }
  postOutput(true);
  postMessage({ end: budgetReached ? { budget: 'output' } : end });
}

let lastPost = Date.now();
function writeByte(byte) {
  if (byte === null) return;
  if (written === FACTS.outputBytes) {
    budgetReached = true;
    throw new Error('output budget reached');
  }
  output[written++] = byte;
  if ((written & 0xfff) === 0 && Date.now() - lastPost > POST_EVERY_MS) postOutput(false);
}

// Sends the output written since the last time, and the part of it that
// the page shows, decoded.
let decoded = 0;
let marksLeft = FACTS.shownMarks;
function postOutput(final) {
  const chunk = output.slice(sent, written);
  sent = written;
  const shownEnd = Math.min(written, FACTS.shownBytes);
  const parts = [];
  if (marksLeft > 0) decoded = decode(decoded, shownEnd, final && shownEnd === written, parts);
  postMessage({ chunk, parts, shown: decoded }, [chunk.buffer]);
  lastPost = Date.now();
}

// Appends the output's bytes [from, to) to `parts` as text and marks, and
// returns where it stopped. Valid UTF-8 is text; a byte that is not part
// of valid UTF-8, and a control character other than newline and tab, is
// a mark. A sequence cut off at `to` waits for more unless `final`.
function decode(from, to, final, parts) {
  let plain = from;
  let at = from;
  const flush = () => {
    if (plain < at) parts.push([false, new TextDecoder().decode(output.subarray(plain, at))]);
  };
  while (at < to && marksLeft > 0) {
    let length = sequenceLength(at, to);
    if (length < 0 && !final) break;
    const marked = length <= 0 || isControl(at, length);
    if (!marked) {
      at += length;
      continue;
    }
    flush();
    length = Math.max(length, 1);
    parts.push([true, [...output.subarray(at, at + length)].map(hex).join('')]);
    marksLeft -= 1;
    at += length;
    plain = at;
  }
  flush();
  return at;
}

const hex = (byte) => `\\x${byte.toString(16).toUpperCase().padStart(2, '0')}`;

function isControl(at, length) {
  const first = output[at];
  if (length === 1) return (first < 0x20 && first !== 0x0a && first !== 0x09) || first === 0x7f;
  return length === 2 && first === 0xc2 && output[at + 1] < 0xa0; // U+0080 to U+009F
}

// The length of the UTF-8 sequence at `at`: 0 when it is not valid, -1
// when it is cut off at `end`.
function sequenceLength(at, end) {
  const first = output[at];
  if (first < 0x80) return 1;
  // The number of bytes, and the range of the second byte, by the first.
  const [length, low, high] =
    first >= 0xc2 && first <= 0xdf ? [2, 0x80, 0xbf]
    : first === 0xe0 ? [3, 0xa0, 0xbf]
    : first === 0xed ? [3, 0x80, 0x9f]
    : first >= 0xe1 && first <= 0xef ? [3, 0x80, 0xbf]
    : first === 0xf0 ? [4, 0x90, 0xbf]
    : first >= 0xf1 && first <= 0xf3 ? [4, 0x80, 0xbf]
    : first === 0xf4 ? [4, 0x80, 0x8f]
    : [0, 0, 0];
  for (let i = 1; i < length; i += 1) {
    if (at + i >= end) return -1;
    const next = output[at + i];
    if (next < (i === 1 ? low : 0x80) || next > (i === 1 ? high : 0xbf)) return 0;
  }
  return length;
}
