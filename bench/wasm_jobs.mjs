// The WebAssembly benchmark's jobs, run the same way in Node.js and in a page:
// peer_bench's 1,000-value mixes through the package (format, parse, valid)
// and, where a JavaScript program has a peer, through Intl.NumberFormat or
// Intl.DateTimeFormat doing the same job on the same values. Each Intl
// formatter is made once, 'en-US' with only the options that pick the
// mask's fields (style, sign and fraction digits of the numbers, the date
// and time fields and their widths) and its defaults otherwise; it takes the
// value as a number, its natural input (ours takes the raw text).
//
// Every answer of ours is checked before anything is timed; Intl's answers
// that differ from ours are counted by cause.
//
// Beside them the bare crossing of the format and parse jobs: the value
// written into a module's memory, a call into a module that answers at once,
// and a string of the answer's length made from that memory, by the
// package's own routines. No engine can answer in less; over the native
// entry's time it says how near native time a WebAssembly package can come.

import { asciiAt, writeUtf8 } from '../js/heap_text.js';

// mix -> the Intl formatter doing its job, and which input it reads.
const INTL = {
  currency: () => new Intl.NumberFormat('en-US', { style: 'currency', currency: 'USD', currencySign: 'accounting' }),
  long: () => new Intl.NumberFormat('en-US'),
  double: () => new Intl.NumberFormat('en-US', { minimumFractionDigits: 2, maximumFractionDigits: 2 }),
  date: () => new Intl.DateTimeFormat('en-US', { year: 'numeric', month: '2-digit', day: '2-digit' }),
  time: () => new Intl.DateTimeFormat('en-US', { hour: 'numeric', minute: '2-digit' }),
  datetime: () => new Intl.DateTimeFormat('en-US', {
    year: 'numeric', month: '2-digit', day: '2-digit', hour: 'numeric', minute: '2-digit',
  }),
};
const DATES = new Set(['date', 'time', 'datetime']);

// peer_bench --mixes: one value a line.
export function readMixes(tsv) {
  const mixes = new Map();
  for (const line of tsv.split('\n')) {
    if (!line) continue;
    const [name, type, mask, rounding, raw, formatted, typed, parsed, number, udate, tieOther] = line.split('\t');
    if (!mixes.has(name)) mixes.set(name, { name, type: Number(type), mask, rounding: rounding === '1', values: [] });
    mixes.get(name).values.push({ raw, formatted, typed, parsed, number: Number(number), udate: Number(udate), tieOther });
  }
  return [...mixes.values()];
}

// A module with one page of memory and one function, (value, length,
// answer length) -> answer length.
const ECHO_MODULE = new Uint8Array([
  0x00, 0x61, 0x73, 0x6d, 0x01, 0x00, 0x00, 0x00, // magic, version
  0x01, 0x08, 0x01, 0x60, 0x03, 0x7f, 0x7f, 0x7f, 0x01, 0x7f, // type: (i32 i32 i32) -> i32
  0x03, 0x02, 0x01, 0x00, // function 0 of that type
  0x05, 0x03, 0x01, 0x00, 0x01, // memory: one page
  0x07, 0x11, 0x02, 0x06, 0x6d, 0x65, 0x6d, 0x6f, 0x72, 0x79, 0x02, 0x00, // export "memory"
  0x04, 0x65, 0x63, 0x68, 0x6f, 0x00, 0x00, // export "echo"
  0x0a, 0x06, 0x01, 0x04, 0x00, 0x20, 0x02, 0x0b, // body: local.get 2
]);
const VALUE_AT = 1024; // the answer is read from 0

// One instance for every job, as the package has one module: a call site
// that met many instances' functions would be slower than the package's.
const echoModule = new WebAssembly.Instance(new WebAssembly.Module(ECHO_MODULE)).exports;
const echoHeap = new Uint8Array(echoModule.memory.buffer);
const echo = echoModule.echo;

function bareCrossing(inputs, answerLengths) {
  return (i) => asciiAt(echoHeap, 0, echo(VALUE_AT, writeUtf8(echoHeap, VALUE_AT, inputs[i]), answerLengths[i]));
}

