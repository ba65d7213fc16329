#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

namespace tessolan::validation {

// An independent description of the pyramid array for reference integrals: the surface as a
// height field z(x, y) = min(H, max(0, tan(slant) (B/2 - max(|x - Xc|, |y - Yc|)))) over the cell
// of the nearest pyramid centre (Xc, Yc) (centres on the grid k * period, one pyramid at the
// origin). A line meets it where the line's height minus the surface height changes sign; that
// difference is linear between the points where the line crosses a cell edge, a diagonal of a
// cell, a base edge or a top-flat edge, so the first crossing is found exactly by evaluating it
// there and interpolating. Nothing of the program's hit search is used.
struct PyramidField {
  long double period = 3, halfBase = 1.5, halfTop = 0, height = 1.5, tanSlant = 1, sinSlant = 0, cosSlant = 1;
  long double radiatorHalf = 50;  // square radiating area |x|, |y| <= R
};

PyramidField MakeField(double slantDeg, double base, double top, double gap, double radiatorSize);

struct V3 {
  long double x = 0, y = 0, z = 0;
};

long double SurfaceHeight(const PyramidField& f, long double x, long double y);

struct FieldHit {
  bool found = false;
  V3 point, normal;
};

// The first point after the origin (excluded when the origin lies on the surface) where the ray
// meets the surface.
FieldHit FirstHit(const PyramidField& f, const V3& origin, const V3& dir, bool fromSurface);

// The task of a reference walk: a parallel beam of radius beamRadius centred on the radiator,
// arriving along -L with L at angle b from the axis and azimuth a; the material, temperatures
// and threshold as the program takes them.
struct WalkTask {
  PyramidField field;
  double angleBDeg = 0, angleADeg = 0, beamRadius = 17.5;
  std::vector<double> wavelengths, reflectances;
  double diffusity = 1, threshold = 0;
  double tBase = 300, tTop = 300, tbg = 0, tref = 300;
};

// Means and standard errors of the isothermal and nonisothermal effective emissivities over
// `samples` independent rays of the walk (each ray is one sample of weight 1).
struct WalkEstimate {
  std::vector<long double> eeIso, eeIsoError, ee, eeError;
};

WalkEstimate Walk(const WalkTask& task, std::uint64_t samples, std::uint64_t seed);

// Planck's law with the program's constants (as published by CODATA and used by it), written
// out here so that the reference does not call the code under test.
long double PlanckRadiance(long double lambdaMicrometres, long double temperature);

// Reflections of a ray arriving along the axis of an infinitely long 2D V-groove whose walls
// rise at `slantDeg` from the horizontal, at relative offset q from the valley (0 at the valley,
// 1 at the ridge), by unfolding the groove about its valley: the k-th wall image lies at angle
// psi_k = slant - (k - 1)(180 - 2 slant) from the horizontal, and the straight ray meets it
// within the wall's length while q cos(slant) <= cos(psi_k) and psi_k > -90.
int VGrooveReflections(double slantDeg, long double q);

// The specular reflection count of a vertical ray that first meets the array at (x, y): the
// groove formed, along the face's normal plane, by that face and the facing one of the
// neighbour, with offsets u = max(|dx|, |dy|) and d = min(|dx|, |dy|) from the pyramid centre;
// q = (B/2 - u) / (B/2 - d). Full pyramids without gap only.
int VerticalRayReflections(const PyramidField& f, double slantDeg, long double x, long double y);

// The mean over points uniform in a disc of the given radius centred on the radiator (the
// footprint of a vertical beam) of contribution(reflection count, surface height) there, by
// plain Monte Carlo with its own generator; returns the mean and its standard error.
template <class Contribution>
std::pair<long double, long double> DiscMean(const PyramidField& f, double slant, double radius, std::uint64_t samples,
                                             std::uint64_t seed, Contribution contribution) {
  std::mt19937_64 rng(seed);
  std::uniform_real_distribution<long double> uniform(-1, 1);
  long double sum = 0, sum2 = 0;
  for (std::uint64_t n = 0; n < samples;) {
    const long double x = uniform(rng), y = uniform(rng);
    if (x * x + y * y >= 1) continue;
    const long double px = radius * x, py = radius * y;
    const long double v = contribution(VerticalRayReflections(f, slant, px, py), SurfaceHeight(f, px, py));
    sum += v;
    sum2 += v * v;
    ++n;
  }
  const long double mean = sum / samples;
  return {mean, std::sqrt(std::max<long double>(0, sum2 / samples - mean * mean) / (samples - 1))};
}

}  // namespace tessolan::validation
