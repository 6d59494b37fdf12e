// Rendering a parsed number through a format section. The sign is never
// taken from the number: the section's own characters show it.
#include <cstdint>
#include <cstring>

#include "intl/settings.h"
#include "number/number.h"
#include "number/number_internal.h"

namespace zorva {
namespace {

using number_detail::FcvtDigits;
using number_detail::FormatView;
using number_detail::IsLiteralLead;
using number_detail::kMaxWholeLength;

constexpr std::size_t kFractionPlaces = 15;
constexpr std::size_t kQuotedMax = 255;

inline bool IsPlaceholder(char c) noexcept { return c == '0' || c == '#'; }

// A section that is a plain slice of the format: no lead to step over.
struct PlainView {
  const char* body;
  std::size_t bodyLength;
  std::size_t size() const noexcept { return bodyLength; }
  char operator[](std::size_t i) const noexcept { return body[i]; }
};

template <typename View>
struct Renderer {
  const View& format;
  char decimalSep;
  char thousandSep;
  const FcvtDigits& integer;       // the integer part rounded to a whole number
  char fraction[kFractionPlaces];  // its fraction to 15 places, as digits after the point
  std::size_t fractionLength = 0;
  BoundedText& out;

  // "0", "#" and thousands separators, up to anything else; the integer
  // part is shown whole, padded to the run's "0" count and grouped by the
  // placeholders after the run's last separator.
  std::size_t IntegerRun(std::size_t i) noexcept {
    const std::size_t n = format.size();
    std::size_t zeros = 0;
    std::size_t group = 0;
    bool grouped = false;
    for (; i < n; ++i) {
      const char c = format[i];
      if (decimalSep && c == decimalSep) break;
      if (IsPlaceholder(c)) {
        zeros += c == '0';
        ++group;
      } else if (thousandSep && c == thousandSep) {
        grouped = true;
        group = 0;
      } else {
        break;
      }
    }
    const std::size_t digits = integer.point > 0 ? static_cast<std::size_t>(integer.point) : 0;
    const std::size_t pad = zeros > digits ? zeros - digits : 0;
    const std::size_t length = pad + digits;
    // A group of one never splits ("#,#" shows "1234").
    const bool split = grouped && group >= 2 && length > group;
    // Digits left before the next separator, counted down instead of a
    // division per digit.
    std::size_t untilSeparator = split ? (length % group == 0 ? group : length % group) : length;
    const std::size_t shown = length + (split ? (length - 1) / group : 0);
    if (shown <= out.Room() && pad == 0 && digits <= static_cast<std::size_t>(integer.kept)) {
      // All of it fits and every digit is stored: written in place.
      char* w = out.End();
      for (std::size_t k = 0; k < length; ++k) {
        if (untilSeparator == 0) {
          *w++ = thousandSep;
          untilSeparator = group;
        }
        --untilSeparator;
        *w++ = integer.digits[k];
      }
      out.Advance(shown);
      return i;
    }
    for (std::size_t k = 0; k < length; ++k) {
      if (untilSeparator == 0) {
        out.Put(thousandSep);
        untilSeparator = group;
      }
      --untilSeparator;
      out.Put(k < pad ? '0' : integer.At(static_cast<int>(k - pad)));
    }
    return i;
  }

  // Placeholders after the decimal separator show the leading fraction digits,
  // never rounded at the shown places. A "#" shows all that remain without
  // trailing zeros, and the format is passed over by one character for each
  // digit it wrote.
  std::size_t FractionRun(std::size_t i) noexcept {
    const std::size_t n = format.size();
    std::size_t next = 0;
    while (i < n && IsPlaceholder(format[i])) {
      if (format[i] == '0') {
        out.Put(next < fractionLength ? fraction[next++] : '0');
        ++i;
        continue;
      }
      std::size_t end = fractionLength;
      while (end > next && fraction[end - 1] == '0') --end;
      for (std::size_t k = next; k < end; ++k) out.Put(fraction[k]);
      const std::size_t written = end - next;
      next = fractionLength;
      ++i;
      i = written < n - i ? i + written : n;
    }
    return i;
  }

