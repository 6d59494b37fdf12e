#include "time/time_plan.h"

#include <cstring>

#include "platform/codepage.h"

namespace zorva {

bool ReadTimeReadPlan(const char* mask, TimeReadPlan& plan) noexcept {
  plan.fields = 0;
  plan.designator = false;
  if (!mask) return false;
  WalkTimeReadMask(
      mask,
      [&plan](int field) {
        if (plan.fields < kTimeValueNumbers) plan.field[plan.fields++] = static_cast<std::uint8_t>(field);
      },
      [&plan](char am, char pm) {
        plan.designator = true;
        plan.am = am;
        plan.pm = pm;
      });
  return true;
}

bool ReadTimeFormatPlan(const char* mask, TimeFormatPlan& plan) noexcept {
  plan.count = 0;
  if (!mask || std::strlen(mask) >= kTimePlanBytes) return false;
  std::size_t used = 0;
  // Unchecked: the kept texts and their terminators take at most two and a
  // half bytes a mask character (a one-character literal takes two), so a
  // mask shorter than kTimePlanBytes fills 158 of the 192 at worst.
  const auto keep = [&plan, &used](const char* text, std::size_t length) {
    const auto at = static_cast<std::uint16_t>(used);
    std::memcpy(plan.chars + used, text, length);
    used += length;
    plan.chars[used++] = '\0';
    return at;
  };
  for (std::size_t i = 0;;) {
    DesignatorRun run;
    const TimeMaskPiece piece = NextTimeMaskPiece(mask + i, run);
    if (piece.kind == TimeMaskPiece::kEnd) return true;
    TimePlanPiece& p = plan.pieces[plan.count++];
    p = {piece.kind, static_cast<std::uint8_t>(piece.length), false, 0, 0};
    if (piece.kind == TimeMaskPiece::kText) {
      p.length = static_cast<std::uint8_t>(piece.textLength);
      p.text = keep(piece.text, piece.textLength);
    } else if (piece.kind == TimeMaskPiece::kDesignator) {
      p.text = keep(run.am, std::strlen(run.am));
      p.pm = keep(run.pm, std::strlen(run.pm));
    } else if (piece.kind == TimeMaskPiece::kHours) {
      p.pair = HasDesignatorPair(mask + i);
    }
    i += piece.length;
  }
}

}  // namespace zorva
