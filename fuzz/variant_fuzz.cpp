// Automation values turned into the raw text of every type.
#include <algorithm>
#include <cstring>

#include "service/variant_text.h"
#include "variant_build.h"

using namespace zorva;
using namespace zorva::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  IntlSettingsOverride settings(SettingsFor(in.Byte()));
  const std::int32_t type = TypeNumber(in.Byte());
  const std::uint8_t tag = in.Byte();
  const std::string_view payload = in.Rest();
  std::u16string wide(payload.begin(), payload.end());
  BSTR text = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  FuzzVariant value(tag, payload, text);

  SVariant a, b;
  const HRESULT hr = VariantToRawText(value.get(), type, a);
  FUZZ_CHECK(VariantToRawText(value.get(), type, b) == hr);
  const char *ta = a.DataPtr(0), *tb = b.DataPtr(0);
  FUZZ_CHECK(!ta == !tb);
  FUZZ_CHECK(!ta || (std::strlen(ta) == a.TextLength() && std::strcmp(ta, tb) == 0));
  SysFreeString(text);
  return 0;
}
