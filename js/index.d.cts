// Zorva Masked Edit for CommonJS: load() resolves to the module's functions.
export declare function load(): Promise<typeof import('./index.js')>;
