// The package as a user installs it: packed (which builds it), installed
// into an empty project, then imported as an ES module, required from
// CommonJS and type-checked from TypeScript in both module systems.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { fileURLToPath } from 'node:url';

import { isValid, valueTypes } from '../index.js';

const packageRoot = fileURLToPath(new URL('..', import.meta.url));
const tsc = join(packageRoot, 'node_modules', '.bin', 'tsc');
const project = mkdtempSync(join(tmpdir(), 'zorva-npm-'));
let files = [];

const run = (command, args) => execFileSync(command, args, { cwd: project, encoding: 'utf8' });

before(() => {
  const packed = JSON.parse(execFileSync('npm', ['pack', '--json', '--pack-destination', project],
                                         { cwd: packageRoot, encoding: 'utf8' }));
  files = packed[0].files.map((f) => f.path);
  writeFileSync(join(project, 'package.json'), '{ "name": "user", "private": true }\n');
  run('npm', ['install', '--no-audit', '--no-fund', '--offline', join(project, packed[0].filename)]);
});

after(() => rmSync(project, { recursive: true, force: true }));

test('the tarball holds the module, its WebAssembly, the types, the README and the licence', () => {
  for (const f of ['index.js', 'heap_text.js', 'index.cjs', 'index.d.ts', 'index.d.cts', 'element.js',
                   'element.d.ts', 'dist/zorva_masked_edit.mjs', 'dist/zorva_masked_edit.wasm', 'README.md',
                   'LICENSE', 'package.json']) {
    assert.ok(files.includes(f), f);
  }
});

test('an ES module imports it; CommonJS requires it and awaits load()', () => {
  const esm = "import { getFormattedValue } from 'zorva-masked-edit';" +
              "console.log(getFormattedValue('currency', '', '-1234.5'));";
  assert.equal(run('node', ['--input-type=module', '-e', esm]), '($1,234.50)\n');
  const cjs = "require('zorva-masked-edit').load()" +
              ".then((m) => console.log(m.getRawValue('currency', '', '($1,234.50)')));";
  assert.equal(run('node', ['--input-type=commonjs', '-e', cjs]), '-1234.5\n');
});

test('TypeScript takes the type names, constants and numbers, the editor and the element, and refuses a misspelt name', () => {
  writeFileSync(join(project, 'esm.mts'), `import { createEditor, isValid, load } from 'zorva-masked-edit';
import type { ZorvaInput } from 'zorva-masked-edit/element';
isValid('currency', '', '1'); isValid('tkMETimeStamp', null, undefined); isValid(17, '', '1');
// @ts-expect-error a misspelt type name
isValid('curency', '', '1');
const again: boolean = (await load()).isValid('date', '', '');
const field = createEditor('text', '###', { prompt: '*' });
if (field) { field.insert('1'); const shown: string = field.text; field.free(); }
const element: ZorvaInput = document.createElement('zorva-input');
element.setSelectionRange(0, 1);
`);
  writeFileSync(join(project, 'cjs.cts'), `import zorva = require('zorva-masked-edit');
zorva.load().then((m) => m.getRawValue('tkMECurrency', '', '$1.00').toUpperCase());
`);
  run(tsc, ['--noEmit', '--strict', '--module', 'nodenext', '--target', 'es2022', 'esm.mts', 'cjs.cts']);
});

test('the type names and constants the types list are the ones the module takes', () => {
  const types = readFileSync(join(packageRoot, 'index.d.ts'), 'utf8');
  const union = (name) => types.match(new RegExp(`type ${name} =([^;]*);`))[1].match(/'[^']*'/g)
    .map((q) => q.slice(1, -1));
  assert.deepEqual(union('ValueTypeName'), Object.keys(valueTypes));
  const constants = union('ValueTypeConstant');
  assert.equal(constants.length, Object.keys(valueTypes).length);
  for (const c of constants) assert.equal(isValid(c, '', ''), true, c);
});
