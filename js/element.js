// <zorva-input>: a form field that applies its mask as the user types, with
// the editor every other front uses, and gives its form the raw value.
// It wraps a real <input> in its shadow root and makes every edit itself
// from `beforeinput`, so typing, paste, drop, IME composition and undo all
// go through the editor. A type the editor has no rules for yet is edited
// as plain text, checked as it is typed and laid out when it is left.
import { createEditor, getFormattedValue, getRawValue, isValid } from './index.js';

const SHADOW = `<style>
  :host { display: inline-block; }
  :host([hidden]) { display: none; }
  input { font: inherit; color: inherit; box-sizing: border-box; width: 100%; }
</style><input part="input" autocomplete="off" spellcheck="false" aria-describedby="message">
<span id="message" hidden></span>`;
const UNDO_DEPTH = 100;

export class ZorvaInput extends HTMLElement {
  static formAssociated = true;
  static observedAttributes = ['type', 'mask', 'prompt', 'required', 'name', 'formatted-name',
    'placeholder', 'aria-label'];

  #internals = this.attachInternals();
  #input;
  #message;
  #editor = null; // null when the type has no editing rules: the input edits itself
  #built = false;
  #undo = [];
  #redo = [];
  #composing = null; // the field as it was when an IME composition started
  #focusText = '';
  #shownMessage = null;

