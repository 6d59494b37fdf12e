// The demo page in headless Chromium: types into each field as a user would
// and checks the validity markers, the raw values and the text left after
// the field is left. Writes a screenshot to js/test-output/demo.png.
import assert from 'node:assert/strict';
import { existsSync, mkdirSync } from 'node:fs';
import { join, normalize, sep } from 'node:path';
import { after, before, test } from 'node:test';
import { fileURLToPath } from 'node:url';

import { chromium } from 'playwright-core';

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
  page = await browser.newPage({ viewport: { width: 1000, height: 720 } });
  await page.route('**/*', serve);
  const errors = [];
  page.on('pageerror', (e) => errors.push(e));
  await page.goto(`${origin}/demo/`);
  await page.waitForSelector('body[data-ready="true"]', { timeout: 30000 }).catch((e) => {
    throw errors.length ? errors[0] : e;
  });
});

after(() => browser?.close());

// Types the text into an emptied field, key by key; optionally leaves it.
async function type(field, text, leave = false) {
  await page.fill(`#${field}`, '');
  await page.locator(`#${field}`).pressSequentially(text);
  if (leave) await page.locator(`#${field}`).blur();
}

async function state(field) {
  return page.evaluate((f) => ({
    valid: document.getElementById(`${f}-valid`).dataset.valid,
    raw: document.getElementById(`${f}-raw`).value,
    text: document.getElementById(f).value,
  }), field);
}

test('each field checks as typed, shows its raw value and reformats when left', async () => {
  // field, type in, raw while typing (none: invalid), text after leaving the field. An
  // invalid entry is left as it is; the marker follows every key, valid again once the text is.
  for (const [field, input, raw, shown] of [
    ['quantity', '12x', '', '12x'], ['orderDate', '02/30/2001', '', '02/30/2001'],
    ['deliveryTime', '25:00', '', '25:00'], ['amount', '$1,234.567', '', '$1,234.567'],
    ['amount', '-1234.5', '-1234.5', '($1,234.50)'], ['quantity', '1234567', '1234567', '1,234,567'],
    ['orderDate', '2/3/2001', '2001-02-03', '02/03/2001'], ['deliveryTime', '2:30 pm', '14:30:00', '2:30 PM'],
    ['phone', '5551234567', '5551234567', '(555) 123-4567'], ['paid', 'yes', '1', 'Yes']]) {
    const valid = String(raw !== '');
    await type(field, input);
    assert.deepEqual(await state(field), { valid, raw, text: input }, field);
    await page.locator(`#${field}`).blur();
    assert.deepEqual(await state(field), { valid, raw, text: shown }, field);
  }
  assert.deepEqual(JSON.parse(await page.textContent('#row')), {
    amount: '-1234.5', quantity: '1234567', orderDate: '2001-02-03',
    deliveryTime: '14:30:00', phone: '5551234567', paid: '1',
  });
});

test('an edited mask reads the field anew; the currency symbol is the page\'s to set', async () => {
  await page.fill('#currency', '€');
  await page.locator('#currency').blur();
  for (const [field, mask, input, raw, text] of [['orderDate', 'dd.mm.yyyy', '31.12.2001', '2001-12-31', '31.12.2001'],
    ['phone', '###-####', '1234567', '1234567', '123-4567'], ['amount', '$#,##0.00', '1234.5', '1234.5', '€1,234.50']]) {
    await page.fill(`#${field}-mask`, mask);
    await type(field, input, true);
    assert.deepEqual(await state(field), { valid: 'true', raw, text }, field);
  }
  assert.equal(await page.textContent('#currency-note'), '');
});

test('an invalid field holds the form back; an empty one is valid and unmarked', async () => {
  const form = () => page.evaluate(() => ({
    invalid: [...document.querySelectorAll('input:invalid')].map((i) => i.id),
    saved: document.getElementById('saved').textContent,
  }));
  await type('quantity', '12x');
  await page.click('button');
  assert.deepEqual(await form(), { invalid: ['quantity'], saved: '' });
  await type('quantity', '');
  assert.deepEqual(await state('quantity'), { valid: '', raw: '', text: '' });
  await page.click('button');
  assert.deepEqual(await form(), { invalid: [], saved: 'saved' });
});

test('the page loads nothing from elsewhere; a screenshot is kept', async () => {
  mkdirSync(outputDir, { recursive: true });
  await page.screenshot({ path: join(outputDir, 'demo.png'), fullPage: true });
  assert.deepEqual(foreignRequests, []);
});
