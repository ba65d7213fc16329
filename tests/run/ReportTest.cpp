#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/AppState.h"
#include "model/Notation.h"
#include "run/Report.h"

namespace tessolan {
namespace {

// A finished Directional B run of two wavelengths, as the report sees it.
std::unique_ptr<AppState> FinishedRun() {
  auto s = std::make_unique<AppState>();
  InitialData& t = s->initialData;
  t.RadiatorSize = 100;
  t.SlantAngle = 45;
  t.BaseSideLength = 3;
  t.TopFlatSideLength = 0.5L;
  t.GapWidth = 0.25L;
  t.Tref = 300;
  t.Tbg = 0;
  t.TBase = 300;
  t.TTop = 299;
  t.VCType = kDirectionalB;
  t.AngleB = 5;
  t.AngleA = 90;
  t.BeamRadius = 17.5L;
  t.Diffusity = 1;
  s->geometry.NCR = 35;
  s->identity.TaskName = "Design";
  s->identity.CommentCount = 2;
  s->identity.CommentLines = {"first", "", "not counted"};
  s->accuracy.NRays = 10000;
  s->accuracy.Threshold = 1e-6L;
  SpectralArrays& a = s->spectral;
  a.NWL = 2;
  a.ArrWL[0] = 1.5L, a.ArrRefl[0] = 0.1L, a.ArrEEIso[0] = 0.5L, a.ArrEE[0] = 0.5L, a.ArrRTIso[0] = 300,
  a.ArrRT[0] = 299;
  a.ArrWL[1] = 10, a.ArrRefl[1] = 0.25L, a.ArrEEIso[1] = 0.987654321L, a.ArrEE[1] = 0.9L, a.ArrRTIso[1] = 299.12345L,
  a.ArrRT[1] = 298.5L;
  return s;
}

const double kStart = MakeDateTime(2024, 5, 14, 9, 5, 7);
const double kFinish = MakeDateTime(2024, 5, 14, 10, 0, 0);

TEST(ReportTest, LinesOfAKnownRun) {
  const std::vector<std::string> expected{
      "Tessolan: Monte Carlo Modeling of Pyramid Array Radiation Characteristics",
      "",
      "Task Name: Design",
      "",
      "INITIAL DATA:",
      "",
      "Radiator shape: square",
      "Position of radiator center is at the pyramid center",
      "Blackbody side: 100.0000",
      "       Pyramid slant angle (°): 45.0000",
      "   Pyramide base side length: 3.0000",
      "Pyramid top flat side length: 0.5000",
      "                   Gap widht: 0.2500",
      "Number of pyramid rows and columns: 35",
      "           Reference temperature (K): 300.0000",
      "          Background temperature (K): 0.0000",
      "       Radiator base temperature (K): 300.0000",
      "         Pyramid Top temperature (K): 299.0000",
      "Viewing conditions type: Directional",
      "Line of Sight (LoS) angle with blackbody axis: 5.0000°",
      "          Line of Sight (LoS) azimuthal angle: 90.0000°",
      "Viewing bean diameter: 35.0000",
      "Diffusity of material: 1.0000",
      "",
      "Number of Wavelengths: 2",
      "Wavelength (um)  Spectral Reflectance",
      "1.5000            0.100000",
      "10.0000            0.250000",
      "",
      "COMMENTS:",
      "",
      "first",
      "",
      "",
      "Number of rays: 10000",
      "Radiant flux threshold: 0.00000100",
      "",
      "Monte Carlo modeling  started: 2024/05/14 09:05:07",
      "Monte Carlo modeling finished: 2024/05/14 10:00:00",
      "",
      "RESULTS:",
      "",
      "   WL (um)   EEIso        EENoniso        RTIso (K)      RTNoniso (K)",
      "   1.5000   0.50000000   0.50000000       300.0000       299.0000",
      "  10.0000   0.98765432   0.90000000       299.1235       298.5000",
  };
  EXPECT_EQ(BuildReport(*FinishedRun(), kStart, kFinish), expected);
}

// The line after the given one, or "" when it is not there.
std::string LineAfter(const std::vector<std::string>& lines, const std::string& line, int offset = 1) {
  for (std::size_t i = 0; i + offset < lines.size(); ++i)
    if (lines[i] == line) return lines[i + offset];
  return "(missing)";
}

TEST(ReportTest, ResultFormatterEdgeCases) {
  auto s = FinishedRun();
  SpectralArrays& a = s->spectral;
  a.NWL = 1;
  const struct {
    long double wl, eeIso, rtIso;
    const char* line;
  } cases[] = {
      {12345.5L, 0.5L, 300, "12345.5000   0.50000000   0.50000000       300.0000       299.0000"},
      {0.5L, 0.5L, 300, "   0.5000   0.50000000   0.50000000       300.0000       299.0000"},
      {-0.5L, -0.25L, -1, "-0000.5000   -0.25000000   0.50000000     -00001.0000       299.0000"},
      {1, 1, 123456, "   1.0000   1.00000000   0.50000000     123456.0000       299.0000"},
      {1, 0.000000005L, 0, "   1.0000   0.00000001   0.50000000         0.0000       299.0000"},
  };
  for (const auto& c : cases) {
    a.ArrWL[0] = c.wl;
    a.ArrEEIso[0] = c.eeIso;
    a.ArrRTIso[0] = c.rtIso;
    const auto lines = BuildReport(*s, kStart, kFinish);
    EXPECT_EQ(lines.back(), c.line);
  }
}

TEST(ReportTest, ThresholdCommentsAndViewingConditions) {
  auto s = FinishedRun();
  s->accuracy.Threshold = 0;
  s->identity.CommentCount = 0;
  auto lines = BuildReport(*s, kStart, kFinish);
  EXPECT_EQ(LineAfter(lines, "Number of rays: 10000"), "Radiant flux threshold: 0.00000000");
  EXPECT_EQ(LineAfter(lines, "COMMENTS:", 1), "");
  EXPECT_EQ(LineAfter(lines, "COMMENTS:", 2), "");
  EXPECT_EQ(LineAfter(lines, "COMMENTS:", 3), "Number of rays: 10000");

  InitialData& t = s->initialData;
  t.FootprintRadius = 10;
  t.ViewerDistance = 123456.78L;
  t.AngleW = 179.9L;
  t.DetectorRadius = 2.5L;
  const struct {
    int vcType;
    std::vector<std::string> lines;
  } cases[] = {
      {kDirectionalA, {"Viewing conditions type: Directional", "Footprint diameter: 20.0000"}},
      {kDirectionalB, {"Viewing conditions type: Directional", "Viewing bean diameter: 35.0000"}},
      {kConical,
       {"Viewing conditions type: Conical", "Distance H to the focal point: 123456.7800",
        "FOV (viewing cone vertex angle): 179.900°"}},
      {kIntegrated,
       {"Viewing conditions type: Integrated", "Detector diameter: 5.0000", "Distance H to the detector: 123456.7800"}},
  };
  for (const auto& c : cases) {
    t.VCType = c.vcType;
    lines = BuildReport(*s, kStart, kFinish);
    const auto type = std::find(lines.begin(), lines.end(), c.lines[0]);
    ASSERT_NE(type, lines.end()) << c.lines[0];
    EXPECT_EQ(std::vector<std::string>(type + 3, type + 3 + (c.lines.size() - 1)),
              std::vector<std::string>(c.lines.begin() + 1, c.lines.end()));
    EXPECT_EQ(*(type + 2 + c.lines.size()), "Diffusity of material: 1.0000");
  }
}

TEST(ReportTest, CircleGapCenterAndDecimalComma) {
  auto s = FinishedRun();
  s->initialData.Shape = kCircle;
  s->initialData.CenterPosition = kCentralValleys;
  s->initialData.RadiatorSize = 12345678901.5L;  // more digits than ten significant ones
  const auto lines = BuildReport(*s, kStart, kFinish, ',');
  EXPECT_EQ(lines[6], "Radiator shape: circle");
  EXPECT_EQ(lines[7], "Position of radiator center is at the gap center");
  EXPECT_EQ(lines[8], "Blackbody diameter: 1,23456789E+10");
  EXPECT_EQ(lines[9], "       Pyramid slant angle (°): 45,0000");
  EXPECT_EQ(lines.back(), "  10,0000   0,98765432   0,90000000       299,1235       298,5000");
}

}  // namespace
}  // namespace tessolan