  constructor() {
    super();
    const root = this.attachShadow({ mode: 'open', delegatesFocus: true });
    root.innerHTML = SHADOW;
    this.#input = root.querySelector('input');
    this.#message = root.getElementById('message');
    const on = (type, handler) => this.#input.addEventListener(type, handler);
    on('beforeinput', (e) => this.#beforeInput(e));
    on('compositionstart', () => { this.#composing = this.#state(); });
    on('compositionend', (e) => this.#compositionEnd(e));
    on('keydown', (e) => this.#keyDown(e));
    on('input', () => { if (!this.#editor) this.#update(); }); // its own event reaches the page
    on('focus', () => this.#focus());
    on('blur', () => this.#commit());
  }

  connectedCallback() {
    if (!this.#built) this.#build(this.getAttribute('value') ?? '');
    this.#labels();
  }

  attributeChangedCallback(name) {
    if (!this.#built) return;
    if (name === 'type' || name === 'mask' || name === 'prompt') this.#build(this.#valid() ? this.value : this.text);
    else if (name === 'aria-label') this.#labels();
    else this.#update();
  }

  formResetCallback() { this.#load(this.getAttribute('value') ?? ''); }
  formStateRestoreCallback(state) { this.#load(typeof state === 'string' ? state : ''); }
  formDisabledCallback(disabled) { this.#input.disabled = disabled; }

  /** The raw value, the one the form submits; setting it shows a value anew (raw or formatted). */
  get value() {
    return this.#editor ? this.#editor.rawValue : this.#valid() ? getRawValue(...this.#field()) : '';
  }
  set value(v) { this.#load(String(v ?? '')); }
  /** The text shown; setting it shows the text as if pasted into the empty field, not left. */
  get text() { return this.#editor ? this.#editor.text : this.#input.value; }
  set text(v) {
    if (this.#editor) this.#editor.setText(String(v ?? ''));
    else this.#input.value = String(v ?? '');
    this.#render(this.#caret());
  }

  get name() { return this.getAttribute('name') ?? ''; }
  get form() { return this.#internals.form; }
  get labels() { return this.#internals.labels; }
  get validity() { return this.#internals.validity; }
  get validationMessage() { return this.#internals.validationMessage; }
  get willValidate() { return this.#internals.willValidate; }
  checkValidity() { return this.#internals.checkValidity(); }
  reportValidity() { return this.#internals.reportValidity(); }
  get selectionStart() { return this.#input.selectionStart; }
  get selectionEnd() { return this.#input.selectionEnd; }
  setSelectionRange(start, end, direction) { this.#input.setSelectionRange(start, end, direction); }

  #field() {
    return [this.getAttribute('type') ?? 'text', this.getAttribute('mask') ?? '', this.#input.value];
  }

  #valid() { return this.#editor ? this.#editor.valid : isValid(...this.#field()); }

  // A new editor for the type, mask and prompt, showing the value.
  #build(value) {
    this.#built = true;
    this.#editor?.free();
    this.#editor = null;  // until the new one is made: an unknown type throws
    const [type, mask] = this.#field();
    this.#editor = createEditor(type, mask, { prompt: this.getAttribute('prompt') ?? '' });
    this.#input.placeholder = this.getAttribute('placeholder') ?? this.#editor?.text ?? '';
    this.#load(value);
  }

  // A value shown anew and left as if committed; the undo history starts again.
  #load(value) {
    this.#undo.length = this.#redo.length = 0;
    if (this.#editor) this.#editor.setText(value);
    else {
      this.#input.value = value;  // a raw value is laid out with the mask
      if (value !== '' && !this.#valid()) this.#input.value = getFormattedValue(...this.#field()) || value;
    }
    if (!this.#focused()) this.#commit(false);
    else this.#render(this.#caret());
  }

  #caret() { return this.#editor ? this.#editor.caret : this.text.length; }

  #focused() { return this.shadowRoot.activeElement === this.#input; }

  #state() {
    const { value: text, selectionStart: start, selectionEnd: end } = this.#input;
    return { text, start, end };
  }

  // The editor's text in the input, the selection given (the caret by default).
  #render(start = this.#editor?.caret ?? this.#input.selectionStart, end = start) {
    if (this.#editor && this.#input.value !== this.#editor.text) this.#input.value = this.#editor.text;
    this.#input.setSelectionRange(start, end);
    this.#update();
  }

  // Validity, its message and the values the form submits.
  #update() {
    const [type, mask, text] = this.#field();
    const raw = this.value;
    const missing = this.hasAttribute('required') && (this.#editor ? raw : text) === '';
    const invalid = !missing && !this.#valid();
    const message = missing ? 'Please fill in this field.'
      : !invalid ? '' : mask ? `Enter a value that fits ${mask}.` : `Enter a valid ${type} value.`;
    if (message !== this.#shownMessage) {  // most keys leave the verdict as it was
      this.#shownMessage = message;
      this.#internals.setValidity({ valueMissing: missing, customError: invalid }, message, this.#input);
      this.#input.setAttribute('aria-invalid', String(invalid));
      this.#message.textContent = message;
    }
    const formattedName = this.getAttribute('formatted-name');
    if (formattedName) {
      const data = new FormData();
      if (this.name) data.append(this.name, raw);
      data.append(formattedName, text);
      this.#internals.setFormValue(data, text);
    } else {
      this.#internals.setFormValue(raw, text);
    }
  }

  #labels() {
    const own = this.getAttribute('aria-label');
    const label = own ?? [...this.#internals.labels].map((l) => l.textContent.trim()).join(' ');
    if (label) this.#input.setAttribute('aria-label', label);
    else this.#input.removeAttribute('aria-label');
  }

  #changed() {
    this.#update();
    this.dispatchEvent(new Event('input', { bubbles: true, composed: true }));
  }

  // One edit at the input's selection; the field is unchanged when the editor refuses it.
  #edit(operation, from = this.#state()) {
    this.#editor.select(from.start, from.end);
    if (!operation(this.#editor)) {
      this.#render(from.start, from.end);
      return;
    }
    if (this.#undo.push(from) > UNDO_DEPTH) this.#undo.shift();
    this.#redo.length = 0;
    this.#render();
    this.#changed();
  }

  #beforeInput(e) {
    if (!this.#editor) return;
    const type = e.inputType;
    if (this.#composing) {  // the IME edits the input until compositionend
      if (type === 'insertFromComposition') e.preventDefault();
      return;
    }
    if (!e.cancelable) return;
    e.preventDefault();
    if (type === 'historyUndo' || type === 'historyRedo') {
      this.#history(type === 'historyUndo');
    } else if (type.startsWith('insert')) {
      const data = e.data ?? e.dataTransfer?.getData('text/plain') ?? '';
      if (data !== '' && type !== 'insertLineBreak' && type !== 'insertParagraph') this.#edit((ed) => ed.insert(data));
    } else if (type.startsWith('delete')) {
      const forward = type.endsWith('Forward');
      const { start, end } = this.#state();
      // A line deleted as far as the field goes; a word, like a character.
      const line = start === end && /Line/.test(type);
      const from = line ? { ...this.#state(), ...(forward ? { end: this.text.length } : { start: 0 }) } : undefined;
      this.#edit((ed) => (forward ? ed.deleteForward() : ed.deleteBackward()), from);
    }
  }

  #compositionEnd(e) {
    const before = this.#composing;
    this.#composing = null;
    if (!this.#editor || !before) return;
    this.#input.value = before.text;
    this.#input.setSelectionRange(before.start, before.end);
    if (e.data) this.#edit((ed) => ed.insert(e.data), before);
    else this.#render(before.start, before.end);
  }

  #keyDown(e) {
    if (e.isComposing) return;
    const key = e.key.toLowerCase();
    if (this.#editor && (e.ctrlKey || e.metaKey) && !e.altKey && (key === 'z' || key === 'y')) {
      e.preventDefault();
      this.#history(key === 'z' && !e.shiftKey);
    } else if (key === 'enter' && this.form) {
      this.#commit();
      this.form.requestSubmit();
    }
  }

  // Undo or redo: the field as it was before the last edit, or after the one undone.
  #history(undo) {
    const [from, to] = undo ? [this.#undo, this.#redo] : [this.#redo, this.#undo];
    const state = from.pop();
    if (!state) return;
    to.push(this.#state());
    this.#editor.setText(state.text);
    this.#render(state.start, state.end);
    this.#changed();
  }

  // Editing again: the prompts come back, the selection stays where focus put it.
  #focus() {
    this.#labels();
    const { start, end } = this.#state();
    this.#editor?.select(start, end);
    this.#render(start, end);
    this.#focusText = this.text;
  }

  // Leaving the field: a valid value is shown as its mask lays it out.
  #commit(notify = true) {
    if (this.#editor) this.#editor.commit();
    else if (this.#input.value !== '' && this.#valid()) {
      const [type, mask] = this.#field();
      this.#input.value = getFormattedValue(type, mask, this.value);
    }
    this.#render(this.#caret());
    if (notify && this.text !== this.#focusText) {
      this.#focusText = this.text;
      this.dispatchEvent(new Event('change', { bubbles: true }));
    }
  }
}

if (!customElements.get('zorva-input')) customElements.define('zorva-input', ZorvaInput);
