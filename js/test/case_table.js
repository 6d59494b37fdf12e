// Reads the shared end-to-end case table tests/cases/cases.tsv: op, type,
// mask, value, expected, reason, tab-separated, UTF-8, with \\ \t \n \r \0
// and \uXXXX (one UTF-16 code unit) escapes.
import { readFileSync } from 'node:fs';

const ESCAPES = { '\\': '\\', t: '\t', n: '\n', r: '\r', 0: '\0' };

export function decodeField(field, line) {
  return field.replace(/\\(u[0-9A-Fa-f]{4}|.?)/g, (all, e) => {
    if (e.length === 5) return String.fromCharCode(parseInt(e.slice(1), 16));
    if (e in ESCAPES) return ESCAPES[e];
    throw new Error(`line ${line}: bad escape ${all}`);
  });
}

export function loadCaseTable(path) {
  const cases = [];
  readFileSync(path, 'utf8').split('\n').forEach((text, i) => {
    const line = i + 1;
    if (text === '' || text.startsWith('#')) return;
    const f = text.split('\t');
    if (f.length !== 6) throw new Error(`${path}:${line}: 6 fields wanted`);
    const [op, type, mask, value, expected, reason] = f;
    if (!['check', 'raw', 'format'].includes(op)) throw new Error(`${path}:${line}: bad op`);
    cases.push({
      line, op, type,
      mask: decodeField(mask, line),
      value: decodeField(value, line),
      expected: decodeField(expected, line),
      reason,
    });
  });
  return cases;
}
