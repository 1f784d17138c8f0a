'use strict';
// Putting a run's output on the page a piece at a time, a piece a task,
// each laid out at once, so that the page never freezes, whatever a
// program writes.
/* global page */
/* exported clearOutput, addOutput, afterOutput, afterPiece, dropOutput */

const PIECE_CHARS = 4096; // the most output put on the page in one task
const PIECE_LINES = 256; // and the most lines

// The output's parts not yet on the page, as [marked, text] (see
// run_worker.js), and the element that the next text goes on, until a
// line ends.
let waiting = [];
let openLine = null;
let drawing = false;
let whenDrawn = null;
let whenPiece = null;
const slices = new MessageChannel();
slices.port1.onmessage = drawSlice;

function clearOutput() {
  waiting = [];
  openLine = null;
  whenDrawn = whenPiece = null;
  page.output.replaceChildren();
}

// Drops the output not yet on the page; says whether there was any.
function dropOutput() {
  const any = waiting.length > 0;
  waiting = [];
  drawing = false; // the slice already asked for finds nothing
  whenDrawn = null;
  return any;
}

function addOutput(parts) {
  waiting.push(...parts);
  if (!drawing) slices.port2.postMessage(null);
  drawing = true;
}

// Calls `then` once the next piece of output is on the page, laid out.
function afterPiece(then) {
  whenPiece = then;
}

// Calls `then` once all of the output added is on the page.
function afterOutput(then) {
  if (drawing) whenDrawn = then;
  else then();
}

function drawSlice() {
  drawPiece();
  page.output.getBoundingClientRect(); // laid out now, in this task, only the new lines
  const then = whenPiece;
  whenPiece = null;
  then?.();
  drawing = waiting.length > 0;
  if (drawing) slices.port2.postMessage(null);
  else if (whenDrawn) {
    const then = whenDrawn;
    whenDrawn = null;
    then();
  }
}

// Up to PIECE_LINES lines or PIECE_CHARS characters of the waiting output,
// whole lines in a block of their own, so that the page lays out only the
// new lines.
function drawPiece() {
  let chars = PIECE_CHARS;
  let lines = PIECE_LINES;
  while (lines > 0 && waiting.length > 0) {
    const [marked, text] = waiting[0];
    let cut = Math.min(text.length, chars);
    for (let at = marked ? -1 : text.indexOf('\n'); at >= 0 && at < cut;
      at = text.indexOf('\n', at + 1)) {
      if (--lines === 0) cut = at + 1;
    }
    cut -= (text.charCodeAt(cut - 1) & 0xfc00) === 0xd800; // not between the halves of a pair
    if (cut === 0 || (marked && cut < text.length)) return; // the rest in the next piece
    openLine ??= page.output.appendChild(document.createElement('div'));
    if (marked) {
      const mark = openLine.appendChild(document.createElement('span'));
      mark.className = 'byte';
      mark.textContent = text;
    } else {
      openLine.append(text.slice(0, cut));
      if (text[cut - 1] === '\n') openLine = null;
    }
    chars -= cut;
    if (cut < text.length) waiting[0] = [false, text.slice(cut)];
    else waiting.shift();
  }
}
