// Zorva Masked Edit for JavaScript: the three questions about a field value,
// answered by the same engines as the native library, compiled to WebAssembly.
// Loads in Node.js and in browsers; the module is ready once imported.
import createZorvaModule from './dist/zorva_masked_edit.mjs';
import { asciiAt, writeUtf8 } from './heap_text.js';

const wasmUrl = new URL('./dist/zorva_masked_edit.wasm', import.meta.url);

async function instantiate() {
  if (typeof process === 'object' && process.versions && process.versions.node) {
    // Node.js cannot fetch a file: URL; the bytes are read from the package.
    const { readFile } = await import('node:fs/promises');
    return createZorvaModule({ wasmBinary: await readFile(wasmUrl) });
  }
  return createZorvaModule({ locateFile: () => wasmUrl.href });
}

const wasm = await instantiate();

// How an argument is named in a TypeError, without calling anything of it.
function describe(x) {
  if (x === null) return 'null';
  switch (typeof x) {
    case 'string': return JSON.stringify(x);
    case 'bigint': return `${x}n`;
    case 'symbol': return x.toString();
    case 'function': return 'a function';
    case 'object': return Array.isArray(x) ? 'an array' : 'an object';
    default: return String(x);
  }
}

// Spellings already looked up; the module reads them as every other front does.
const typeBySpelling = new Map();

function typeCode(type) {
  if (typeof type === 'number') {
    if (Number.isInteger(type) && type >= 0 && type < TYPE_NAMES.length) return type;
    throw new RangeError(`value type out of range: ${type}; ${TYPE_HINT}`);
  }
  if (typeof type === 'string') {
    let code = typeBySpelling.get(type);
    if (code === undefined) {
      put(type, '');
      code = wasm._zm_value_type_named(maskAt, type.length);
      if (code >= 0 && typeBySpelling.size < 256) typeBySpelling.set(type, code);
    }
    if (code >= 0) return code;
  }
  throw new TypeError(`unknown value type: ${describe(type)}; ${TYPE_HINT}`);
}

// A mask or an entered text: a string, or null or undefined for an empty one.
function text(s, what) {
  if (typeof s === 'string') return s;
  if (s === undefined || s === null) return '';
  throw new TypeError(`${what} must be a string, null or undefined, not ${describe(s)}`);
}

// One scratch block in the module's memory for the arguments and the answer;
// it grows with the longest arguments seen.
const ANSWER_UNITS = 256; // answers are at most 255 characters
let scratch = 0;
let scratchUnits = 0;

function reserve(units) {
  if (units <= scratchUnits) return;
  const want = Math.max(units, 2 * scratchUnits, 4096);
  const p = wasm._malloc(want * 2);
  if (!p) throw new RangeError('out of memory');
  if (scratch) wasm._free(scratch);
  scratch = p;
  scratchUnits = want;
}

// Writes mask and value into the scratch block; their byte addresses, and
// the answer's, are left in these.
let maskAt = 0, valueAt = 0, answerAt = 0;

function put(mask, value) {
  reserve(mask.length + value.length + ANSWER_UNITS);
  const heap = wasm.HEAPU16; // after reserve: growing memory replaces the view
  let i = scratch >> 1;
  for (let k = 0; k < mask.length; ++k) heap[i++] = mask.charCodeAt(k);
  for (let k = 0; k < value.length; ++k) heap[i++] = value.charCodeAt(k);
  maskAt = scratch;
  valueAt = scratch + 2 * mask.length;
  answerAt = 2 * i;
}

function answer(n) {
  if (n < 0) throw new RangeError('out of memory');
  const heap = wasm.HEAPU16;
  const start = answerAt >> 1;
  if (n > 32) return String.fromCharCode.apply(null, heap.subarray(start, start + n));
  let s = '';
  for (let k = start; k < start + n; ++k) s += String.fromCharCode(heap[k]);
  return s;
}

