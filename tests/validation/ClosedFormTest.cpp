// Closed forms that hold for any seed: a flat plate, a black material, a perfect reflector, and
// the radiance temperature identities. Only the rounding of extended-precision sums separates
// the run's values from them.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "HeightFieldWalk.h"
#include "TaskRunner.h"
#include "ValidationLedger.h"
#include "run/Radiometry.h"

namespace tessolan::validation {
namespace {

constexpr int kViewingTypes[] = {kDirectionalA, kDirectionalB, kConical, kIntegrated};
const char* const kViewingNames[] = {"Directional A", "Directional B", "Conical", "Integrated"};
constexpr long double kEps = std::numeric_limits<long double>::epsilon();
constexpr std::uint64_t kRays = 2000;

std::string Label(int vc, double diffusity, double rho) {
  char text[96];
  std::snprintf(text, sizeof text, "%s, diffusity %.1f, rho %.2f", kViewingNames[vc], diffusity, rho);
  return text;
}

// Height 0 (top flat as wide as the base): every ray meets the plane once and leaves, so the
// isothermal emissivity is 1 - rho and the radiance is that of the plate at TBase plus the
// reflected background, whatever the viewing conditions and the diffusity.
TEST(ClosedFormTest, FlatPlateEmitsOneMinusRhoAndReflectsTheBackground) {
  const std::vector<double> rho{0, 0.3, 0.9, 1};
  const auto material = MaterialOf(rho, 4);
  for (int vc : kViewingTypes) {
    for (double diffusity : {0.0, 0.5, 1.0}) {
      TaskControls c = DesignControls();
      c.VCType = vc;
      c[NumericBox::TopFlatSideLength] = c[NumericBox::BaseSideLength];
      c[NumericBox::Diffusity] = diffusity;
      c[NumericBox::TBase] = 320;
      c[NumericBox::Tbg] = 250;
      c[NumericBox::Tref] = 300;
      const RunResults r = RunTask(c, material, {kRays});
      ASSERT_EQ(r.eeIso.size(), rho.size());
      for (std::size_t k = 0; k < rho.size(); ++k) {
        const long double lambda = material[k].WL, lref = PlanckRadiance(lambda, 300);
        const long double iso = 1 - static_cast<long double>(rho[k]);
        const long double radiance = (iso * PlanckRadiance(lambda, 320) + rho[k] * PlanckRadiance(lambda, 250)) / lref;
        const std::string name = Label(vc, diffusity, rho[k]);
        ExpectExact({"Flat plate", name + ", EEIso", "1 - rho", 0, iso, 0, r.eeIso[k], r.eeIsoError[k]},
                    MeanRoundingBound(kRays, 1));
        ExpectExact({"Flat plate", name + ", EE", "((1-rho) Lb(TBase) + rho Lb(Tbg)) / Lb(Tref)", 0, radiance, 0,
                     r.ee[k], r.eeError[k]},
                    MeanRoundingBound(kRays, radiance) + 64 * kEps * radiance);
      }
    }
  }
}

// rho = 0: every ray is absorbed at its first hit, so EEIso = 1 and RTIso = Tref; with the
// whole surface at Tw the radiance is Lb(Tw) and the radiance temperature Tw.
TEST(ClosedFormTest, BlackPyramidsAreBlackbodiesAtTheWallTemperature) {
  const auto material = MaterialOf({0, 0}, 3);
  for (int vc : kViewingTypes) {
    for (double diffusity : {0.0, 1.0}) {
      TaskControls c = DesignControls();
      c.VCType = vc;
      c[NumericBox::Diffusity] = diffusity;
      c[NumericBox::TBase] = c[NumericBox::TTop] = 350;
      c[NumericBox::Tref] = 300;
      const RunResults r = RunTask(c, material, {kRays});
      ASSERT_EQ(r.eeIso.size(), 2u);
      for (std::size_t k = 0; k < 2; ++k) {
        const long double lambda = material[k].WL;
        const long double ratio = PlanckRadiance(lambda, 350) / PlanckRadiance(lambda, 300);
        const std::string name = Label(vc, diffusity, 0) + ", " + std::to_string(static_cast<int>(lambda)) + " um";
        ExpectExact({"Black material", name + ", EEIso", "1", 0, 1, 0, r.eeIso[k], r.eeIsoError[k]},
                    MeanRoundingBound(kRays, 1));
        ExpectExact({"Black material", name + ", RTIso", "Tref", 0, 300, 0, r.rtIso[k], 0}, 1e-12L * 300);
        ExpectExact({"Black material", name + ", EE", "Lb(Tw) / Lb(Tref)", 0, ratio, 0, r.ee[k], r.eeError[k]},
                    MeanRoundingBound(kRays, ratio) + 64 * kEps * ratio);
        ExpectExact({"Black material", name + ", RT", "Tw", 0, 350, 0, r.rt[k], 0}, 1e-12L * 350);
      }
    }
  }
}

// rho = 1: nothing is absorbed, EEIso = 0 (and RTIso = 0 by definition), and every ray carries
// its whole weight out to the background: EE = Lb(Tbg) / Lb(Tref) whatever the walls'
// temperatures.
TEST(ClosedFormTest, PerfectReflectorOnlyReflectsTheBackground) {
  const auto material = MaterialOf({1, 1}, 5);
  for (double diffusity : {0.0, 0.5, 1.0}) {
    TaskControls c = DesignControls();
    c[NumericBox::Diffusity] = diffusity;
    c[NumericBox::TBase] = 400;
    c[NumericBox::TTop] = 330;
    c[NumericBox::Tbg] = 250;
    c[NumericBox::Tref] = 300;
    const RunResults r = RunTask(c, material, {kRays});
    ASSERT_EQ(r.eeIso.size(), 2u);
    for (std::size_t k = 0; k < 2; ++k) {
      const long double lambda = material[k].WL;
      const long double ratio = PlanckRadiance(lambda, 250) / PlanckRadiance(lambda, 300);
      const std::string name =
          Label(kDirectionalB, diffusity, 1) + ", " + std::to_string(static_cast<int>(lambda)) + " um";
      ExpectExact({"Perfect reflector", name + ", EEIso", "0", 0, 0, 0, r.eeIso[k], r.eeIsoError[k]}, 0);
      ExpectExact({"Perfect reflector", name + ", RTIso", "0", 0, 0, 0, r.rtIso[k], 0}, 0);
      ExpectExact({"Perfect reflector", name + ", EE", "Lb(Tbg) / Lb(Tref)", 0, ratio, 0, r.ee[k], r.eeError[k]},
                  MeanRoundingBound(kRays, ratio) + 64 * kEps * ratio);
    }
  }
}

// The radiance temperature inverts Planck's law: epsilon = 1 gives T0, and epsilon =
// Lb(T1) / Lb(T0) gives T1. The bound allows the rounding of the logarithm's argument, amplified
// by x = c2 / (lambda T).
TEST(ClosedFormTest, RadianceTemperatureInvertsPlancksLaw) {
  for (long double lambda : {1.0L, 10.0L, 100.0L}) {
    for (long double t0 : {300.0L, 3000.0L}) {
      const long double x = 0.014387752L / (lambda * 1e-6L * t0);
      const long double bound = 1024 * kEps * t0 * (1 + x);
      char name[64];
      std::snprintf(name, sizeof name, "%g um, T0 %g K", static_cast<double>(lambda), static_cast<double>(t0));
      ExpectExact({"Radiance temperature", std::string(name) + ", epsilon 1", "T0", 0, t0, 0,
                   RadianceTemperature(lambda, 1, t0), 0},
                  bound);
      const long double t1 = 0.9L * t0;
      const long double eps = PlanckRadiance(lambda, t1) / PlanckRadiance(lambda, t0);
      ExpectExact({"Radiance temperature", std::string(name) + ", epsilon Lb(0.9 T0)/Lb(T0)", "0.9 T0", 0, t1, 0,
                   RadianceTemperature(lambda, eps, t0), 0},
                  bound);
    }
  }
}

}  // namespace
}  // namespace tessolan::validation
