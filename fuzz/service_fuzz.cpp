// libFuzzer target: any bytes as (type, mask, value) through the three
// questions. Nothing may crash, overflow or hang, and answers stay bounded.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "zorva/masked_edit.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  int type = data[0] % 20 - 1;  // -1 and 18 too: out-of-range types
  std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  std::size_t cut = rest.find('\t');
  std::string_view mask = cut == std::string_view::npos ? std::string_view() : rest.substr(0, cut);
  std::string_view value = cut == std::string_view::npos ? rest : rest.substr(cut + 1);

  char out[1024];
  zorva::IsValidUtf8(type, mask, value);
  if (zorva::GetRawValueUtf8(type, mask, value, out, sizeof out) > 255 * 3) std::abort();
  if (zorva::GetFormattedValueUtf8(type, mask, value, out, sizeof out) > 255 * 3) std::abort();
  return 0;
}
