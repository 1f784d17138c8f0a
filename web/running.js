'use strict';
// Running: each run gets a fresh worker (run_worker.js, whose top says what
// it sends), started ahead so that a run need not wait for the module, and
// stopped after LIMITS.runMs or by Stop. How the run ended is worded once
// its output is on the page and its program explained.
/* global LIMITS, page, workerUrl, plural, describeEnd, explanationOf, clearOutput, addOutput,
   afterOutput */
/* exported run, stopRun */

let spare = new Worker(workerUrl('runner'));
let current = null; // the run going on
let latest = null; // the last run started, whose ending the page shows

function run() {
  stopRun();
  const worker = spare;
  spare = new Worker(workerUrl('runner'));
  const program = page.program.value;
  const thisRun = { worker, program, chunks: [], total: 0, shown: 0, marks: 0,
    timer: setTimeout(() => finish(thisRun, { end: 'time' }), LIMITS.runMs) };
  current = latest = thisRun;
  clearOutput();
  showEnding('Running…', false);
  page.shown.textContent = '';
  page.download.hidden = true;
  page.stop.disabled = false;
  worker.onmessage = ({ data }) => {
    if ('chunk' in data) took(thisRun, data);
    if ('end' in data) finish(thisRun, data.end);
  };
  worker.onerror = (event) => finish(thisRun, { end: 'error', reason: event.message });
  worker.postMessage({ run: program });
}

function stopRun() {
  if (current) finish(current, { end: 'stopped' });
}

function took(thisRun, { chunk, parts, shown }) {
  if (thisRun !== current) return;
  thisRun.chunks.push(chunk);
  thisRun.total += chunk.length;
  thisRun.shown = shown;
  thisRun.marks += parts.filter(([marked]) => marked).length;
  addOutput(parts);
}

function finish(thisRun, end) {
  if (thisRun !== current) return;
  current = null;
  clearTimeout(thisRun.timer);
  thisRun.worker.terminate();
  afterOutput(() => ended(thisRun, end));
}

function ended(thisRun, end) {
  const { program, chunks, total, shown, marks } = thisRun;
  if (document.activeElement === page.stop) page.run.focus();
  page.stop.disabled = true;
  if (total > shown) {
    const capped = marks >= LIMITS.shownMarks
      ? `, up to the ${plural(LIMITS.shownMarks, 'boxed byte')} the page shows` : '';
    const of = `of ${total.toLocaleString('en')} written`;
    page.shown.textContent = `Shown: the first ${plural(shown, 'byte')} ${of}${capped}.`;
  }
  if (total > 0) {
    URL.revokeObjectURL(page.download.href);
    const whole = new Blob(chunks, { type: 'application/octet-stream' });
    page.download.href = URL.createObjectURL(whole);
    page.download.hidden = false;
  }
  explanationOf(program).then((explanation) => {
    if (latest === thisRun) showEnding(...describeEnd(end, explanation));
  });
}

function showEnding(text, abnormal) {
  page.ending.textContent = text;
  page.ending.classList.toggle('abnormal', abnormal);
}
