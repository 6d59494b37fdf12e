#ifndef _WIN32  // Windows has the real ones
#include "zorva/automation.h"

#include <cstdlib>
#include <cstring>

namespace zorva {
namespace {

constexpr std::size_t kPrefix = sizeof(std::uint32_t);
// The byte count must fit the 4-byte prefix, with room for the terminator.
constexpr UINT kMaxLength = (0xFFFFFFFFu - 2) / 2;

char* BlockOf(BSTR text) noexcept { return reinterpret_cast<char*>(text) - kPrefix; }

}  // namespace

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) noexcept {
  if (length > kMaxLength) return nullptr;
  const std::size_t bytes = static_cast<std::size_t>(length) * sizeof(OLECHAR);
  char* block = static_cast<char*>(std::malloc(kPrefix + bytes + sizeof(OLECHAR)));
  if (!block) return nullptr;
  const auto count = static_cast<std::uint32_t>(bytes);
  std::memcpy(block, &count, kPrefix);
  char* chars = block + kPrefix;
  if (text) {
    std::memcpy(chars, text, bytes);
  } else {
    std::memset(chars, 0, bytes);
  }
  std::memset(chars + bytes, 0, sizeof(OLECHAR));
  return reinterpret_cast<BSTR>(chars);
}

BSTR SysAllocString(const OLECHAR* text) noexcept {
  if (!text) return nullptr;
  std::size_t length = 0;
  while (text[length]) ++length;
  if (length > kMaxLength) return nullptr;
  return SysAllocStringLen(text, static_cast<UINT>(length));
}

void SysFreeString(BSTR text) noexcept {
  if (text) std::free(BlockOf(text));
}

UINT SysStringByteLen(BSTR text) noexcept {
  if (!text) return 0;
  std::uint32_t count;
  std::memcpy(&count, BlockOf(text), kPrefix);
  return count;
}

UINT SysStringLen(BSTR text) noexcept { return SysStringByteLen(text) / sizeof(OLECHAR); }

void VariantInit(VARIANT* value) noexcept {
  if (!value) return;
  value->vt = VT_EMPTY;
  value->wReserved1 = value->wReserved2 = value->wReserved3 = 0;
  value->llVal = 0;
}

HRESULT VariantClear(VARIANT* value) noexcept {
  if (!value) return E_INVALIDARG;
  // A by-reference variant points at storage owned by someone else.
  switch (value->vt) {
    case VT_BSTR:
      SysFreeString(value->bstrVal);
      break;
    case VT_DISPATCH:
      if (value->pdispVal) value->pdispVal->Release();
      break;
    case VT_UNKNOWN:
      if (value->punkVal) value->punkVal->Release();
      break;
    default:
      break;
  }
  VariantInit(value);
  return S_OK;
}

}  // namespace zorva
#endif  // !_WIN32
