// What a UTF-16 mask implies, kept between calls of the automation front:
// its text in the code page (swapped where the currency swap applies), the
// request built on it, its whole-number key, its number reader, a date or
// time mask's plans, a boolean mask's texts and a text mask's steps. A
// caller leases the facts for one call; a mask that is not kept (too long,
// or its slot in use by another thread) gets them worked out for the call.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "charmask/charmask.h"
#include "service/entry_points.h"
#include "service/fixed_shape.h"
#include "service/kept_boolean.h"
#include "service/kept_date.h"
#include "service/kept_time.h"
#include "service/prepared_number.h"
#include "service/whole_units.h"

namespace zorva {

// Masks up to this many UTF-16 units are kept: the number reader takes
// masks under 64 bytes.
inline constexpr std::size_t kKeptMaskUnits = 63;

struct MaskFacts {
  const char* text;       // the mask in the code page, zero-terminated
  FormatRequest request;  // RequestFor(valueType, text)
  std::uint64_t shape;    // WholeMaskKey(request): 0 unless a whole-number run
  const PreparedNumber* number;  // null where not prepared
  const WholeUnits* whole;       // null unless shape is a run shown from UTF-16 digits
  const FixedShape* fixed;       // null unless a number mask of the usual shape
  const KeptDate* date;          // a date mask's plans, a date-time mask's date half's; or null
  const KeptTime* time;          // a time mask's plans, a date-time mask's time half's; or null
  const KeptBoolean* boolean;    // null unless a boolean mask read for raw values
  const MaskStep* steps;         // a text mask's characters, classed once; or null
  std::size_t stepCount;
};

namespace mask_cache_detail {
struct Kept {
  bool filled;  // false in a slot never filled (static storage starts zeroed)
  bool read;    // the number reader and shapes below are worked out
  std::int32_t valueType;
  std::uint32_t generation;  // IntlGeneration() when filled
  std::uint32_t length;      // the mask's units
  char16_t units[kKeptMaskUnits];
  char text[kKeptMaskUnits + 1];
  MaskFacts facts;
  PreparedNumber number;
  WholeUnits whole;
  FixedShape fixed;
  KeptDate date;
  KeptTime time;
  KeptBoolean boolean;
  MaskStep steps[kKeptMaskUnits];  // never more than the mask's characters
};
struct Slot {
  std::atomic<bool> busy;
  Kept kept;
};
}  // namespace mask_cache_detail

class MaskLease {
 public:
  // `s` is Intl(), read by the caller for this call.
  MaskLease(std::int32_t valueType, const char16_t* mask, std::size_t length, const IntlSettings& s) noexcept;
  ~MaskLease() {
    if (slot_) slot_->busy.store(false, std::memory_order_release);
  }
  MaskLease(const MaskLease&) = delete;
  MaskLease& operator=(const MaskLease&) = delete;

  // Null when memory for a long mask could not be had.
  const MaskFacts* get() const noexcept { return facts_; }

 private:
  mask_cache_detail::Slot* slot_ = nullptr;
  const MaskFacts* facts_ = nullptr;
  MaskFacts own_;  // a mask not kept
  AnsiText text_;
};

}  // namespace zorva
