#include "fields.h"

#include <limits>

namespace zmask {
namespace {

constexpr std::size_t kOpen = std::numeric_limits<std::size_t>::max();

// A number from 1 of at most 9 digits; 0 when there is none.
std::size_t Number(std::string_view text) {
  if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string_view::npos) {
    return 0;
  }
  std::size_t n = 0;
  for (char c : text) n = n * 10 + static_cast<std::size_t>(c - '0');
  return n;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

}  // namespace

bool FieldList::Parse(std::string_view text) {
  ranges_.clear();
  for (std::size_t start = 0;;) {
    std::size_t comma = text.find(',', start);
    std::string_view item = text.substr(start, comma == std::string_view::npos ? comma : comma - start);
    std::size_t dash = item.find('-');
    Range r;
    if (dash == std::string_view::npos) {
      r.first = r.last = Number(item);
    } else {
      r.first = dash == 0 ? 1 : Number(item.substr(0, dash));
      r.last = dash + 1 == item.size() ? kOpen : Number(item.substr(dash + 1));
      if (dash == 0 && r.last == kOpen) r.first = 0;  // "-" alone
    }
    if (r.first == 0 || r.last == 0 || r.first > r.last) {
      ranges_.clear();
      return false;
    }
    ranges_.push_back(r);
    if (comma == std::string_view::npos) return true;
    start = comma + 1;
  }
}

bool FieldList::Has(std::size_t number) const {
  for (const Range& r : ranges_) {
    if (number >= r.first && number <= r.last) return true;
  }
  return false;
}

std::size_t FieldList::Needed() const {
  std::size_t needed = 0;
  for (const Range& r : ranges_) {
    std::size_t n = r.last == kOpen ? r.first : r.last;
    if (n > needed) needed = n;
  }
  return needed;
}

bool FieldList::Several() const { return ranges_.size() > 1 || ranges_[0].first != ranges_[0].last; }

void SplitFields(std::string_view line, char delimiter, std::vector<FieldSpan>& fields) {
  fields.clear();
  if (delimiter) {
    for (std::size_t start = 0;;) {
      std::size_t at = line.find(delimiter, start);
      fields.push_back({start, at == std::string_view::npos ? line.size() : at});
      if (at == std::string_view::npos) return;
      start = at + 1;
    }
  }
  for (std::size_t i = 0; i < line.size();) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i == line.size()) break;
    std::size_t begin = i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    fields.push_back({begin, i});
  }
}

}  // namespace zmask
