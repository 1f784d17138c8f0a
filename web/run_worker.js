'use strict';
// The worker that runs one program, once, started after the interpreter
// module's script, limits.js and run.js.
//
//   page to worker, once:
//     { run }            the program, as the string the page holds: the worker encodes it
//     or { from }        a port that the explaining worker sends the program's bytes on
//   and back:
//     { chunk, parts, shown }, again and again: the bytes written since the last time (a
//                        Uint8Array, transferred); the part of them the page shows, decoded,
//                        as [marked, text] pairs, where marked text is a control character's
//                        bytes boxed as \xHH; and how many bytes from the start are shown so far
//     { underway }       at once, as the module reports it: the ending that never ends on its
//                        own that the run has begun
//     { end }            how the run ended, as run.js says, or { how: 'fault', reason } where
//                        the interpreter failed without saying how it ended
//   The page ends a run itself, after LIMITS.runMs or when asked, by
//   terminating the worker.
/* global LIMITS, startQualm, runQualm */

const POST_EVERY_MS = 50;
const CONTROL = /(?![\t\n])\p{Cc}/gu; // control characters other than tab and newline, C1 too

const started = startQualm(createQualm); // ahead of the program, so that a run need not wait
const output = new Uint8Array(LIMITS.outputBytes);
let written = 0;
let sent = 0;
let lastPost = Date.now();

onmessage = async ({ data }) => {
  const program = 'run' in data ? new TextEncoder().encode(data.run)
    : await new Promise((resolve) => {
      data.from.onmessage = ({ data: bytes }) => resolve(bytes);
    });
  const end = await runQualm(started, program, LIMITS.outputBytes, {
    output: take,
    ending: (how, endless) => endless && postMessage({ underway: how }),
  }).catch((thrown) => ({ how: 'fault', reason: `${thrown}` }));
  postOutput();
  postMessage({ end });
};

function take(bytes) {
  output.set(bytes, written);
  written += bytes.length;
  if (Date.now() - lastPost > POST_EVERY_MS) postOutput();
}

// Sends the output written since the last time, and the part of it that
// the page shows, decoded.
function postOutput() {
  const chunk = output.slice(sent, written);
  const parts = showable(sent, Math.min(written, LIMITS.shownBytes));
  sent = written;
  postMessage({ chunk, parts, shown }, [chunk.buffer]);
  lastPost = Date.now();
}

// The output of a program from the page is valid UTF-8, the program's own
// text and the interpreter's words, until the output budget cuts it, far
// past what the page shows; a character cut at the end of a piece waits
// for the next.
const decoder = new TextDecoder();
let shown = 0;
let marksLeft = LIMITS.shownMarks;

// The output's bytes [from, to) as [marked, text] parts, up to the last
// boxed byte the page shows.
function showable(from, to) {
  if (from >= to || marksLeft === 0) return [];
  const text = decoder.decode(output.subarray(from, to), { stream: true });
  const parts = [];
  let plain = 0;
  for (const { 0: control, index } of text.matchAll(CONTROL)) {
    if (marksLeft === 0) break;
    if (plain < index) parts.push([false, text.slice(plain, index)]);
    parts.push([true, [...utf8(control)].map(hex).join('')]);
    plain = index + 1;
    marksLeft -= 1;
  }
  const end = marksLeft === 0 ? plain : text.length;
  if (plain < end) parts.push([false, text.slice(plain, end)]);
  shown += utf8(text.slice(0, end)).length;
  return parts;
}

const utf8 = (text) => new TextEncoder().encode(text);
const hex = (byte) => `\\x${byte.toString(16).toUpperCase().padStart(2, '0')}`;
