#include "zorva/automation.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace zorva {
namespace {

std::uint32_t PrefixOf(BSTR text) {
  std::uint32_t count;
  std::memcpy(&count, reinterpret_cast<const char*>(text) - 4, 4);
  return count;
}

// The byte count before the text, the terminator after it; embedded zeros
// are kept, and a null string is an empty one.
TEST(Bstr, LengthPrefixTerminatorAndZeros) {
  const std::u16string texts[] = {u"", u"abc", u"\u00E9\u20AC", std::u16string(u"a\0b\0", 4)};
  for (const std::u16string& text : texts) {
    const auto length = static_cast<UINT>(text.size());
    // A text with zeros can only be given with its length.
    const bool zeros = text.find(u'\0') != text.npos;
    BSTR s = zeros ? SysAllocStringLen(text.data(), length) : SysAllocString(text.c_str());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(PrefixOf(s), text.size() * 2);
    EXPECT_EQ(SysStringLen(s), text.size());
    EXPECT_EQ(SysStringByteLen(s), text.size() * 2);
    EXPECT_EQ(std::u16string(s, text.size() + 1), text + u'\0');
    SysFreeString(s);
  }
  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  EXPECT_EQ(SysStringLen(nullptr), 0u);
  EXPECT_EQ(SysStringByteLen(nullptr), 0u);
  SysFreeString(nullptr);
}

// Freed short strings are handed out again: a reused block must carry its
// new length, text and terminator, and a string made without text is zeros.
TEST(Bstr, ReusedBlocksAreLikeNewOnes) {
  for (UINT first : {0u, 1u, 5u, 13u, 14u, 30u, 62u, 126u, 200u}) {
    for (UINT second : {0u, 1u, 6u, 13u, 29u, 61u, 125u, 300u}) {
      BSTR a = SysAllocStringLen(nullptr, first);
      ASSERT_NE(a, nullptr);
      for (UINT i = 0; i < first; ++i) a[i] = u'x';
      SysFreeString(a);
      BSTR b = SysAllocStringLen(nullptr, second);
      ASSERT_NE(b, nullptr);
      EXPECT_EQ(SysStringLen(b), second);
      for (UINT i = 0; i <= second; ++i) ASSERT_EQ(b[i], 0) << first << " " << second << " " << i;
      SysFreeString(b);
    }
  }
}

TEST(Bstr, MegabyteStringsAndImpossibleLengths) {
  const UINT length = 1u << 20;
  BSTR s = SysAllocStringLen(nullptr, length);
  ASSERT_NE(s, nullptr);
  for (UINT i = 0; i < length; ++i) s[i] = u'x';
  EXPECT_EQ(SysStringLen(s), length);
  EXPECT_EQ(PrefixOf(s), 2u * length);
  EXPECT_EQ(s[length], 0);
  SysFreeString(s);
  // A byte count beyond the 4-byte prefix cannot be made.
  EXPECT_EQ(SysAllocStringLen(nullptr, 0x7FFFFFFFu), nullptr);
  EXPECT_EQ(SysAllocStringLen(nullptr, 0xFFFFFFFFu), nullptr);
}

// Counts references so a test can see what VariantClear releases.
class Counted : public IUnknown {
 public:
  HRESULT QueryInterface(REFIID, void** object) override {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG AddRef() override { return ++refs; }
  ULONG Release() override { return --refs; }
  ULONG refs = 1;
};

TEST(Variant, ClearFreesWhatItOwns) {
  VARIANT v;
  std::memset(&v, 0xAB, sizeof v);
  VariantInit(&v);
  EXPECT_EQ(v.vt, VT_EMPTY);

  v.vt = VT_BSTR;
  v.bstrVal = SysAllocString(u"owned");  // leaks under the sanitizer if not freed
  EXPECT_EQ(VariantClear(&v), S_OK);
  EXPECT_EQ(v.vt, VT_EMPTY);

  Counted object;
  object.refs = 2;
  v.vt = VT_UNKNOWN;
  v.punkVal = &object;
  VariantClear(&v);
  EXPECT_EQ(object.refs, 1u);

  // By reference, the variant owns nothing.
  BSTR borrowed = SysAllocString(u"borrowed");
  v.vt = VT_BSTR | VT_BYREF;
  v.pbstrVal = &borrowed;
  VariantClear(&v);
  EXPECT_EQ(v.vt, VT_EMPTY);
  EXPECT_EQ(SysStringLen(borrowed), 8u);
  SysFreeString(borrowed);

  v.vt = VT_DISPATCH;
  v.pdispVal = nullptr;
  EXPECT_EQ(VariantClear(&v), S_OK);
  EXPECT_EQ(VariantClear(nullptr), E_INVALIDARG);
}

}  // namespace
}  // namespace zorva
