// The UTF-16, UTF-8 and ANSI conversions: bounded by the destination,
// terminated, and agreeing with each other.

#include "harness.h"

using namespace zorva;
using namespace zorva::fuzz;

template <typename Char>
void CheckTerminated(const Char* dest, std::size_t n, std::size_t size) {
  FUZZ_CHECK(size == 0 || (n < size && dest[n] == Char{}));
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  const std::size_t destSize = in.Byte();  // 0..255: a cut answer
  const std::string_view bytes = in.Rest();
  const std::size_t big = bytes.size() * 3 + 1;

  // UTF-8 straight to ANSI goes as UTF-8 -> UTF-16 -> ANSI.
  std::u16string wide(bytes.size() + 1, u'\0');
  const std::size_t w = Utf8ToUtf16(bytes.data(), bytes.size(), wide.data(), wide.size());
  CheckTerminated(wide.data(), w, wide.size());
  std::string viaWide(w + 1, '\0'), direct(bytes.size() + 1, '\0');
  const std::size_t a = Utf16ToAnsi(wide.data(), w, viaWide.data(), viaWide.size());
  const std::size_t d = Utf8ToAnsi(bytes.data(), bytes.size(), direct.data(), direct.size());
  CheckTerminated(direct.data(), d, direct.size());
  FUZZ_CHECK(a == d && viaWide.compare(0, a, direct, 0, d) == 0);

  // ANSI to UTF-16 and back, and to UTF-8 and back, is the identity.
  std::u16string fromAnsi(bytes.size() + 1, u'\0');
  const std::size_t u = AnsiToUtf16(bytes.data(), bytes.size(), fromAnsi.data(), fromAnsi.size());
  FUZZ_CHECK(u == bytes.size());
  std::string back(u + 1, '\0');
  FUZZ_CHECK(Utf16ToAnsi(fromAnsi.data(), u, back.data(), back.size()) == bytes.size());
  FUZZ_CHECK(back.compare(0, u, bytes) == 0);
  std::string utf8(big, '\0');
  const std::size_t e = AnsiToUtf8(bytes.data(), bytes.size(), utf8.data(), utf8.size());
  std::string again(e + 1, '\0');
  FUZZ_CHECK(Utf8ToAnsi(utf8.data(), e, again.data(), again.size()) == bytes.size());
  FUZZ_CHECK(again.compare(0, bytes.size(), bytes) == 0);

  // The code units as UTF-16 (unpaired surrogates included) to UTF-8 and back.
  std::u16string units(bytes.size() / 2, u'\0');
  std::memcpy(units.data(), bytes.data(), units.size() * 2);
  std::string u8(units.size() * 3 + 1, '\0');
  const std::size_t n8 = Utf16ToUtf8(units.data(), units.size(), u8.data(), u8.size());
  CheckTerminated(u8.data(), n8, u8.size());

  // Every conversion into a small destination stays inside it.
  std::unique_ptr<char[]> small(new char[destSize ? destSize : 1]);
  CheckTerminated(small.get(), Utf16ToAnsi(units.data(), units.size(), small.get(), destSize), destSize);
  CheckTerminated(small.get(), Utf8ToAnsi(bytes.data(), bytes.size(), small.get(), destSize), destSize);
  CheckTerminated(small.get(), AnsiToUtf8(bytes.data(), bytes.size(), small.get(), destSize), destSize);
  CheckTerminated(small.get(), Utf16ToUtf8(units.data(), units.size(), small.get(), destSize), destSize);
  std::u16string smallWide(destSize, u'x');
  CheckTerminated(smallWide.data(), AnsiToUtf16(bytes.data(), bytes.size(), smallWide.data(), destSize),
                  destSize);
  CheckTerminated(smallWide.data(), Utf8ToUtf16(bytes.data(), bytes.size(), smallWide.data(), destSize),
                  destSize);
  return 0;
}
