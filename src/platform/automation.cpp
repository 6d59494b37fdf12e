#ifndef _WIN32  // Windows has the real ones
#include "zorva/automation_types.h"

#include <cstdlib>
#include <cstring>

namespace zorva {
namespace {

constexpr std::size_t kPrefix = sizeof(std::uint32_t);
// The byte count must fit the 4-byte prefix, with room for the terminator.
constexpr UINT kMaxLength = (0xFFFFFFFFu - 2) / 2;

char* BlockOf(BSTR text) noexcept { return reinterpret_cast<char*>(text) - kPrefix; }

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kCacheStrings = false;  // the sanitizer must see every free
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kCacheStrings = false;
#else
constexpr bool kCacheStrings = true;
#endif
#else
constexpr bool kCacheStrings = true;
#endif

// Freed short strings are kept per thread and handed out again, as the
// system's string cache does, so that an answer costs no trip to the
// allocator. A short string's block is allocated at its class's size.
class StringCache {
 public:
  static constexpr std::size_t kClassBytes[] = {32, 64, 128, 256};
  static constexpr int kClasses = 4;
  static constexpr int kPerClass = 4;

  // The class of a block of `bytes` bytes, or -1 when it is not cached.
  static int ClassOf(std::size_t bytes) noexcept {
    for (int c = 0; c < kClasses; ++c) {
      if (bytes <= kClassBytes[c]) return c;
    }
    return -1;
  }
  void* Take(int c) noexcept {
    return count_[c] > 0 ? blocks_[c][--count_[c]] : std::malloc(kClassBytes[c]);
  }
  void Give(int c, void* block) noexcept {
    if (count_[c] < kPerClass) {
      blocks_[c][count_[c]++] = block;
    } else {
      std::free(block);
    }
  }
  ~StringCache() {
    for (int c = 0; c < kClasses; ++c) {
      while (count_[c] > 0) std::free(blocks_[c][--count_[c]]);
    }
  }

 private:
  void* blocks_[kClasses][kPerClass] = {};
  int count_[kClasses] = {};
};

thread_local StringCache t_cache;

std::size_t BlockBytes(std::size_t textBytes) noexcept {
  return kPrefix + textBytes + sizeof(OLECHAR);
}

}  // namespace

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) noexcept {
  if (length > kMaxLength) return nullptr;
  const std::size_t bytes = static_cast<std::size_t>(length) * sizeof(OLECHAR);
  const std::size_t blockBytes = BlockBytes(bytes);
  const int cacheClass = kCacheStrings ? StringCache::ClassOf(blockBytes) : -1;
  char* block = static_cast<char*>(cacheClass >= 0 ? t_cache.Take(cacheClass)
                                                   : std::malloc(blockBytes));
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
  if (!text) return;
  const int cacheClass = kCacheStrings ? StringCache::ClassOf(BlockBytes(SysStringByteLen(text))) : -1;
  if (cacheClass >= 0) {
    t_cache.Give(cacheClass, BlockOf(text));
  } else {
    std::free(BlockOf(text));
  }
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
