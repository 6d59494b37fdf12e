// <zorva-input> in headless Chromium: every row of the editing table typed
// with real keys (a paste through the clipboard), then the demo page filled
// in as a user would and submitted. Screenshots go to js/test-output/.
import assert from 'node:assert/strict';
import { existsSync, mkdirSync } from 'node:fs';
import { join, normalize, sep } from 'node:path';
import { after, before, test } from 'node:test';
import { fileURLToPath } from 'node:url';

import { chromium } from 'playwright-core';

import { editingRows, shown } from './editing-rows.js';

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
  const field = document.getElementById(id);
  const input = field.shadowRoot.querySelector('input');
  return { text: input.value, caret: input.selectionStart, raw: field.value, valid: field.validity.valid };
}, id);

test('editing.tsv typed into <zorva-input>', async () => {
  const differ = [];
  for (const row of editingRows()) {
    // A new field, focused, showing the row's start text and selection.
    await page.evaluate((row) => {
      const field = document.createElement('zorva-input');
      for (const a of ['type', 'mask', 'prompt']) if (row[a]) field.setAttribute(a, row[a]);
      (document.getElementById('table-row') ?? document.body.appendChild(document.createElement('p')))
        .replaceWith(field);
      field.id = 'table-row';
      field.focus();
      if (field.text !== row.start.text) field.text = row.start.text;
      field.setSelectionRange(row.start.start, row.start.end);
    }, row);
    let left = false;
    for (const [op, a, b] of row.steps) {
      if (left && op !== 'commit') {  // entered again after a commit, the caret where it was
        await page.evaluate(() => {
          const field = document.getElementById('table-row'), { selectionStart: s, selectionEnd: e } = field;
          field.focus();
          field.setSelectionRange(s, e);
        });
      }
      left = op === 'commit';
      if (op === 'type') await page.keyboard.type(a);
      else if (op === 'bs' || op === 'del') await page.keyboard.press(op === 'bs' ? 'Backspace' : 'Delete');
      else if (op === 'commit') await page.evaluate(() => document.getElementById('table-row').blur());
      else if (op === 'select') {
        await page.evaluate(([a, b]) => document.getElementById('table-row')
          .setSelectionRange(Math.min(a, b), Math.max(a, b), a > b ? 'backward' : 'forward'), [a, b]);
      } else {
        await page.evaluate((text) => navigator.clipboard.writeText(text), a);
        await page.keyboard.press('ControlOrMeta+V');
      }
    }
    const s = await state('table-row');
    const got = [shown(s.text, s.caret), s.raw, s.valid], want = [row.expected, row.raw, row.valid];
    if (JSON.stringify(got) !== JSON.stringify(want)) {
      differ.push(`line ${row.line}: ${row.keys} gave ${JSON.stringify(got)}, expected ${JSON.stringify(want)}`);
    }
  }
  await page.evaluate(() => document.getElementById('table-row').remove());
  assert.equal(differ.length, 0, `${differ.length} rows differ:\n${differ.join('\n')}`);
});

// Random keys (arrows and Shift, undo and redo among them) into a field under
// each mask of the editing table: the input always shows the editor's text,
// a character mask's literals never move, and the commit is what the three
// questions say of the text left, shown again alike from its raw value.
test('random keys into <zorva-input>: the shown text, the literals and the commit hold', async () => {
  const keys = ['1', '7', '0', 'a', 'Q', '-', '.', ',', '(', ' ', '$', 'Backspace', 'Delete', 'ArrowLeft',
    'ArrowRight', 'Shift+ArrowLeft', 'Shift+Home', 'End', 'ControlOrMeta+Z', 'ControlOrMeta+Shift+Z'];
  let seed = 28;
  const random = (n) => ((seed = (seed * 1103515245 + 12345) % 2147483648) % n);
  const masks = new Map(editingRows().map((r) => [`${r.type}\t${r.mask}\t${r.prompt}`, r]));
  const faults = [];
  for (const row of masks.values()) {
    await page.evaluate((row) => {
      const field = document.body.appendChild(document.createElement('zorva-input'));
      for (const a of ['type', 'mask', 'prompt']) if (row[a]) field.setAttribute(a, row[a]);
      field.id = 'random';
      field.focus();
      const input = field.shadowRoot.querySelector('input'), empty = field.text, prompt = row.prompt || '_';
      const literal = /^(text|memo|url|image)$/.test(row.type) && row.mask !== '';
      field.faults = [];
      field.addEventListener('input', () => {
        const moved = literal && [...empty].some((c, i) => c !== prompt && field.text[i] !== c);
        if (input.value !== field.text || moved) field.faults.push(`${input.value} as ${field.text}`);
      });
    }, row);
    for (let n = 0; n < 24; ++n) await page.keyboard.press(keys[random(keys.length)]);
    faults.push(...await page.evaluate(async () => {
      const { getRawValue, isValid } = await import('/index.js');
      const field = document.getElementById('random'), type = field.getAttribute('type') ?? 'text';
      const mask = field.getAttribute('mask') ?? '', editing = field.text;
      field.blur();
      const text = field.text, again = document.createElement('zorva-input');
      if (field.validity.valid !== isValid(type, mask, text) || field.value !== getRawValue(type, mask, text)) {
        field.faults.push(`${editing} committed as ${text}: ${field.value}, valid ${field.validity.valid}`);
      }
      for (const a of ['type', 'mask', 'prompt']) if (field.hasAttribute(a)) again.setAttribute(a, field.getAttribute(a));
      field.after(again);
      again.value = field.value;
      if (field.validity.valid && again.text !== text) field.faults.push(`${text} shown again as ${again.text}`);
      field.remove();
      again.remove();
      return field.faults.map((f) => `${type} ${mask}: ${f}`);
    }));
  }
  assert.deepEqual(faults, []);
});

// Types into an emptied demo field, key by key, and leaves it.
async function fill(id, keys) {
  await page.evaluate((id) => { document.getElementById(id).value = ''; }, id);
  await page.focus(`#${id}`);
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
  assert.deepEqual(await page.evaluate(() => [...document.querySelectorAll('zorva-input')]
    .map((f) => `${f.id}=${f.value}${f.shadowRoot.querySelector('input').disabled ? ' disabled' : ''}`)),
  ['amount=', 'quantity=', 'orderDate=', 'deliveryTime=', 'phone=', 'paid= disabled']);
  assert.deepEqual(foreignRequests, []);
});
