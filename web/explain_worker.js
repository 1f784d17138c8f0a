'use strict';
// The worker that explains programs as they are edited, started after the
// interpreter module's script, limits.js and bytes.js: the command string of
// the pass and where in the program each command came from; and the one
// that turns a program's view into its bytes and back.
//
//   worker to page, first:
//     { language: { commands, pairs, runs } }   the language's characters, from the module:
//                        the command characters, and [run, character, ending] for each pair,
//                        where the character stands in the command string for the run and its
//                        -, and the ending is the name of the one it brings; and the pass's
//                        pending runs (pendingRunsOf in run.js)
//   page to worker, on every edit:
//     { explain, bytes } the program, as the string the page holds: its text, or, where bytes
//                        is true, its view (bytes.js)
//     { hand }           a port, to send the bytes of the program explained last on, so that a
//                        run of it need not copy a large program on the page's thread
//     { open, port }     bytes of a file: sends { view, exact } (bytes.js) on the port
//     { save, bytes, port }   a program, as { explain, bytes }: sends its bytes on the port
//     { stepping } and { step }   stepping through the pass of the program explained last:
//                        see steps.js
//   and back, once for each explain:
//     { explained: { rejected, count, commands, chips, ender, lone } }
//                        rejected: whether the pass rejects it (the syntax error);
//                        count: the length of the command string, and commands its first
//                        LIMITS.shownCommands characters; chips, one for each of those:
//                        { command, start, end }, where it came from in the string; ender:
//                        the character of the pair that ends the run, or null; lone:
//                        whether a lone - is among the commands
/* global LIMITS, languageOf, pendingRunsOf, traceQualm, viewOf, bytesOfView, BYTE_TOKEN,
   traceSteps, stepAt */

const ready = createQualm({ noInitialRun: true, print: () => {}, printErr: () => {} });
const language = ready.then((qualm) => ({ ...languageOf(qualm), runs: pendingRunsOf(qualm) }));
language.then((facts) => postMessage({ language: facts }));
let lastBytes = new Uint8Array(0);
let last = null; // the program explained last: { program, held, bytes, commands, rejected }
onmessage = async ({ data }) => {
  if ('hand' in data) return data.hand.postMessage(lastBytes);
  if ('open' in data) return data.port.postMessage(viewOf(new Uint8Array(data.open)));
  if ('save' in data) return data.port.postMessage(bytesOf(data.save, data.bytes));
  const qualm = await ready;
  if ('stepping' in data) return data.port.postMessage(traceSteps(qualm, last));
  if ('step' in data) return data.port.postMessage(stepAt(data.step, data.toward));
  postMessage({ explained: explain(qualm, await language, data.explain, data.bytes) });
};

const bytesOf = (program, bytes) => (bytes ? bytesOfView(program)
  : new TextEncoder().encode(program));

function explain(qualm, { pairs, runs }, program, held) {
  const bytes = lastBytes = bytesOf(program, held);
  const { length, commands: commandString, spans: offsets } =
    traceQualm(qualm, bytes, LIMITS.shownCommands);
  const rejected = length < 0;
  last = { program, held, bytes, commands: commandString, rejected, runs };
  const commands = new TextDecoder().decode(commandString.subarray(0, LIMITS.shownCommands));
  const enders = pairs.map(([, ender]) => [commandString.indexOf(ender.charCodeAt(0)), ender])
    .filter(([at]) => at >= 0).sort(([a], [b]) => a - b);
  const lone = commandString.includes('-'.charCodeAt(0));
  const at = indexesOf(program, held, offsets);
  const chips = [];
  for (let i = 0; i < offsets.length; i += 2) {
    chips.push({ command: rejected ? '-' : commands[i / 2], start: at.get(offsets[i]),
      end: at.get(offsets[i + 1]) });
  }
  return { rejected, count: Math.max(length, 0), commands, chips, ender: enders[0]?.[1] ?? null,
    lone };
}

// Walks the program as the page holds it, a character at a time, from
// `from` (a byte offset and its index): visit(byte, index, bytes, units) is
// called for each character, with its byte offset and index and its length
// in bytes and in UTF-16 code units (in a view, \xHH is one byte), and at
// the end with lengths of 0, until it returns true.
function walkView(program, held, from, visit) {
  const token = new RegExp(BYTE_TOKEN.source, 'y');
  let [byte, index] = from;
  while (index < program.length) {
    let [bytes, units] = [1, 4];
    if (!held || program[index] !== '\\' || (token.lastIndex = index, !token.test(program))) {
      const unit = program.charCodeAt(index);
      const pair = unit >= 0xd800 && unit < 0xdc00 && index + 1 < program.length
        && (program.charCodeAt(index + 1) & 0xfc00) === 0xdc00;
      [bytes, units] = [unit < 0x80 ? 1 : unit < 0x800 ? 2 : pair ? 4 : 3, pair ? 2 : 1];
    }
    if (visit(byte, index, bytes, units)) return;
    byte += bytes;
    index += units;
  }
  visit(byte, index, 0, 0);
}

// Where each of the byte offsets of the program's bytes falls in the
// program as the page holds it, in UTF-16 code units, walking from `from`,
// at or before the first of them.
function indexesOf(program, held, offsets, from = [0, 0]) {
  const at = new Map();
  const sorted = [...new Set(offsets)].sort((a, b) => a - b);
  walkView(program, held, from, (byte, index) => {
    while (at.size < sorted.length && sorted[at.size] <= byte) at.set(sorted[at.size], index);
    return at.size === sorted.length;
  });
  return at;
}
