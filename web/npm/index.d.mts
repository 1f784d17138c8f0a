// qualm for programs: run() runs a program of the language of five
// one-character commands on the interpreter compiled to WebAssembly, off
// the caller's thread. An ES module, declared for TypeScript 5.7 or later.

/** A command that never ends on its own: `q-` writes the program again and again, `9-` sings. */
export type Endless = 'endless echo' | 'endless song';

/** How a run ended. */
export type Ending =
  /** The program ran to its end (status 0, as the native command's). */
  | { how: 'exit'; status: number }
  /** A `-` before any command: the syntax error, on the output, and nothing ran. */
  | { how: 'syntax error' }
  /** `h-`: an uncaught stream failure (the native command: SIGABRT). */
  | { how: 'stream failure' }
  /** `++-`: a re-raise with no exception in flight (the native command: SIGABRT). */
  | { how: 'rethrow' }
  /** `+-`: a division of 1 by 0 (the native command: SIGFPE). */
  | { how: 'division by zero' }
  /** The program, or the module itself, did not fit in memory: nothing ran. */
  | { how: 'out of memory' }
  /** The output reached the budget; `during` names the endless command it stopped, if any. */
  | { how: 'budget'; during?: Endless }
  /** The signal stopped the run; `during` names the endless command it stopped, if any. */
  | { how: 'stopped'; during?: Endless };

export interface RunOptions {
  /** The most output the run may write, in bytes: 1 MiB unless given; Infinity for no limit. */
  budget?: number | undefined;
  /** Stops the run at once, ending it `{ how: 'stopped' }`. */
  signal?: AbortSignal | undefined;
  /**
   * Takes the output a piece at a time, as it is written, instead of the result's `output`;
   * never once run() has settled. The run goes at most 1 MiB ahead of it: a piece counts as
   * taken once a promise returned for it settles.
   */
  onOutput?: ((bytes: Uint8Array<ArrayBuffer>) => unknown) | undefined;
}

export interface RunResult {
  /** The output, byte for byte; empty where onOutput took it, or the budget was Infinity. */
  output: Uint8Array<ArrayBuffer>;
  end: Ending;
}

/**
 * Runs the program (a string, run as its UTF-8 bytes, or bytes, copied) with nothing on
 * standard input, on a thread of its own. Resolves for every program. Rejects only where an
 * argument is of another kind or an option unknown (a TypeError or RangeError, in words that
 * begin with "qualm:"), or with what onOutput threw or rejected with.
 */
export function run(
  program: string | ArrayBufferView | ArrayBuffer | SharedArrayBuffer,
  options?: RunOptions,
): Promise<RunResult>;
