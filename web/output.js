'use strict';
// Putting a run's output on the page a piece at a time, a piece a task,
// each laid out at once, so that the page never freezes, whatever a
// program writes.
/* global page */
/* exported clearOutput, addOutput, afterOutput, afterPiece, dropOutput, markOutputOf,
   commandAt */

const PIECE_CHARS = 4096; // the most output put on the page in one task
const PIECE_LINES = 256; // and the most lines

// The output's parts not yet on the page, as [marked, text, start,
// command] (see run_worker.js), and the element that the next text goes
// on, until a line ends.
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
    const [marked, text, start, command] = waiting[0];
    let cut = Math.min(text.length, chars);
    for (let at = marked ? -1 : text.indexOf('\n'); at >= 0 && at < cut;
      at = text.indexOf('\n', at + 1)) {
      if (--lines === 0) cut = at + 1;
    }
    cut -= (text.charCodeAt(cut - 1) & 0xfc00) === 0xd800; // not between the halves of a pair
    if (cut === 0 || (marked && cut < text.length)) return; // the rest in the next piece
    openLine ??= page.output.appendChild(document.createElement('div'));
    // What a command the page told apart wrote stands in an element of its own.
    if (marked || command !== undefined) {
      const piece = openLine.appendChild(document.createElement('span'));
      piece.className = marked ? 'byte' : '';
      piece.textContent = text.slice(0, cut);
      if (command !== undefined) piece.dataset.command = command;
    } else {
      openLine.append(text.slice(0, cut));
    }
    if (text[cut - 1] === '\n') openLine = null;
    chars -= cut;
    if (cut < text.length) waiting[0] = [false, text.slice(cut), start, command];
    else waiting.shift();
  }
}

// Marks the output that command `i` wrote, the first of it scrolled into
// view; or, for null, none. Stale output, of an earlier program, is not
// that of the commands shown.
let marked = [];
function markOutputOf(i) {
  for (const piece of marked) piece.classList.remove('pointed');
  marked = i === null || page.results.classList.contains('stale') ? []
    : [...page.output.querySelectorAll(`[data-command="${i}"]`)];
  for (const piece of marked) piece.classList.add('pointed');
  const [first] = marked;
  if (!first) return;
  const [box, frame] = [first.getBoundingClientRect(), page.output.getBoundingClientRect()];
  if (box.top < frame.top || box.bottom > frame.bottom) {
    page.output.scrollTop += box.top - frame.top - page.output.clientHeight / 3;
  }
}

// The command that wrote the output at `node`, or null; on a line, but by
// none of its text (a blank line, or past the end of a line), the command
// that wrote its start.
function commandAt(node) {
  const line = node instanceof Element && node.parentElement === page.output;
  const piece = !(node instanceof Element) ? null
    : line ? node.querySelector('[data-command]') : node.closest('[data-command]');
  return piece && !page.results.classList.contains('stale') ? Number(piece.dataset.command) : null;
}
