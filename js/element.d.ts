// <zorva-input>, defined when this module is imported in a browser.
/**
 * A form-associated field that applies its mask as the user types.
 * Attributes: type (a value type, "text" by default), mask, prompt (one
 * character, "_" by default), name, formatted-name (submits the text shown
 * too), required, value (the value shown first and after a form reset),
 * placeholder. The form gets the raw value.
 */
export declare class ZorvaInput extends HTMLElement {
  static readonly formAssociated: true;
  /** The raw value the form submits; setting it shows a value (raw or formatted) as if left. */
  value: string;
  /** The text shown; setting it shows a text as if pasted into the empty field. */
  text: string;
  readonly name: string;
  readonly form: HTMLFormElement | null;
  readonly labels: NodeList;
  readonly validity: ValidityState;
  readonly validationMessage: string;
  readonly willValidate: boolean;
  checkValidity(): boolean;
  reportValidity(): boolean;
  readonly selectionStart: number | null;
  readonly selectionEnd: number | null;
  setSelectionRange(start: number, end: number, direction?: 'forward' | 'backward' | 'none'): void;
}

declare global {
  interface HTMLElementTagNameMap { 'zorva-input': ZorvaInput; }
}
