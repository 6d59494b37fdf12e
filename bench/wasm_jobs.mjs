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

// Why Intl's answer is not ours.
function cause(ours, theirs, v) {
  if (v.tieOther && theirs === v.tieOther) return 'tie';
  if (/^-0\.00$|^\(\$0\.00\)$/.test(theirs)) return '-0';
  const spaced = theirs.replace(/\u202f/g, ' ');
  const narrow = spaced !== theirs ? 'a narrow no-break space before AM/PM' : '';
  if (spaced === ours) return narrow;
  if (spaced.replace(', ', ' ') === ours) return narrow ? `${narrow}, a comma after the date` : 'a comma after the date';
  return `other (ours ${JSON.stringify(ours)}, Intl ${JSON.stringify(theirs)})`;
}

// Calls per second of call(i) over i = 0..n-1 in turn: the best of five runs
// of about 0.1 s after a warm-up (the best run is the least disturbed on a
// shared machine). `now` is the clock in milliseconds.
function rate(call, n, now) {
  let sink = 0;
  for (let k = 0; k < 20; ++k) for (let i = 0; i < n; ++i) sink += call(i) ? 1 : 0;
  let best = 0;
  for (let run = 0; run < 5; ++run) {
    let calls = 0;
    const start = now();
    let elapsed = 0;
    while (elapsed < 100) {
      for (let i = 0; i < n; ++i) sink += call(i) ? 1 : 0;
      calls += n;
      elapsed = now() - start;
    }
    best = Math.max(best, calls / (elapsed / 1e3));
  }
  if (sink < 0) throw new Error('unreachable');
  return best;
}

// The jobs as rows: { job, ours, intl, differ } with rates in calls/s and
// differ counting Intl's other answers by cause.
export function runJobs(pkg, mixes, now) {
  const { getFormattedValue, getRawValue, isValid } = pkg;
  const jobs = [];
  for (const mix of mixes) {
    const { type, mask, values: vals } = mix;
    const kind = mix.name.replace(/-rounding$/, '');
    jobs.push({ job: `format/${mix.name}`, kind, vals, answer: (v) => v.formatted,
                ours: (i) => getFormattedValue(type, mask, vals[i].raw) });
    if (mix.rounding) continue; // parsing two decimals is the plain mix's job
    jobs.push({ job: `parse/${mix.name}`, vals, answer: (v) => v.parsed,
                ours: (i) => getRawValue(type, mask, vals[i].typed) });
    jobs.push({ job: `valid/${mix.name}`, vals, answer: () => true,
                ours: (i) => isValid(type, mask, vals[i].typed) });
  }
  // All of them once first, so that none is timed before the module's code
  // is optimised.
  for (const j of jobs) {
    j.vals.forEach((v, i) => {
      if (j.ours(i) !== j.answer(v)) {
        throw new Error(`${j.job}: ${JSON.stringify(j.ours(i))} where ${JSON.stringify(j.answer(v))} is right`);
      }
    });
  }
  for (let k = 0; k < 50; ++k) for (const j of jobs) for (let i = 0; i < j.vals.length; ++i) j.ours(i);
  return jobs.map((j) => {
    const row = { job: j.job, ours: rate(j.ours, j.vals.length, now), intl: null, differ: {} };
    const make = j.kind && INTL[j.kind];
    if (make) {
      const f = make();
      const input = j.vals.map((v) => (DATES.has(j.kind) ? v.udate : v.number));
      const theirs = (i) => f.format(input[i]);
      j.vals.forEach((v, i) => {
        const t = theirs(i);
        const why = t === v.formatted ? null : cause(v.formatted, t, v);
        if (why) row.differ[why] = (row.differ[why] ?? 0) + 1;
      });
      row.intl = rate(theirs, j.vals.length, now);
    }
    return row;
  });
}
