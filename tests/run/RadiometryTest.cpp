#include <gtest/gtest.h>

#include <cmath>

#include "engine/Planck.h"
#include "run/Radiometry.h"

namespace tessolan {
namespace {

TEST(RadiometryTest, PlanckLaw) {
  EXPECT_EQ(Planck(0, 300), 0);
  EXPECT_EQ(Planck(10, 0), 0);
  // Blackbody spectral radiance at 10 um and 300 K: about 9.924e6 W m^-2 sr^-1 m^-1.
  EXPECT_NEAR(static_cast<double>(Planck(10, 300)), 9.9236e6, 0.001e6);
  // A tiny l T overflows the exponential: the negligible fall-back, no error.
  const Extended cold = Planck(0.001L, 1e-3L);
  EXPECT_TRUE(std::isfinite(cold));
  EXPECT_GE(cold, 0);
  // The per-wavelength precomputation gives the same bits.
  const PlanckWavelength w = MakePlanckWavelength(3.5L);
  EXPECT_EQ(Planck(w, 1234.5L), kC1 / ((((w.l * w.l) * w.l) * w.l) * w.l) / (std::exp((kC2 / w.l) / 1234.5L) - 1));
}

TEST(RadiometryTest, RadianceTemperature) {
  EXPECT_NEAR(static_cast<double>(RadianceTemperature(10, 0.99L, 300)), 299.38, 0.005);
  EXPECT_NEAR(static_cast<double>(RadianceTemperature(10, 1, 300)), 300, 1e-12);
  EXPECT_EQ(RadianceTemperature(10, 0, 300), 0);
  EXPECT_EQ(RadianceTemperature(10, 0.5L, 1e-7L), 0);
  // exp(c2 / (l T0)) overflows at 0.5 um and 1 K: the Wien-limit form stands in.
  const Extended wien = RadianceTemperature(0.5L, 0.5L, 1);
  EXPECT_NEAR(static_cast<double>(wien), 1 / (1 - 0.5e-6 * std::log(0.5) / 0.014387752), 1e-12);
}

TEST(RadiometryTest, NormalisationDividesByTheWeightsAndThePlanckReference) {
  SpectralArrays s;
  s.NWL = 2;
  s.ArrWL[0] = 10;
  s.ArrWL[1] = 0;  // a zero wavelength has no reference radiance: 0
  s.ArrEEIso[0] = 45;
  s.ArrEE[0] = 45 * Planck(10, 300);
  s.ArrEEIso[1] = 10;
  s.ArrEE[1] = 10;
  NormaliseRun(s, 50, 300);
  EXPECT_EQ(s.ArrEEIso[0], 45 / 50.0L);
  EXPECT_NEAR(static_cast<double>(s.ArrEE[0]), 0.9, 1e-18);
  EXPECT_EQ(s.ArrRTIso[0], RadianceTemperature(10, s.ArrEEIso[0], 300));
  EXPECT_EQ(s.ArrEE[1], 0);
}

}  // namespace
}  // namespace tessolan