// The value types' short names, in number order, as the module lists them.
const TYPE_NAMES = [];
for (;;) {
  put('', '');
  const n = wasm._zm_value_type_name(TYPE_NAMES.length, answerAt, ANSWER_UNITS);
  if (n < 0) break;
  TYPE_NAMES.push(answer(n));
}

// The usual path: a mask read once per type and kept here, values of up to
// PREPARED_UNITS characters written as UTF-8 into one block of the module's
// memory allocated once (the answer first, then the value), so that a call
// allocates nothing. Longer values and masks take the path above, which
// grows its block and reports memory running out.
const PREPARED_UNITS = 1024;
const PREPARED_MASK_UNITS = 255;
const PREPARED_LIMIT = 256; // masks kept; all are let go when it is reached
const ANSWER_BYTES = 768; // 255 characters of up to 3 bytes, and a zero
const NOT_ASCII = 1 << 16; // set in an answer's length when it needs decoding
const utf8Answer = wasm._malloc(ANSWER_BYTES + 3 * PREPARED_UNITS + 1);
const utf8Value = utf8Answer + ANSWER_BYTES;
const decoder = new TextDecoder('utf-8', { ignoreBOM: true });
const preparedByType = TYPE_NAMES.map(() => new Map());
let preparedCount = 0;

function releasePrepared() {
  for (const masks of preparedByType) {
    for (const p of masks.values()) wasm._zm_release(p);
    masks.clear();
  }
  preparedCount = 0;
  lastType = lastMask = undefined;
  lastPrepared = 0;
}

// Writes s as UTF-8 at utf8Value with a zero after it; its length in bytes.
function putUtf8(s) {
  return writeUtf8(wasm.HEAPU8, utf8Value, s);
}

// The module's mask for the type and mask, or 0 for a mask too long to keep.
function prepared(t, m) {
  if (m.length > PREPARED_MASK_UNITS) return 0;
  const masks = preparedByType[t];
  let p = masks.get(m);
  if (p === undefined) {
    if (preparedCount === PREPARED_LIMIT) releasePrepared();
    p = wasm._zm_prepare(t, utf8Value, putUtf8(m));
    masks.set(m, p);
    ++preparedCount;
  }
  return p;
}

// The prepared mask for the caller's type and mask (checked as above), or 0
// where the general path must answer. The last pair asked about is kept
// apart: a field asks about the same one call after call.
let lastType, lastMask, lastPrepared = 0;

function preparedFor(type, mask) {
  if (type === lastType && mask === lastMask) return lastPrepared;
  const p = prepared(typeCode(type), text(mask, 'the mask'));
  lastType = type;
  lastMask = mask;
  lastPrepared = p;
  return p;
}

// An answer of the prepared path: ASCII (the usual case) or UTF-8.
function utf8Text(r) {
  const heap = wasm.HEAPU8;
  if (r & NOT_ASCII) return decoder.decode(heap.subarray(utf8Answer, utf8Answer + (r & 0xffff)));
  return asciiAt(heap, utf8Answer, r);
}

/** The value types by name: { text: 0, currency: 1, ... }. */
export const valueTypes = Object.freeze(Object.fromEntries(TYPE_NAMES.map((n, i) => [n, i])));

const TYPE_HINT = "a value type is a name such as 'currency' or 'tkMECurrency' in any case, " +
  `or a number from 0 to ${TYPE_NAMES.length - 1}, also written as a string ('1')`;

/** Is this entered text valid for the type and mask? An empty value is. */
export function isValid(type, mask, value) {
  const p = preparedFor(type, mask);
  const v = text(value, 'the entered text');
  if (p && v.length <= PREPARED_UNITS) return wasm._zm_prepared_valid(p, utf8Value, putUtf8(v)) === 1;
  const t = typeCode(type), m = text(mask, 'the mask');
  put(m, v);
  const r = wasm._zm_valid(t, maskAt, m.length, valueAt, v.length);
  if (r < 0) throw new RangeError('out of memory');
  return r === 1;
}

