// One database row in a form: every field asks the masked-edit engines, as
// the user types, whether its text is valid and what raw value it holds, and
// shows the value as its mask lays it out once the user leaves it.
import { getFormattedValue, getRawValue, isValid, setCurrencySymbol } from 'zorva-masked-edit';

const rows = [...document.querySelectorAll('tr[data-field]')];

function parts(row) {
  const name = row.dataset.field;
  return {
    name,
    type: row.dataset.type,
    input: document.getElementById(name),
    mask: document.getElementById(`${name}-mask`),
    marker: document.getElementById(`${name}-valid`),
    raw: document.getElementById(`${name}-raw`),
  };
}

// The field's validity is the form's too (:invalid, and no submit while a
// field is invalid); an empty field is valid but shows no mark.
function check(f) {
  const valid = isValid(f.type, f.mask.value, f.input.value);
  const shown = f.input.value === '' ? '' : String(valid);
  f.marker.dataset.valid = shown;
  f.marker.textContent = shown === '' ? '' : valid ? '✓' : '✗';
  f.marker.title = shown === '' ? '' : valid ? 'valid' : 'not valid for this mask';
  f.input.setCustomValidity(valid ? '' : 'not valid for this mask');
  f.input.setAttribute('aria-invalid', String(!valid));
  f.raw.value = valid ? getRawValue(f.type, f.mask.value, f.input.value) : '';
  showRow();
}

// Leaving a valid field lays its raw value out with the mask.
function reformat(f) {
  if (f.input.value === '' || !isValid(f.type, f.mask.value, f.input.value)) return;
  const raw = getRawValue(f.type, f.mask.value, f.input.value);
  f.input.value = getFormattedValue(f.type, f.mask.value, raw);
  check(f);
}

function showRow() {
  const row = {};
  for (const r of rows) {
    const f = parts(r);
    row[f.name] = f.raw.value;
  }
  document.getElementById('row').textContent = JSON.stringify(row, null, 2);
}

for (const r of rows) {
  const f = parts(r);
  f.input.addEventListener('input', () => check(f));
  f.input.addEventListener('blur', () => reformat(f));
  f.mask.addEventListener('input', () => check(f));
  check(f);
}

const currency = document.getElementById('currency');
currency.addEventListener('input', () => {
  const note = document.getElementById('currency-note');
  try {
    setCurrencySymbol(currency.value);
    note.textContent = '';
  } catch (e) {
    note.textContent = e.message;
  }
  for (const r of rows) check(parts(r));
});
// Only a valid row gets here: the browser refuses the submit before.
document.getElementById('order').addEventListener('submit', (e) => {
  e.preventDefault();
  document.getElementById('saved').textContent = 'saved';
});
document.body.dataset.ready = 'true';
