'use strict';
// The playground's wiring, the first of the page's scripts: its elements,
// the workers' scripts, and, once every script is in, what each control
// does. Everything the interpreter does happens in workers, so that this
// thread only shows what they send: explaining.js, pointing.js, running.js
// and output.js; words.js says it; keeping.js holds the program, carrying.js
// carries it in and out, and examples.js lists the examples.
/* global notice, point, explain, typing, storage, keep, fromAddress, leaveAddress, run, stopRun,
   share, save, loadFromAddress, loadExample, listExamples, restoreKept, roveByKey, rovingAt,
   rove, followScroll, markStale, showExample, openFile, copyOutput, followEdit, startStepping,
   stopStepping, stepBy, stepByKey, pointFromOutput */
/* exported page, workerUrl */

const $ = (id) => document.getElementById(id);
const page = Object.fromEntries([
  'about', 'program', 'mirror', 'step-view', 'held', 'kept', 'run', 'stop', 'step', 'examples',
  'load', 'share', 'open', 'stepping', 'step-where', 'step-pending', 'step-pairing',
  'step-commands', 'step-why', 'step-spoken',
  'file', 'save', 'undo', 'notice', 'summary', 'spoken', 'command-string', 'legend', 'commands',
  'pointed', 'meanings', 'results', 'output-title', 'ending', 'stop-here', 'stale', 'output',
  'shown', 'boxed', 'download', 'copy', 'copied', 'limits',
].map((id) => [id.replace(/-./g, (s) => s[1].toUpperCase()), $(id)]));

// A worker's script: the interpreter module, the scripts the page shares
// with its workers, and the worker's own, as the page holds them, made once
// for each kind of worker. Browsers refuse a worker script from disk, but
// not one from a Blob.
const workerUrls = new Map();
function workerUrl(worker) {
  if (!workerUrls.has(worker)) {
    workerUrls.set(worker, URL.createObjectURL(new Blob(
      [$('interpreter'), ...document.querySelectorAll(`script.shared, script.${worker}`)]
        .map((script) => `${script.textContent};\n`), { type: 'text/javascript' })));
  }
  return workerUrls.get(worker);
}

function edited(event) {
  notice('');
  stopStepping();
  followEdit(event);
  point(null);
  explain();
  markStale();
  showExample();
  if (fromAddress) return;
  typing();
  if (storage) keep(); // at every edit, so that a reload or a close right after loses nothing
  leaveAddress();
}

document.addEventListener('DOMContentLoaded', () => {
  listExamples();
  restoreKept();
  showExample();
  page.program.addEventListener('input', edited);
  loadFromAddress();
  explain();
  page.examples.addEventListener('keydown', (event) => {
    if (event.key !== 'Enter' || event.ctrlKey || event.metaKey) return; // Ctrl+Enter runs
    event.preventDefault();
    loadExample();
  });
  page.load.addEventListener('click', loadExample);
  page.run.addEventListener('click', run);
  page.stop.addEventListener('click', stopRun);
  page.stopHere.addEventListener('click', stopRun);
  page.share.addEventListener('click', share);
  page.save.addEventListener('click', save);
  page.open.addEventListener('click', () => page.file.click());
  page.file.addEventListener('change', openFile);
  page.copy.addEventListener('click', copyOutput);
  page.step.addEventListener('click', startStepping);
  for (const [id, by, toward] of [['first', -Infinity, 0], ['back', -1, 0], ['forward', 1, 0],
    ['next', 0, 1], ['last', Infinity, 0]]) {
    $(`step-${id}`).addEventListener('click', () => stepBy(by, toward));
  }
  $('step-done').addEventListener('click', stopStepping);
  page.stepping.addEventListener('keydown', stepByKey);
  page.stepView.addEventListener('keydown', stepByKey);
  page.commands.addEventListener('keydown', roveByKey);
  page.commands.addEventListener('mouseleave', () => rove(rovingAt, false));
  page.commands.addEventListener('focusout', (event) => {
    if (!page.commands.contains(event.relatedTarget)) point(null);
  });
  page.program.addEventListener('scroll', followScroll);
  page.output.addEventListener('mouseover', pointFromOutput);
  page.output.addEventListener('mouseleave', pointFromOutput);
  window.addEventListener('hashchange', loadFromAddress);
  document.addEventListener('keydown', (event) => {
    if (event.key === 'Enter' && (event.ctrlKey || event.metaKey)) {
      event.preventDefault();
      run();
    } else if (event.key === 'Escape') {
      stopRun();
    }
  });
  point(null);
});
