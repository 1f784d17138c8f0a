// A TypeScript program's use of run(): it compiles against the package's
// declarations, which must name every ending (the switch leaves none), and
// uses that they forbid do not (each @ts-expect-error must meet an error).
import { run, type Ending } from 'qualm';
// @ts-expect-error: an ES module, with no default export
import qualm from 'qualm';

function said(end: Ending): string {
  switch (end.how) {
    case 'exit': return `status ${end.status}`;
    case 'budget': case 'stopped': return `${end.how} ${end.during ?? 'in no endless command'}`;
    case 'syntax error': case 'stream failure': case 'rethrow': case 'division by zero':
    case 'out of memory': return end.how;
    default: return ((unknown: never) => unknown)(end);
  }
}

const stop = new AbortController();
const pieces: Uint8Array[] = [];
const { output, end } = await run(new TextEncoder().encode('9-'), {
  budget: Infinity, signal: stop.signal, onOutput: (bytes) => pieces.push(bytes.slice()),
});
const whole: ArrayBuffer = output.buffer; // the output's own buffer, not a shared one
console.log(whole.byteLength, said(end), qualm);
// @ts-expect-error: there is no option `input`
await run('h', { input: '' });
// @ts-expect-error: a budget is a number of bytes
await run('h', { budget: '1 MiB' });
// @ts-expect-error: a program is a string or bytes
await run(42);
