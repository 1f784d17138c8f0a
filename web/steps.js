'use strict';
// In the explaining worker, after explain_worker.js: stepping through the
// pass of the program explained last, a byte at a time. The module traces
// it once (qualm_steps), and each step is read from the trace as the page
// asks for it.
//
//   page to worker, each with a port to answer on:
//     { stepping }        traces the program; answers { last, bytes }: the step of its last
//                         byte read or, where the pass read them all, of its end; and its length
//     { step, toward }    answers step `step`, or where `toward` is 1 or -1, the next step
//                         after it, or before it, that reads a command character (or the
//                         first or the last), as stepAt says
/* global stepsQualm, indexesOf, walkView */
/* exported traceSteps, stepAt */

const WINDOW = 64; // the characters of the command string shown at a step, up to it
const MARKS_EVERY = 1024; // bytes between the places in the view found ahead

let traced = null;

function traceSteps(qualm, last) {
  const steps = stepsQualm(qualm, last.bytes);
  const read = steps.length / 2;
  const written = new Uint32Array(read + 1); // the characters written before each step
  for (let at = 0; at < read; at += 1) written[at + 1] = written[at] + (steps[2 * at + 1] !== 0);
  const offsets = Array.from({ length: Math.ceil((read + 1) / MARKS_EVERY) },
    (_, i) => i * MARKS_EVERY);
  traced = { ...last, steps, read, written, marks: indexesOf(last.program, last.held, offsets),
    final: last.rejected ? read - 1 : read };
  return { last: traced.final, bytes: last.bytes.length };
}

// What the page shows at step `at`: the byte read there (the character it
// is of, as the view shows it: its place in the view, [start, stop), and,
// for a character of several bytes, part: [which of them, how many]), the
// class of byte it is (0 for no command, else 1 and its place among the
// command characters), the pending runs before and after it (by their
// place in pendingRunsOf), what it wrote, and the command string up to it;
// or, at the end, what the end wrote.
function stepAt(step, toward = 0) {
  const { steps, read, written, final, commands, rejected, runs, program, held, marks } = traced;
  let at = Math.min(Math.max(step, 0), final);
  if (toward !== 0) {
    do at += toward;
    while (at > 0 && at < read && steps[2 * at] >> 4 === 0);
    at = Math.min(Math.max(at, 0), final);
  }
  const end = at === read;
  const before = at === 0 ? 0 : steps[2 * at - 2] & 15;
  const through = end ? commands.length : written[at + 1];
  const text = (bytes) => new TextDecoder().decode(bytes);
  const wrote = !rejected ? text(commands.subarray(written[at], through))
    : steps[2 * at + 1] ? String.fromCharCode(steps[2 * at + 1]) : '';
  const near = Math.floor(at / MARKS_EVERY) * MARKS_EVERY;
  let character;
  walkView(program, held, [near, marks.get(near)], (first, start, bytes, units) => {
    character = { first, start, stop: start + units, bytes };
    return first + bytes > at || bytes === 0;
  });
  const { first, start, stop, bytes } = character;
  return { at, final, end, start, stop, shown: program.slice(start, stop),
    part: bytes > 1 ? [at - first + 1, bytes] : null,
    read: end ? null : steps[2 * at] >> 4, before,
    after: end ? (runs[before].off ? before : 0) : steps[2 * at] & 15,
    wrote, rejected: rejected && at === final,
    commands: rejected ? wrote : text(commands.subarray(Math.max(0, through - WINDOW), through)) };
}
