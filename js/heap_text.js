// Strings across the module's memory, both ways, as cheaply as V8 allows:
// the package's prepared calls and the benchmark's bare crossing use these.

const encoder = new TextEncoder();

// Writes s as UTF-8 at heap[at] with a zero after it; its length in bytes.
// ASCII goes byte by byte, the rest through the encoder (an unpaired
// surrogate becomes U+FFFD, which the code page lacks like the surrogate).
// heap must hold 3 * s.length + 1 bytes from `at`.
export function writeUtf8(heap, at, s) {
  const n = s.length;
  for (let k = 0; k < n; ++k) {
    const c = s.charCodeAt(k);
    if (c >= 0x80) {
      const written = encoder.encodeInto(s, heap.subarray(at, at + 3 * n)).written;
      heap[at + written] = 0;
      return written;
    }
    heap[at + k] = c;
  }
  heap[at + n] = 0;
  return n;
}

// The n ASCII bytes at h[k] as a string: one String.fromCharCode call per 16
// characters, given as many arguments as there are characters. That is
// quicker than adding characters one at a time, and a decoder is slower
// still on short strings.
const fromCodes = String.fromCharCode;

export function asciiAt(h, k, n) {
  switch (n) {
    case 0: return '';
    case 1: return fromCodes(h[k]);
    case 2: return fromCodes(h[k], h[k + 1]);
    case 3: return fromCodes(h[k], h[k + 1], h[k + 2]);
    case 4: return fromCodes(h[k], h[k + 1], h[k + 2], h[k + 3]);
    case 5: return fromCodes(h[k], h[k + 1], h[k + 2], h[k + 3], h[k + 4]);
    case 6: return fromCodes(h[k], h[k + 1], h[k + 2], h[k + 3], h[k + 4], h[k + 5]);
    case 7: return fromCodes(h[k], h[k + 1], h[k + 2], h[k + 3], h[k + 4], h[k + 5], h[k + 6]);
    case 8: return fromCodes(h[k], h[k + 1], h[k + 2], h[k + 3], h[k + 4], h[k + 5], h[k + 6], h[k + 7]);
    case 9: return fromCodes(h[k], h[k + 1], h[k + 2], h[k + 3], h[k + 4], h[k + 5], h[k + 6], h[k + 7],
                             h[k + 8]);
    case 10: return fromCodes(h[k], h[k + 1], h[k + 2], h[k + 3], h[k + 4], h[k + 5], h[k + 6], h[k + 7],
                              h[k + 8], h[k + 9]);
    case 11: return fromCodes(h[k], h[k + 1], h[k + 2], h[k + 3], h[k + 4], h[k + 5], h[k + 6], h[k + 7],
                              h[k + 8], h[k + 9], h[k + 10]);
    case 12: return fromCodes(h[k], h[k + 1], h[k + 2], h[k + 3], h[k + 4], h[k + 5], h[k + 6], h[k + 7],
                              h[k + 8], h[k + 9], h[k + 10], h[k + 11]);
    case 13: return fromCodes(h[k], h[k + 1], h[k + 2], h[k + 3], h[k + 4], h[k + 5], h[k + 6], h[k + 7],
                              h[k + 8], h[k + 9], h[k + 10], h[k + 11], h[k + 12]);
    case 14: return fromCodes(h[k], h[k + 1], h[k + 2], h[k + 3], h[k + 4], h[k + 5], h[k + 6], h[k + 7],
                              h[k + 8], h[k + 9], h[k + 10], h[k + 11], h[k + 12], h[k + 13]);
    case 15: return fromCodes(h[k], h[k + 1], h[k + 2], h[k + 3], h[k + 4], h[k + 5], h[k + 6], h[k + 7],
                              h[k + 8], h[k + 9], h[k + 10], h[k + 11], h[k + 12], h[k + 13], h[k + 14]);
    default: return fromCodes(h[k], h[k + 1], h[k + 2], h[k + 3], h[k + 4], h[k + 5], h[k + 6], h[k + 7],
                              h[k + 8], h[k + 9], h[k + 10], h[k + 11], h[k + 12], h[k + 13], h[k + 14],
                              h[k + 15]) + (n > 16 ? asciiAt(h, k + 16, n - 16) : '');
  }
}
