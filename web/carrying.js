'use strict';
// The program carried into the page and out of it: opened from a file and
// saved to one, byte for byte, and shared in the page's address.
/* global page, held, notice, replaceProgram, askExplainer, viewOf, BYTE_TOKEN, DEFAULT_NAME,
   PAGE */
/* exported fromAddress, leaveAddress, share, save, loadFromAddress, openFile */

const ADDRESS_LIMIT = 16000; // characters that every browser and chat keeps of an address
// A program in the address, after the #: its text, or the bytes of a view,
// each percent-encoded.
const SHARED_TEXT = '#program=';
const SHARED_BYTES = '#bytes=';
const ENCODED_BYTES = /^(%[0-9A-F]{2}|[\w.!~*'()-])*$/i;

// A program from a file loads the way an example does, as its bytes: as
// text where its bytes are text, and otherwise as their view.
async function openFile() {
  const [file] = page.file.files;
  page.file.value = '';
  if (!file) return;
  const buffer = await file.arrayBuffer();
  const { view, exact } = await askExplainer({ open: buffer }, [buffer]);
  const apart = exact ? '' : ' Where the editor cannot show a byte as text, it shows \\xHH.';
  replaceProgram(view, `Opened ${file.name}.${apart}`, { bytes: !exact, name: file.name });
}

// Saves the program's bytes, under the name of the file it came from.
async function save() {
  const bytes = await askExplainer({ save: page.program.value, bytes: held.bytes });
  const link = document.createElement('a');
  link.download = held.name;
  link.href = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 60000);
}

// After an edit, the address holds a program no more, so that a reload
// shows the edited one.
function leaveAddress() {
  if ([SHARED_TEXT, SHARED_BYTES].some((prefix) => location.hash.startsWith(prefix))) {
    history.replaceState(null, '', PAGE);
  }
}

function share() {
  const program = page.program.value;
  let encoded = SHARED_TEXT + encodeURIComponent(program.toWellFormed());
  if (held.bytes) { // the text between the bytes as UTF-8, and each byte as itself
    encoded = SHARED_BYTES + program.split(BYTE_TOKEN).map((piece, i) => (i % 2 === 1
      ? `%${piece}` : encodeURIComponent(piece.toWellFormed()))).join('');
  }
  const address = PAGE + encoded;
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

// The bytes that an address holds percent-encoded.
function bytesOfAddress(encoded) {
  if (!ENCODED_BYTES.test(encoded)) throw new URIError('not percent-encoded bytes');
  return Uint8Array.from(encoded.match(/%..|./g) ?? [],
    (piece) => (piece.length === 3 ? parseInt(piece.slice(1), 16) : piece.charCodeAt(0)));
}

let fromAddress = false; // the program is being loaded from the address, not edited
function loadFromAddress() {
  const { hash } = location;
  const bytes = hash.startsWith(SHARED_BYTES);
  if (!bytes && !hash.startsWith(SHARED_TEXT)) return;
  const encoded = hash.slice((bytes ? SHARED_BYTES : SHARED_TEXT).length);
  try {
    const { view: program, exact } = bytes ? viewOf(bytesOfAddress(encoded))
      : { view: decodeURIComponent(encoded), exact: true };
    const how = { bytes: !exact, name: DEFAULT_NAME };
    fromAddress = true;
    if (program !== page.program.value || how.bytes !== held.bytes) {
      replaceProgram(program, 'Loaded the program in the address.', how);
    }
  } catch {
    notice('The address holds no program that can be read.');
  } finally {
    fromAddress = false;
  }
}
