'use strict';
// Keeping the program across a reload, sharing it in the page's address,
// saving it to a file, and loading a program the way typing would.
/* global page */
/* exported storage, keep, fromAddress, leaveAddress, share, save, notice, loadFromAddress,
   loadExample, listExamples, restoreKept, showExample, openFile */

const ADDRESS_LIMIT = 16000; // characters that every browser and chat keeps of an address
// A program kept for each page address: the tab's own (sessionStorage), and
// the last one typed in any tab (localStorage), which a new tab starts from.
const PAGE_KEY = `qualm.program ${location.href.split('#')[0]}`;
const REPLACED_KEY = `qualm.replaced ${location.href.split('#')[0]}`;
const SHARE_PREFIX = '#program=';
// The longest program kept across a reload: keeping it, at every key, takes a few ms. Keeping a
// longer one would hold the page up for as long as a browser lets it be, and then fail.
const KEPT_AT_MOST = 1 << 20;
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

let keeping = ''; // what #kept says
function keep() {
  const program = page.program.value;
  let says = '';
  try {
    if (program.length <= KEPT_AT_MOST) {
      tabStorage.setItem(PAGE_KEY, program);
      storage.setItem(PAGE_KEY, program);
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
    page.program.value = tabStorage.getItem(PAGE_KEY) ?? storage.getItem(PAGE_KEY)
      ?? page.program.value;
    offerUndo(tabStorage.getItem(REPLACED_KEY));
  } catch {
    // kept nothing that can be read
  }
  if (!storage) page.kept.textContent = keeping = REFUSED;
}

// The program that a load replaced, one click away, across a reload too.
function offerUndo(replaced) {
  page.undo.hidden = replaced === null;
  try {
    if (replaced === null) tabStorage.removeItem(REPLACED_KEY);
    else tabStorage.setItem(REPLACED_KEY, replaced);
  } catch {
    // the button still brings it back until a reload
  }
  page.undo.onclick = () => {
    replaceProgram(replaced, 'Brought back the program you had.');
    offerUndo(null);
  };
}

// After an edit, the address holds a program no more, so that a reload
// shows the edited one.
function leaveAddress() {
  if (location.hash.startsWith(SHARE_PREFIX)) {
    history.replaceState(null, '', location.href.split('#')[0]);
  }
}

function share() {
  const address = location.href.split('#')[0] + SHARE_PREFIX
    + encodeURIComponent(page.program.value.toWellFormed());
  if (address.length > ADDRESS_LIMIT) {
    notice('This program is too long to share in an address: it would take'
      + ` ${address.length.toLocaleString('en')} characters, and`
      + ` ${ADDRESS_LIMIT.toLocaleString('en')} is the most that every browser keeps.`
      + ' Save to a file, and send the file.');
    return;
  }
  history.replaceState(null, '', address);
  const where = location.protocol === 'file:'
    ? 'This page was opened from a file, so the address opens the program on this computer only.'
    : 'Opening it loads the program; it holds the program itself, and nothing is sent anywhere.';
  navigator.clipboard.writeText(address).then(
    () => notice(`Copied the address of this program. ${where}`),
    () => notice(`The address bar now holds this program: copy it from there. ${where}`));
}

function save() {
  const link = document.createElement('a');
  link.download = 'program.qlm';
  link.href = URL.createObjectURL(new Blob([page.program.value], { type: 'text/plain' }));
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 60000);
}

function notice(text) {
  page.notice.textContent = text;
}

let fromAddress = false; // the program is being loaded from the address, not edited
function loadFromAddress() {
  if (!location.hash.startsWith(SHARE_PREFIX)) return;
  try {
    const program = decodeURIComponent(location.hash.slice(SHARE_PREFIX.length));
    fromAddress = true;
    if (program !== page.program.value) {
      replaceProgram(program, 'Loaded the program in the address.');
    }
  } catch {
    notice('The address holds no program that can be read.');
  } finally {
    fromAddress = false;
  }
}

function listExamples() {
  page.examples.append(new Option('None: a program of your own', ''));
  for (const example of document.querySelectorAll('script.example')) {
    const name = example.dataset.name.replaceAll('_', ' ');
    const program = example.textContent.trim();
    const label = `${name[0].toUpperCase()}${name.slice(1)}: ${program}`;
    page.examples.append(new Option(label, example.textContent));
  }
}

function loadExample() {
  if (page.examples.value === '') return;
  replaceProgram(page.examples.value,
    `Loaded the example ${page.examples.selectedOptions[0].text}.`);
}

// The examples list shows the example the program is, or that it is none.
function showExample() {
  page.examples.value = page.program.value;
  if (page.examples.selectedIndex < 0) page.examples.value = '';
}

// A program from a file loads the way an example does.
async function openFile() {
  const [file] = page.file.files;
  page.file.value = '';
  if (file) replaceProgram(await file.text(), `Opened ${file.name}.`);
}

// Replaces the program the way typing would, so that undo brings the old
// one back.
function replaceProgram(text, what) {
  const replaced = page.program.value;
  page.program.focus();
  page.program.select();
  if (!document.execCommand('insertText', false, text)) {
    page.program.setRangeText(text, 0, page.program.value.length, 'end');
    page.program.dispatchEvent(new Event('input'));
  }
  offerUndo(replaced === text ? null : replaced);
  notice(`${what} Undo (Ctrl+Z) brings back the program you had.`);
}
