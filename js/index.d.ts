// Zorva Masked Edit for JavaScript.

/** Value type names, as accepted in any letter case. */
export type ValueTypeName =
  | 'text' | 'currency' | 'date' | 'time' | 'memo' | 'byte' | 'shortint' | 'longint'
  | 'boolean' | 'counter' | 'float' | 'double' | 'oleobject' | 'binary' | 'url' | 'image'
  | 'datetime' | 'timestamp';

/** The value types' constant names, as the C and automation interfaces spell them. */
export type ValueTypeConstant =
  | 'tkMEText' | 'tkMECurrency' | 'tkMEDate' | 'tkMETime' | 'tkMEMemo' | 'tkMEByte'
  | 'tkMEShortInt' | 'tkMELongInt' | 'tkMEBoolean' | 'tkMECounter' | 'tkMEFloat' | 'tkMEDouble'
  | 'tkMEOleObject' | 'tkMEBinary' | 'tkMEURL' | 'tkMEImage' | 'tkMEDateTime' | 'tkMETimeStamp';

/**
 * A value type: its name ("currency"), its constant's name ("tkMECurrency")
 * or its number (0 to 17). At run time the names are also read in any letter
 * case and the numbers as strings ("1"), the spellings SQL, zmask and the C
 * interface accept; the type names only the usual spellings, so that a
 * misspelt name is found when the code is compiled.
 */
export type ValueType = ValueTypeName | ValueTypeConstant | number;

/**
 * A value to render, read as the automation value a host passes:
 * - string: a raw value ("2001-12-31", "-1234.5", "1"), read as the type's
 *   raw form;
 * - boolean: a boolean (true is "True" as text, "-1" as a number);
 * - number: a double, written with at most 15 significant digits first, and
 *   read as days since 30 December 1899 by the date and time types (37256.5
 *   is 31 December 2001, noon); NaN and infinities give "";
 * - bigint: a whole number, exact: up to 2^96 - 1 in magnitude for the text,
 *   date and boolean types, up to 2^53 for the number types (currency, byte,
 *   shortint, longint, counter, float, double), which compute in doubles;
 * - Date: its local calendar date and time of day, as the user sees them in
 *   the time zone of the page or process (so `new Date(2001, 11, 31, 12)`
 *   renders as 12/31/2001 12:00:00 in every zone); an invalid Date and years
 *   outside 100 to 9999 give "";
 * - null (Null) and undefined (Empty): "".
 */
export type FormattableValue = string | boolean | number | bigint | Date | null | undefined;

/** The value types by name: { text: 0, currency: 1, ... }. */
export declare const valueTypes: Readonly<Record<ValueTypeName, number>>;

/**
 * Is this entered text valid for the type and mask? An empty value is. An
 * empty mask selects the type's default mask.
 * @throws {TypeError | RangeError} for an unknown value type
 * @throws {TypeError} for a mask or value that is not a string, null or undefined
 */
export declare function isValid(type: ValueType, mask: string | null | undefined,
                                value: string | null | undefined): boolean;

/**
 * The raw value behind a formatted text ("($1,234.50)" -> "-1234.5").
 * @throws as isValid
 */
export declare function getRawValue(type: ValueType, mask: string | null | undefined,
                                    value: string | null | undefined): string;

/**
 * A value rendered with the mask ("-1234.5" -> "($1,234.50)",
 * `new Date(2001, 11, 31)` under "mm/dd/yyyy" -> "12/31/2001").
 * @throws {TypeError | RangeError} for an unknown value type
 * @throws {TypeError} for a mask that is not a string, null or undefined, and
 *   for a value that is not a FormattableValue (objects, arrays, symbols,
 *   functions, boxed primitives)
 * @throws {RangeError} for a bigint past the bound of its type (see
 *   FormattableValue)
 */
export declare function getFormattedValue(type: ValueType, mask: string | null | undefined,
                                          value: FormattableValue): string;

/**
 * Sets the user's currency symbol: at most 3 characters of the Windows-1252
 * code page; "" restores the default "$".
 * @throws {RangeError} when the symbol is longer or has another character
 */
export declare function setCurrencySymbol(symbol: string): void;

// Symbol.dispose for compilers whose library predates it; an editor is
// disposable where the runtime has it.
declare global { interface SymbolConstructor { readonly dispose: unique symbol; } }

/**
 * One field as a user edits it: the text shown and its caret, changed by
 * each key. Positions are UTF-16 code units, which are characters here:
 * every character a field shows is one of the Windows-1252 code page's.
 */
export interface Editor {
  /** Typing or pasting: the text replaces the selection. False when none of it was taken (nothing changes). */
  insert(text: string): boolean;
  /** Backspace. False when there was nothing to delete. */
  deleteBackward(): boolean;
  /** Delete. False when there was nothing to delete. */
  deleteForward(): boolean;
  /** Selects start to end (end not included), clamped to the text, in either order; start alone places the caret. */
  select(start: number, end?: number): void;
  /** A value (formatted or raw) shown anew, as if pasted into an empty field. */
  setText(text: string): boolean;
  /** Leaving the field: a valid value is shown as its mask lays it out. True when valid. */
  commit(): boolean;
  /** The text shown, prompts included while editing. */
  readonly text: string;
  readonly caret: number;
  /** The raw value of what is entered, or of the committed text. */
  readonly rawValue: string;
  /** The verdict on what is entered: isValid of it. */
  readonly valid: boolean;
  /** Frees the editor's memory in the module (done anyway once it is collected); using it afterwards throws. */
  free(): void;
  /** free(), for `using`. */
  [Symbol.dispose](): void;
}

/** The editor's options: the prompt, one character shown in an empty placeholder ("_" by default). */
export interface EditorOptions { prompt?: string; }

/**
 * An editor for a field of the type and mask; null when the type or mask has
 * no editing rules, or the prompt cannot be shown.
 * @throws as isValid for the type and mask
 */
export declare function createEditor(type: ValueType, mask: string | null | undefined,
                                     options?: EditorOptions): Editor | null;

/**
 * The module's functions, for code that must work in both module systems:
 * CommonJS has no top-level await, so there `require('zorva-masked-edit')`
 * gives only this, and `await load()` the functions.
 */
export declare function load(): Promise<typeof import('./index.js')>;
