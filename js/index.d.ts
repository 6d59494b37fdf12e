// Zorva Masked Edit for JavaScript.

/** Value type names, as accepted in any letter case. */
export type ValueTypeName =
  | 'text' | 'currency' | 'date' | 'time' | 'memo' | 'byte' | 'shortint' | 'longint'
  | 'boolean' | 'counter' | 'float' | 'double' | 'oleobject' | 'binary' | 'url' | 'image'
  | 'datetime' | 'timestamp';

/**
 * A value type: its name ("currency"), its constant's name ("tkMECurrency"),
 * both in any letter case, or its number (0 to 17), also written as a string
 * ("1"): the spellings that SQL, zmask and the C interface accept.
 */
export type ValueType = ValueTypeName | string | number;

/** The value types by name: { text: 0, currency: 1, ... }. */
export declare const valueTypes: Readonly<Record<ValueTypeName, number>>;

/**
 * Is this entered text valid for the type and mask? An empty value is. An
 * empty mask selects the type's default mask.
 * @throws {TypeError | RangeError} for an unknown value type
 */
export declare function isValid(type: ValueType, mask: string | null | undefined,
                                value: string | null | undefined): boolean;

/** The raw value behind a formatted text ("($1,234.50)" -> "-1234.5"). */
export declare function getRawValue(type: ValueType, mask: string | null | undefined,
                                    value: string | null | undefined): string;

/** A raw value rendered with the mask ("-1234.5" -> "($1,234.50)"). */
export declare function getFormattedValue(type: ValueType, mask: string | null | undefined,
                                          value: string | null | undefined): string;

/**
 * Sets the user's currency symbol: at most 3 characters of the Windows-1252
 * code page; "" restores the default "$".
 * @throws {RangeError} when the symbol is longer or has another character
 */
export declare function setCurrencySymbol(symbol: string): void;
