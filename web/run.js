'use strict';
// The one wrapper around the interpreter module: it runs a program once and
// says how the run ended. It touches neither a page nor a worker's globals,
// so that any JavaScript host can load it beside the module's own script.
//
//   const end = await runQualm(startQualm(createQualm), program, input, budget, sink);
//
// where program and input are Uint8Arrays, budget is the most output the run
// may write, and sink(bytes) takes the output a piece at a time (a view that
// is only valid during the call). The run ends as one of:
//   { end: 'exit', status }        main returned its status
//   { end: 'budget' }              the output reached the budget (a failed write to the program)
//   { end: 'abort', by, reason }   by 'trap': the machine stopped on a fault, such as a division
//                                  by zero; by 'runtime': the runtime aborted, saying why
//   { end: 'exception' }           a C++ exception that nothing caught
//   { end: 'error', reason }       anything else
// each with stderr, the text the program and the runtime wrote on standard error.
/* exported startQualm, runQualm, languageOf */

const PIECE_BYTES = 4096; // output handed to the sink at a time

// An instance of the module, started ahead of its one run (main runs once
// in an instance), with standard streams that the run then connects.
function startQualm(createQualm) {
  const streams = { read: () => null, write: () => {}, error: () => {} };
  const module = createQualm({
    noInitialRun: true,
    // The module would end the host's process; the run takes the throw.
    quit: (status, thrown) => { throw thrown; },
    preRun: [(qualm) => qualm.FS.init(() => streams.read(), (byte) => streams.write(byte),
      (byte) => streams.error(byte))],
    print: () => {},
    printErr: (line) => new TextEncoder().encode(`${line}\n`).forEach((b) => streams.error(b)),
  });
  return { module, streams };
}

async function runQualm({ module, streams }, program, input, budget, sink) {
  const qualm = await module;
  const piece = new Uint8Array(PIECE_BYTES);
  let pieceLength = 0;
  let written = 0;
  let read = 0;
  let overBudget = false;
  const stderr = [];
  streams.read = () => (read < input.length ? input[read++] : null);
  // A throw is a failed write to the interpreter, which stops writing at once.
  streams.write = (byte) => {
    if (byte === null) return;
    if (written === budget) {
      overBudget = true;
      throw new Error('output budget reached');
    }
    written += 1;
    piece[pieceLength++] = byte;
    if (pieceLength === PIECE_BYTES) {
      sink(piece);
      pieceLength = 0;
    }
  };
  streams.error = (byte) => {
    if (byte !== null) stderr.push(byte);
  };
  qualm.FS.writeFile('/program.qlm', program);
  let end;
  try {
    end = { end: 'exit', status: qualm.callMain(['/program.qlm']) };
  } catch (thrown) {
    end = endOf(thrown);
  }
  sink(piece.subarray(0, pieceLength));
  return { ...(overBudget ? { end: 'budget' } : end),
    stderr: new TextDecoder().decode(new Uint8Array(stderr)) };
}

// The language's characters, as the module states them: the command
// characters, and [run, character] for each pair, where the character stands
// in the command string for the run and its -.
function languageOf(qualm) {
  const at = qualm._qualm_language();
  const text = new TextDecoder().decode(qualm.HEAPU8.subarray(at, qualm.HEAPU8.indexOf(0, at)));
  const [commands, ...pairs] = text.split('\n').slice(0, -1);
  return { commands, pairs: pairs.map((line) => [line.slice(0, -1), line.slice(-1)]) };
}

// How a run ended by a throw out of main.
function endOf(thrown) {
  if (typeof thrown === 'number') return { end: 'exception' }; // the module throws C++ exceptions
  if (!(thrown instanceof WebAssembly.RuntimeError)) return { end: 'error', reason: `${thrown}` };
  const aborted = /^Aborted\((.*?)\)/.exec(thrown.message);
  return aborted ? { end: 'abort', by: 'runtime', reason: aborted[1] }
    : { end: 'abort', by: 'trap', reason: thrown.message };
}
