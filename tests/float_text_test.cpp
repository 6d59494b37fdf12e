// The portable double<->text conversions (the WebAssembly build's) against
// the C++ library's, which the native build uses: same text, same doubles.
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <random>
#include <string>

#include "platform/float_text.h"

namespace zorva {
namespace {

void ExpectSameText(double v, int precision) {
  char a[64], b[64];
  const std::string portable(a, ScientificTextPortable(a, a + sizeof a, v, precision));
  const std::string library(b, std::to_chars(b, b + sizeof b, v, std::chars_format::scientific, precision).ptr);
  ASSERT_EQ(portable, library) << v;
}

void ExpectSameDouble(const std::string& text) {
  double portable = -1, library = -1;
  const auto a = ReadDoublePortable(text.data(), text.data() + text.size(), portable);
  const auto b = std::from_chars(text.data(), text.data() + text.size(), library).ec;
  ASSERT_EQ(a, b) << text;
  ASSERT_EQ(std::bit_cast<std::uint64_t>(portable), std::bit_cast<std::uint64_t>(library)) << text;
}

TEST(FloatText, ScientificMatchesTheLibrary) {
  for (double v : {1.005, 0.1, 1234.5, 12345.678, 99999999999.0, 9999.0, 1e-7, 1e22, 123456789012345678.0, 0.5,
                   9.9999999999999995e16, 1e17, std::ldexp(1.0, -25) /* a tie at 17 digits: to even */,
                   std::ldexp(3.0, -26), 4503599627370497.5, 0.0018, 1.5e-6, DBL_MAX, DBL_MIN, 5e-324}) {
    for (int precision : {16, 0, 5, 17}) ExpectSameText(v, precision);
  }
  std::mt19937_64 random(42);
  for (int i = 0; i < 200000; ++i) {
    // Any bit pattern of a positive finite double, and decimal-looking values.
    const double v = std::bit_cast<double>(random() >> 1);
    if (std::isfinite(v)) ExpectSameText(v, 16);
    ExpectSameText(static_cast<double>(random() % 100000000000) / std::pow(10.0, random() % 12), 16);
  }
}

TEST(FloatText, ReadMatchesTheLibrary) {
  for (const char* text : {"12345e-1", "1e22", "1e23", "123456789012345e-22", "1234567890123456e-3",
                           "9007199254740993e0", "1e-400", "1e400", "17976931348623159e292",
                           "2e-324", "3e-324", "0e5", "1", "5e-1"}) {
    ExpectSameDouble(text);
  }
  std::mt19937_64 random(7);
  for (int i = 0; i < 200000; ++i) {
    std::string digits = std::to_string(random() % 1000000000000000000ull);
    digits.resize(1 + random() % digits.size());
    ExpectSameDouble(digits + "e" + std::to_string(static_cast<int>(random() % 80) - 40));
  }
}

}  // namespace
}  // namespace zorva
