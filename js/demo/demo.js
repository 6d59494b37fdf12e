// One database row in a form of <zorva-input> fields: each applies its mask
// as the user types and gives the form its raw value; beside it, its verdict
// and that raw value. The mask of each field can be edited.
import 'zorva-masked-edit/element';
import { setCurrencySymbol } from 'zorva-masked-edit';

const form = document.getElementById('order');
const fields = [...document.querySelectorAll('tr[data-field]')].map((row) => {
  const name = row.dataset.field;
  const part = (suffix) => document.getElementById(`${name}${suffix}`);
  return { input: part(''), mask: part('-mask'), marker: part('-valid'), raw: part('-raw') };
});

// An empty field is valid but shows no mark; an invalid one shows no raw value.
function show(f) {
  const valid = f.input.validity.valid;
  const shown = f.input.value === '' && valid ? '' : String(valid);
  f.marker.dataset.valid = shown;
  f.marker.textContent = shown === '' ? '' : valid ? '✓' : '✗';
  f.marker.title = f.input.validationMessage;
  f.raw.value = valid ? f.input.value : '';
}

for (const f of fields) {
  f.input.addEventListener('input', () => show(f));
  f.input.addEventListener('change', () => show(f));
  f.mask.addEventListener('input', () => {
    f.input.setAttribute('mask', f.mask.value);
    show(f);
  });
  show(f);
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
  for (const f of fields) {
    f.input.setAttribute('mask', f.mask.value); // the field anew, with the symbol
    show(f);
  }
});

// Only a valid row gets here: the browser refuses the submit before. What
// the form submits is what a database would store.
form.addEventListener('submit', (e) => {
  e.preventDefault();
  document.getElementById('row').textContent = JSON.stringify(Object.fromEntries(new FormData(form)), null, 2);
  document.getElementById('saved').textContent = 'saved';
});
document.body.dataset.ready = 'true';
