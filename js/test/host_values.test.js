// JavaScript values given to getFormattedValue, read as the automation values
// a host passes: the host-value table the DLL's VBScript host reads too, with
// a Date for VBScript's dates, and what only JavaScript passes.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { test } from 'node:test';

import { getFormattedValue as format } from '../index.js';

// A table value as the JavaScript value its kind names: a number, a bigint,
// or a Date in its local calendar fields (a year before 100 as it is).
function hostValue(kind, v) {
  if (kind === 'null' || kind === 'empty') return kind === 'null' ? null : undefined;
  if (kind === 'boolean') return v === 'True';
  if (kind === 'bigint') return BigInt(v);
  if (kind !== 'date') return Number(v);
  const [y, m, d, h = 0, n = 0, s = 0, ms = 0] = v.split(/[- :.]/).map(Number);
  const date = new Date(2000, 0, 1, h, n, s, ms);
  date.setFullYear(y, m - 1, d);
  return date;
}

test('the host values of tests/cases/host_values.tsv', () => {
  const table = readFileSync(new URL('../../tests/cases/host_values.tsv', import.meta.url), 'utf8');
  for (const [host, label, type, mask, kind, value, want] of table.split('\n').map((l) => l.split('\t'))) {
    if (!host || host[0] === '#' || host === 'vbs') continue;
    assert.equal(format(type, mask, hostValue(kind, value)), want, label);
  }
});

test('a bigint past 96 bits as text, or past 2^53 as a number, is refused; other values are not numbers', () => {
  for (const [type, value, error] of [['text', 2n ** 96n, RangeError], ['text', -(2n ** 96n), RangeError],
    ['double', 2n ** 53n + 1n, RangeError], ['currency', -(2n ** 64n), RangeError], ['longint', 2n ** 90n, RangeError],
    ...[{}, [], Symbol('s'), () => 1, new String('1'), { valueOf: () => 1 }].map((v) => ['text', v, TypeError])]) {
    assert.throws(() => format(type, '', value), error, `${type} ${typeof value}`);
  }
});

// A fixed instant in two zones, and a local date across a change to summer
// time: Node.js follows a change of TZ at once.
test('a Date shows the wall-clock time of its zone', (t) => {
  const zone = process.env.TZ;
  t.after(() => (zone === undefined ? delete process.env.TZ : (process.env.TZ = zone)));
  const m = 'mm/dd/yyyy hh:mm';
  for (const [tz, want] of [
    ['America/New_York', ['12/31/2001 15:00', '03/10/2024 03:30', '02/29/2024 13:02:03']],
    ['Asia/Tokyo', ['01/01/2002 05:00', '03/10/2024 16:30', '02/29/2024 13:02:03']],
  ]) {
    process.env.TZ = tz;
    assert.deepEqual([format('datetime', m, new Date('2001-12-31T20:00:00Z')),
      format('datetime', m, new Date('2024-03-10T07:30:00Z')),
      format('datetime', `${m}:ss`, new Date(2024, 1, 29, 13, 2, 3))], want, tz);
  }
});