/** The raw value behind a formatted text ("($1,234.50)" -> "-1234.5"). */
export function getRawValue(type, mask, value) {
  const p = preparedFor(type, mask);
  const v = text(value, 'the entered text');
  if (p && v.length <= PREPARED_UNITS) return utf8Text(wasm._zm_prepared_raw(p, utf8Value, putUtf8(v), utf8Answer));
  const t = typeCode(type), m = text(mask, 'the mask');
  put(m, v);
  return answer(wasm._zm_raw(t, maskAt, m.length, valueAt, v.length, answerAt, ANSWER_UNITS));
}

// Automation value tags the module takes as scalars.
const VT_EMPTY = 0, VT_NULL = 1, VT_R8 = 5, VT_BOOL = 11;

// A whole number is passed exactly, as three 32-bit parts of its magnitude.
const WHOLE_LIMIT = 1n << 96n;
const LOW32 = 0xffffffffn;

function isDate(x) {
  try {
    Date.prototype.getTime.call(x); // throws for anything but a Date, of any realm
    return true;
  } catch {
    return false;
  }
}

// The date's local calendar fields (what the user sees) as milliseconds since
// 1970-01-01 read as if UTC; NaN for an invalid date.
function wallClockMs(d) {
  const p = Date.prototype;
  const w = new Date(0); // an invalid date's fields are NaN, and so is the answer
  w.setUTCFullYear(p.getFullYear.call(d), p.getMonth.call(d), p.getDate.call(d));
  w.setUTCHours(p.getHours.call(d), p.getMinutes.call(d), p.getSeconds.call(d),
                p.getMilliseconds.call(d));
  return w.getTime();
}

function formatted(t, m, value) {
  switch (typeof value) {
    case 'string':
      put(m, value);
      return wasm._zm_format(t, maskAt, m.length, valueAt, value.length, answerAt, ANSWER_UNITS);
    case 'undefined':
      put(m, '');
      return wasm._zm_format_scalar(t, maskAt, m.length, VT_EMPTY, 0, answerAt, ANSWER_UNITS);
    case 'boolean':
      put(m, '');
      return wasm._zm_format_scalar(t, maskAt, m.length, VT_BOOL, value ? 1 : 0, answerAt, ANSWER_UNITS);
    case 'number':
      put(m, '');
      return wasm._zm_format_scalar(t, maskAt, m.length, VT_R8, value, answerAt, ANSWER_UNITS);
    case 'bigint': {
      const negative = value < 0n;
      const n = negative ? -value : value;
      if (n >= WHOLE_LIMIT) {
        throw new RangeError(`whole number beyond the 96 bits a value holds exactly: ${value}n`);
      }
      put(m, '');
      const r = wasm._zm_format_whole(t, maskAt, m.length, negative ? 1 : 0, Number(n >> 64n),
                                      Number((n >> 32n) & LOW32), Number(n & LOW32),
                                      answerAt, ANSWER_UNITS);
      if (r === -2) {
        throw new RangeError(`${value}n is past ±2^53, beyond which a ${TYPE_NAMES[t]} value ` +
                             'would not keep its digits');
      }
      return r;
    }
    case 'object':
      if (value === null) {
        put(m, '');
        return wasm._zm_format_scalar(t, maskAt, m.length, VT_NULL, 0, answerAt, ANSWER_UNITS);
      }
      if (isDate(value)) {
        const ms = wallClockMs(value);
        put(m, '');
        return wasm._zm_format_date(t, maskAt, m.length, ms, answerAt, ANSWER_UNITS);
      }
      break;
    default:
      break;
  }
  throw new TypeError('the value must be a string, boolean, number, bigint, Date, null or ' +
                      `undefined, not ${describe(value)}`);
}

/**
 * A value rendered with the mask ("-1234.5" -> "($1,234.50)"). A string is a
 * raw value; a boolean, number, bigint, Date, null or undefined is read as
 * the automation value a host would pass (see index.d.ts).
 */
export function getFormattedValue(type, mask, value) {
  const p = preparedFor(type, mask);
  if (p && typeof value === 'string' && value.length <= PREPARED_UNITS) {
    return utf8Text(wasm._zm_prepared_format(p, utf8Value, putUtf8(value), utf8Answer));
  }
  return answer(formatted(typeCode(type), text(mask, 'the mask'), value));
}

