#include "service/whole_units.h"

#include <cstring>

#include "platform/unicode.h"
#include "service/dispatch.h"

namespace zorva {

int ShowWholeUnits(const WholeUnits& whole, const char16_t* value, std::size_t length, char16_t* out) noexcept {
  if (!whole.ready || length == 0) return -1;
  const bool negative = value[0] == whole.sign;
  const char16_t* p = value + negative;
  const char16_t* const end = value + length;
  // Up to 15 digits, as the raw reader takes them exactly.
  if (p == end || end - p > 15) return -1;
  for (const char16_t* q = p; q < end; ++q) {
    if (*q < u'0' || *q > u'9') return -1;
  }
  while (p < end && *p == u'0') ++p;
  const std::size_t count = static_cast<std::size_t>(end - p);
  const std::size_t pad = whole.zeros > count ? whole.zeros - count : 0;
  const std::size_t shown = pad + count;
  if (shown > 40) return -1;  // the ANSI path's longest run
  char16_t* o = out;
  if (negative && count > 0) *o++ = whole.sign;  // no negative zero
  // The digit at position k of the padded number.
  const auto digit = [&](std::size_t k) { return k < pad ? u'0' : p[k - pad]; };
  const std::size_t group = whole.group;
  // A group of one never splits ("#,#" shows "1234").
  const bool split = whole.grouped && group >= 2 && shown > group;
  std::size_t next = split ? (shown % group == 0 ? group : shown % group) : shown;
  for (std::size_t k = 0; k < shown; ++k) {
    if (k == next) {
      *o++ = whole.separator;
      next += group;
    }
    *o++ = digit(k);
  }
  return static_cast<int>(o - out);
}

namespace {

// What the ANSI path shows for an ASCII value, widened; -1 where it does not answer.
int AnsiAnswer(const char* value, const FormatRequest& request, std::uint64_t key, const IntlSettings& s,
               char16_t* out) noexcept {
  char answer[kWholeUnits * 2];
  const int n = FormattedWholeValue(answer, sizeof answer, value, std::strlen(value), request, key, s);
  if (n < 0) return -1;
  return static_cast<int>(AnsiToUtf16(answer, static_cast<std::size_t>(n), out, kWholeUnits));
}

}  // namespace

void PrepareWholeUnits(WholeUnits& whole, const FormatRequest& request, std::uint64_t key,
                       const IntlSettings& s) noexcept {
  whole.ready = false;
  const unsigned char sign = static_cast<unsigned char>(s.sNegativeSign);
  if (key == 0 || sign == 0 || sign >= 0x80) return;
  const char separator = static_cast<char>((key >> 32) & 0xFF);
  char16_t wide[2] = {};
  AnsiToUtf16(&separator, separator ? 1 : 0, wide, 2);
  whole.sign = sign;
  whole.separator = wide[0];
  whole.zeros = static_cast<std::uint8_t>(key & 0xFF);
  whole.group = static_cast<std::uint8_t>((key >> 8) & 0xFF);
  whole.grouped = ((key >> 16) & 1) != 0;
  whole.ready = true;
  // Every leading character the values can have, each length, zeros in
  // front and a negative zero: where either side answers differently, or
  // one does not answer, every value takes the ANSI path.
  const char sg = static_cast<char>(sign);
  const char probes[][20] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "12", "123", "1234", "12345",
                             "123456", "1234567", "12345678", "123456789012345", "000120", "00000"};
  for (const char* probe : probes) {
    for (const bool negative : {false, true}) {
      char value[24];
      value[0] = sg;
      std::memcpy(value + negative, probe, std::strlen(probe) + 1);
      char16_t units[24], ours[kWholeUnits], theirs[kWholeUnits];
      const std::size_t length = std::strlen(value);
      AnsiToUtf16(value, length, units, 24);
      const int n = ShowWholeUnits(whole, units, length, ours);
      if (n < 0 || AnsiAnswer(value, request, key, s, theirs) != n ||
          std::memcmp(ours, theirs, static_cast<std::size_t>(n) * sizeof(char16_t)) != 0) {
        whole.ready = false;
        return;
      }
    }
  }
}

}  // namespace zorva
