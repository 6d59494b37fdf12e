// The rows of tests/cases/editing.tsv (columns and key syntax in its
// header) for the runners that play them: through createEditor in Node.js
// and by typing into <zorva-input> in a browser.
import { readFileSync } from 'node:fs';

// A field with "|" marks: its text and the marks' positions.
function unmark(field) {
  let text = '';
  const marks = [];
  for (let i = 0; i < field.length; ++i) {
    if (field[i] === '|') marks.push(text.length);
    else text += field[i] === '\\' && i + 1 < field.length ? field[++i] : field[i];
  }
  return { text, start: marks[0], end: marks.at(-1) };
}

// The text with "|" at the caret, as the table writes it.
const shown = (text, caret) =>
  [text.slice(0, caret), text.slice(caret)].map((s) => s.replace(/[|\\]/g, '\\$&')).join('|');

/** What the row expects and what a field shows: [] when they agree, else a line saying how they differ. */
export function differs(row, text, caret, raw, valid) {
  const got = JSON.stringify([shown(text, caret), raw, valid]);
  const want = JSON.stringify([row.expected, row.raw, row.valid]);
  return got === want ? [] : [`line ${row.line}: ${row.keys} gave ${got}, expected ${want}`];
}

// The keys column as steps: ['type', c], ['paste', text], ['bs'], ['del'],
// ['commit'] or ['select', start, end].
const steps = (keys) => [...keys.matchAll(/\[((?:\\.|[^\\\]])*)\]|\{([^}]*)\}|\\?(.)/gsu)].map(([, paste, word, c]) => {
  if (paste !== undefined) return ['paste', paste.replace(/\\(.)/gsu, '$1')];
  if (word === undefined) return ['type', c];
  const [start, end = start] = word.split('-').map(Number);
  return Number.isInteger(start) ? ['select', start, end] : [word];
});

/** Every row: type, mask, prompt, start {text, start, end}, steps, expected, raw, valid. */
export const editingRows = () => readFileSync(new URL('../../tests/cases/editing.tsv', import.meta.url), 'utf8')
  .split('\n').flatMap((line, i) => {
    if (line === '' || line.startsWith('#')) return [];
    const [type, mask, prompt, start, keys, expected, raw, valid] = line.split('\t');
    return [{ line: i + 1, type, mask, prompt, start: unmark(start), keys, steps: steps(keys), expected, raw,
      valid: valid === 'valid' }];
  });
