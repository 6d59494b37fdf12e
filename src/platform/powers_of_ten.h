// Powers of ten as the compiler reads the literals 1eN and 1e-N: each the
// double nearest to the exact power, the same for every compiler and target.
// The C libraries' pow(10, k) is not: it misses the last bit for some k
// (10^23 with glibc, most k past 32 with mingw-w64), and each misses others.
#pragma once

#include <cstddef>
#include <limits>

namespace zorva {

namespace powers_detail {
// The ten literals `prefix` (1e or 1e-) then `tens` then 0..9.
#define ZORVA_TEN_POWERS(prefix, tens)                                                    \
  prefix##tens##0, prefix##tens##1, prefix##tens##2, prefix##tens##3, prefix##tens##4,     \
      prefix##tens##5, prefix##tens##6, prefix##tens##7, prefix##tens##8, prefix##tens##9
#define ZORVA_HUNDRED_POWERS(prefix, hundreds)                                            \
  ZORVA_TEN_POWERS(prefix, hundreds##0), ZORVA_TEN_POWERS(prefix, hundreds##1),           \
      ZORVA_TEN_POWERS(prefix, hundreds##2), ZORVA_TEN_POWERS(prefix, hundreds##3),       \
      ZORVA_TEN_POWERS(prefix, hundreds##4), ZORVA_TEN_POWERS(prefix, hundreds##5),       \
      ZORVA_TEN_POWERS(prefix, hundreds##6), ZORVA_TEN_POWERS(prefix, hundreds##7),       \
      ZORVA_TEN_POWERS(prefix, hundreds##8), ZORVA_TEN_POWERS(prefix, hundreds##9)

// 1e0 .. 1e308; 1e309 is past the largest double.
inline constexpr double kUp[] = {
    ZORVA_TEN_POWERS(1e, ),  // 1e0 .. 1e9
    ZORVA_TEN_POWERS(1e, 1), ZORVA_TEN_POWERS(1e, 2), ZORVA_TEN_POWERS(1e, 3),
    ZORVA_TEN_POWERS(1e, 4), ZORVA_TEN_POWERS(1e, 5), ZORVA_TEN_POWERS(1e, 6),
    ZORVA_TEN_POWERS(1e, 7), ZORVA_TEN_POWERS(1e, 8), ZORVA_TEN_POWERS(1e, 9),
    ZORVA_HUNDRED_POWERS(1e, 1), ZORVA_HUNDRED_POWERS(1e, 2),
    1e300, 1e301, 1e302, 1e303, 1e304, 1e305, 1e306, 1e307, 1e308};

// 1e-0 .. 1e-323, the last ones subnormal; 1e-324 rounds to zero.
inline constexpr double kDown[] = {
    ZORVA_TEN_POWERS(1e-, ),
    ZORVA_TEN_POWERS(1e-, 1), ZORVA_TEN_POWERS(1e-, 2), ZORVA_TEN_POWERS(1e-, 3),
    ZORVA_TEN_POWERS(1e-, 4), ZORVA_TEN_POWERS(1e-, 5), ZORVA_TEN_POWERS(1e-, 6),
    ZORVA_TEN_POWERS(1e-, 7), ZORVA_TEN_POWERS(1e-, 8), ZORVA_TEN_POWERS(1e-, 9),
    ZORVA_HUNDRED_POWERS(1e-, 1), ZORVA_HUNDRED_POWERS(1e-, 2),
    ZORVA_TEN_POWERS(1e-, 30), ZORVA_TEN_POWERS(1e-, 31), 1e-320, 1e-321, 1e-322, 1e-323};

#undef ZORVA_HUNDRED_POWERS
#undef ZORVA_TEN_POWERS

inline constexpr int kMaxUp = static_cast<int>(sizeof kUp / sizeof kUp[0]) - 1;
inline constexpr int kMaxDown = static_cast<int>(sizeof kDown / sizeof kDown[0]) - 1;
static_assert(kMaxUp == 308 && kMaxDown == 323);
}  // namespace powers_detail

// 10^0 .. 10^22 are doubles exactly: one multiplication or division by one
// of them rounds only once.
inline constexpr int kMaxExactPowerOfTen = 22;

// 10^k for a whole number k of any size, infinite included: the nearest
// double, infinity above 10^308 and zero below 10^-323, as pow gives there.
inline double PowerOfTen(double k) noexcept {
  if (k >= 0) return k <= powers_detail::kMaxUp ? powers_detail::kUp[static_cast<int>(k)] : std::numeric_limits<double>::infinity();
  return k >= -powers_detail::kMaxDown ? powers_detail::kDown[static_cast<int>(-k)] : 0.0;
}

// 10^n for 0 <= n <= kMaxExactPowerOfTen, exact.
inline constexpr double ExactPowerOfTen(std::size_t n) noexcept { return powers_detail::kUp[n]; }

}  // namespace zorva
