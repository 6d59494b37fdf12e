// Calls per second of the WebAssembly package in Node.js and in headless
// Chromium, beside Intl.NumberFormat / Intl.DateTimeFormat doing the same
// job in each, and beside the native UTF-16 entry points on the same values
// (peer_bench's "entry" pairs), per job of peer_bench's mixes.
//   node bench/wasm_bench.mjs MIXES.tsv [peer_bench.json]
// MIXES.tsv is `peer_bench --mixes`; the JSON is Google Benchmark's output of
// peer_bench; bench/wasm_vs_native.sh makes both and runs this.
import { existsSync, readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join, normalize, sep } from 'node:path';
import { fileURLToPath } from 'node:url';

import { rate, readMixes, setUp, spin } from './wasm_jobs.mjs';

process.env.TZ = 'UTC'; // the dates' instants are UTC; Intl shows them in the local zone
const root = fileURLToPath(new URL('..', import.meta.url)).replace(/\/$/, '');
const [mixesPath, nativePath] = process.argv.slice(2);
const mixesText = readFileSync(mixesPath, 'utf8');

// Native calls per second by job ("format/currency"), the best repetition:
// ten of each job in random order, so that a spell of load on a shared
// machine leaves some of them alone.
function nativeRates(path) {
  const rates = new Map();
  if (!path) return rates;
  for (const b of JSON.parse(readFileSync(path, 'utf8')).benchmarks) {
    const name = b.run_name ?? b.name;
    if (b.run_type === 'aggregate' || !name.endsWith('/entry')) continue;
    const job = name.slice(0, -'/entry'.length);
    const ns = b.cpu_time * { ns: 1, us: 1e3, ms: 1e6 }[b.time_unit];
    rates.set(job, Math.max(rates.get(job) ?? 0, 1e9 / ns));
  }
  return rates;
}
const native = nativeRates(nativePath);

// CPU time of the thread that runs the calls: in Node.js as Linux counts
// it (the process's time, which also counts the collector's and compilers'
// threads, where that cannot be read); in the page as Chromium reports it
// (Performance.getMetrics' ThreadTime), read around each run from here.
function threadSeconds() {
  try {
    return Number(readFileSync('/proc/thread-self/schedstat', 'utf8').split(' ')[0]) / 1e9;
  } catch {
    return null;
  }
}

// Rows { job, differ, ours, intl, bare } of calls per second, each the best
// of two passes over all the jobs: in the first the host is still
// optimising the calling code, which took up to a third off the first jobs.
async function twoPasses(jobs, measure) {
  const rows = jobs.map((j) => ({ job: j.job, differ: j.differ, ours: 0, intl: null, bare: null }));
  for (let pass = 0; pass < 2; ++pass) {
    for (const [k, j] of jobs.entries()) {
      // The bare crossing is shown only against the native time.
      for (const which of native.size ? ['ours', 'intl', 'bare'] : ['ours', 'intl']) {
        if (j[which]) rows[k][which] = Math.max(rows[k][which] ?? 0, await measure(j, which));
      }
    }
  }
  return rows;
}

async function inNode() {
  const pkg = await import('../js/index.js');
  const jobs = setUp(pkg, readMixes(mixesText));
  const clock = threadSeconds() === null
    ? () => { const u = process.cpuUsage(); return (u.user + u.system) / 1e6; }
    : threadSeconds;
  return twoPasses(jobs, (j, which) => rate((r) => spin(j[which], j.n, r), j.n, clock));
}

// The same jobs in a page: the repository's js/ and bench/ served by routing
// every request (nothing is fetched from elsewhere), the mixes passed in.
async function inChromium() {
  const { chromium } = createRequire(join(root, 'js/package.json'))('playwright-core');
  const origin = 'http://127.0.0.1';
  const browser = await chromium.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--no-first-run'],
  });
  try {
    const page = await (await browser.newContext({ timezoneId: 'UTC', locale: 'en-US' })).newPage();
    await page.route('**/*', (route) => {
      const url = new URL(route.request().url());
      if (url.pathname === '/') {
        return route.fulfill({ contentType: 'text/html', body: '<!doctype html><title>bench</title>' });
      }
      const file = normalize(join(root, decodeURIComponent(url.pathname)));
      const ours = url.origin === origin && /^(js|bench)\//.test(file.slice(root.length + 1)) &&
                   file.startsWith(root + sep) && existsSync(file);
      return ours ? route.fulfill({ path: file }) : route.abort();
    });
    await page.goto(`${origin}/`);
    const jobs = await page.evaluate(async (tsv) => {
      const pkg = await import('/js/index.js');
      const bench = await import('/bench/wasm_jobs.mjs');
      window.jobs = bench.setUp(pkg, bench.readMixes(tsv));
      window.spin = bench.spin;
      return window.jobs.map((j) => ({ job: j.job, n: j.n, ours: true, intl: !!j.intl, bare: !!j.bare,
                                        differ: j.differ }));
    }, mixesText);
    const cdp = await page.context().newCDPSession(page);
    await cdp.send('Performance.enable', { timeDomain: 'threadTicks' });
    const clock = async () => (await cdp.send('Performance.getMetrics')).metrics.find((m) => m.name === 'ThreadTime').value;
    const run = (k, which) => (rounds) => page.evaluate(([k, which, rounds]) => {
      const j = window.jobs[k];
      return window.spin(j[which], j.n, rounds);
    }, [k, which, rounds]);
    return await twoPasses(jobs, (j, which) => rate(run(jobs.indexOf(j), which), j.n, clock));
  } finally {
    await browser.close();
  }
}

const node = await inNode();
const chromium = await inChromium();

// A Markdown table, as the README shows it.
const M = (r) => (r ? (r / 1e6).toFixed(2) : '');
const X = (a, b) => (a && b ? (a / b).toFixed(2) : '');
const list = (d) => Object.entries(d).map(([why, count]) => `${count} ${why}`).join(', ');
console.log('Million calls/s of CPU time; × native: time over the native entry\'s; × Intl: Intl\'s time over ours; ' +
            'bare: the crossing alone, its time over the native entry\'s\n');
console.log('| job | Node.js | Chromium | native | × native, Node.js | × native, Chromium | Intl, Node.js | ' +
            'Intl, Chromium | × Intl, Node.js | × Intl, Chromium | bare, Node.js | bare, Chromium | ' +
            'Intl answers otherwise |');
console.log(`|${'---|'.repeat(13)}`);
node.forEach((n, k) => {
  const c = chromium[k];
  const nat = native.get(n.job);
  const differ = list(n.differ) === list(c.differ) ? list(n.differ) : `${list(n.differ)}; Chromium: ${list(c.differ)}`;
  console.log(`| ${n.job.replace('/', ' ')} | ${M(n.ours)} | ${M(c.ours)} | ${M(nat)} | ${X(nat, n.ours)} | ` +
              `${X(nat, c.ours)} | ${M(n.intl)} | ${M(c.intl)} | ${X(n.ours, n.intl)} | ${X(c.ours, c.intl)} | ` +
              `${X(nat, n.bare)} | ${X(nat, c.bare)} | ${differ} |`);
});
