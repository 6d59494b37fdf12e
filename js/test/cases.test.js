// Every row of the shared case table, answered through the package;
// ZORVA_CASES names another table made like it (the differential run's).
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { fileURLToPath } from 'node:url';

import { getFormattedValue, getRawValue, isValid } from '../index.js';
import { loadCaseTable } from './case_table.js';

const table = process.env.ZORVA_CASES ||
  fileURLToPath(new URL('../../tests/cases/cases.tsv', import.meta.url));
const cases = loadCaseTable(table);

test('the table has its cases', () => assert.ok(cases.length > 100));

for (const c of cases) {
  test(`cases.tsv:${c.line} ${c.op} ${c.type} ${JSON.stringify(c.mask)} ${JSON.stringify(c.value)}`, () => {
    if (c.op === 'check') {
      assert.equal(isValid(c.type, c.mask, c.value), c.expected === 'valid');
    } else if (c.op === 'raw') {
      assert.equal(getRawValue(c.type, c.mask, c.value), c.expected);
    } else {
      assert.equal(getFormattedValue(c.type, c.mask, c.value), c.expected);
    }
  });
}
