#include <gtest/gtest.h>

#include <cmath>

#include "EngineFixtures.h"
#include "engine/ViewingConditions.h"

namespace tessolan {
namespace {

using testing::EngineTask;

struct RangeCase {
  int vcType;
  Extended angleB;
  Extended value;       // the radius, or the distance HD
  const char* message;  // "" when accepted
};

void SetValue(InitialData& task, const RangeCase& c) {
  task.VCType = c.vcType;
  task.AngleB = c.angleB;
  if (c.vcType == kDirectionalA) task.FootprintRadius = c.value;
  if (c.vcType == kDirectionalB) task.BeamRadius = c.value;
  if (c.vcType == kIntegrated) task.ViewerDistance = c.value;
}

TEST(ViewingConditionsTest, RangeChecksAndTheirMessages) {
  const RangeCase cases[] = {
      {kDirectionalA, 5, 50, ""},  // DA equal to the radiator size passes
      {kDirectionalA, 5, 50.00001L, "Footprint Diameter DA must be from 0 to 100.0000"},
      {kDirectionalB, 60, 25 - 1e-9L, ""},
      {kDirectionalB, 60, 25.000001L, "Viewing Beam Diameter DB must be from 0 to 50.0000"},
      {kIntegrated, 0, 0, ""},
      {kIntegrated, 0, 1000000, ""},
      {kIntegrated, 0, 1000000.01L, "Distance H to the detector must be from 0.0000 to 1,000,000"},
      {kIntegrated, 60, 8.66L, "Distance H to the detector must be from 8.6603 to 1,000,000"},
      {kIntegrated, 60, 8.6603L, ""},
  };
  for (const auto& c : cases) {
    EngineTask t;
    t.Derive();
    SetValue(t.task, c);
    std::string message;
    EXPECT_EQ(DeriveViewingConditions(t.task, t.geometry, t.view, message), *c.message == 0) << c.message;
    EXPECT_EQ(message, c.message);
  }
}

TEST(ViewingConditionsTest, FailureKeepsLaunchAndViewerPoint) {
  EngineTask t;
  t.Derive();
  const ViewGeometry before = t.view;
  t.task.VCType = kDirectionalA;
  t.task.AngleB = 30;
  t.task.FootprintRadius = 60;
  std::string message;
  ASSERT_FALSE(DeriveViewingConditions(t.task, t.geometry, t.view, message));
  EXPECT_EQ(t.view.LaunchRay, before.LaunchRay);
  EXPECT_EQ(t.view.F.z, before.F.z);
  EXPECT_EQ(t.view.SinB, std::sin(30 * kPi / 180)) << "angles before the test are updated";
}

TEST(ViewingConditionsTest, DerivedValuesPerType) {
  EngineTask t;
  t.task.VCType = kDirectionalA;
  t.task.AngleB = 0;
  t.Derive();
  EXPECT_EQ(t.task.ViewerDistance, 150);
  EXPECT_EQ(t.view.F.z, 150);
  EXPECT_EQ(t.view.LaunchRay, LaunchProcedure::DirectionalA);

  t.task.VCType = kConical;
  t.task.AngleW = 180;
  t.task.ViewerDistance = 500;
  t.Derive();
  EXPECT_EQ(t.task.AngleW, 179.9L) << "w of 180 is used as 179.9 without a message";
  EXPECT_EQ(t.view.TanHalfW, std::tan(((179.9L * kPi) / 180) / 2));
  EXPECT_EQ(t.view.LaunchRay, LaunchProcedure::Conical);

  t.task.AngleB = 30;
  t.task.AngleA = 45;
  t.Derive();
  EXPECT_EQ(t.view.F.x, (500 * t.view.SinB) * t.view.CosA);
  EXPECT_EQ(t.view.F.z, 500 * t.view.CosB);
}

TEST(ViewingConditionsTest, ViewerMustStandAboveThePyramidTops) {
  const struct {
    int vcType;
    Extended distance, angleB, detectorRadius;
    const char* message;
  } cases[] = {
      {kConical, 2, 0, 0,
       "Distance from the radiator base center\nto the focal point (ray cone vertex) must be greater than 3.0000"},
      {kConical, 3, 0, 0, ""},  // equal to the height passes
      {kIntegrated, 2.5L, 0, 0, "Distance from the radiator base center\nto the detector must be greater than 3.0000"},
      {kConical, 4, 60, 0, "Focal point (ray cone vertex) lies below the pyramid tops\nIncrease H or decrease angle b"},
      {kIntegrated, 7, 60, 2, "Detector lies partly below the pyramid tops\nIncrease H or decrease angle b"},
      {kIntegrated, 10, 60, 2, ""},
      {kDirectionalB, 0, 0, 0, ""},
  };
  for (const auto& c : cases) {
    EngineTask t;
    t.task.BaseSideLength = 6;  // 45 degree pyramids of height 3
    t.task.VCType = c.vcType;
    t.task.ViewerDistance = c.distance;
    t.task.AngleB = c.angleB;
    t.task.DetectorRadius = c.detectorRadius;
    t.Derive();
    std::string message;
    EXPECT_EQ(CheckViewerDistance(t.task, t.geometry, t.view, message), *c.message == 0);
    EXPECT_EQ(message, c.message);
  }
}

TEST(ViewingConditionsTest, DirectionalBeamMustStartAboveThePyramidTops) {
  // A radiator of 2 over 45 degree pyramids of base 20 (height 10): the beam starts at z = 3.
  EngineTask t;
  t.task.RadiatorSize = 2;
  t.task.BaseSideLength = 20;
  t.task.BeamRadius = 0.5L;
  t.Derive();
  std::string message;
  EXPECT_FALSE(CheckViewerDistance(t.task, t.geometry, t.view, message));
  EXPECT_EQ(message,
            "Viewing beam starts below the pyramid tops\nIncrease the radiator size or decrease the pyramid height");
}

}  // namespace
}  // namespace tessolan
