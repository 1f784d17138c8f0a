'use strict';
// Running: each run gets a fresh worker (run_worker.js, whose top says what
// it sends), started ahead so that a run need not wait for the module, and
// stopped after LIMITS.runMs or by Stop. How the run ended is worded once
// its output is on the page; Stop shows at once.
/* global LIMITS, page, workerUrl, plural, describeEnd, handBytes, clearOutput, addOutput,
   afterOutput, afterPiece, dropOutput, held, isCurrent */
/* exported run, stopRun, markStale, copyOutput */

const LOW = 0.2; // the share of the screen above the results' start that they may leave
let spare = new Worker(workerUrl('runner'));
let current = null; // the run going on
let latest = null; // the last run started, whose ending the page shows

function run() {
  stopRun();
  const worker = spare;
  spare = new Worker(workerUrl('runner'));
  const program = page.program.value;
  const thisRun = { worker, program, bytes: held.bytes, chunks: [], total: 0, shown: 0, marks: 0,
    during: null, left: null, began: performance.now(),
    timer: setTimeout(() => stopBy('time', thisRun), LIMITS.runMs) };
  current = latest = thisRun;
  clearOutput();
  showEnding('Running…', false);
  markStale();
  page.shown.textContent = '';
  page.boxed.hidden = page.download.hidden = page.copy.hidden = true;
  page.stop.disabled = false;
  page.stopHere.hidden = false;
  page.output.classList.remove('empty');
  page.copied.textContent = '';
  bringIntoView(thisRun);
  worker.onmessage = ({ data }) => {
    if ('underway' in data) thisRun.during = data.underway;
    if ('chunk' in data) took(thisRun, data);
    if ('end' in data) finish(thisRun, data.end);
  };
  worker.onerror = (event) => finish(thisRun, { how: 'fault', reason: event.message });
  // A long program goes from worker to worker, not copied on this thread.
  const { port1, port2 } = new MessageChannel();
  if (handBytes(thisRun, port1)) worker.postMessage({ from: port2 }, [port2]);
  else worker.postMessage({ run: program, bytes: thisRun.bytes });
}

// Stop shows at once: the output received but not yet on the page is
// dropped (the download keeps it), rather than drawn a piece a task. A run
// that ended on its own, its output still being drawn, shows how it ended.
function stopRun() {
  const thisRun = latest;
  if (!thisRun || thisRun.over) return;
  thisRun.dropped = dropOutput();
  if (thisRun === current) stopBy('stopped', thisRun);
  else ended(thisRun);
}

// The page ends a run itself, amid the endless ending it was in, if any.
const stopBy = (how, thisRun) => finish(thisRun,
  thisRun.during ? { how, during: thisRun.during } : { how });

function took(thisRun, { chunk, parts, shown }) {
  if (thisRun !== current) return;
  thisRun.chunks.push(chunk);
  thisRun.total += chunk.length;
  thisRun.shown = shown;
  thisRun.marks += parts.filter(([marked]) => marked).length;
  page.boxed.hidden = thisRun.marks === 0;
  if (thisRun.total === chunk.length) afterPiece(() => bringIntoView(thisRun)); // the first
  addOutput(parts);
}

function finish(thisRun, end) {
  if (thisRun !== current) return;
  current = null;
  thisRun.ran = performance.now() - thisRun.began;
  clearTimeout(thisRun.timer);
  thisRun.worker.terminate();
  thisRun.end = end;
  afterOutput(() => ended(thisRun));
}

function ended(thisRun) {
  if (thisRun.over) return;
  thisRun.over = true; // and shown so
  const { chunks, total, shown, marks, dropped, ran, end } = thisRun;
  if ([page.stop, page.stopHere].includes(document.activeElement)) page.run.focus();
  page.stop.disabled = page.stopHere.hidden = true;
  page.output.classList.toggle('empty', total === 0);
  if (!page.output.firstChild) {
    // nothing on the page, and so nothing to say of what it shows
  } else if (dropped) {
    const drawn = plural(page.output.textContent.length, 'character');
    page.shown.textContent = `Shown: the first ${drawn}, on the page before you stopped, of`
      + ` ${plural(total, 'byte')} written; the download has all of them.`;
  } else if (total > shown) {
    const capped = marks >= LIMITS.shownMarks
      ? `, up to the ${plural(LIMITS.shownMarks, 'boxed byte')} the page shows` : '';
    const of = `of ${total.toLocaleString('en')} written`;
    page.shown.textContent = `Shown: the first ${plural(shown, 'byte')} ${of}${capped}.`;
  }
  if (total > 0) {
    URL.revokeObjectURL(page.download.href);
    const whole = thisRun.whole = new Blob(chunks, { type: 'application/octet-stream' });
    page.download.href = URL.createObjectURL(whole);
    page.download.hidden = page.copy.hidden = false;
  }
  const [text, abnormal] = describeEnd(end);
  showEnding(`${text} It ran for ${Math.round(ran).toLocaleString('en')} ms.`, abnormal);
  bringIntoView(thisRun);
}

// Output of a program other than the one shown is marked as such.
function markStale() {
  const stale = latest !== null && !isCurrent(latest);
  page.results.classList.toggle('stale', stale);
  page.stale.hidden = !stale;
}

// The results where a person looks, as on a phone: their start scrolled to
// the top of the screen, so that the ending and the first lines of output
// fill it, where they are off it or low on it; once at Run, and again as
// output arrives and as the run ends, the screen being taller by then,
// unless the person scrolled in between, to where they wanted.
function bringIntoView(thisRun) {
  if (thisRun.left !== null && Math.abs(scrollY - thisRun.left) > 1) return;
  const { top } = page.outputTitle.getBoundingClientRect();
  const { bottom } = page.results.getBoundingClientRect();
  if (top < 0 || (top > LOW * innerHeight && bottom > innerHeight)) {
    page.outputTitle.scrollIntoView({ block: 'start' });
  }
  thisRun.left = scrollY;
}

// Copies the output as text: bytes of no character cannot be, and say so.
async function copyOutput() {
  const bytes = new Uint8Array(await latest.whole.arrayBuffer());
  let text;
  let as = 'Copied the output.';
  try {
    text = new TextDecoder('utf-8', { fatal: true }).decode(bytes);
  } catch {
    text = new TextDecoder().decode(bytes);
    as = 'Copied the output as text, its bytes of no character each as U+FFFD; the download has'
      + ' them as they are.';
  }
  const refused = 'The browser refused to copy: select the output and copy it.';
  navigator.clipboard.writeText(text).then(() => { page.copied.textContent = as; },
    () => { page.copied.textContent = refused; });
}

function showEnding(text, abnormal) {
  page.ending.textContent = text;
  page.ending.classList.toggle('abnormal', abnormal);
}
