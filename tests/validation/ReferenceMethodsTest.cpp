// The reference methods checked on their own, without the tracer: hand-worked hits of the
// height field, hand-worked groove counts, and the two references agreeing where both apply.
#include <gtest/gtest.h>

#include <cmath>

#include "HeightFieldWalk.h"

namespace tessolan::validation {
namespace {

TEST(ReferenceMethodsTest, HeightFieldHitsWorkedByHand) {
  // 45 degrees, base 3, top flat 1, gap 1: period 4, H = 1; the pyramid at the origin spans
  // |x|, |y| <= 1.5 and its top flat |x|, |y| <= 0.5.
  const PyramidField f = MakeField(45, 3, 1, 1, 100);
  const long double s = std::sqrt(0.5L);
  struct Case {
    V3 origin, dir, point, normal;
  };
  const Case cases[] = {
      {{1.0L, 0.25L, 10}, {0, 0, -1}, {1.0L, 0.25L, 0.5L}, {s, 0, s}},       // face toward +x, halfway up
      {{0.25L, -1.2L, 10}, {0, 0, -1}, {0.25L, -1.2L, 0.3L}, {0, -s, s}},    // face toward -y
      {{0.2L, 0.3L, 10}, {0, 0, -1}, {0.2L, 0.3L, 1}, {0, 0, 1}},            // top flat
      {{1.8L, 0.0L, 10}, {0, 0, -1}, {1.8L, 0.0L, 0}, {0, 0, 1}},            // gap: the base
      {{-2.2L, 0.2L, 0.25L}, {1, 0, 0}, {-1.25L, 0.2L, 0.25L}, {-s, 0, s}},  // horizontal, across the gap
  };
  for (const Case& c : cases) {
    const FieldHit hit = FirstHit(f, c.origin, c.dir, false);
    ASSERT_TRUE(hit.found);
    EXPECT_NEAR(static_cast<double>(hit.point.x), static_cast<double>(c.point.x), 1e-12);
    EXPECT_NEAR(static_cast<double>(hit.point.y), static_cast<double>(c.point.y), 1e-12);
    EXPECT_NEAR(static_cast<double>(hit.point.z), static_cast<double>(c.point.z), 1e-12);
    EXPECT_NEAR(static_cast<double>(hit.normal.x), static_cast<double>(c.normal.x), 1e-15);
    EXPECT_NEAR(static_cast<double>(hit.normal.y), static_cast<double>(c.normal.y), 1e-15);
    EXPECT_NEAR(static_cast<double>(hit.normal.z), static_cast<double>(c.normal.z), 1e-15);
  }
  // Leaving the top flat upward, and leaving a face outward: nothing is met.
  EXPECT_FALSE(FirstHit(f, {0.2L, 0.3L, 1}, {0.3L, 0.1L, std::sqrt(0.9L)}, true).found);
  EXPECT_FALSE(FirstHit(f, {1.0L, 0.25L, 0.5L}, {s, 0, s}, true).found);
}

TEST(ReferenceMethodsTest, GrooveCountsWorkedByHand) {
  struct Case {
    double slant;
    long double q;
    int n;
  };
  // At 38 degrees psi_2 = -66: two reflections while q <= cos 66 / cos 38 = 0.516.
  const Case cases[] = {{20, 0.01L, 1}, {20, 0.99L, 1}, {38, 0.5L, 2}, {38, 0.53L, 1}, {45, 0.01L, 2},
                        {45, 0.99L, 2}, {57, 0.1L, 3},  {57, 0.9L, 2}, {60, 0.5L, 3},  {72, 0.5L, 5}};
  for (const Case& c : cases)
    EXPECT_EQ(VGrooveReflections(c.slant, c.q), c.n) << c.slant << " " << static_cast<double>(c.q);
}

// Two references that share nothing but the geometry: the height-field walk with specular
// reflections and the groove counts averaged over the beam.
TEST(ReferenceMethodsTest, WalkAndGrooveCountsAgree) {
  for (double slant : {38.0, 57.0}) {
    WalkTask task;
    task.field = MakeField(slant, 3, 0, 0, 100);
    task.wavelengths = {5};
    task.reflectances = {0.5};
    task.diffusity = 0;
    const WalkEstimate walk = Walk(task, 40000, 77);
    const auto [mean, error] =
        DiscMean(task.field, slant, 17.5, 200000, 78, [](int n, long double) { return 1 - std::pow(0.5L, n); });
    const long double z = (walk.eeIso[0] - mean) / std::hypot(walk.eeIsoError[0], error);
    EXPECT_LE(std::fabs(z), 4) << slant;
  }
}

}  // namespace
}  // namespace tessolan::validation
