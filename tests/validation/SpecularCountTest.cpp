// Specular pyramids whose geometry fixes the number of reflections of every ray (exact), and
// mixtures whose distribution of counts is known from the unfolded groove (statistical).
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "HeightFieldWalk.h"
#include "TaskRunner.h"
#include "ValidationLedger.h"

namespace tessolan::validation {
namespace {

struct CountCase {
  double slant, angleB;
  int reflections;
};

// Vertical rays (b = 0) make exactly n reflections for slants from 90 (1 - 1/n) to
// 90 (1 - 1/(n + 1/2)): 0..30 (n = 1), 45..54 (2), 60..64.29 (3), 67.5..70 (4), 72..73.64 (5).
// Oblique rays in the x-z plane (a = 0) still leave after one reflection while 3 slant + b <= 90.
constexpr CountCase kCountCases[] = {{20, 0, 1},   {30, 0, 1}, {45, 0, 2}, {52, 0, 2},  {60, 0, 3}, {63, 0, 3},
                                     {67.5, 0, 4}, {69, 0, 4}, {72, 0, 5}, {20, 20, 1}, {15, 40, 1}};

TEST(SpecularCountTest, EveryRayMakesTheReflectionsTheGrooveFixes) {
  const std::vector<double> rho{0.1, 0.5, 0.9};
  const auto material = MaterialOf(rho, 8);
  constexpr std::uint64_t kRays = 5000;
  for (const CountCase& c : kCountCases) {
    TaskControls task = VerticalBeamTask(c.slant, 0);
    task[NumericBox::B] = c.angleB;
    const RunResults r = RunTask(task, material, {kRays});
    ASSERT_EQ(r.eeIso.size(), rho.size());
    for (std::size_t k = 0; k < rho.size(); ++k) {
      char name[96];
      std::snprintf(name, sizeof name, "slant %g, b %g: n = %d, rho %.1f", c.slant, c.angleB, c.reflections, rho[k]);
      const long double expected = 1 - std::pow(static_cast<long double>(rho[k]), c.reflections);
      ExpectExact({"Specular, fixed count", name, "1 - rho^n", c.slant, expected, 0, r.eeIso[k], r.eeIsoError[k]},
                  MeanRoundingBound(kRays, 1) + 64 * std::numeric_limits<long double>::epsilon());
    }
  }
}

// Between those ranges a ray near the valley makes one reflection more than a ray near the
// ridge: 1 or 2 from 30 to 45 degrees, 2 or 3 from 54 to 60, 3 or 4 from 64.29 to 67.5.
TEST(SpecularCountTest, MixedCountsFollowTheUnfoldedGroove) {
  const std::vector<double> rho{0.3, 0.7};
  const auto material = MaterialOf(rho, 8);
  for (double slant : {38.0, 57.0, 66.0}) {
    const RunResults r = RunTask(VerticalBeamTask(slant, 0), material, {40000, 0, 11});
    const PyramidField f = MakeField(slant, 3, 0, 0, 100);
    for (std::size_t k = 0; k < rho.size(); ++k) {
      const long double p = rho[k];
      const auto [mean, error] =
          DiscMean(f, slant, 17.5, 400000, 101 + k, [p](int n, long double) { return 1 - std::pow(p, n); });
      char name[64];
      std::snprintf(name, sizeof name, "slant %g, b 0, rho %.1f", slant, rho[k]);
      ExpectWithinFourSigma({"Specular, mixed counts", name, "mean of 1 - rho^n(x,y) over the beam", slant, mean, error,
                             r.eeIso[k], r.eeIsoError[k]});
    }
  }
}

// 45 degrees, vertical beam, walls hotter at the base: both reflections of a ray happen at the
// same height z (the ray crosses the groove horizontally), so a ray brings
// (1 - rho^2) Lb(T(z)) + rho^2 Lb(Tbg).
TEST(SpecularCountTest, NonisothermalRightAngleGroove) {
  const std::vector<double> rho{0.2, 0.6};
  const auto material = MaterialOf(rho, 6);
  TaskControls task = VerticalBeamTask(45, 0);
  task[NumericBox::TBase] = 400;
  task[NumericBox::TTop] = 300;
  task[NumericBox::Tbg] = 350;
  task[NumericBox::Tref] = 300;
  const RunResults r = RunTask(task, material, {40000, 0, 12});
  const PyramidField f = MakeField(45, 3, 0, 0, 100);
  for (std::size_t k = 0; k < rho.size(); ++k) {
    const long double lambda = material[k].WL, p2 = rho[k] * rho[k];
    const long double lref = PlanckRadiance(lambda, 300), lbg = PlanckRadiance(lambda, 350);
    const auto [mean, error] = DiscMean(f, 45, 17.5, 400000, 201 + k, [&](int, long double z) {
      const long double t = 400 + (300 - 400) * z / f.height;
      return ((1 - p2) * PlanckRadiance(lambda, t) + p2 * lbg) / lref;
    });
    char name[64];
    std::snprintf(name, sizeof name, "slant 45, TBase 400, TTop 300, Tbg 350, rho %.1f", rho[k]);
    ExpectWithinFourSigma({"Specular, nonisothermal", name, "mean over the beam of the two-hit radiance", 45, mean,
                           error, r.ee[k], r.eeError[k]});
  }
}

}  // namespace
}  // namespace tessolan::validation
