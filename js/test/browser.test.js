// <zorva-input> in headless Chromium: every row of the editing table typed
// with real keys (a paste through the clipboard), then the demo page filled
// in as a user would and submitted. Screenshots go to js/test-output/.
import assert from 'node:assert/strict';
import { existsSync, mkdirSync } from 'node:fs';
import { join, normalize, sep } from 'node:path';
import { after, before, test } from 'node:test';
import { fileURLToPath } from 'node:url';

import { chromium } from 'playwright-core';

import { differs, editingRows } from './editing-rows.js';

const packageRoot = fileURLToPath(new URL('..', import.meta.url)).replace(/\/$/, '');
const outputDir = join(packageRoot, 'test-output');
const chromiumPath = process.env.CHROMIUM ?? '/usr/bin/chromium';

const origin = 'http://127.0.0.1';  // a secure context, never contacted: every request is routed
let browser, page;
const foreignRequests = [];

// The package's own files, nothing outside it; the page needs nothing else.
function serve(route) {
  const url = new URL(route.request().url());
  if (url.origin !== origin) return foreignRequests.push(url.href), route.abort();
  const file = normalize(join(packageRoot, decodeURIComponent(url.pathname).replace(/\/$/, '/index.html')));
  const ours = file.startsWith(packageRoot + sep) && existsSync(file);
  return route.fulfill(ours ? { path: file } : { status: 404 });
}

before(async () => {
  browser = await chromium.launch({
    executablePath: chromiumPath,
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--no-first-run'],
  });
  page = await browser.newPage({ viewport: { width: 1000, height: 760 },
    permissions: ['clipboard-read', 'clipboard-write'] });
  await page.route('**/*', serve);
  const errors = [];
  page.on('pageerror', (e) => errors.push(e));
  await page.goto(`${origin}/demo/`);
  await page.waitForSelector('body[data-ready="true"]', { timeout: 30000 }).catch((e) => {
    throw errors.length ? errors[0] : e;
  });
});

after(() => browser?.close());

// What the user sees in a field and what the form gets of it.
const state = (id) => page.evaluate((id) => {
  const field = document.getElementById(id), input = field.shadowRoot.querySelector('input');
  return { text: input.value, caret: input.selectionStart, raw: field.value, valid: field.validity.valid };
}, id);

// Before a key: the field entered (again, after a commit, with the caret
// where it was) or the selection moved; a paste's text on the clipboard; or
// the field left.
const act = (op, a, b) => page.evaluate(([op, a, b]) => {
  const field = document.getElementById('table-row'), { selectionStart: start, selectionEnd: end } = field;
  if (op === 'commit') return field.blur();
  if (op === 'paste') return navigator.clipboard.writeText(a);
  field.focus();
  if (op !== 'select') return field.setSelectionRange(start, end);
  return field.setSelectionRange(Math.min(a, b), Math.max(a, b), a > b ? 'backward' : 'forward');
}, [op, a, b]);

// A new field, focused, in place of the last one; showing the text if given.
const newField = (row, text) => page.evaluate(([row, text]) => {
  const field = document.createElement('zorva-input');
  for (const a of ['type', 'mask', 'prompt']) if (row[a]) field.setAttribute(a, row[a]);
  (document.getElementById('table-row') ?? document.body.appendChild(document.createElement('p'))).replaceWith(field);
  field.id = 'table-row';
  field.focus();
  if (text !== undefined && field.text !== text) field.text = text;
}, [row, text]);

test('editing.tsv typed into <zorva-input>', async () => {
  const differ = [];
  for (const row of editingRows()) {
    await newField(row, row.start.text);
    for (const [op, a, b] of [['select', row.start.start, row.start.end], ...row.steps]) {
      await act(op, a, b);
      if (op === 'type') await page.keyboard.type(a);
      else if (op === 'paste') await page.keyboard.press('ControlOrMeta+V');
      else if (op === 'bs' || op === 'del') await page.keyboard.press(op === 'bs' ? 'Backspace' : 'Delete');
    }
    const { text, caret, raw, valid } = await state('table-row');
    differ.push(...differs(row, text, caret, raw, valid));
  }
  await page.evaluate(() => document.getElementById('table-row').remove());
  assert.equal(differ.length, 0, `${differ.length} rows differ:\n${differ.join('\n')}`);
});

