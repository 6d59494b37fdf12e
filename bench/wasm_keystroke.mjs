// The cost of a keystroke in the WebAssembly editor: in Node.js, and in
// headless Chromium both through createEditor and through <zorva-input>
// (a beforeinput event handled: the edit, the input's text and caret, the
// validity and the form value). Fields of about 20 characters.
//   node bench/wasm_keystroke.mjs        (needs js/dist and js/node_modules)
import { existsSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join, normalize } from 'node:path';
import { fileURLToPath } from 'node:url';

import { createEditor } from '../js/index.js';

// type, mask, keys typed into an empty field, the text they give.
const samples = [
  ['text', '(###) ###-#### x####', '555123456799999', '(555) 123-4567 x9999'],
  ['currency', '$#,##0.00;($#,##0.00)', '12345678901.25', '$12,345,678,901.25'],
];

// Microseconds a keystroke (the edit, then its text and caret read) for each
// sample, the best of five runs; `field` is null for the editor alone.
function keystrokes(createEditor, samples, field) {
  return samples.map(([type, mask, keys, text]) => {
    const editor = createEditor(type, mask);
    let input = null;
    if (field) {
      field.setAttribute('type', type);
      field.setAttribute('mask', mask);
      field.focus();
      input = field.shadowRoot.querySelector('input');
    }
    const type1 = (c) => {
      if (!input) return editor.insert(c) && editor.text.length + editor.caret;
      input.dispatchEvent(new InputEvent('beforeinput', { inputType: 'insertText', data: c, cancelable: true }));
      return input.value.length + input.selectionStart;
    };
    const round = () => {
      if (input) field.text = ''; else editor.setText('');
      let sink = 0;
      for (const c of keys) sink += type1(c);
      return sink;
    };
    for (let i = 0; i < 2000; ++i) round();
    if ((input ? input.value : editor.text) !== text) throw new Error(`${mask}: ${input ? input.value : editor.text}`);
    let best = Infinity;
    for (let run = 0; run < 5; ++run) {
      const rounds = input ? 2000 : 20000, start = performance.now();
      for (let i = 0; i < rounds; ++i) round();
      best = Math.min(best, ((performance.now() - start) * 1000) / (rounds * keys.length));
    }
    editor.free();
    return best;
  });
}

async function inChromium() {
  const js = fileURLToPath(new URL('../js/', import.meta.url));
  const { chromium } = createRequire(join(js, 'package.json'))('playwright-core');
  const browser = await chromium.launch({ executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu'] });
  try {
    const page = await browser.newPage();
    await page.route('**/*', (route) => {  // the package's files only
      const file = normalize(join(js, new URL(route.request().url()).pathname));
      return route.fulfill(file.startsWith(js) && existsSync(file) ? { path: file } : { status: 404 });
    });
    await page.goto('http://127.0.0.1/package.json');
    return await page.evaluate(async ([source, samples]) => {
      const { createEditor } = await import('/index.js');
      await import('/element.js');
      const measure = new Function(`return ${source}`)();
      const field = document.body.appendChild(document.createElement('zorva-input'));
      return [measure(createEditor, samples, null), measure(createEditor, samples, field)];
    }, [keystrokes.toString(), samples]);
  } finally {
    await browser.close();
  }
}

const node = keystrokes(createEditor, samples, null);
const [chromiumEditor, chromiumElement] = await inChromium();
const show = (us) => us.map((u, i) => `${samples[i][0]} ${u.toFixed(2)} µs`).join(', ');
console.log(`Node.js ${process.version}, createEditor: ${show(node)}`);
console.log(`Chromium, createEditor: ${show(chromiumEditor)}`);
console.log(`Chromium, <zorva-input> beforeinput: ${show(chromiumElement)}`);