  void Render(bool negative) noexcept {
    const std::size_t n = format.size();
    std::size_t i = 0;
    if (negative) {
      for (std::size_t k = 0; k < n; ++k) {
        if (format[k] == ';') {
          i = k + 1;
          break;
        }
      }
    }
    bool afterDecimal = false;
    while (i < n) {
      const char c = format[i];
      if (decimalSep && c == decimalSep) {
        out.Put(c);
        afterDecimal = true;
        ++i;
        continue;
      }
      if (IsPlaceholder(c)) {
        i = afterDecimal ? FractionRun(i) : IntegerRun(i);
        continue;
      }
      afterDecimal = false;
      if (thousandSep && c == thousandSep) {
        ++i;  // a separator outside a run shows nothing
      } else if (c == '\\') {
        if (i + 1 >= n) break;
        out.Put(format[i + 1]);
        if (format[i + 1] == '\\') out.Put('\\');
        i += 2;
      } else if (c == '"') {
        std::size_t shown = 0;
        for (++i; i < n && format[i] != '"'; ++i) {
          if (shown++ < kQuotedMax) out.Put(format[i]);
        }
        if (i < n) ++i;
      } else if (c == '_') {
        i = i + 2 < n ? i + 2 : n;  // "_x" reserves room on screen; nothing to show here
      } else if (c == ';') {
        break;
      } else {
        out.Put(c);
        ++i;
      }
    }
  }
};

// The digits after the point of the fraction's 15-place text, without the
// zeros that would follow them: none when it has no point. A zero fraction
// would give only zeros, which show as none does.
// Writes kFractionPlaces bytes, the digits first; returns how many digits.
std::size_t FractionDigits(const NumberParts& parts, char* fraction) noexcept {
  if (parts.fraction == 0) return 0;
  if (parts.readDigitCount > 0 && parts.fraction == parts.readFraction) {
    // Within half a unit of the 15th place of the digits read (it is their
    // nearest double), so their text to 15 places is those digits.
    std::memcpy(fraction, parts.readDigits, sizeof parts.readDigits);  // a fixed copy is cheaper
    return static_cast<std::size_t>(parts.readDigitCount);
  }
  const FcvtDigits f = number_detail::Fcvt(parts.fraction, kFractionPlaces);
  const int integerDigits = f.point > 0 ? f.point : 0;
  std::size_t k = 0;
  if (f.length > integerDigits) {
    for (int z = f.point; z < 0 && k < kFractionPlaces; ++z) fraction[k++] = '0';
    for (int d = integerDigits; d < f.length && k < kFractionPlaces; ++d) fraction[k++] = f.At(d);
  }
  return k;
}

void RenderNumber(BoundedText& out, const FormatView& format, char decimalSep, char thousandSep,
                  const NumberParts& parts) noexcept {
  const FcvtDigits integer = number_detail::WholeFcvt(parts.integerPart);
  const bool negative = parts.negative != 0;
  if (!format.lead || IsLiteralLead(format.lead, decimalSep, thousandSep)) {
    // The usual case: a literal lead is shown first and the body is read
    // straight from the format. A negative body with a ";" starts after it,
    // the lead being before that.
    const PlainView body{format.body, format.bodyLength};
    const bool skips = negative && std::memchr(format.body, ';', format.bodyLength) != nullptr;
    if (format.lead && !skips) out.Put(format.lead);
    Renderer<PlainView> r{body, decimalSep, thousandSep, integer, {}, 0, out};
    r.fractionLength = FractionDigits(parts, r.fraction);
    r.Render(skips);
  } else {
    Renderer<FormatView> r{format, decimalSep, thousandSep, integer, {}, 0, out};
    r.fractionLength = FractionDigits(parts, r.fraction);
    r.Render(negative);
  }
  // Without digits the value shows the mask's shape: "$#,##0.00" gives "$ .  ".
  if (parts.noDigits) {
    char* text = out.data();
    for (std::size_t k = 0; k < out.length(); ++k) {
      if (text[k] == '0') text[k] = ' ';
    }
  }
}

// A format of one section that is a single integer run: "0", "#" and
// thousands separators from its first character, nothing else ("#,##0").
// Such a run shows the whole number only, so it is rendered without the
// general walk. Separators that other rules could also claim (a space is
// trimmed, ";" splits, a decimal separator) leave it to that walk.
struct WholeRun {
  std::size_t zeros = 0;  // the "0" placeholders: the least digits shown
  std::size_t group = 0;  // placeholders after the last separator
  bool grouped = false;
};

bool ReadWholeRun(const char* format, char decimalSep, char thousandSep, WholeRun& run) noexcept {
  if (!format || !IsPlaceholder(format[0])) return false;
  if (IsPlaceholder(decimalSep) || IsPlaceholder(thousandSep) || thousandSep == ' ' ||
      thousandSep == ';' || (thousandSep && thousandSep == decimalSep)) {
    return false;
  }
  for (const char* p = format; *p; ++p) {
    if (IsPlaceholder(*p)) {
      run.zeros += *p == '0';
      ++run.group;
    } else if (thousandSep && *p == thousandSep) {
      run.grouped = true;
      run.group = 0;
    } else {
      return false;
    }
  }
  return true;
}

// Whether all eight bytes are "0" to "9": each high half is 3 and adding 6
// leaves it so.
inline bool AllDigits(std::uint64_t bytes) noexcept {
  constexpr std::uint64_t kHigh = 0xF0F0F0F0F0F0F0F0ull;
  const std::uint64_t low = ((bytes + 0x0606060606060606ull) & kHigh) >> 4;
  return ((bytes & kHigh) | low) == 0x3333333333333333ull;
}

constexpr std::size_t kWholeTextSize = 2 * kMaxWholeLength + 32;

// What IntegerRun shows for a whole number of `count` (at most 16)
// significant digits, the first `count` bytes at `own`, after `lead`:
// into `text` (kWholeTextSize bytes), its length in `n`; false for a run
// too long for it. The fixed copies read up to 16 bytes at `own` and 8
// past its last digit.
bool LayOutWhole(char* text, std::size_t& n, const WholeRun& run, char lead, char thousandSep,
                 const char* own, std::size_t count) noexcept {
  char padded[kMaxWholeLength + 16];
  const std::size_t pad = run.zeros > count ? run.zeros - count : 0;
  const std::size_t length = pad + count;
  if (length > kMaxWholeLength) return false;
  const char* digits = own;
  if (pad) {
    std::memset(padded, '0', pad);
    std::memcpy(padded + pad, own, 16);  // a fixed copy
    digits = padded;
  }
  // A group of one never splits ("#,#" shows "1234").
  const std::size_t group = run.group;
  const bool split = run.grouped && group >= 2 && length > group;
  // Copies below are of fixed sizes, over-long where that is cheaper than
  // a call: both buffers have room past what counts.
  n = 0;
  if (lead) text[n++] = lead;
  if (!split) {
    if (length <= 16) {
      std::memcpy(text + n, digits, 16);
    } else {
      std::memcpy(text + n, digits, length);
    }
    n += length;
    return true;
  }
  std::size_t k = length % group == 0 ? group : length % group;
  const auto copy = [&](std::size_t from, std::size_t count) {
    if (count <= 8) {
      std::memcpy(text + n, digits + from, 8);
    } else {
      std::memcpy(text + n, digits + from, count);
    }
    n += count;
  };
  copy(0, k);
  for (; k < length; k += group) {
    text[n++] = thousandSep;
    copy(k, group);
  }
  return true;
}

// What IntegerRun shows for a whole number below 2^53, after `lead`;
// false, with nothing written, for anything else or a run too long for the
// text built here.
bool RenderWhole(BoundedText& out, const WholeRun& run, char lead, char thousandSep,
                 double magnitude) noexcept {
  if (!(magnitude >= 0 && magnitude < 9007199254740992.0)) return false;
  const auto whole = static_cast<std::uint64_t>(magnitude);
  if (static_cast<double>(whole) != magnitude) return false;
  char own[32] = {};
  const std::size_t count = whole ? static_cast<std::size_t>(number_detail::WholeDigits(whole, own)) : 0;
  char text[kWholeTextSize];
  std::size_t n;
  if (!LayOutWhole(text, n, run, lead, thousandSep, own, count)) return false;
  const std::size_t kept = n < out.Room() ? n : out.Room();
  std::memcpy(out.End(), text, kept);
  out.Advance(kept);
  return true;
}

// RenderWhole for a format that is one WholeRun; false, with nothing
// written, for any other.
bool RenderWholeRun(BoundedText& out, const NumberConversion& conversion, const NumberParts& parts,
                    const IntlSettings& s) noexcept {
  WholeRun run;
  if (!ReadWholeRun(conversion.toFormat, conversion.outDecimalSep, conversion.outThousandSep, run)) {
    return false;
  }
  // One section: a negative number gets the sign in front.
  const char lead = parts.negative ? s.sNegativeSign : 0;
  return (!lead || IsLiteralLead(lead, conversion.outDecimalSep, conversion.outThousandSep)) &&
         RenderWhole(out, run, lead, conversion.outThousandSep, parts.integerPart);
}

}  // namespace

std::uint64_t WholeRunKey(const char* format, char decimalSep, char thousandSep) noexcept {
  WholeRun run;
  if (!ReadWholeRun(format, decimalSep, thousandSep, run) || run.zeros > kMaxWholeLength) return 0;
  // A group longer than any number laid out here never splits one.
  const std::uint64_t group = run.group < 0xFF ? run.group : 0xFF;
  return std::uint64_t{1} << 40 | std::uint64_t{static_cast<unsigned char>(thousandSep)} << 32 |
         std::uint64_t{static_cast<unsigned char>(decimalSep)} << 24 |
         std::uint64_t{run.grouped} << 16 | group << 8 | run.zeros;
}

int ConvertRawWhole(char* dest, std::size_t size, const char* text, std::size_t length,
                    const NumberConversion& conversion, std::uint64_t key,
                    const IntlSettings& s) noexcept {
  const char decimalSep = conversion.outDecimalSep;
  const char thousandSep = conversion.outThousandSep;
  if (key == 0 || !text || length == 0 || !conversion.fromFormat ||
      static_cast<unsigned char>(decimalSep) != ((key >> 24) & 0xFF) ||
      static_cast<unsigned char>(thousandSep) != ((key >> 32) & 0xFF)) {
    return -1;
  }
  const NumberRequest from{conversion.fromFormat, conversion.currencySymbol,
                           conversion.parseDecimalSep, conversion.parseThousandSep};
  if (!number_detail::RawTextReadable(text[0], from, s)) return -1;
  const char* p = text;
  const char* const end = text + length;
  const bool negative = *p == s.sNegativeSign;
  if (negative) ++p;
  // Up to 15 digits are read exactly, so the number shown is these digits
  // without their leading zeros: they are copied, not converted.
  const std::size_t digits = static_cast<std::size_t>(end - p);
  if (digits == 0 || digits > 15) return -1;
  char own[32] = {};  // the digits, and room to read 16 bytes from any of them
  if (digits >= 8) {
    // Eight at a time: the first eight and the last eight, which overlap.
    std::uint64_t first, last;
    std::memcpy(&first, p, 8);
    std::memcpy(&last, end - 8, 8);
    if (!AllDigits(first) || !AllDigits(last)) return -1;
    std::memcpy(own, &first, 8);
    std::memcpy(own + digits - 8, &last, 8);
  } else {
    for (std::size_t k = 0; k < digits; ++k) {
      if (!number_detail::IsDigit(p[k])) return -1;
      own[k] = p[k];
    }
  }
  std::size_t zeros = 0;
  while (zeros < digits && own[zeros] == '0') ++zeros;
  const std::size_t count = digits - zeros;
  // No negative zero; the sign leads a one-section format.
  const char lead = negative && count > 0 ? s.sNegativeSign : 0;
  if (lead && !IsLiteralLead(lead, decimalSep, thousandSep)) return -1;
  WholeRun run;
  run.zeros = key & 0xFF;
  run.group = (key >> 8) & 0xFF;
  run.grouped = ((key >> 16) & 1) != 0;
  std::size_t n;
  if (size >= kWholeTextSize) {  // room for the fixed copies: written in place
    if (!LayOutWhole(dest, n, run, lead, thousandSep, own + zeros, count)) return -1;
  } else {
    char shown[kWholeTextSize];
    if (!LayOutWhole(shown, n, run, lead, thousandSep, own + zeros, count) || n >= size) return -1;
    std::memcpy(dest, shown, n);
  }
  dest[n] = '\0';
  return static_cast<int>(n);
}

int FormatNumber(char* dest, std::size_t size, const NumberRequest& request,
                 const NumberParts& parts) noexcept {
  BoundedText out(dest, size);
  FormatView view;
  if (request.format) {
    view.body = request.format;
    view.bodyLength = std::strlen(request.format);
  }
  RenderNumber(out, view, request.decimalSep, request.thousandSep, parts);
  return 1;
}

int FormatRawNumber(char* dest, std::size_t size, const char* format, char decimalSep,
                    const NumberParts& parts, const IntlSettings& s) noexcept {
  const bool whole = format && format[0] == '0' && format[1] == '\0';
  const bool decimal = format && decimalSep && format[0] == '0' && format[1] == decimalSep &&
                       format[2] == '#' && format[3] == '\0';
  const char lead = parts.negative ? s.sNegativeSign : 0;
  if ((whole || decimal) && !parts.noDigits && (!lead || IsLiteralLead(lead, decimalSep, 0))) {
    // "0" or "0.#": the sign, the whole number and any fraction digits,
    // built here and cut to the destination once.
    const FcvtDigits integer = number_detail::WholeFcvt(parts.integerPart);
    if (integer.kept == integer.point || integer.point <= 0) {
      char text[1 + sizeof integer.digits + 1 + kFractionPlaces];
      std::size_t n = 0;
      if (lead) text[n++] = lead;
      if (integer.point <= 0) {
        text[n++] = '0';
      } else {
        std::memcpy(text + n, integer.digits, sizeof integer.digits);  // a fixed copy
        n += static_cast<std::size_t>(integer.kept);
      }
      if (decimal) {
        text[n++] = decimalSep;
        std::size_t end = FractionDigits(parts, text + n);
        while (end > 0 && text[n + end - 1] == '0') --end;
        n += end;
      }
      CopyCut(dest, size, text, n);
      return 1;
    }
    BoundedText out(dest, size);
    if (lead) out.Put(lead);
    for (int k = 0; k < integer.point; ++k) out.Put(integer.At(k));
    if (decimal) {
      out.Put(decimalSep);
      char fraction[kFractionPlaces];
      std::size_t end = FractionDigits(parts, fraction);
      while (end > 0 && fraction[end - 1] == '0') --end;
      for (std::size_t k = 0; k < end; ++k) out.Put(fraction[k]);
    }
    return 1;
  }
  char section[64];
  SelectSection(section, sizeof section, format, parts.negative, s);
  return FormatNumber(dest, size, NumberRequest{section, nullptr, decimalSep, 0}, parts);
}

void number_detail::RenderConverted(char* dest, std::size_t size, const NumberConversion& conversion,
                                    const NumberParts& parts, const IntlSettings& s) noexcept {
  BoundedText out(dest, size);
  // Only a whole number is looked at this way: a mask with decimals, the
  // usual one for a fraction, is not scanned twice.
  if (!parts.noDigits && parts.fraction == 0 && RenderWholeRun(out, conversion, parts, s)) return;
  // The section is rendered in place, so a mask of any length is honoured whole.
  const FormatView section = number_detail::SectionOf(conversion.toFormat, parts.negative, s);
  RenderNumber(out, section, conversion.outDecimalSep, conversion.outThousandSep, parts);
}

int ConvertNumber(char* dest, std::size_t size, const char* text,
                  const NumberConversion& conversion, const IntlSettings& s) noexcept {
  NumberParts parts;
  if (text && conversion.fromFormat) {
    const NumberRequest from{conversion.fromFormat, conversion.currencySymbol,
                             conversion.parseDecimalSep, conversion.parseThousandSep};
    ParseNumber(text, from, parts, s);  // an ill-formed text still shows what was read
  } else {
    parts.noDigits = 1;
  }
  number_detail::RenderConverted(dest, size, conversion, parts, s);
  return 1;
}

}  // namespace zorva
