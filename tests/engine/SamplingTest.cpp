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
    const Vec3 d = RandomCosineDirection(rng);
    ASSERT_GT(d.z, 0);
    ASSERT_NEAR(static_cast<double>(Dot(d, d)), 1.0, 1e-15);
  }
  ScriptedRandom corner{0.75L, 0.5L};  // disc point (0.5, 0)
  EXPECT_EQ(RandomCosineDirection(corner).z, std::sqrt(0.75L));
}

TEST(SamplingTest, NormalizeVector) {
  Vec3 v{0.6L, 0.8L, 0};
  const Extended n = std::sqrt(v.x * v.x + v.y * v.y);
  ASSERT_TRUE(NormalizeVector(v));
  if (n == 1) {
    EXPECT_EQ(v.x, 0.6L);  // length exactly 1: untouched
  }
  Vec3 u{0, 0, -1};
  ASSERT_TRUE(NormalizeVector(u));
  EXPECT_EQ(u.z, -1);
  Vec3 a{3, 0, 4};
  ASSERT_TRUE(NormalizeVector(a));
  EXPECT_EQ(a.x, 3 / 5.0L);
  EXPECT_EQ(a.z, 4 / 5.0L);
  Vec3 zero;
  EXPECT_FALSE(NormalizeVector(zero));
}

TEST(SamplingTest, PerpendicularFrameOfTheDownwardAxis) {
  Vec3 e1, e2;
  ASSERT_TRUE(PerpendicularFrame({0, 0, -1}, e1, e2));
  EXPECT_EQ(e1, (Vec3{0, 1, 0}));
  EXPECT_EQ(e2, (Vec3{1, 0, 0}));

  // A general axis: both unit, perpendicular to it and to each other.
  const Vec3 a{0.48L, -0.6L, 0.64L};
  ASSERT_TRUE(PerpendicularFrame(a, e1, e2));
  EXPECT_NEAR(static_cast<double>(Dot(e1, a)), 0, 1e-18);
  EXPECT_NEAR(static_cast<double>(Dot(e2, a)), 0, 1e-18);
  EXPECT_NEAR(static_cast<double>(Dot(e1, e2)), 0, 1e-18);
  EXPECT_NEAR(static_cast<double>(Dot(e2, e2)), 1, 1e-18);
}

}  // namespace
}  // namespace tessolan
