'use strict';
// A thread of run()'s pool (index.mjs): it runs one program at a time, each
// on an instance of the module of its own, through the wrapper that the
// playground page runs it with too (shared.js), and sends back what the run
// does as it goes.
//
//   pool to thread:  { program, budget, inFlight }   the program (a Uint8Array, a copy of its
//                    own), the budget, and a shared Int32Array counting the pieces of output
//                    sent and not yet taken
//   thread to pool:  { output }     a piece of output, as bytes (transferred)
//                    { underway }   at once: the ending that never ends on its own that the
//                                   run has begun
//                    { end }        how the run ended, as run.js says
//                    { fault }      the interpreter failed without saying how it ended
const { parentPort } = require('worker_threads');
const { startQualm, runQualm } = require('./shared.js');
const createQualm = require('./module.js');

const PIECE_BYTES = 64 << 10; // output sent at a time
const PIECES_IN_FLIGHT = 16; // how far the run may go ahead of the one who takes its output

parentPort.on('message', async ({ program, budget, inFlight }) => {
  let piece = new Uint8Array(PIECE_BYTES);
  let length = 0;
  const send = () => {
    if (length === 0) return;
    // Waits while the pieces sent are not taken: the run goes no further
    // ahead of its reader than this.
    for (let sent; (sent = Atomics.add(inFlight, 0, 1)) >= PIECES_IN_FLIGHT;) {
      Atomics.sub(inFlight, 0, 1);
      Atomics.wait(inFlight, 0, sent);
    }
    parentPort.postMessage({ output: piece.subarray(0, length) }, [piece.buffer]);
    piece = new Uint8Array(PIECE_BYTES);
    length = 0;
  };
  const output = (bytes) => {
    for (let at = 0; at < bytes.length;) {
      const taking = Math.min(bytes.length - at, PIECE_BYTES - length);
      piece.set(bytes.subarray(at, at + taking), length);
      [at, length] = [at + taking, length + taking];
      if (length === PIECE_BYTES) send();
    }
  };
  const ending = (how, endless) => endless && parentPort.postMessage({ underway: how });
  try {
    const end = await runQualm(startQualm(createQualm), program, budget, { output, ending });
    send();
    parentPort.postMessage({ end });
  } catch (thrown) {
    parentPort.postMessage({ fault: `${thrown}` });
  }
});
