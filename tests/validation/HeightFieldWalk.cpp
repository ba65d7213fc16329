#include "HeightFieldWalk.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <utility>

namespace tessolan::validation {
namespace {

constexpr long double kDeg = std::numbers::pi_v<long double> / 180;

V3 At(const V3& o, const V3& d, long double s) { return {o.x + s * d.x, o.y + s * d.y, o.z + s * d.z}; }
long double Dot(const V3& a, const V3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
V3 Cross(const V3& a, const V3& b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
V3 Unit(const V3& a) {
  const long double n = std::sqrt(Dot(a, a));
  return {a.x / n, a.y / n, a.z / n};
}

long double CellCentre(const PyramidField& f, long double c) { return f.period * std::round(c / f.period); }

// Parameters s where the line's coordinate o + s d equals each of `levels`.
void AddCrossings(long double o, long double d, long double centre, std::initializer_list<long double> offsets,
                  long double lo, long double hi, std::vector<long double>& out) {
  if (d == 0) return;
  for (long double off : offsets) {
    const long double s = (centre + off - o) / d;
    if (s > lo && s < hi) out.push_back(s);
  }
}

// Unit normal of the surface at a point of it.
V3 NormalAt(const PyramidField& f, const V3& p) {
  const long double dx = p.x - CellCentre(f, p.x), dy = p.y - CellCentre(f, p.y);
  const long double m = std::max(std::fabs(dx), std::fabs(dy));
  if (m >= f.halfBase || m <= f.halfTop) return {0, 0, 1};
  const long double s = f.sinSlant, c = f.cosSlant;
  if (std::fabs(dx) >= std::fabs(dy)) return {dx > 0 ? s : -s, 0, c};
  return {0, dy > 0 ? s : -s, c};
}

}  // namespace

PyramidField MakeField(double slantDeg, double base, double top, double gap, double radiatorSize) {
  PyramidField f;
  const long double a = slantDeg * kDeg;
  f.period = static_cast<long double>(base) + gap;
  f.halfBase = static_cast<long double>(base) / 2;
  f.halfTop = static_cast<long double>(top) / 2;
  f.tanSlant = std::tan(a);
  f.sinSlant = std::sin(a);
  f.cosSlant = std::cos(a);
  f.height = (f.halfBase - f.halfTop) * f.tanSlant;
  f.radiatorHalf = static_cast<long double>(radiatorSize) / 2;
  return f;
}

long double SurfaceHeight(const PyramidField& f, long double x, long double y) {
  const long double m = std::max(std::fabs(x - CellCentre(f, x)), std::fabs(y - CellCentre(f, y)));
  return std::min(f.height, std::max<long double>(0, f.tanSlant * (f.halfBase - m)));
}

FieldHit FirstHit(const PyramidField& f, const V3& o, const V3& d, bool fromSurface) {
  FieldHit hit;
  // Only the band 0 <= z <= H can hold a hit.
  long double lo = 0, hi;
  if (o.z > f.height) {
    if (d.z >= 0) return hit;
    lo = (f.height - o.z) / d.z;
  }
  if (d.z > 0)
    hi = (f.height - o.z) / d.z;
  else if (d.z < 0)
    hi = -o.z / d.z;
  else
    hi = std::numeric_limits<long double>::infinity();
  // A hit beyond the radiating area ends the ray as well as no hit: look no further than a
  // period past it.
  const long double reach = f.radiatorHalf + f.period;
  for (const auto& [oc, dc] : {std::pair{o.x, d.x}, std::pair{o.y, d.y}})
    if (dc != 0) hi = std::min(hi, ((dc > 0 ? reach : -reach) - oc) / dc);
  if (hi <= lo) return hit;

  // Cell edges first, then inside each cell its diagonals, base edges and top-flat edges.
  std::vector<long double> cuts{lo, hi};
  const V3 a = At(o, d, lo), b = At(o, d, hi);
  for (int axis = 0; axis < 2; ++axis) {
    const long double oc = axis == 0 ? o.x : o.y, dc = axis == 0 ? d.x : d.y;
    const long double c0 = axis == 0 ? a.x : a.y, c1 = axis == 0 ? b.x : b.y;
    const long double first = std::floor(std::min(c0, c1) / f.period - 0.5L),
                      last = std::ceil(std::max(c0, c1) / f.period);
    for (long double k = first; k <= last; ++k) AddCrossings(oc, dc, (k + 0.5L) * f.period, {0}, lo, hi, cuts);
  }
  std::sort(cuts.begin(), cuts.end());
  std::vector<long double> points = cuts;
  for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
    const V3 mid = At(o, d, (cuts[i] + cuts[i + 1]) / 2);
    const long double cx = CellCentre(f, mid.x), cy = CellCentre(f, mid.y);
    const long double h = f.halfBase, t = f.halfTop;
    AddCrossings(o.x, d.x, cx, {-h, h, -t, t}, cuts[i], cuts[i + 1], points);
    AddCrossings(o.y, d.y, cy, {-h, h, -t, t}, cuts[i], cuts[i + 1], points);
    // Diagonals: (x - cx) = +-(y - cy).
    const long double ex = o.x - cx, ey = o.y - cy;
    for (long double sign : {1.0L, -1.0L}) {
      const long double den = d.x - sign * d.y;
      if (den == 0) continue;
      const long double s = -(ex - sign * ey) / den;
      if (s > cuts[i] && s < cuts[i + 1]) points.push_back(s);
    }
  }
  std::sort(points.begin(), points.end());

  auto gap = [&](long double s) {
    const V3 p = At(o, d, s);
    return p.z - SurfaceHeight(f, p.x, p.y);
  };
  long double prevS = points.front(), prevG = fromSurface && lo == 0 ? 0 : gap(prevS);
  for (std::size_t i = 1; i < points.size(); ++i) {
    const long double s = points[i];
    if (s <= prevS) continue;
    const long double g = gap(s);
    const bool upwardExit = d.z > 0 && i + 1 == points.size();
    if (g < 0 || (g == 0 && !upwardExit)) {
      const long double root = prevG <= 0 ? prevS : prevS + (s - prevS) * prevG / (prevG - g);
      if (!(fromSurface && root < 1e-9L)) {
        hit.found = true;
        hit.point = At(o, d, root);
        hit.normal = NormalAt(f, hit.point);
        return hit;
      }
    }
    prevS = s;
    prevG = g;
  }
  return hit;
}

long double PlanckRadiance(long double lambda, long double t) {
  if (lambda * t == 0) return 0;
  const long double l = lambda * 1e-6L;
  return 1.191042759e-16L / std::pow(l, 5) / std::expm1(0.014387752L / (l * t));
}

WalkEstimate Walk(const WalkTask& task, std::uint64_t samples, std::uint64_t seed) {
  const std::size_t nwl = task.wavelengths.size();
  std::mt19937_64 rng(seed);
  std::uniform_real_distribution<double> uniform(0.0, 1.0);
  const PyramidField& f = task.field;
  const long double b = task.angleBDeg * kDeg, az = task.angleADeg * kDeg;
  const V3 los{std::sin(b) * std::cos(az), std::sin(b) * std::sin(az), std::cos(b)};
  const V3 helper = std::fabs(los.x) < 0.9L ? V3{1, 0, 0} : V3{0, 1, 0};
  const V3 e1 = Unit(Cross(helper, los)), e2 = Cross(los, e1);
  const long double distance = 3 * f.radiatorHalf / los.z;

  std::vector<long double> sumX(nwl), sumX2(nwl), sumR(nwl), sumR2(nwl), reference(nwl), background(nwl);
  for (std::size_t k = 0; k < nwl; ++k) {
    reference[k] = PlanckRadiance(task.wavelengths[k], task.tref);
    background[k] = task.tbg > 0 ? PlanckRadiance(task.wavelengths[k], task.tbg) : 0;
  }
  std::vector<long double> w(nwl), x(nwl), r(nwl);
  for (std::uint64_t n = 0; n < samples; ++n) {
    const long double radius = task.beamRadius * std::sqrt(uniform(rng)), phi = 2 * std::numbers::pi * uniform(rng);
    const long double u = radius * std::cos(phi), v = radius * std::sin(phi);
    V3 p{distance * los.x + u * e1.x + v * e2.x, distance * los.y + u * e1.y + v * e2.y,
         distance * los.z + u * e1.z + v * e2.z};
    V3 dir{-los.x, -los.y, -los.z};
    std::fill(w.begin(), w.end(), 1.0L);
    std::fill(x.begin(), x.end(), 0.0L);
    std::fill(r.begin(), r.end(), 0.0L);
    bool onSurface = false;
    long double maxWeight = 1;
    while (maxWeight > task.threshold) {
      const FieldHit hit = FirstHit(f, p, dir, onSurface);
      const bool inside =
          hit.found && std::fabs(hit.point.x) <= f.radiatorHalf && std::fabs(hit.point.y) <= f.radiatorHalf;
      if (!inside) {
        for (std::size_t k = 0; k < nwl; ++k) r[k] += background[k] * w[k];
        break;
      }
      const long double temperature =
          f.height > 0 ? task.tBase + (task.tTop - task.tBase) * hit.point.z / f.height : task.tBase;
      maxWeight = 0;
      for (std::size_t k = 0; k < nwl; ++k) {
        const long double absorbed = (1 - static_cast<long double>(task.reflectances[k])) * w[k];
        x[k] += absorbed;
        r[k] += PlanckRadiance(task.wavelengths[k], temperature) * absorbed;
        w[k] *= task.reflectances[k];
        maxWeight = std::max(maxWeight, w[k]);
      }
      const V3& nrm = hit.normal;
      if (uniform(rng) < task.diffusity) {
        // Lambertian: sin(theta) = sqrt(u1), azimuth 2 pi u2 about the normal.
        const long double s2 = uniform(rng), az2 = 2 * std::numbers::pi * uniform(rng);
        const long double st = std::sqrt(s2), ct = std::sqrt(1 - s2);
        const V3 h = std::fabs(nrm.x) < 0.9L ? V3{1, 0, 0} : V3{0, 1, 0};
        const V3 t1 = Unit(Cross(h, nrm)), t2 = Cross(nrm, t1);
        dir = {st * std::cos(az2) * t1.x + st * std::sin(az2) * t2.x + ct * nrm.x,
               st * std::cos(az2) * t1.y + st * std::sin(az2) * t2.y + ct * nrm.y,
               st * std::cos(az2) * t1.z + st * std::sin(az2) * t2.z + ct * nrm.z};
      } else {
        const long double c = 2 * Dot(dir, nrm);
        dir = Unit({dir.x - c * nrm.x, dir.y - c * nrm.y, dir.z - c * nrm.z});
      }
      p = hit.point;
      onSurface = true;
    }
    for (std::size_t k = 0; k < nwl; ++k) {
      const long double ratio = r[k] / reference[k];
      sumX[k] += x[k];
      sumX2[k] += x[k] * x[k];
      sumR[k] += ratio;
      sumR2[k] += ratio * ratio;
    }
  }
  WalkEstimate e;
  const long double n = static_cast<long double>(samples);
  for (std::size_t k = 0; k < nwl; ++k) {
    const long double mx = sumX[k] / n, mr = sumR[k] / n;
    e.eeIso.push_back(mx);
    e.ee.push_back(mr);
    e.eeIsoError.push_back(std::sqrt(std::max<long double>(0, sumX2[k] / n - mx * mx) / (n - 1)));
    e.eeError.push_back(std::sqrt(std::max<long double>(0, sumR2[k] / n - mr * mr) / (n - 1)));
  }
  return e;
}

int VGrooveReflections(double slantDeg, long double q) {
  const long double a = slantDeg * kDeg, opening = std::numbers::pi_v<long double> - 2 * a;
  int n = 0;
  for (int k = 1; k < 100; ++k) {
    const long double psi = a - (k - 1) * opening;
    if (psi <= -std::numbers::pi_v<long double> / 2 || q * std::cos(a) > std::cos(psi)) break;
    n = k;
  }
  return n;
}

int VerticalRayReflections(const PyramidField& f, double slantDeg, long double x, long double y) {
  const long double dx = std::fabs(x - CellCentre(f, x)), dy = std::fabs(y - CellCentre(f, y));
  const long double u = std::max(dx, dy), d = std::min(dx, dy);
  return VGrooveReflections(slantDeg, (f.halfBase - u) / (f.halfBase - d));
}

}  // namespace tessolan::validation
