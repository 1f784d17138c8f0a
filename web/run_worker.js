'use strict';
// The worker that runs one program, once, started after the interpreter
// module's script, limits.js, bytes.js and run.js.
//
//   page to worker, once:
//     { run, bytes }     the program, as the string the page holds (its view, where bytes is
//                        true): the worker makes its bytes
//     or { from }        a port that the explaining worker sends the program's bytes on
//   and back:
//     { chunk, parts, shown }, again and again: the bytes written since the last time (a
//                        Uint8Array, transferred); the part of them the page shows, as parts
//                        (bytes.js), where a byte apart is boxed as \xHH, each with a fourth
//                        field: the index of the command that wrote it, for the first
//                        LIMITS.shownCommands commands; and how many bytes from the start are
//                        shown so far
//     { underway }       at once, as the module reports it: the ending that never ends on its
//                        own that the run has begun
//     { end }            how the run ended, as run.js says, or { how: 'fault', reason } where
//                        the interpreter failed without saying how it ended
//   The page ends a run itself, after LIMITS.runMs or when asked, by
//   terminating the worker.
/* global LIMITS, startQualm, runQualm, partsOf, bytesOfView */

const POST_EVERY_MS = 50;

const started = startQualm(createQualm); // ahead of the program, so that a run need not wait
const output = new Uint8Array(LIMITS.outputBytes);
let written = 0;
let sent = 0;
// Where the output of each of the first LIMITS.shownCommands commands begins, as the module
// tells, and where that of the next begins.
const begins = [];
let lastPost = Date.now();

onmessage = async ({ data }) => {
  const program = 'run' in data
    ? (data.bytes ? bytesOfView(data.run) : new TextEncoder().encode(data.run))
    : await new Promise((resolve) => {
      data.from.onmessage = ({ data: bytes }) => resolve(bytes);
    });
  const end = await runQualm(started, program, LIMITS.outputBytes, {
    output: take,
    command: (index, at) => index <= LIMITS.shownCommands && (begins[index] = at),
    ending: (how, endless) => endless && postMessage({ underway: how }),
  }).catch((thrown) => ({ how: 'fault', reason: `${thrown}` }));
  postOutput(true);
  postMessage({ end });
};

function take(bytes) {
  output.set(bytes, written);
  written += bytes.length;
  if (Date.now() - lastPost > POST_EVERY_MS) postOutput();
}

// Sends the output written since the last time, and the part of it that
// the page shows, decoded; a character cut at the end of what was written
// waits for the rest, but at the end.
function postOutput(final = false) {
  const chunk = output.slice(sent, written);
  const parts = showable(Math.min(written, LIMITS.shownBytes), final);
  sent = written;
  postMessage({ chunk, parts, shown }, [chunk.buffer]);
  lastPost = Date.now();
}

let shown = 0; // the bytes from the start that the parts sent show
let marksLeft = LIMITS.shownMarks;

// The output's bytes from the last shown up to `to`, as parts, each
// command's apart, up to the last boxed byte the page shows.
function showable(to, final) {
  const kept = [];
  while (marksLeft > 0 && shown < to) {
    // The command whose output holds the next byte, and where the next one's begins.
    let command = begins.findLastIndex((at) => at <= shown);
    const next = begins[command + 1] ?? Infinity;
    if (command === LIMITS.shownCommands) command = -1; // past those told apart
    const { parts, end } = partsOf(output, shown, Math.min(to, next), final || next <= to);
    for (const part of parts) {
      if (part[0] && marksLeft === 0) {
        shown = part[2];
        return kept;
      }
      marksLeft -= part[0];
      kept.push(command < 0 ? part : [...part, command]);
    }
    if (end === shown) break; // a character cut at `to`, to come whole with the next piece
    shown = end;
  }
  return kept;
}
