// The libc side of the number jobs, shared by the peer benchmark and the
// libc stream program: from_chars/to_chars and plain loops. The answers are
// not terminated.
#pragma once

#include <charconv>
#include <cstddef>
#include <cstring>
#include <string_view>

namespace bench {

inline std::size_t Group(char* out, const char* digits, std::size_t n) {
  std::size_t len = 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out[len++] = ',';
    out[len++] = digits[i];
  }
  return len;
}

// kind: c (currency), l (long) or d (double). "#,##0", "#,##0.00" and "$#,##0.00;($#,##0.00)" from a raw number.
inline std::size_t LibcFormatNumber(char kind, std::string_view in, char* out) {
  char digits[64];
  char* end;
  bool negative;
  if (kind == 'l') {
    long long n = 0;
    std::from_chars(in.data(), in.data() + in.size(), n);
    negative = n < 0;
    end = std::to_chars(digits, digits + sizeof digits, negative ? -n : n).ptr;
  } else {
    double d = 0;
    std::from_chars(in.data(), in.data() + in.size(), d);
    negative = d < 0;
    end = std::to_chars(digits, digits + sizeof digits, negative ? -d : d, std::chars_format::fixed, 2)
              .ptr;
  }
  const char* point = static_cast<const char*>(std::memchr(digits, '.', end - digits));
  const std::size_t whole = static_cast<std::size_t>((point ? point : end) - digits);
  const bool currency = kind == 'c';
  std::size_t len = 0;
  if (negative) out[len++] = currency ? '(' : '-';
  if (currency) out[len++] = '$';
  len += Group(out + len, digits, whole);
  for (const char* p = digits + whole; p < end; ++p) out[len++] = *p;
  if (negative && currency) out[len++] = ')';
  return len;
}

inline std::size_t LibcParseNumber(char kind, std::string_view in, char* out) {
  char clean[64];
  std::size_t n = 0;
  bool negative = false;
  for (char c : in) {
    if (n < sizeof clean && ((c >= '0' && c <= '9') || c == '.')) clean[n++] = c;
    else if (c == '-' || c == '(') negative = true;
  }
  char* p = out;
  if (negative) *p++ = '-';
  if (kind == 'l') {
    long long v = 0;
    std::from_chars(clean, clean + n, v);
    p = std::to_chars(p, out + 64, v).ptr;
  } else {
    double v = 0;
    std::from_chars(clean, clean + n, v);
    p = std::to_chars(p, out + 64, v).ptr;
  }
  return static_cast<std::size_t>(p - out);
}

}  // namespace bench
