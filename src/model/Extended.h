#pragma once

#include <cfloat>

namespace tessolan {

// Every physical quantity is held in 80-bit x87 extended precision: sums over up to
// 100,000,000 rays keep their digits, and runs on any machine give the same bits.
using Extended = long double;
static_assert(LDBL_MANT_DIG == 64, "Tessolan needs 80-bit extended long double (x87)");

inline constexpr Extended kPi = 3.14159265358979323846264338327950288L;

// Degrees to radians, evaluated left to right as (deg * pi) / 180.
inline Extended DegToRad(Extended degrees) { return (degrees * kPi) / 180; }

}  // namespace tessolan
