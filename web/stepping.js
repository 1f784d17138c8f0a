'use strict';
// Stepping through quality control: the program read a byte at a time,
// forward and back, to either end and to the next command character, each
// step as the explaining worker reads it from the module's trace (steps.js):
// the byte in the program itself, what is pending, whether pairing is on,
// the command string as it grows, and why, in words (words.js). The
// program is shown read-only meanwhile, its byte marked by a highlight, so
// that a step lays nothing out anew.
/* global page, facts, explained, isCurrent, describeStep, byteName, askExplainer */
/* exported startStepping, stopStepping, stepBy, stepByKey */

const SHOWN_KEYS = { ArrowRight: [1, 0], ArrowLeft: [-1, 0], Home: [-Infinity, 0],
  End: [Infinity, 0] };

let stepping = null; // { at, last, bytes, step, asked, asking }, while stepping
let heard = true; // the step shown was also spoken
let keyHeld = false; // a key is held down, repeating

async function startStepping() {
  if (!isCurrent(explained)) return;
  const view = page.stepView;
  view.textContent = page.program.value;
  view.style.height = `${page.program.offsetHeight}px`;
  page.program.hidden = page.mirror.hidden = true;
  view.hidden = page.stepping.hidden = false;
  page.step.disabled = true;
  for (const shown of [page.stepPending, page.stepPairing, page.stepCommands, page.stepWhy]) {
    shown.textContent = '';
  }
  page.stepWhere.textContent = 'Reading the program…';
  const { last, bytes } = await askExplainer({ stepping: true });
  stepping = { at: 0, last, bytes, step: null, asked: Promise.resolve(), asking: 0 };
  view.focus();
  stepBy(0);
}

function stopStepping() {
  if (!stepping) return;
  stepping = null;
  CSS.highlights?.delete('step');
  page.stepView.hidden = page.stepping.hidden = true;
  page.program.hidden = false;
  page.step.disabled = false;
  page.step.focus();
}

// Moves `by` bytes (Infinity for an end), or, with `toward` 1 or -1, to the
// next or previous command character; `repeat`: a key held down, whose
// steps are spoken once it is let go. Steps asked for one after another
// are taken one after another.
function stepBy(by, toward = 0, repeat = false) {
  const asking = stepping;
  keyHeld = repeat;
  asking.asking += 1;
  asking.asked = asking.asked.then(async () => {
    const to = Math.min(Math.max(asking.at + by, 0), asking.last);
    const step = await askExplainer({ step: to, toward });
    asking.asking -= 1;
    if (stepping !== asking) return;
    Object.assign(stepping, { at: step.at, step });
    show(step);
    heard = false;
    if (!repeat || (!keyHeld && asking.asking === 0)) speakStep();
  });
}

function show(step) {
  const { at, end, start, stop, after, wrote, commands, rejected } = step;
  const is = facts.runs[after];
  const count = (n) => n.toLocaleString('en');
  page.stepWhere.textContent = end ? `The end of the text, after its ${count(at)} bytes.`
    : `Byte ${count(at + 1)} of ${count(stepping.bytes)}: ${byteName(step)}.`;
  // At the syntax error the pass stops, and rejects the program: no command string.
  page.stepPending.textContent = is.holds === '' || rejected ? 'nothing' : is.holds;
  page.stepPairing.textContent = rejected ? 'on, till the pass stops here'
    : is.off ? 'off: a lone - turned it off' : 'on';
  const mark = document.createElement('mark');
  mark.textContent = wrote; // the characters written at this step
  page.stepCommands.replaceChildren(...rejected ? ['none: rejected']
    : [commands.slice(0, commands.length - wrote.length), ...wrote ? [mark] : []]);
  page.stepWhy.textContent = describeStep(step);
  // Marked as going nowhere, at either end, but not disabled: one who pressed it keeps the focus.
  for (const [id, back] of [['first', true], ['back', true], ['forward', false], ['next', false],
    ['last', false]]) {
    page.stepping.querySelector(`#step-${id}`).setAttribute('aria-disabled',
      String(back ? at === 0 : at === stepping.last));
  }
  markByte(start, end ? start : stop);
  page.stepWhy.scrollIntoView({ block: 'nearest' });
}

// The byte read, marked in the read-only program and scrolled into view.
function markByte(start, stop) {
  const view = page.stepView;
  const text = view.firstChild;
  if (!text) return;
  const range = new Range();
  range.setStart(text, start);
  range.setEnd(text, Math.max(stop, Math.min(start + 1, text.length)));
  if (CSS.highlights) CSS.highlights.set('step', new Highlight(range));
  const box = range.getBoundingClientRect();
  const frame = view.getBoundingClientRect();
  if (box.top < frame.top || box.bottom > frame.bottom) {
    view.scrollTop += box.top - frame.top - (frame.height - box.height) / 2;
  }
}

// Each step is spoken once, when it is shown or, for a held key, let go.
function speakStep() {
  if (!stepping?.step) return;
  heard = true;
  page.stepSpoken.textContent = `${page.stepWhere.textContent} Pending: `
    + `${page.stepPending.textContent}; pairing ${page.stepPairing.textContent}. Command string:`
    + ` ${page.stepCommands.textContent || 'empty'}. ${page.stepWhy.textContent}`;
}

function stepByKey(event) {
  if (event.key === 'Escape') {
    event.stopPropagation();
    return stopStepping();
  }
  const toCommand = (event.ctrlKey || event.altKey) && /^Arrow(Left|Right)$/.test(event.key);
  const [by, toward] = toCommand ? [0, event.key === 'ArrowRight' ? 1 : -1]
    : SHOWN_KEYS[event.key] ?? [];
  if (by === undefined) return;
  event.preventDefault();
  stepBy(by, toward, event.repeat);
}

// A held key let go: the step it reached is spoken, once it is shown.
document.addEventListener('keyup', () => {
  keyHeld = false;
  if (stepping && !heard && stepping.asking === 0) speakStep();
});
