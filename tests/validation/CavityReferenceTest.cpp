// Diffuse, mixed and nonisothermal cavities against an independent integration over the
// height-field description of the array (HeightFieldWalk), and the slant-angle sweeps of the
// report. Each side is a Monte Carlo estimate with its own standard error; they must agree
// within four combined standard errors.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "HeightFieldWalk.h"
#include "TaskRunner.h"
#include "ValidationLedger.h"

namespace tessolan::validation {
namespace {

struct CavityCase {
  const char* what;
  double slant, base, top, gap, angleB, angleA, diffusity;
  std::vector<double> rho;
  double tBase, tTop, tbg;
};

// Generators' seeds, fixed once for the whole suite.
constexpr std::uint32_t kTracerSeed = 20261210;
constexpr std::uint64_t kWalkSeed = 4242;

void CompareWithWalk(const std::string& section, const CavityCase& c, std::uint64_t rays, std::uint64_t walkSamples,
                     double x, bool nonisothermal) {
  TaskControls task = VerticalBeamTask(c.slant, c.diffusity);
  task[NumericBox::BaseSideLength] = c.base;
  task[NumericBox::TopFlatSideLength] = c.top;
  task[NumericBox::GapWidth] = c.gap;
  task[NumericBox::B] = c.angleB;
  task[NumericBox::A] = c.angleA;
  task[NumericBox::TBase] = c.tBase;
  task[NumericBox::TTop] = c.tTop;
  task[NumericBox::Tbg] = c.tbg;
  task[NumericBox::Tref] = 300;
  const auto material = MaterialOf(c.rho, 4);
  const long double threshold = 1e-6L;
  const RunResults r = RunTask(task, material, {rays, threshold, kTracerSeed});

  WalkTask walk;
  walk.field = MakeField(c.slant, c.base, c.top, c.gap, 100);
  walk.angleBDeg = c.angleB;
  walk.angleADeg = c.angleA;
  walk.beamRadius = 17.5;
  for (const SpectralPoint& p : material) {
    walk.wavelengths.push_back(p.WL);
    walk.reflectances.push_back(p.Reflectance);
  }
  walk.diffusity = c.diffusity;
  walk.threshold = static_cast<double>(threshold);
  walk.tBase = c.tBase;
  walk.tTop = c.tTop;
  walk.tbg = c.tbg;
  walk.tref = 300;
  const WalkEstimate e = Walk(walk, walkSamples, kWalkSeed);

  ASSERT_EQ(r.eeIso.size(), c.rho.size());
  for (std::size_t k = 0; k < c.rho.size(); ++k) {
    char name[160];
    std::snprintf(name, sizeof name, "%s, %g um, rho %.2f", c.what, material[k].WL, c.rho[k]);
    ExpectWithinFourSigma({section, std::string(name) + ", EEIso", "height-field integration", x, e.eeIso[k],
                           e.eeIsoError[k], r.eeIso[k], r.eeIsoError[k]});
    if (nonisothermal)
      ExpectWithinFourSigma({section, std::string(name) + ", EE", "height-field integration", x, e.ee[k], e.eeError[k],
                             r.ee[k], r.eeError[k]});
  }
}

// Black walls with the temperature rising or falling along the faces: the radiance is the
// Planck radiance at the first hit's height, averaged over the beam as the geometry weights it.
TEST(CavityReferenceTest, BlackWallsWithATemperatureGradient) {
  const CavityCase cases[] = {
      {"black, slant 45, b 0, TBase 350, TTop 300", 45, 3, 0, 0, 0, 0, 1, {0, 0}, 350, 300, 0},
      {"black, slant 60, top 1, gap 1, b 30, a 20, TBase 300, TTop 400", 60, 3, 1, 1, 30, 20, 1, {0, 0}, 300, 400, 0},
  };
  for (const CavityCase& c : cases) CompareWithWalk("Nonisothermal, black walls", c, 20000, 100000, c.slant, true);
}

TEST(CavityReferenceTest, DiffuseAndMixedCavities) {
  const CavityCase cases[] = {
      {"diffuse, slant 45, b 0", 45, 3, 0, 0, 0, 0, 1, {0.1, 0.5, 0.9}, 300, 300, 0},
      {"diffuse, slant 60, b 20, a 30", 60, 3, 0, 0, 20, 30, 1, {0.2, 0.7}, 300, 300, 0},
      {"mixed 0.5, slant 55, top 1, gap 0.5, b 10, a 45", 55, 3, 1, 0.5, 10, 45, 0.5, {0.3, 0.8}, 300, 300, 0},
      {"specular, slant 40, top 0.5, gap 1, b 25, a 60", 40, 3, 0.5, 1, 25, 60, 0, {0.3, 0.8}, 300, 300, 0},
  };
  for (const CavityCase& c : cases) CompareWithWalk("Diffuse and mixed cavities", c, 20000, 40000, c.slant, false);
}

// Gradient and reflected background together, with walls that reflect part of the radiation.
TEST(CavityReferenceTest, NonisothermalCavitiesWithBackground) {
  const CavityCase cases[] = {
      {"diffuse, slant 60, b 20, a 30, TBase 300, TTop 280, Tbg 250",
       60,
       3,
       0,
       0,
       20,
       30,
       1,
       {0.2, 0.7},
       300,
       280,
       250},
      {"mixed 0.5, slant 55, top 1, gap 0.5, TBase 350, TTop 320, Tbg 290",
       55,
       3,
       1,
       0.5,
       10,
       45,
       0.5,
       {0.3, 0.8},
       350,
       320,
       290},
  };
  for (const CavityCase& c : cases) CompareWithWalk("Nonisothermal, reflecting walls", c, 20000, 40000, c.slant, true);
}

// The report's curves: effective emissivity against slant angle, vertical beam, rho 0.5, the
// specular one also as a dense reference curve from the unfolded-groove counts.
TEST(CavityReferenceTest, SlantSweeps) {
  for (double slant = 1; slant <= 85; slant += 0.5) {
    const auto [mean, error] = DiscMean(MakeField(slant, 3, 0, 0, 100), slant, 17.5, 20000, 301,
                                        [](int n, long double) { return 1 - std::pow(0.5L, n); });
    RecordOnly(
        {"Specular reference curve", "rho 0.50", "mean of 1 - rho^n(x,y) over the beam", slant, mean, error, 0, 0},
        "curve");
  }
  for (double slant : {10.0, 20.0, 30.0, 38.0, 45.0, 52.0, 57.0, 60.0, 66.0, 70.0, 75.0, 80.0}) {
    char what[64];
    std::snprintf(what, sizeof what, "slant %g", slant);
    CompareWithWalk("Slant sweep, diffuse", {what, slant, 3, 0, 0, 0, 0, 1, {0.5}, 300, 300, 0}, 10000, 10000, slant,
                    false);
    CompareWithWalk("Slant sweep, specular", {what, slant, 3, 0, 0, 0, 0, 0, {0.5}, 300, 300, 0}, 10000, 10000, slant,
                    false);
  }
}

}  // namespace
}  // namespace tessolan::validation
