#include <gtest/gtest.h>

#include <cmath>

#include "engine/SurfaceFrame.h"

namespace tessolan {
namespace {

void ExpectNear(const Vec3& a, const Vec3& b, const char* what) {
  EXPECT_NEAR(static_cast<double>(a.x), static_cast<double>(b.x), 1e-15) << what;
  EXPECT_NEAR(static_cast<double>(a.y), static_cast<double>(b.y), 1e-15) << what;
  EXPECT_NEAR(static_cast<double>(a.z), static_cast<double>(b.z), 1e-15) << what;
}

// The three ways a ray can meet a surface: obliquely, head-on (no plane of incidence) and
// grazing. Every frame must be orthonormal and right-handed about the normal, keep e1 in the
// plane of incidence, and take local (u, v, w) to a direction whose normal part is w.
TEST(SurfaceFrameTest, OrthonormalRightHandedFramesForEveryIncidence) {
  const Extended s = std::sqrt(0.5L);
  const Vec3 face{-s, 0, s};  // a face of a 45-degree pyramid
  const struct {
    Vec3 n, d;
    bool headOn;
  } cases[] = {
      {{0, 0, 1}, {s, 0, -s}, false}, {face, {0.6L, 0, -0.8L}, false}, {face, -face, true},
      {{0, 0, 1}, {0, 0, -1}, true},  {face, {0, 1, 0}, false},        {{0, 0, 1}, {0.8L, -0.6L, 0}, false},
  };
  for (const auto& c : cases) {
    const SurfaceFrame f = SurfaceFrame::AtIncidence(c.n, c.d);
    EXPECT_EQ(f.n, c.n);
    EXPECT_NEAR(static_cast<double>(Dot(f.e1, f.e1)), 1, 1e-15);
    EXPECT_NEAR(static_cast<double>(Dot(f.e2, f.e2)), 1, 1e-15);
    EXPECT_NEAR(static_cast<double>(Dot(f.e1, f.e2)), 0, 1e-15);
    EXPECT_NEAR(static_cast<double>(Dot(f.e1, f.n)), 0, 1e-15);
    ExpectNear(Cross(f.e1, f.e2), f.n, "e1 x e2 = n");
    if (!c.headOn) {
      EXPECT_NEAR(static_cast<double>(Dot(f.e1, Cross(c.n, c.d))), 0, 1e-15) << "e1 in the plane of incidence";
    }
    EXPECT_EQ(f.ToGlobal({0, 0, 1}), f.n) << "the local pole is the normal, bit for bit";
    EXPECT_NEAR(static_cast<double>(Dot(f.ToGlobal({0.6L, 0, 0.8L}), f.n)), 0.8, 1e-15);
  }
}

}  // namespace
}  // namespace tessolan
