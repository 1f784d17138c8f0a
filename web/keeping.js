'use strict';
// The program in the editor: how it is held (typed as text, whose bytes
// are its UTF-8; or opened as bytes, whose view writes each byte the editor
// cannot show as text as \xHH, bytes.js), kept across a reload, replaced
// the way typing would, and what an edit does to its bytes.
/* global page, BYTE_TOKEN */
/* exported PAGE, held, isCurrent, storage, keep, restoreKept, replaceProgram, followEdit, notice,
   DEFAULT_NAME, keyboard */

const PAGE = location.href.split('#')[0];
// A program kept for each page address: the tab's own (sessionStorage), and
// the last one typed in any tab (localStorage), which a new tab starts from;
// each as its text or view, and how it is held.
const PAGE_KEY = `qualm.program ${PAGE}`;
const HELD_KEY = `qualm.held ${PAGE}`;
const REPLACED_KEY = `qualm.replaced ${PAGE}`;
const DEFAULT_NAME = 'program.qlm';
// The longest program kept across a reload: keeping it, at every key, takes a few ms. Keeping a
// longer one would hold the page up for as long as a browser lets it be, and then fail.
const KEPT_AT_MOST = 1 << 20;
const REMEMBERED = 16; // programs replaced, whose way of being held undo brings back
// The longest program put in the way typing would, so that Ctrl+Z takes it out: the browser
// takes a millisecond or more for each of its lines. A longer one goes in at once.
const TYPED_AT_MOST = { lines: 100, characters: 1 << 16 };
const REFUSED = 'This browser lets the page keep nothing, so the program will not be kept across'
  + ' a reload: Save to a file or Share keeps it.';
const FULL = 'The browser\'s storage for this page is full, so the program will not be kept'
  + ' across a reload: Save to a file or Share keeps it.';

// The browser's storage, the tab's and the lasting one, or null where it refuses it.
const opened = (name) => {
  try {
    window[name].getItem(PAGE_KEY);
    return window[name];
  } catch {
    return null;
  }
};
const tabStorage = opened('sessionStorage');
const storage = tabStorage && opened('localStorage');

// How the program is held: bytes, whether it is a view of bytes; and the
// name of the file it came from, which Save names its file.
let held = { bytes: false, name: DEFAULT_NAME };
const heldAs = new Map(); // program -> how it was held, for those a load replaced or brought
let replacing = false; // the program is being replaced, not edited
let before = ''; // the program before the last edit

// Whether an explanation, or a run, is of the program as it stands.
const isCurrent = ({ program, bytes }) => program === page.program.value && bytes === held.bytes;

let keeping = ''; // what #kept says
function keep() {
  const program = page.program.value;
  let says = '';
  try {
    if (program.length <= KEPT_AT_MOST) {
      for (const kept of [tabStorage, storage]) {
        kept.setItem(PAGE_KEY, program);
        kept.setItem(HELD_KEY, JSON.stringify(held));
      }
    } else {
      // no older program comes back in its place
      for (const kept of [tabStorage, storage]) kept.removeItem(PAGE_KEY);
      says = 'This program is too long to keep across a reload: Save to a file keeps it.';
    }
  } catch (error) {
    says = error.name === 'QuotaExceededError' ? FULL : REFUSED;
  }
  if (says !== keeping) page.kept.textContent = keeping = says;
}

function restoreKept() {
  try {
    const kept = tabStorage.getItem(PAGE_KEY) === null ? storage : tabStorage;
    page.program.value = kept.getItem(PAGE_KEY) ?? page.program.value;
    held = JSON.parse(kept.getItem(HELD_KEY)) ?? held;
    offerUndo(JSON.parse(tabStorage.getItem(REPLACED_KEY)));
  } catch {
    // kept nothing that can be read
  }
  before = page.program.value;
  showHeld();
  if (!storage) page.kept.textContent = keeping = REFUSED;
}

// The program that a load replaced, one click away, across a reload too,
// for as long as the program is what the load made it.
function offerUndo(replaced) {
  page.undo.hidden = replaced === null;
  try {
    if (replaced === null) tabStorage.removeItem(REPLACED_KEY);
    else tabStorage.setItem(REPLACED_KEY, JSON.stringify(replaced));
  } catch {
    // the button still brings it back until a reload
  }
  page.undo.onclick = () => {
    replaceProgram(replaced.program, 'Brought back the program you had.', replaced.held,
      'the one you had loaded');
    offerUndo(null);
  };
}

