#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "TestTasks.h"
#include "run/Gathering.h"

namespace tessolan {
namespace {

TEST(GatheringTest, MaterialAndCommentLimits) {
  AppState state;
  const TaskControls controls = DesignControls();
  std::string message;
  EXPECT_FALSE(GatherMaterial(controls, {}, state, message));
  EXPECT_EQ(message, "No spectral reflectance data found");

  std::vector<SpectralPoint> tooMany(10001, SpectralPoint{1.0, 0.5});
  EXPECT_FALSE(GatherMaterial(controls, tooMany, state, message));
  EXPECT_EQ(message, "Number of spectral points (10001) cannot be greater than 10000");

  tooMany.pop_back();
  EXPECT_TRUE(GatherMaterial(controls, tooMany, state, message));
  EXPECT_EQ(state.spectral.NWL, 10000);
  EXPECT_EQ(state.spectral.ArrEmis[9999], 0.5L);

  std::vector<std::string> comments(1001, "line");
  EXPECT_TRUE(GatherComments(comments, state, message));
  EXPECT_EQ(state.identity.CommentCount, 1001);
  comments.emplace_back("one more");
  EXPECT_FALSE(GatherComments(comments, state, message));
  EXPECT_EQ(message, "Comments are too long");
  EXPECT_EQ(state.identity.CommentCount, 1001) << "the stored comments are untouched";
}

// A reflectance outside 0..1 is refused, naming the first such point; 0 and 1 themselves are
// taken, and a refused table leaves the gathered material as it was.
TEST(GatheringTest, ReflectanceMustBeFromZeroToOne) {
  AppState state;
  const TaskControls controls = DesignControls();
  std::string message;
  ASSERT_TRUE(GatherMaterial(controls, std::vector<SpectralPoint>{{1.0, 0.0}, {2.0, 1.0}}, state, message));
  const struct {
    std::vector<SpectralPoint> table;
    char separator;
    const char* message;
  } cases[] = {
      {{{2, 0.5}, {10, 1.2}, {12, -0.1}}, '.', "Reflectance at 10.00000 um is 1.2; it must be from 0 to 1"},
      {{{2.5, -0.0001}}, ',', "Reflectance at 2,50000 um is -0,0001; it must be from 0 to 1"},
      {{{3, 1.0000001}}, '.', "Reflectance at 3.00000 um is 1.0000001; it must be from 0 to 1"},
      {{{4, std::nan("")}}, '.', "Reflectance at 4.00000 um is NAN; it must be from 0 to 1"},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(GatherMaterial(controls, c.table, state, message, c.separator));
    EXPECT_EQ(message, c.message);
    EXPECT_EQ(state.spectral.NWL, 2);
    EXPECT_EQ(state.spectral.ArrRefl[1], 1.0L);
  }
}

TEST(GatheringTest, ModelingStopsAtTheFirstFailingStep) {
  const struct {
    int vcType;
    double hf, angleB;
    bool emptyTable;
    const char* message;
  } cases[] = {
      {kConical, 2, 5, false,
       "Distance from the radiator base center\nto the focal point (ray cone vertex) must be greater than 3.0000"},
      {kConical, 3, 0, true, "No spectral reflectance data found"},
      {kDirectionalB, 500, 60, false, "Viewing Beam Diameter DB must be from 0 to 50.0000"},
  };
  for (const auto& c : cases) {
    AppState state;
    TaskControls controls = DesignControls();
    controls[NumericBox::BaseSideLength] = 6;  // pyramids 3 high
    controls.VCType = c.vcType;
    controls[NumericBox::HF] = c.hf;
    controls[NumericBox::B] = c.angleB;
    controls[NumericBox::DB] = 60;
    controls[NumericBox::Tref] = 777;
    std::vector<SpectralPoint> table;
    if (!c.emptyTable) table.push_back({1.0, 0.5});
    std::string message;
    EXPECT_FALSE(GatherForModeling(controls, table, {}, state, message));
    EXPECT_EQ(message, c.message);
    // Temperatures are gathered after the viewer-distance check and before the material.
    EXPECT_EQ(state.initialData.Tref == 777, c.emptyTable);
  }
}

TEST(GatheringTest, AccuracyRefusesMoreThan100MillionRays) {
  AppState state;
  std::string message;
  EXPECT_FALSE(ReadAccuracy(state, 1000000000, 1e-6L, message));
  EXPECT_EQ(message, "Too many rays");
  EXPECT_TRUE(ReadAccuracy(state, 100000000, 0, message));
  EXPECT_EQ(state.run.ProgressStep, 1000000u);
  EXPECT_EQ(state.run.StatusStep, 100000u);
}

}  // namespace
}  // namespace tessolan
