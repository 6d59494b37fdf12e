// What the package adds to the entry points: value types by name, the
// scratch memory that grows with long arguments, the currency setting and
// the editor's life and limits.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import {
  createEditor, getFormattedValue, getRawValue, isValid, setCurrencySymbol, valueTypes,
} from '../index.js';

test('a value type is a name, a constant name in any case, or a number, also as a string', () => {
  for (const type of ['currency', 'CURRENCY', 'tkMECurrency', 'tkmecurrency', 1, '1', '01',
                      valueTypes.currency]) {
    assert.equal(getFormattedValue(type, '', '-1234.5'), '($1,234.50)', String(type));
  }
  assert.equal(valueTypes.timestamp, 17);
  assert.equal(isValid('17', '', 'anything'), true);
});

test('an unknown value type throws instead of answering', () => {
  for (const type of ['money', '', 18, -1, 1.5, NaN, null, undefined, {}, '18', '-1', ' 1', '1.0',
                      '001', 'currency ', 'tkMECurrency\0', 1n]) {
    assert.throws(() => isValid(type, '', '1'), /value type/, String(type));
  }
});

test('a mask or an entered text that is not a string is refused; an absent one is empty', () => {
  assert.throws(() => isValid('byte', '', 127), /entered text must be a string/);
  assert.throws(() => getRawValue('date', new Date(), '12/31/01'), /mask must be a string/);
  assert.throws(() => getFormattedValue('date', 0, '2001-12-31'), TypeError);
  // An absent mask or value is an empty one.
  assert.equal(getFormattedValue('date', undefined, '2001-12-31'), '12/31/01');
  assert.equal(isValid('date', null, null), true);
  assert.equal(getRawValue('currency', null, undefined), '');
});

test('long arguments grow the scratch memory and still answer', () => {
  const long = '9'.repeat(100000);
  assert.equal(isValid('text', '', long), true);
  assert.equal(getRawValue('text', '#'.repeat(50000), long), '9'.repeat(254)); // as the native build
  assert.equal(getFormattedValue('text', '(###) ###-####', '5551234567'), '(555) 123-4567');
});

test('masks past the hundreds the package keeps still answer, and so does the one asked about before', () => {
  for (let n = 1; n <= 600; ++n) {
    assert.equal(getRawValue('text', '#'.repeat(n % 300 + 1), '7'), '7', `mask of ${n % 300 + 1}`);
    assert.equal(getFormattedValue('currency', '', '-1234.5'), '($1,234.50)', `after ${n} masks`);
  }
});

test('the currency symbol is the caller\'s to set', (t) => {
  t.after(() => setCurrencySymbol(''));
  // With the euro (a single code-page byte) the "$" of a currency mask
  // stands for it; other types and the default masks keep their "$".
  setCurrencySymbol('€');
  assert.equal(getFormattedValue('currency', '$#,##0.00', '1234.5'), '€1,234.50');
  assert.equal(getFormattedValue('currency', '', '-1234.5'), '($1,234.50)');
  assert.equal(getFormattedValue('double', '$#,##0.00', '1234.5'), '$1,234.50');
  assert.equal(getRawValue('currency', '', '€1,234.50'), '1234.5');
  setCurrencySymbol('');
  // One the settings cannot hold is refused and changes nothing.
  for (const symbol of ['EURO', '₹', '\0', '\uD800']) {
    assert.throws(() => setCurrencySymbol(symbol), RangeError, JSON.stringify(symbol));
  }
  assert.equal(getFormattedValue('currency', '$#,##0.00', '1234.5'), '$1,234.50');
});

test('an editor: none for a type never edited, its texts bounded, unusable once freed', () => {
  assert.equal(createEditor('oleobject', ''), null);
  const memo = createEditor('memo', '');
  assert.equal(memo.insert('\uD800'), false);  // an unpaired surrogate is no character of the code page
  assert.equal(memo.insert('x'.repeat(100000)), true);
  assert.deepEqual([memo.text.length, memo.caret, memo.rawValue.length], [254, 254, 254]);
  memo[Symbol.dispose]();
  memo.free();
  assert.throws(() => memo.text, /freed/);
});