// Replaces the program the way typing would, so that undo brings the old
// one back, and holds the new one as `how` says; says `what` it did, and
// what undo brings back.
function replaceProgram(text, what, how = { bytes: false, name: DEFAULT_NAME },
  undone = 'the program you had') {
  const replaced = { program: page.program.value, held };
  for (const [program, as] of [[replaced.program, held], [text, how]]) {
    heldAs.delete(program);
    heldAs.set(program, as);
  }
  if (heldAs.size > REMEMBERED) heldAs.delete(heldAs.keys().next().value);
  held = how;
  replacing = true;
  page.program.focus();
  page.program.select();
  const typed = text.length <= TYPED_AT_MOST.characters
    && text.split('\n', TYPED_AT_MOST.lines + 1).length <= TYPED_AT_MOST.lines
    && document.execCommand('insertText', false, text);
  if (!typed) {
    page.program.setRangeText(text, 0, page.program.value.length, 'end');
    page.program.dispatchEvent(new Event('input'));
  }
  replacing = false;
  before = text;
  showHeld();
  const same = replaced.program === text && replaced.held.bytes === how.bytes;
  offerUndo(same ? null : replaced);
  const undo = typed && keyboard() ? 'Undo (Ctrl+Z)' : 'Undo';
  notice(`${what} ${undo} brings back ${undone}.`);
}

// Whether there is a keyboard to press keys on, as a pointer that is not a finger suggests.
const keyboard = () => !matchMedia('(pointer: coarse)').matches;

// An edit: undo or redo brings back how a program they bring back was
// held; the Undo button goes, as it would no longer bring back what the
// load replaced; and an edit that takes out or puts in a byte of a view
// says so.
function followEdit({ inputType }) {
  if (replacing) return;
  const program = page.program.value;
  if (/^history/.test(inputType) && heldAs.has(program)) {
    held = heldAs.get(program);
    showHeld();
    notice('Brought back the program you had.');
  }
  offerUndo(null);
  if (held.bytes) sayChangedBytes(before, program);
  before = program;
}

// Says which bytes written \xHH an edit took out of a view or put in.
function sayChangedBytes(old, now) {
  let start = 0;
  while (start < old.length && old[start] === now[start]) start += 1;
  let end = 0;
  while (end < old.length - start && end < now.length - start
    && old[old.length - 1 - end] === now[now.length - 1 - end]) end += 1;
  // Widened by a byte's length less one, to take in any byte the edit cut.
  const [from, back] = [Math.max(0, start - 3), Math.max(0, end - 3)];
  const bytesIn = (text) => [...text.slice(from, text.length - back).matchAll(BYTE_TOKEN)]
    .map(([token]) => token);
  const [out, put] = [bytesIn(old), bytesIn(now)];
  while (out.length && put.length && out[0] === put[0]) out.shift() && put.shift();
  while (out.length && put.length && out.at(-1) === put.at(-1)) out.pop() && put.pop();
  if (out.length + put.length === 0) return;
  const listed = (tokens, verb) => (tokens.length === 0 ? []
    : [`${verb} the byte${tokens.length === 1 ? '' : 's'} ${tokens.join(' ')}`]);
  notice(`This edit ${[...listed(out, 'took out'), ...listed(put, 'put in')].join(' and ')},`
    + ' which \\xHH stands for in this program; Ctrl+Z brings back what it was.');
}

// Says how the program is held, where it is held as bytes.
function showHeld() {
  page.held.hidden = !held.bytes;
  if (held.bytes) page.program.setAttribute('aria-describedby', 'held');
  else page.program.removeAttribute('aria-describedby');
  page.held.textContent = `This program is ${held.name}, held as its bytes: \\xHH stands for`
    + ' a byte that the editor cannot show as text, such as a carriage return (\\x0D) or a byte'
    + ' of no character, and so does \\xHH typed here. Run and Save use the bytes.';
}

function notice(text) {
  page.notice.textContent = text;
}
