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

/** The text with "|" at the caret, as the table writes it. */
export const shown = (text, caret) =>
  [text.slice(0, caret), text.slice(caret)].map((s) => s.replace(/[|\\]/g, '\\$&')).join('|');

// The keys column as steps: ['type', c], ['paste', text], ['bs'], ['del'],
// ['commit'] or ['select', start, end].
function steps(keys) {
  const out = [];
  for (let i = 0; i < keys.length;) {
    if (keys[i] === '[') {
      let text = '';
      for (++i; i < keys.length && keys[i] !== ']'; ++i) text += keys[i] === '\\' ? keys[++i] : keys[i];
      out.push(['paste', text]);
      ++i;
    } else if (keys[i] === '{') {
      const word = keys.slice(i + 1, keys.indexOf('}', i));
      i += word.length + 2;
      const [start, end = start] = word.split('-').map(Number);
      out.push(Number.isInteger(start) ? ['select', start, end] : [word]);
    } else {
      if (keys[i] === '\\') ++i;
      const c = String.fromCodePoint(keys.codePointAt(i));
      out.push(['type', c]);
      i += c.length;
    }
  }
  return out;
}

/** Every row: type, mask, prompt, start {text, start, end}, steps, expected, raw, valid. */
export function editingRows() {
  const table = new URL('../../tests/cases/editing.tsv', import.meta.url);
  return readFileSync(table, 'utf8').split('\n').flatMap((line, i) => {
    if (line === '' || line.startsWith('#')) return [];
    const [type, mask, prompt, start, keys, expected, raw, valid] = line.split('\t');
    return [{ line: i + 1, type, mask, prompt, start: unmark(start), keys, steps: steps(keys), expected, raw,
      valid: valid === 'valid' }];
  });
}
