#include "service/mask_cache.h"

#include <cstring>
#include <type_traits>

#include "platform/unicode.h"
#include "service/default_mask.h"
#include "service/dispatch.h"
#include "service/kept_date_time.h"

namespace zorva {
namespace {

using mask_cache_detail::Kept;
using mask_cache_detail::Slot;

// Static storage, not per thread: a DLL can be unloaded while threads that
// called it live on, and nothing here needs a destructor. A slot is taken
// with a try-lock; a thread that finds it taken works the mask out itself.
constexpr std::size_t kSlots = 16;
static_assert(std::is_trivially_destructible_v<Slot>);
constinit Slot g_slots[kSlots]{};  // zeros in the image: no code runs when the module loads

std::size_t SlotOf(std::int32_t valueType, const char16_t* mask, std::size_t length) noexcept {
  const std::size_t first = length ? mask[0] : 0;
  return (static_cast<std::size_t>(valueType) + 3 * length + first) % kSlots;
}

std::uint64_t Load4(const char16_t* units) noexcept {
  std::uint64_t word;
  std::memcpy(&word, units, sizeof word);
  return word;
}

// Four units at a time; the last four overlap those before them rather
// than reading past the mask.
bool SameUnits(const char16_t* a, const char16_t* b, std::size_t length) noexcept {
  if (length < 4) {
    for (std::size_t i = 0; i < length; ++i) {
      if (a[i] != b[i]) return false;
    }
    return true;
  }
  for (std::size_t i = 0; i + 4 < length; i += 4) {
    if (Load4(a + i) != Load4(b + i)) return false;
  }
  return Load4(a + length - 4) == Load4(b + length - 4);
}

bool Holds(const Kept& k, std::int32_t valueType, std::uint32_t generation, const char16_t* mask,
           std::size_t length) noexcept {
  return k.filled && k.length == length && k.valueType == valueType && k.generation == generation &&
         SameUnits(k.units, mask, length);
}

// The facts of a mask of at most kKeptMaskUnits units, whose code-page text
// is never longer than its units: what every call needs first. Out of line:
// the usual call finds them.
[[gnu::noinline]] void Fill(Kept& k, std::int32_t valueType, std::uint32_t generation, const char16_t* mask,
                            std::size_t length, const IntlSettings& s) noexcept {
  AnsiText text;
  text.AssignUtf16(mask, length);  // inline: it cannot fail
  const std::size_t n = text.size() < sizeof k.text ? text.size() : sizeof k.text - 1;
  std::memcpy(k.text, text.data(), n);
  k.text[n] = '\0';
  if (ShouldSwapCurrency(valueType, s)) SwapCurrencySymbol(k.text, s);
  k.facts.text = k.text;
  k.facts.request = RequestFor(valueType, k.text, s);
  k.facts.shape = WholeMaskKey(k.facts.request);
  k.facts.number = nullptr;
  k.facts.whole = nullptr;
  k.facts.fixed = nullptr;
  k.facts.date = nullptr;
  k.facts.time = nullptr;
  k.facts.boolean = nullptr;
  k.facts.steps = nullptr;
  k.read = false;
  for (std::size_t i = 0; i < length; ++i) k.units[i] = mask[i];
  k.valueType = valueType;
  k.generation = generation;
  k.length = static_cast<std::uint32_t>(length);
  k.filled = true;
}

// The readers, worked out when the mask comes a second time: they cost more
// than many calls, which masks that change call by call never repay.
[[gnu::noinline]] void Read(Kept& k, const IntlSettings& s) noexcept {
  PrepareWholeUnits(k.whole, k.facts.request, k.facts.shape, s);
  k.facts.whole = k.whole.ready ? &k.whole : nullptr;
  PrepareFixedShape(k.fixed, k.facts.request, s);
  k.facts.fixed = k.fixed.ready ? &k.fixed : nullptr;
  char utf8[kKeptMaskUnits * 3 + 1];
  PrepareNumber(k.number, k.valueType, {utf8, Utf16ToUtf8(k.units, k.length, utf8, sizeof utf8)});
  k.facts.number = k.number.ready ? &k.number : nullptr;
  PrepareKeptPlans(k.date, k.time, k.facts.request.editType, k.text, s);
  k.facts.date = k.date.ready ? &k.date : nullptr;
  k.facts.time = k.time.ready ? &k.time : nullptr;
  k.boolean.ready = false;
  if (k.valueType == tkMEBoolean) PrepareKeptBoolean(k.boolean, k.units, k.length, s);
  k.facts.boolean = k.boolean.ready ? &k.boolean : nullptr;
  if (k.facts.request.editType == etText && k.text[0]) {
    k.facts.stepCount = PlanMask(k.text, k.steps, kKeptMaskUnits);
    k.facts.steps = k.facts.stepCount <= kKeptMaskUnits ? k.steps : nullptr;
  }
  k.read = true;
}

}  // namespace

MaskLease::MaskLease(std::int32_t valueType, const char16_t* mask, std::size_t length,
                     const IntlSettings& s) noexcept {
  if (length <= kKeptMaskUnits) {
    Slot& slot = g_slots[SlotOf(valueType, mask, length)];
    if (!slot.busy.exchange(true, std::memory_order_acquire)) {
      slot_ = &slot;
      const std::uint32_t generation = IntlGeneration();
      if (!Holds(slot.kept, valueType, generation, mask, length)) {
        Fill(slot.kept, valueType, generation, mask, length, s);
      } else if (!slot.kept.read) {
        Read(slot.kept, s);
      }
      facts_ = &slot.kept.facts;
      return;
    }
  }
  if (!text_.AssignUtf16(mask, length)) return;
  if (ShouldSwapCurrency(valueType, s)) SwapCurrencySymbol(text_.data(), s);
  own_.text = text_.data();
  own_.request = RequestFor(valueType, own_.text, s);
  own_.shape = 0;
  own_.number = nullptr;
  own_.whole = nullptr;
  own_.fixed = nullptr;
  own_.date = nullptr;
  own_.time = nullptr;
  own_.boolean = nullptr;
  own_.steps = nullptr;
  facts_ = &own_;
}

}  // namespace zorva
