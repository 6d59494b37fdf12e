#include "zorva/automation.h"

#include <gtest/gtest.h>

#include <cstring>

namespace zorva {
namespace {

std::uint32_t PrefixOf(BSTR text) {
  std::uint32_t count;
  std::memcpy(&count, reinterpret_cast<const char*>(text) - 4, 4);
  return count;
}

TEST(Bstr, LengthPrefixAndTerminator) {
  struct Case {
    const char16_t* text;
    UINT length;
  } const cases[] = {{u"", 0}, {u"a", 1}, {u"abc", 3}, {u"\u00E9\u20AC", 2}};
  for (const Case& c : cases) {
    BSTR s = SysAllocString(c.text);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(PrefixOf(s), c.length * 2);
    EXPECT_EQ(SysStringLen(s), c.length);
    EXPECT_EQ(SysStringByteLen(s), c.length * 2);
    EXPECT_EQ(s[c.length], u'\0');
    EXPECT_EQ(std::memcmp(s, c.text, c.length * 2), 0);
    SysFreeString(s);
  }
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

TEST(Bstr, EmbeddedZerosAreKept) {
  const char16_t text[] = {u'a', 0, u'b', 0, 0};
  BSTR s = SysAllocStringLen(text, 4);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(SysStringLen(s), 4u);
  EXPECT_EQ(s[2], u'b');
  EXPECT_EQ(s[4], 0);
  SysFreeString(s);

  BSTR blank = SysAllocStringLen(nullptr, 3);  // no source: zero characters
  ASSERT_NE(blank, nullptr);
  EXPECT_EQ(SysStringLen(blank), 3u);
  for (int i = 0; i <= 3; ++i) EXPECT_EQ(blank[i], 0);
  SysFreeString(blank);
}

TEST(Bstr, NullIsAnEmptyString) {
  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  EXPECT_EQ(SysStringLen(nullptr), 0u);
  EXPECT_EQ(SysStringByteLen(nullptr), 0u);
  SysFreeString(nullptr);
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
