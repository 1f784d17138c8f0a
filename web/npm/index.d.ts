// qualm for programs: run() runs a program of the language of five
// one-character commands on the interpreter compiled to WebAssembly, off
// the caller's thread.

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
  budget?: number;
  /** Stops the run at once, ending it `{ how: 'stopped' }`. */
  signal?: AbortSignal;
  /**
   * Takes the output a piece at a time, as it is written, instead of the result's `output`.
   * The run waits for a returned promise before it goes far ahead of its reader.
   */
  onOutput?: (bytes: Uint8Array) => void | Promise<void>;
}

export interface RunResult {
  /** The output, byte for byte; empty where onOutput took it, or the budget was Infinity. */
  output: Uint8Array;
  end: Ending;
}

/**
 * Runs the program (a string, run as its UTF-8 bytes, or bytes) with nothing on standard input.
 * Resolves for every program; rejects only where an argument or option is of another kind
 * (a TypeError or RangeError, in words that begin with "qualm:").
 */
export function run(
  program: string | ArrayBufferView | ArrayBuffer,
  options?: RunOptions,
): Promise<RunResult>;
