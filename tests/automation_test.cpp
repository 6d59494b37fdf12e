#include "zorva/automation.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace zorva {
namespace {

// The byte count before the text, the terminator after it; embedded zeros
// are kept, and a null string is an empty one. A byte count beyond the
// 4-byte prefix cannot be made.
TEST(Bstr, LengthPrefixTerminatorAndZeros) {
  const std::u16string texts[] = {u"", u"abc", u"\u00E9\u20AC", std::u16string(u"a\0b\0", 4),
                                  std::u16string(1 << 20, u'x')};
  for (const std::u16string& text : texts) {
    // A text with zeros can only be given with its length.
    BSTR s = text.find(u'\0') != text.npos ? SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))
                                           : SysAllocString(text.c_str());
    ASSERT_NE(s, nullptr);
    std::uint32_t prefix;
    std::memcpy(&prefix, reinterpret_cast<const char*>(s) - 4, 4);
    EXPECT_EQ(prefix, text.size() * 2);
    EXPECT_EQ(SysStringLen(s), text.size());
    EXPECT_EQ(SysStringByteLen(s), text.size() * 2);
    EXPECT_EQ(std::u16string(s, text.size() + 1), text + u'\0');
    SysFreeString(s);
  }
  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  EXPECT_EQ(SysStringLen(nullptr), 0u);
  EXPECT_EQ(SysStringByteLen(nullptr), 0u);
  SysFreeString(nullptr);
  EXPECT_EQ(SysAllocStringLen(nullptr, 0x7FFFFFFFu), nullptr);
  EXPECT_EQ(SysAllocStringLen(nullptr, 0xFFFFFFFFu), nullptr);
}

// Freed short strings are handed out again: a reused block must carry its
// new length, text and terminator, and a string made without text is zeros.
TEST(Bstr, ReusedBlocksAreLikeNewOnes) {
  for (UINT first : {0u, 1u, 5u, 13u, 14u, 30u, 62u, 126u, 200u}) {
    for (UINT second : {0u, 1u, 6u, 13u, 29u, 61u, 125u, 300u, 1u << 20}) {
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

// Counts references so a test can see what VariantClear releases.
struct Counted : IUnknown {
  HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG AddRef() override { return ++refs; }
  ULONG Release() override { return --refs; }
  ULONG refs = 2;
};

// A BSTR leaks under the sanitizer if not freed; by reference, nothing is owned.
TEST(Variant, ClearFreesWhatItOwns) {
  VARIANT v;
  std::memset(&v, 0xAB, sizeof v);
  VariantInit(&v);
  EXPECT_EQ(v.vt, VT_EMPTY);
  Counted object;
  BSTR borrowed = SysAllocString(u"borrowed");
  v.vt = VT_BSTR;
  v.bstrVal = SysAllocString(u"owned");
  EXPECT_EQ(VariantClear(&v), S_OK);
  EXPECT_EQ(v.vt, VT_EMPTY);
  v.vt = VT_UNKNOWN;
  v.punkVal = &object;
  VariantClear(&v);
  EXPECT_EQ(object.refs, 1u);
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