/**
 * The user's currency symbol, which a page has no locale to tell: at most 3
 * characters of the Windows-1252 code page ("$", "€", "kr"). "" goes back to
 * the default, "$".
 */
export function setCurrencySymbol(symbol) {
  const s = text(symbol, 'the currency symbol');
  put(s, '');
  if (wasm._zm_set_currency(maskAt, s.length) !== 1) {
    throw new RangeError(`currency symbol not usable: ${JSON.stringify(s)}`);
  }
  releasePrepared(); // they were read under the old settings
}

// Editors their users did not free are freed once they are collected.
const unfreed = new FinalizationRegistry((p) => wasm._zm_editor_free(p));

/** One field as a user edits it; see createEditor. */
class Editor {
  #p;
  #text = null; // the text shown, read once after each operation

  constructor(p) {
    this.#p = p;
    unfreed.register(this, p, this);
  }

  #live() {
    if (!this.#p) throw new TypeError('this editor was freed');
    return this.#p;
  }

  // Before an operation, which may change the text.
  #editor() {
    this.#text = null;
    return this.#live();
  }

  #withText(op, s, what) {
    const p = this.#editor();
    const t = text(s, what);
    put('', t);
    return op(p, valueAt, t.length) === 1;
  }

  /** Typing or pasting: the text replaces the selection. False when none of it was taken. */
  insert(s) { return this.#withText(wasm._zm_editor_insert, s, 'the inserted text'); }
  /** Backspace. False when there was nothing to delete. */
  deleteBackward() { return wasm._zm_editor_delete(this.#editor(), 0) === 1; }
  /** Delete. False when there was nothing to delete. */
  deleteForward() { return wasm._zm_editor_delete(this.#editor(), 1) === 1; }
  /** Selects start to end (end not included), clamped, in either order; start alone places the caret. */
  select(start, end = start) { wasm._zm_editor_select(this.#editor(), start, end); }
  /** A value (formatted or raw) shown anew, as if pasted into an empty field. */
  setText(s) { return this.#withText(wasm._zm_editor_set_text, s, 'the text'); }
  /** Leaving the field: a valid value is shown formatted. True when valid. */
  commit() { return wasm._zm_editor_commit(this.#editor()) === 1; }

  get text() {
    const p = this.#live();
    if (this.#text === null) {
      put('', '');
      this.#text = answer(wasm._zm_editor_text(p, answerAt, ANSWER_UNITS));
    }
    return this.#text;
  }
  get caret() { return wasm._zm_editor_caret(this.#live()); }
  get rawValue() {
    const p = this.#live();
    put('', '');
    return answer(wasm._zm_editor_raw(p, answerAt, ANSWER_UNITS));
  }
  get valid() { return wasm._zm_editor_valid(this.#live()) === 1; }

  /** Frees the editor's memory in the module; using it afterwards throws. */
  free() {
    if (!this.#p) return;
    unfreed.unregister(this);
    wasm._zm_editor_free(this.#p);
    this.#p = 0;
  }
}
if (typeof Symbol.dispose === 'symbol') Editor.prototype[Symbol.dispose] = Editor.prototype.free;

/**
 * An editor for one field of the type and mask, which applies the mask as
 * the user types; null when the type or mask has no editing rules, or the
 * prompt (one character of the code page, "_" by default) cannot be shown.
 * Positions are UTF-16 code units, which are characters here: every
 * character a field shows is one of the code page's.
 */
export function createEditor(type, mask, options) {
  const t = typeCode(type);
  const m = text(mask, 'the mask'), prompt = text(options?.prompt, 'the prompt');
  put(m, prompt);
  const p = wasm._zm_editor_new(t, maskAt, m.length, valueAt, prompt.length);
  return p ? new Editor(p) : null;
}

/**
 * The module's functions, as CommonJS gets them: `(await load()).isValid`.
 * Here they are ready already.
 */
export function load() {
  return import('./index.js');
}
