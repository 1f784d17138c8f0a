'use strict';
// The commands as chips, one Tab stop with the arrow keys inside; pointing
// at a chip, or focusing it, marks the characters it came from over the
// program, scrolled into view, leaving the program's caret and selection as
// they were, and the output it wrote; pointing at output marks the chip of
// the command that wrote it, and its characters.
/* global page, facts, explained, sourceOf, meaningOf, isCurrent, markOutputOf, commandAt */
/* exported chipFor, rove, rovingAt, roveByKey, point, followScroll, pointFromOutput */

let rovingAt = 0; // the chip that Tab reaches

// A command as a chip, for the explanation shown.
function chipFor(chip, i) {
  const element = document.createElement('span');
  element.setAttribute('role', 'option');
  element.tabIndex = -1;
  const paired = chip.command in facts.enders;
  const ends = explained.chips.findIndex((c) => c.command in facts.enders);
  element.className = explained.rejected ? 'chip rejected' : paired ? 'chip paired'
    : chip.command === '-' ? 'chip lone' : 'chip';
  if (ends >= 0 && i > ends) element.classList.add('unreached');
  element.textContent = paired || chip.command === '-' ? sourceOf(chip) : chip.command;
  element.setAttribute('aria-label', meaningOf(chip));
  element.addEventListener('focus', () => rove(i, false));
  element.addEventListener('mouseenter', () => point(i));
  return element;
}

function rove(i, focus) {
  const chips = page.commands.children;
  if (chips.length === 0) return point(null);
  rovingAt = Math.max(0, i);
  for (const [at, chip] of [...chips].entries()) {
    chip.tabIndex = at === rovingAt ? 0 : -1;
    chip.setAttribute('aria-selected', String(at === rovingAt));
  }
  if (focus) chips[rovingAt].focus();
  point(page.commands.contains(document.activeElement) ? rovingAt : null);
}

function roveByKey(event) {
  const last = page.commands.children.length - 1;
  const to = { ArrowRight: rovingAt + 1, ArrowDown: rovingAt + 1, ArrowLeft: rovingAt - 1,
    ArrowUp: rovingAt - 1, Home: 0, End: last }[event.key];
  if (to === undefined) return;
  event.preventDefault();
  rove(Math.min(Math.max(to, 0), last), true);
}

// Shows where chip `i` came from, over the program, scrolled into its
// view; or, for null, nothing but the - that a syntax error rejects.
function point(i) {
  markOutputOf(i);
  const chip = explained.chips[i ?? (explained.rejected ? 0 : -1)];
  page.mirror.hidden = !chip || !isCurrent(explained);
  if (page.mirror.hidden) {
    page.pointed.textContent = 'Point at a command, or focus it, to see where it came from.';
    return;
  }
  const before = explained.program.slice(0, chip.start);
  const line = before.length - before.replaceAll('\n', '').length + 1;
  const meaning = meaningOf(chip);
  page.pointed.textContent = `Line ${line}: ${meaning}${/[.!?]$/.test(meaning) ? '' : '.'}`;
  const mark = document.createElement('mark');
  mark.textContent = sourceOf(chip);
  const copy = page.mirror.firstChild;
  copy.replaceChildren(before, mark);
  const area = page.program;
  page.mirror.style.width = `${area.clientWidth + area.clientLeft * 2}px`;
  page.mirror.style.height = `${area.clientHeight + area.clientTop * 2}px`;
  const top = mark.offsetTop;
  const off = top < area.scrollTop || top + mark.offsetHeight > area.scrollTop + area.clientHeight;
  if (i !== null && off) {
    area.scrollTop = top - (area.clientHeight - mark.offsetHeight) / 2;
  }
  followScroll();
}

function followScroll() {
  const area = page.program;
  page.mirror.firstChild.style.transform = `translate(${-area.scrollLeft}px, ${-area.scrollTop}px)`;
}

// Pointing at output marks the command that wrote it: its chip, its
// characters in the program and all it wrote.
let pointedChip = null;
function pointFromOutput({ target }) {
  const i = commandAt(target);
  pointedChip?.classList.remove('pointed');
  pointedChip = i === null ? null : page.commands.children[i] ?? null;
  pointedChip?.classList.add('pointed');
  point(i);
}
