// Calls per second of the WebAssembly package from Node.js, per value type,
// beside the native entry points (service_bench, the same samples).
//   node bench/wasm_bench.mjs [service_bench.json]
// The JSON is Google Benchmark's output of service_bench
// (--benchmark_format=json); bench/wasm_vs_native.sh makes both.
import { readFileSync } from 'node:fs';

import { getFormattedValue, getRawValue, isValid } from '../js/index.js';

// As in service_bench.cpp: name, type, mask, entered text, raw value.
const samples = [
  ['text', 'text', '(###) ###-####', '(555) 123-4567', '5551234567'],
  ['currency', 'currency', '', '($1,234.50)', '-1234.5'],
  ['longint', 'longint', '', '-1,234,567', '-1234567'],
  ['double', 'double', '', '12,345.68', '12345.678'],
  ['date', 'date', 'mm/dd/yyyy', '12/31/2001', '2001-12-31'],
  ['time', 'time', '', '1:05:09 PM', '13:05:09'],
  ['datetime', 'datetime', 'mm/dd/yyyy hh:mm', '12/31/2001 10:30', '2001-12-31 10:30:00'],
  ['boolean', 'boolean', 'Yes/No', 'Yes', '1'],
];

const ops = [
  ['IsValid', (s) => isValid(s[1], s[2], s[3])],
  ['GetRawValue', (s) => getRawValue(s[1], s[2], s[3])],
  ['GetFormattedValue', (s) => getFormattedValue(s[1], s[2], s[4])],
];

// Calls per second of CPU time (as Google Benchmark's cpu_time), the best of
// three runs of about 0.2 s after a warm-up: on a shared machine the best run
// is the one least disturbed.
function cpuMicros() {
  const u = process.cpuUsage();
  return u.user + u.system;
}

function rate(call, sample) {
  let sink = 0;
  for (let i = 0; i < 20000; ++i) sink += call(sample) ? 1 : 0;
  let best = 0;
  for (let run = 0; run < 3; ++run) {
    let calls = 0;
    const start = cpuMicros();
    let elapsed = 0;
    while (elapsed < 200_000) {
      for (let i = 0; i < 5000; ++i) sink += call(sample) ? 1 : 0;
      calls += 5000;
      elapsed = cpuMicros() - start;
    }
    best = Math.max(best, calls / (elapsed / 1e6));
  }
  if (sink < 0) console.log(sink);
  return best;
}

// Native calls per second by "BM_Op/index", the best repetition.
function nativeRates(path) {
  const rates = new Map();
  if (!path) return rates;
  for (const b of JSON.parse(readFileSync(path, 'utf8')).benchmarks) {
    if (b.run_type === 'aggregate') continue;
    const ns = b.cpu_time * { ns: 1, us: 1e3, ms: 1e6 }[b.time_unit];
    rates.set(b.run_name ?? b.name, Math.max(rates.get(b.run_name ?? b.name) ?? 0, 1e9 / ns));
  }
  return rates;
}

const native = nativeRates(process.argv[2]);
const fmt = (r) => (r / 1e6).toFixed(2).padStart(8);
console.log('op                 type       wasm Mcalls/s  native Mcalls/s  native/wasm');
for (const [op, call] of ops) {
  samples.forEach((s, i) => {
    const w = rate(call, s);
    const n = native.get(`BM_${op}/${i}`);
    const ratio = n ? (n / w).toFixed(2).padStart(8) : '       -';
    console.log(`${op.padEnd(18)} ${s[0].padEnd(10)} ${fmt(w)}        ${n ? fmt(n) : '       -'}         ${ratio}`);
  });
}
