// Every row of the shared case table (op, type, mask, value, expected,
// reason; \\ \t \n \r \0 and \uXXXX escapes), answered through the package in
// tests of a few hundred rows that list each row answered otherwise.
// ZORVA_CASES names another table made like it (the differential run's).
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { test } from 'node:test';
import { fileURLToPath } from 'node:url';

import { createEditor, getFormattedValue, getRawValue, isValid } from '../index.js';
import { differs, editingRows } from './editing-rows.js';

const table = process.env.ZORVA_CASES ||
  fileURLToPath(new URL('../../tests/cases/cases.tsv', import.meta.url));
const ESCAPES = { '\\': '\\', t: '\t', n: '\n', r: '\r', 0: '\0' };
const ROWS_PER_TEST = 250;

// The table's form is the C++ reader's to check, which reads the same tables.
const decode = (field) => field.replace(/\\(u[0-9A-Fa-f]{4}|.)/g,
  (all, e) => (e.length === 5 ? String.fromCharCode(parseInt(e.slice(1), 16)) : ESCAPES[e]));

const cases = readFileSync(table, 'utf8').split('\n').flatMap((text, i) => {
  if (text === '' || text.startsWith('#')) return [];
  const [op, type, mask, value, expected] = text.split('\t').map((f, k) => (k > 1 ? decode(f) : f));
  return [{ line: i + 1, op, type, mask, value, expected }];
});

function answer(c) {
  try {
    if (c.op === 'check') return isValid(c.type, c.mask, c.value) ? 'valid' : 'invalid';
    if (c.op === 'raw') return getRawValue(c.type, c.mask, c.value);
    return getFormattedValue(c.type, c.mask, c.value);
  } catch (e) {
    return `<threw ${e}>`;
  }
}

test('the table has its cases', () => assert.ok(cases.length > 100));

for (let i = 0; i < cases.length; i += ROWS_PER_TEST) {
  const rows = cases.slice(i, i + ROWS_PER_TEST);
  test(`cases.tsv:${rows[0].line}-${rows.at(-1).line}`, () => {
    const show = JSON.stringify;
    const differ = rows.map((c) => [c, answer(c)]).filter(([c, got]) => got !== c.expected)
      .map(([c, got]) => `differs: line ${c.line}: ${c.op} ${c.type} ${show(c.mask)} ${show(c.value)} ` +
                         `gave ${show(got)}, expected ${show(c.expected)}`);
    assert.equal(differ.length, 0, `${differ.length} rows differ:\n${differ.join('\n')}`);
  });
}

// Every row of the editing table, played through createEditor.
test('editing.tsv', () => {
  const differ = [];
  for (const row of editingRows()) {
    const e = createEditor(row.type, row.mask, { prompt: row.prompt });
    if (e.text !== row.start.text) e.setText(row.start.text);
    for (const [op, a, b] of [['select', row.start.start, row.start.end], ...row.steps]) {
      ({ type: () => e.insert(a), paste: () => e.insert(a), select: () => e.select(a, b), bs: () => e.deleteBackward(),
        del: () => e.deleteForward(), commit: () => e.commit() })[op]();
    }
    differ.push(...differs(row, e.text, e.caret, e.rawValue, e.valid));
    e.free();
  }
  assert.equal(differ.length, 0, `${differ.length} rows differ:\n${differ.join('\n')}`);
});
