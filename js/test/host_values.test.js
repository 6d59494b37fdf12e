// JavaScript values given to getFormattedValue, read as the automation values
// a host passes: the same inputs and answers as the DLL's host-value cases
// (tests/windows/host_values.vbs), with a Date for VBScript's dates.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { test } from 'node:test';

import { getFormattedValue as format } from '../index.js';

function answers(rows) {
  for (const [label, type, mask, value, want] of rows) {
    assert.equal(format(type, mask, value), want, label);
  }
}

test('numbers are doubles, written as plain numbers first', () => answers([
  ['long', 'longint', '', 1234567, '1,234,567'],
  ['negative integer', 'shortint', '', -42, '-42'],
  ['byte', 'byte', '', 255, '255'],
  ['integer as text', 'text', '', 42, '42'],
  ['double', 'double', '', 3.25, '3.25'],
  ['double with mask', 'double', '#,##0.00', 1234.5, '1,234.50'],
  ['double as currency: 15 digits', 'currency', '', 0.1 + 0.2, '$0.30'],
  ['negative currency', 'currency', '', -1234.5, '($1,234.50)'],
  ['currency digits', 'currency', '0.0000', 12345.6789, '12345.6789'],
  ['a number as a date: days since 1899-12-30', 'date', 'mm/dd/yyyy', 37256.5, '12/31/2001'],
  ['NaN has no text', 'double', '', NaN, ''],
]));

test('a Date is read in its local calendar fields', () => answers([
  ['date', 'date', '', new Date(2024, 1, 29), '02/29/24'],
  ['date with mask', 'date', 'dd mmm yyyy', new Date(1999, 11, 31), '31 Dec 1999'],
  ['time', 'time', '', new Date(1899, 11, 30, 13, 2, 3), '1:02:03 PM'],
  ['time of a later day', 'time', 'hh:mm', new Date(2024, 5, 1, 7, 5, 0), '07:05'],
  ['date-time', 'datetime', 'mm/dd/yyyy hh:mm:ss', new Date(2024, 1, 29, 13, 2, 3),
    '02/29/2024 13:02:03'],
  ['date as text', 'text', '', new Date(2024, 1, 29, 13, 2, 3), '2024-02-29 13:02:03'],
  // Before 1899-12-30 whole days count back, the time still forward.
  ['before day 0', 'datetime', 'mm/dd/yyyy hh:mm', new Date(1899, 11, 29, 6, 0), '12/29/1899 06:00'],
  ['milliseconds round', 'time', 'hh:mm:ss', new Date(2024, 0, 1, 23, 59, 58, 600), '23:59:59'],
  ['an invalid Date has no text', 'date', '', new Date(NaN), ''],
  ['the year 10000 is out of range', 'date', '', new Date(10000, 0, 1), ''],
  ['the year 99 is too (not 1999)', 'date', '', new Date(new Date(2000, 0, 5).setFullYear(99)), ''],
  ['the year 100 is not', 'date', 'yyyy-mm-dd', new Date(new Date(2000, 0, 5).setFullYear(100)),
    '0100-01-05'],
]));

test('booleans, null and undefined', () => answers([
  ['true', 'boolean', '', true, 'True'],
  ['false', 'boolean', 'Yes/No', false, 'No'],
  ['true under Yes/No', 'boolean', 'Yes/No', true, 'Yes'],
  ['true as text', 'text', '', true, 'True'],
  ['true as number', 'longint', '', true, '-1'],
  ['null', 'text', '', null, ''],
  ['undefined', 'text', '', undefined, ''],
  ['null date', 'date', '', null, ''],
]));

test('a bigint is exact: to 96 bits as text, to 2^53 as a number', () => {
  answers([
    ['past 2^53 as text', 'text', '', 2n ** 53n + 1n, '9007199254740993'],
    ['the largest as text', 'memo', '', -(2n ** 96n - 1n), '-79228162514264337593543950335'],
    ['2^53 as a number', 'double', '#,##0', -(2n ** 53n), '-9,007,199,254,740,992'],
    ['as a boolean', 'boolean', '', 2n ** 90n, 'True'],
    ['as a date', 'date', 'mm/dd/yyyy', 37256n, '12/31/2001'],
  ]);
  for (const [type, big] of [['text', 2n ** 96n], ['text', -(2n ** 96n)],
                             ['double', 2n ** 53n + 1n], ['currency', -(2n ** 64n)],
                             ['longint', 2n ** 90n]]) {
    assert.throws(() => format(type, '', big), RangeError, `${type} ${big}`);
  }
});

test('other values are refused with a TypeError', () => {
  for (const value of [{}, [], Symbol('s'), () => 1, new String('1'), { valueOf: () => 1 }]) {
    assert.throws(() => format('text', '', value), TypeError, typeof value);
  }
});

// A fixed instant in two zones, and a local date across a change to summer time.
const script = `
  import { getFormattedValue as f } from ${JSON.stringify(new URL('../index.js', import.meta.url).href)};
  const m = 'mm/dd/yyyy hh:mm';
  console.log(JSON.stringify([
    f('datetime', m, new Date('2001-12-31T20:00:00Z')),
    f('datetime', m, new Date('2024-03-10T07:30:00Z')),
    f('datetime', m + ':ss', new Date(2024, 1, 29, 13, 2, 3)),
  ]));`;

for (const [zone, want] of [
  ['America/New_York', ['12/31/2001 15:00', '03/10/2024 03:30', '02/29/2024 13:02:03']],
  ['Asia/Tokyo', ['01/01/2002 05:00', '03/10/2024 16:30', '02/29/2024 13:02:03']],
]) {
  test(`a Date shows the wall-clock time of TZ=${zone}`, () => {
    const out = execFileSync(process.execPath, ['--input-type=module', '-e', script],
                             { env: { ...process.env, TZ: zone }, encoding: 'utf8' });
    assert.deepEqual(JSON.parse(out), want);
  });
}
