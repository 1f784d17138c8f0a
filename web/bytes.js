'use strict';
// Bytes as the page shows them: valid UTF-8 as its characters, and each
// byte that is no character, or one the page cannot show as text (a
// control character other than tab and newline, or a byte-order mark),
// apart, as \xHH. The program opened from a file is held in the editor so
// (its view), and so is the output shown; the page and both its workers
// read these.
/* exported partsOf, viewOf, bytesOfView, BYTE_TOKEN, hexOf */

// In a program's view, a byte the editor cannot show as text.
const BYTE_TOKEN = /\\x([0-9A-F]{2})/g;
const hexOf = (byte) => `\\x${byte.toString(16).toUpperCase().padStart(2, '0')}`;

// Whether the page shows the character as text.
const isShown = (code) => (code >= 0x20 || code === 0x09 || code === 0x0a)
  && !(code >= 0x7f && code < 0xa0) && code !== 0xfeff;

// The length of the character whose UTF-8 begins at `at`, where it is one
// the page shows; 0 where none does; -1 where the bytes end inside one.
function characterAt(bytes, at, end) {
  const lead = bytes[at];
  if (lead < 0x80) return isShown(lead) ? 1 : 0;
  const length = lead >= 0xf5 ? 0 : lead >= 0xf0 ? 4 : lead >= 0xe0 ? 3 : lead >= 0xc2 ? 2 : 0;
  let code = lead & (0x7f >> length);
  // The second byte's range rules out the overlong forms, surrogates and
  // what lies past U+10FFFF.
  const low = { 0xe0: 0xa0, 0xf0: 0x90 }[lead] ?? 0x80;
  const high = { 0xed: 0x9f, 0xf4: 0x8f }[lead] ?? 0xbf;
  for (let i = 1; i < length; i += 1) {
    if (at + i === end) return -1;
    const byte = bytes[at + i];
    if (byte < (i === 1 ? low : 0x80) || byte > (i === 1 ? high : 0xbf)) return 0;
    code = (code << 6) | (byte & 0x3f);
  }
  return length > 0 && isShown(code) ? length : 0;
}

// The bytes [from, to) as [marked, text, start] parts, where a marked part
// holds one byte apart, as \xHH, and start is the offset of a part's first
// byte; and where they were read to: short of `to` where the bytes end
// inside a character and more may follow (`final` false).
function partsOf(bytes, from = 0, to = bytes.length, final = true) {
  const decoder = new TextDecoder();
  const parts = [];
  let text = from;
  const flush = (at) => {
    if (text < at) parts.push([false, decoder.decode(bytes.subarray(text, at)), text]);
  };
  let at = from;
  while (at < to) {
    const length = characterAt(bytes, at, to);
    if (length < 0 && !final) break;
    if (length > 0) {
      at += length;
      continue;
    }
    flush(at);
    parts.push([true, hexOf(bytes[at]), at]);
    text = at += 1;
  }
  flush(at);
  return { parts, end: at };
}

// The view of a program's bytes, and whether it is their plain text: where
// no byte stands apart, the view is the text; where one does, a backslash
// that comes before what reads as a byte is written \x5C too.
function viewOf(bytes) {
  const { parts } = partsOf(bytes);
  const exact = !parts.some(([marked]) => marked);
  const view = parts.map(([marked, text]) => (marked || exact ? text
    : text.replace(/\\(?=x[0-9A-F]{2})/g, '\\x5C'))).join('');
  return { view, exact };
}

// The bytes of a program's view: each \xHH the byte it stands for, and the
// text between as UTF-8.
function bytesOfView(view) {
  const encoder = new TextEncoder();
  const pieces = [];
  let text = 0;
  for (const { 0: token, 1: digits, index } of view.matchAll(BYTE_TOKEN)) {
    pieces.push(encoder.encode(view.slice(text, index)), Uint8Array.of(parseInt(digits, 16)));
    text = index + token.length;
  }
  pieces.push(encoder.encode(view.slice(text)));
  const bytes = new Uint8Array(pieces.reduce((length, piece) => length + piece.length, 0));
  pieces.reduce((at, piece) => bytes.set(piece, at) ?? at + piece.length, 0);
  return bytes;
}
