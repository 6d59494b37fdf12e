// The package for CommonJS: the module loads its WebAssembly with a
// top-level await, which require() cannot wait for. load() resolves to the
// same functions an import gives: require('zorva-masked-edit').load().
'use strict';

let loading;
exports.load = () => (loading ??= import('./index.js'));