// Why Intl's answer is not ours.
function cause(ours, theirs, v) {
  if (v.tieOther && theirs === v.tieOther) {
    return "a tie (x.xx5) rounded the other way: Intl rounds the double's exact value, we the fraction's double";
  }
  if (/^-0\.00$|^\(\$0\.00\)$/.test(theirs)) return 'a negative number that rounds to zero keeps its sign';
  const spaced = theirs.replace(/\u202f/g, ' ');
  const narrow = spaced !== theirs ? 'a narrow no-break space before AM/PM' : '';
  if (spaced === ours) return narrow;
  if (spaced.replace(', ', ' ') === ours) return narrow ? `${narrow}, a comma after the date` : 'a comma after the date';
  return `other (ours ${JSON.stringify(ours)}, Intl ${JSON.stringify(theirs)})`;
}

// The jobs: { job, n, ours(i), intl(i) or null, bare(i) (format and parse
// only), differ } for i = 0..n-1,
// differ counting Intl's other answers by cause. Every answer of ours is
// checked, then every job runs a while so that none is timed before the
// module's code is optimised.
export function setUp(pkg, mixes) {
  const { getFormattedValue, getRawValue, isValid } = pkg;
  const jobs = [];
  for (const mix of mixes) {
    const { type, mask, values: vals } = mix;
    const kind = mix.name.replace(/-rounding$/, '');
    jobs.push({ job: `format/${mix.name}`, kind, vals, answer: (v) => v.formatted,
                ours: (i) => getFormattedValue(type, mask, vals[i].raw),
                bare: bareCrossing(vals.map((v) => v.raw), vals.map((v) => v.formatted.length)) });
    if (mix.rounding) continue; // parsing two decimals is the plain mix's job
    jobs.push({ job: `parse/${mix.name}`, vals, answer: (v) => v.parsed,
                ours: (i) => getRawValue(type, mask, vals[i].typed),
                bare: bareCrossing(vals.map((v) => v.typed), vals.map((v) => v.parsed.length)) });
    jobs.push({ job: `valid/${mix.name}`, vals, answer: () => true,
                ours: (i) => isValid(type, mask, vals[i].typed) });
  }
  for (const j of jobs) {
    j.n = j.vals.length;
    j.vals.forEach((v, i) => {
      if (j.ours(i) !== j.answer(v)) {
        throw new Error(`${j.job}: ${JSON.stringify(j.ours(i))} where ${JSON.stringify(j.answer(v))} is right`);
      }
      if (j.bare && j.bare(i).length !== j.answer(v).length) throw new Error(`${j.job}: the bare crossing's length`);
    });
    j.intl = null;
    j.differ = {};
    const make = j.kind && INTL[j.kind];
    if (!make) continue;
    const f = make();
    const input = j.vals.map((v) => (DATES.has(j.kind) ? v.udate : v.number));
    j.intl = (i) => f.format(input[i]);
    j.vals.forEach((v, i) => {
      const t = j.intl(i);
      const why = t === v.formatted ? null : cause(v.formatted, t, v);
      if (why) j.differ[why] = (j.differ[why] ?? 0) + 1;
    });
  }
  for (let k = 0; k < 50; ++k) for (const j of jobs) spin(j.ours, j.n, 1);
  for (let k = 0; k < 20; ++k) for (const j of jobs) if (j.intl) spin(j.intl, j.n, 1);
  for (let k = 0; k < 20; ++k) for (const j of jobs) if (j.bare) spin(j.bare, j.n, 1);
  return jobs;
}

// call(i) for i = 0..n-1, `rounds` times.
export function spin(call, n, rounds) {
  let sink = 0;
  for (let r = 0; r < rounds; ++r) for (let i = 0; i < n; ++i) sink += call(i) ? 1 : 0;
  return sink;
}

// Calls per second of a job's `rounds` passes (run(rounds), which may be
// asynchronous) by a CPU clock in seconds: the best of five runs of about
// 0.1 s, the one least disturbed on a shared machine.
export async function rate(run, n, clock) {
  let rounds = 5;
  for (;;) {
    const start = await clock();
    await run(rounds);
    const took = (await clock()) - start;
    if (took >= 0.02) {
      rounds = Math.max(1, Math.round(rounds * 0.1 / took));
      break;
    }
    rounds *= 4;
  }
  let best = 0;
  for (let k = 0; k < 5; ++k) {
    const start = await clock();
    await run(rounds);
    best = Math.max(best, (rounds * n) / ((await clock()) - start));
  }
  return best;
}