// Random keys (arrows and Shift, undo and redo among them) into a field under
// each mask of the editing table: the input always shows the editor's text,
// a character mask's literals never move, and the commit is what the three
// questions say of the text left.
test('random keys into <zorva-input>: the shown text, the literals and the commit hold', async () => {
  const keys = ['1', '7', '0', 'a', 'Q', '-', '.', ',', '(', ' ', '$', 'Backspace', 'Delete', 'ArrowLeft',
    'ArrowRight', 'Shift+ArrowLeft', 'Shift+Home', 'End', 'ControlOrMeta+Z', 'ControlOrMeta+Shift+Z'];
  let seed = 28;
  const random = (n) => ((seed = (seed * 1103515245 + 12345) % 2147483648) % n);
  const faults = [];
  for (const row of new Map(editingRows().map((r) => [`${r.type}\t${r.mask}\t${r.prompt}`, r])).values()) {
    await newField(row);
    await page.evaluate((row) => {
      const field = document.getElementById('table-row'), input = field.shadowRoot.querySelector('input');
      const empty = field.text, literal = /^(text|memo|url|image)$/.test(row.type) && row.mask !== '';
      field.faults = [];
      field.addEventListener('input', () => {
        const moved = literal && [...empty].some((c, i) => c !== (row.prompt || '_') && field.text[i] !== c);
        if (input.value !== field.text || moved) field.faults.push(`${input.value} as ${field.text}`);
      });
    }, row);
    for (let n = 0; n < 24; ++n) await page.keyboard.press(keys[random(keys.length)]);
    faults.push(...await page.evaluate(async (row) => {
      const { getRawValue, isValid } = await import('/index.js');
      const field = document.getElementById('table-row'), editing = field.text;
      field.blur();
      const [type, mask, text] = [row.type, row.mask, field.text];
      if (field.validity.valid !== isValid(type, mask, text) || field.value !== getRawValue(type, mask, text)) {
        field.faults.push(`${editing} committed as ${text}: ${field.value}, valid ${field.validity.valid}`);
      }
      return field.faults.map((f) => `${type} ${mask}: ${f}`);
    }, row));
  }
  assert.deepEqual(faults, []);
});

// Types into an emptied demo field, key by key, and leaves it.
async function fill(id, keys) {
  await page.evaluate((id) => Object.assign(document.getElementById(id), { value: '' }).focus(), id);
  await page.keyboard.type(keys);
  await page.evaluate((id) => document.getElementById(id).blur(), id);
}

test('the demo form gets raw values, the formatted phone too; an invalid field holds it back', async () => {
  // field, keys, text after leaving it, raw value
  for (const [id, keys, text, raw] of [['amount', '-1234.5', '($1,234.50)', '-1234.5'],
    ['quantity', '12x34', '1,234', '1234'], ['orderDate', '02/03/2001', '02/03/2001', '2001-02-03'],
    ['deliveryTime', '2:30 PM', '2:30 PM', '14:30:00'], ['phone', '5551234', '(555) 123-4', '5551234'],
    ['paid', 'Yes', 'Yes', '1']]) {
    await fill(id, keys);
    assert.deepEqual(await state(id), { text, caret: text.length, raw, valid: id !== 'phone' }, id);
  }
  const note = () => page.evaluate(() => {
    const input = document.getElementById('phone').shadowRoot.querySelector('input');
    return [input.getAttribute('aria-invalid'), input.nextElementSibling.textContent, document.getElementById('row').textContent];
  });
  await page.click('button');
  assert.deepEqual(await note(), ['true', 'Enter a value that fits (###) ###-####.', '']);
  await fill('phone', '5551234567');
  await page.click('button');
  const [invalid, message, row] = await note();
  assert.deepEqual([invalid, message, JSON.parse(row)], ['false', '', {
    amount: '-1234.5', quantity: '1234', orderDate: '2001-02-03', deliveryTime: '14:30:00',
    phone: '5551234567', phoneShown: '(555) 123-4567', paid: '1' }]);
  mkdirSync(outputDir, { recursive: true });
  await page.screenshot({ path: join(outputDir, 'demo.png'), fullPage: true });
});

test('undo and redo, an IME composition, a drop, a new mask and the currency symbol, reset and disabled', async () => {
  await fill('phone', '');
  await page.focus('#phone');
  await page.keyboard.type('5551');
  await page.keyboard.press('ControlOrMeta+Z');
  assert.equal((await state('phone')).text, '(555) ___-____');
  await page.keyboard.press('ControlOrMeta+Shift+Z');
  assert.equal((await state('phone')).text, '(555) 1__-____');
  const ime = await page.context().newCDPSession(page);
  await ime.send('Input.imeSetComposition', { text: '２', selectionStart: 1, selectionEnd: 1 });
  await ime.send('Input.insertText', { text: '2' });
  assert.deepEqual(await state('phone'), { text: '(555) 12_-____', caret: 8, raw: '55512', valid: false });
  await page.evaluate(() => {  // a drop over the whole text: what a browser sends, with the text in a DataTransfer
    const input = document.getElementById('phone').shadowRoot.querySelector('input'), dataTransfer = new DataTransfer();
    dataTransfer.setData('text/plain', '800 555 0199');
    input.setSelectionRange(0, 14);
    input.dispatchEvent(new InputEvent('beforeinput', { inputType: 'insertFromDrop', dataTransfer, cancelable: true }));
  });
  assert.deepEqual(await state('phone'), { text: '(800) 555-0199', caret: 14, raw: '8005550199', valid: true });
  await page.fill('#currency', '€');
  await page.fill('#amount-mask', '$#,##0.00');
  await fill('amount', '1234.5');
  assert.equal((await state('amount')).text, '€1,234.50');
  await page.screenshot({ path: join(outputDir, 'demo-edited.png'), fullPage: true });
  await page.evaluate(() => {
    document.getElementById('order').reset();
    document.getElementById('paid').toggleAttribute('disabled');
  });
  assert.deepEqual(await page.evaluate(() => [...document.querySelectorAll('#order zorva-input')]
    .map((f) => `${f.id}=${f.value}${f.shadowRoot.querySelector('input').disabled ? ' disabled' : ''}`)),
  ['amount=', 'quantity=', 'orderDate=', 'deliveryTime=', 'phone=', 'paid= disabled']);
  assert.deepEqual(foreignRequests, []);
});
