#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "EngineFixtures.h"
#include "engine/RandomGenerator.h"
#include "engine/Vectors.h"

namespace tessolan {
namespace {

using testing::ScriptedRandom;

TEST(SamplingTest, GeneratorFromSeedZero) {
  RandomGenerator rng;
  const Extended twoToMinus32 = std::ldexp(1.0L, -32);
  EXPECT_EQ(rng.Random(), 1 * twoToMinus32);
  EXPECT_EQ(rng.seed(), 1u);
  EXPECT_EQ(rng.Random(), (134775813.0L + 1) * twoToMinus32);
  EXPECT_EQ(rng.seed(), 134775814u);
  // Wraps modulo 2^32 and stays below 1.
  RandomGenerator top(0xFFFFFFFFu);
  const Extended u = top.Random();
  EXPECT_EQ(top.seed(), 0xFFFFFFFFu * 134775813u + 1u);
  EXPECT_LT(u, 1);
}

TEST(SamplingTest, DiscRejectsTheCircleItselfAndKeepsTheDrawOrder) {
  // (-1, 0) lies on the circle and is drawn again; (0.5, 0) is kept, x first.
  ScriptedRandom rng{0, 0.5L, 0.75L, 0.5L};
  Extended x, y;
  RandomPointInDisc(rng, x, y, 2);
  EXPECT_EQ(rng.draws(), 4);
  EXPECT_EQ(x, 1);
  EXPECT_EQ(y, 0);

  ScriptedRandom centre{0.5L, 0.5L};
  RandomPointInDisc(centre, x, y, 0);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
}

TEST(SamplingTest, CosineDirectionsAreUnitAndPointUp) {
  RandomGenerator rng(12345);
  for (int i = 0; i < 100000; ++i) {
    Extended x, y, z;
    RandomCosineDirection(rng, x, y, z);
    ASSERT_GT(z, 0);
    ASSERT_NEAR(static_cast<double>(x * x + y * y + z * z), 1.0, 1e-15);
  }
  ScriptedRandom corner{0.75L, 0.5L};  // disc point (0.5, 0)
  Extended x, y, z;
  RandomCosineDirection(corner, x, y, z);
  EXPECT_EQ(z, std::sqrt(0.75L));
}

TEST(SamplingTest, NormalizeVector) {
  Extended x = 0.6L, y = 0.8L, z = 0;
  const Extended n = std::sqrt(x * x + y * y);
  ASSERT_TRUE(NormalizeVector(x, y, z));
  if (n == 1) {
    EXPECT_EQ(x, 0.6L);  // length exactly 1: untouched
  }
  Extended ux = 0, uy = 0, uz = -1;
  ASSERT_TRUE(NormalizeVector(ux, uy, uz));
  EXPECT_EQ(uz, -1);
  Extended a = 3, b = 0, c = 4;
  ASSERT_TRUE(NormalizeVector(a, b, c));
  EXPECT_EQ(a, 3 / 5.0L);
  EXPECT_EQ(c, 4 / 5.0L);
  Extended zx = 0, zy = 0, zz = 0;
  EXPECT_FALSE(NormalizeVector(zx, zy, zz));
}

TEST(SamplingTest, PerpendicularFrameOfTheDownwardAxis) {
  Extended e1x, e1y, e1z, e2x, e2y, e2z;
  ASSERT_TRUE(PerpendicularFrame(0, 0, -1, e1x, e1y, e1z, e2x, e2y, e2z));
  EXPECT_EQ(e1x, 0);
  EXPECT_EQ(e1y, 1);
  EXPECT_EQ(e1z, 0);
  EXPECT_EQ(e2x, 1);
  EXPECT_EQ(e2y, 0);
  EXPECT_EQ(e2z, 0);

  // A general axis: both unit, perpendicular to it and to each other.
  const Extended ax = 0.48L, ay = -0.6L, az = 0.64L;
  ASSERT_TRUE(PerpendicularFrame(ax, ay, az, e1x, e1y, e1z, e2x, e2y, e2z));
  EXPECT_NEAR(static_cast<double>(e1x * ax + e1y * ay + e1z * az), 0, 1e-18);
  EXPECT_NEAR(static_cast<double>(e2x * ax + e2y * ay + e2z * az), 0, 1e-18);
  EXPECT_NEAR(static_cast<double>(e1x * e2x + e1y * e2y + e1z * e2z), 0, 1e-18);
  EXPECT_NEAR(static_cast<double>(e2x * e2x + e2y * e2y + e2z * e2z), 1, 1e-18);
}

}  // namespace
}  // namespace tessolan
