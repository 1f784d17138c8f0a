'use strict';
// How a run ends, in words: an entry for each ending the module names, the
// one table that the page and the npm package's command word them from.
// `brings`: what the run ends by; `signal`: the signal that ends it in a
// console, and `status` what a shell then shows; `says`: how a run that
// ended so is told in a sentence of its own.
/* exported ENDINGS */
const ENDINGS = {
  'exit': {
    says: 'Ended normally, with status 0 (in a console, qualm first waits for a key)',
  },
  'syntax error': {
    says: 'Syntax error, nothing ran: status 1 (in a console, qualm first waits for a key)',
  },
  'stream failure': { brings: 'an uncaught stream failure', signal: 'SIGABRT', status: 134 },
  'rethrow': {
    brings: 're-raising an exception when none is in flight', signal: 'SIGABRT', status: 134,
  },
  'division by zero': { brings: 'a division of 1 by 0', signal: 'SIGFPE', status: 136 },
  'endless echo': { brings: 'the program text, written again and again without end' },
  'endless song': { brings: 'the song, sung again and again without end' },
  'cannot write': { says: 'Stopped: it cannot write standard output, with status 1' },
  'out of memory': { says: 'The program is too large for memory: status 1, and nothing ran' },
};
