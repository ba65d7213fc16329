#include "SearchComparison.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "engine/ExhaustiveHitSearch.h"
#include "engine/GeometryPreprocessing.h"
#include "engine/IndexedHitSearch.h"
#include "engine/Launch.h"
#include "engine/RandomGenerator.h"
#include "engine/RayTracer.h"
#include "engine/ViewingConditions.h"

namespace tessolan::testing {
namespace {

using Engine = std::mt19937_64;

Extended Uniform(Engine& e, Extended low, Extended high) {
  return low + (high - low) * std::uniform_real_distribution<double>(0, 1)(e);
}
int Pick(Engine& e, int count) { return std::uniform_int_distribution<int>(0, count - 1)(e); }
bool Chance(Engine& e, double p) { return std::bernoulli_distribution(p)(e); }

bool SameBits(Extended a, Extended b) { return std::memcmp(&a, &b, 10) == 0; }

bool SameRay(const RayState& a, const RayState& b) {
  return SameBits(a.Point.x, b.Point.x) && SameBits(a.Point.y, b.Point.y) && SameBits(a.Point.z, b.Point.z) &&
         SameBits(a.Dir.x, b.Dir.x) && SameBits(a.Dir.y, b.Dir.y) && SameBits(a.Dir.z, b.Dir.z) &&
         SameBits(a.RayWeight, b.RayWeight) && a.HitRow == b.HitRow && a.HitColumn == b.HitColumn &&
         a.HitSurface == b.HitSurface && a.ReflectionCount == b.ReflectionCount &&
         a.FirstHitOutside == b.FirstHitOutside;
}

std::string Describe(const RayState& r) {
  char text[512];
  std::snprintf(text, sizeof text,
                "point (%.21Lg, %.21Lg, %.21Lg) direction (%.21Lg, %.21Lg, %.21Lg) row %d column %d surface %d "
                "reflections %u outside %d",
                r.Point.x, r.Point.y, r.Point.z, r.Dir.x, r.Dir.y, r.Dir.z, r.HitRow, r.HitColumn, r.HitSurface,
                r.ReflectionCount, r.FirstHitOutside ? 1 : 0);
  return text;
}

std::string Describe(const InitialData& t) {
  char text[512];
  std::snprintf(text, sizeof text,
                "shape %d centre %d radiator %.21Lg slant %.21Lg base %.21Lg top flat %.21Lg gap %.21Lg", t.Shape,
                t.CenterPosition, t.RadiatorSize, t.SlantAngle, t.BaseSideLength, t.TopFlatSideLength, t.GapWidth);
  return text;
}

// The generator state whose next draw is exactly 1/2: a ray parallel to the base then divides
// by zero.
std::uint32_t SeedBeforeOneHalf() {
  std::uint32_t inverse = 134775813u;  // Newton's iteration for the inverse modulo 2^32
  for (int i = 0; i < 5; ++i) inverse *= 2u - 134775813u * inverse;
  return (0x80000000u - 1u) * inverse;
}

// A random array whose size is at most maxNCR, with the awkward values over-represented.
InitialData RandomArray(Engine& e, int maxNCR) {
  InitialData t;
  t.Shape = static_cast<RadiatorShape>(Pick(e, 2));
  t.CenterPosition = static_cast<CenterPositionType>(Pick(e, 2));
  const Extended bases[] = {3, 1, 0.0001L, 0.001L, 0.37L, 1000};
  t.BaseSideLength = Chance(e, 0.5) ? bases[Pick(e, 6)] : Uniform(e, 0.0001L, 10);
  const Extended slants[] = {0, 1e-4L, 0.01L, 1, 45, 60, 88.9L, 89};
  t.SlantAngle = Chance(e, 0.5) ? slants[Pick(e, 8)] : Uniform(e, 0, 89);
  switch (Pick(e, 4)) {
    case 0:
      t.TopFlatSideLength = 0;
      break;
    case 1:
      t.TopFlatSideLength = t.BaseSideLength;
      break;
    default:
      t.TopFlatSideLength = Uniform(e, 0, t.BaseSideLength);
      break;
  }
  switch (Pick(e, 3)) {
    case 0:
      t.GapWidth = 0;
      break;
    case 1:
      t.GapWidth = Uniform(e, 0, 2 * t.BaseSideLength);
      break;
    default:
      t.GapWidth = t.BaseSideLength * 1e-9L;
      break;
  }
  const Extended period = t.BaseSideLength + t.GapWidth;
  const int ncr = 1 + Pick(e, maxNCR);
  t.RadiatorSize = period * Uniform(e, 0.05L, ncr);
  t.Diffusity = std::array<Extended, 3>{0, 1, 0.5L}[Pick(e, 3)];
  return t;
}

// One random viewing condition of each type, or Directional A at normal viewing when the
// random values do not pass the range checks.
void RandomViewing(Engine& e, InitialData& t, ArrayGeometry& g, ViewGeometry& view) {
  t.VCType = Pick(e, 4);
  t.AngleB = Chance(e, 0.3) ? 0 : Uniform(e, 0, 85);
  t.AngleA = Chance(e, 0.3) ? 90 * Pick(e, 4) : Uniform(e, 0, 360);
  const Extended r = t.RadiatorSize / 2;
  t.FootprintRadius = Uniform(e, 0, r);
  t.BeamRadius = Uniform(e, 0, r) * std::cos(DegToRad(t.AngleB));
  t.AngleW = Uniform(e, 0, 179.9L);
  t.DetectorRadius = Uniform(e, 0, r);
  t.ViewerDistance = Uniform(e, 1, 20) * (r + g.Height + t.DetectorRadius);
  std::string message;
  if (!DeriveViewingConditions(t, g, view, message)) {
    t.VCType = kDirectionalA;
    t.AngleB = 0;
    t.FootprintRadius = r / 2;
    DeriveViewingConditions(t, g, view, message);
  }
}

// A direction of travel: uniform on the sphere, or along an axis, a diagonal or a face normal.
void RandomDirection(Engine& e, const ArrayGeometry& g, RayState& ray) {
  switch (Pick(e, 6)) {
    case 0: {  // within the plane x = 0 or y = 0
      const Extended a = Uniform(e, 0, 2 * kPi);
      ray.Dir.x = ray.Dir.y = 0;
      ray.Dir.z = std::sin(a);
      (Chance(e, 0.5) ? ray.Dir.x : ray.Dir.y) = std::cos(a);
      break;
    }
    case 1: {  // a diagonal in xy
      const Extended a = Uniform(e, -kPi / 2, kPi / 2);
      const Extended c = std::cos(a) * std::sqrt(0.5L);
      ray.Dir.x = Chance(e, 0.5) ? c : -c;
      ray.Dir.y = Chance(e, 0.5) ? c : -c;
      ray.Dir.z = std::sin(a);
      break;
    }
    case 2: {  // against or along a surface normal
      const int k = Pick(e, 6);
      const Extended sign = Chance(e, 0.7) ? -1 : 1;
      ray.Dir.x = sign * g.Normal[k].x;
      ray.Dir.y = sign * g.Normal[k].y;
      ray.Dir.z = sign * g.Normal[k].z;
      break;
    }
    default: {
      Extended x, y, z;
      do {
        x = Uniform(e, -1, 1), y = Uniform(e, -1, 1), z = Uniform(e, -1, 1);
      } while (x * x + y * y + z * z > 1 || x * x + y * y + z * z < 1e-6L);
      ray.Dir = {x, y, z};
      NormalizeVector(ray.Dir);
      break;
    }
  }
}

class Comparer {
 public:
  Comparer(Engine& e, const InitialData& task, ArrayGeometry& g, ComparisonCounts& counts)
      : e_(e),
        task_(task),
        g_(g),
        shape_(MakeHitShape(task, g)),
        exhaustive_(shape_),
        indexed_(shape_),
        tracer_(TracingInput{task_, g_, view_, spectral_, 0}, exhaustive_),
        counts_(counts) {
    RandomViewing(e, task_, g, view_);
  }

  // Follows one random ray through its reflections; false at the first difference.
  bool Path(std::string& failure) {
    RayState ray;
    RandomGenerator rng(static_cast<std::uint32_t>(e_()));
    if (!StartRay(ray, rng)) return true;
    for (int step = 0; step < 12; ++step) {
      if (step > 0) ++counts_.afterReflection;
      bool found;
      if (!Compare(ray, rng, found, failure)) return false;
      if (!found) return true;
      ++ray.ReflectionCount;
      const bool reflected =
          task_.Diffusity > rng.Random() ? tracer_.DiffuseReflection(ray, rng) : tracer_.SpecularReflection(ray);
      if (!reflected) return true;
      if (Chance(e_, 0.02)) {  // now and then from here on parallel to the base
        ray.Dir.z = 0;
        if (!NormalizeVector(ray.Dir)) return true;
      }
    }
    return true;
  }

 private:
  bool Compare(RayState& ray, RandomGenerator& rng, bool& found, std::string& failure) {
    RayState a = ray, b = ray;
    RandomGenerator ra = rng, rb = rng;
    const bool fa = exhaustive_.FindNextHit(a, ra);
    const bool fb = indexed_.FindNextHit(b, rb);
    ++counts_.searches;
    if (ray.Dir.z == 0) ++counts_.parallelToBase;
    if (fa != fb || !SameRay(a, b) || ra.seed() != rb.seed()) {
      failure = "array: " + Describe(task_) + "\nray: " + Describe(ray) + " seed " + std::to_string(rng.seed()) +
                "\nexhaustive: " + std::to_string(fa) + " " + Describe(a) + " seed " + std::to_string(ra.seed()) +
                "\nindexed: " + std::to_string(fb) + " " + Describe(b) + " seed " + std::to_string(rb.seed());
      return false;
    }
    found = fa;
    if (!fa) {
      ++counts_.leaving;
      counts_.firstHitsOutside += a.FirstHitOutside;
    } else if (a.HitSurface == kBase) {
      ++counts_.baseHits;
    } else if (a.HitSurface == kTopFlat) {
      ++counts_.topFlatHits;
    } else {
      ++counts_.faceHits;
    }
    ray = a;
    rng = ra;
    return true;
  }

  // Sets up the first ray of a path; false when it is lost at launch.
  bool StartRay(RayState& ray, RandomGenerator& rng) {
    switch (Pick(e_, 10)) {
      case 0:
      case 1:
      case 2:
        return LaunchRay(LaunchInput{task_, g_, view_}, ray, rng);
      case 3:
      case 4:
        AimedRay(ray);
        return true;
      case 5:
      case 6:
        RayOnSurface(ray);
        return true;
      case 7:
        ParallelToBase(ray, rng);
        return true;
      default:
        ArbitraryState(ray);
        return true;
    }
  }

  int RandomIndex() {
    const int n = g_.NCR;
    return Chance(e_, 0.3) ? (Chance(e_, 0.5) ? 1 : n) : 1 + Pick(e_, n);
  }

  // A point where surfaces meet: apex or top-flat corner, base corner, edge, ridge, valley,
  // the radiating area's edge; or a random point of the array's box.
  void SpecialPoint(Extended& x, Extended& y, Extended& z) {
    const Extended X = g_.CenterX[RandomIndex()], Y = g_.CenterY[RandomIndex()];
    const Extended h = task_.BaseSideLength / 2, ht = task_.TopFlatSideLength / 2, H = g_.Height;
    const Extended sx = Chance(e_, 0.5) ? 1 : -1, sy = Chance(e_, 0.5) ? 1 : -1;
    const Extended r = g_.RadiatorHalf;
    switch (Pick(e_, 9)) {
      case 0:
        x = X, y = Y, z = H;
        break;
      case 1:
        x = X + sx * ht, y = Y + sy * ht, z = H;
        break;
      case 2:
        x = X + sx * h, y = Y + sy * h, z = 0;
        break;
      case 3:
        x = X + sx * h, y = Y, z = 0;
        break;
      case 4:
        x = X + sx * (h + ht) / 2, y = Y + sy * (h + ht) / 2, z = H / 2;
        break;
      case 5:
        x = X + sx * (h + task_.GapWidth / 2), y = Y + sy * (h + task_.GapWidth / 2), z = 0;
        break;
      case 6:
        x = sx * r, y = Uniform(e_, -r, r), z = Uniform(e_, 0, H);
        break;
      case 7: {
        const Extended a = Uniform(e_, 0, 2 * kPi);
        x = r * std::cos(a), y = r * std::sin(a), z = 0;
        break;
      }
      default:
        x = Uniform(e_, g_.CenterX[1] - h, g_.CenterX[g_.NCR] + h);
        y = Uniform(e_, g_.CenterY[1] - h, g_.CenterY[g_.NCR] + h);
        z = Uniform(e_, 0, H);
        break;
    }
  }

  // A just-launched ray passing through a special point, often vertically.
  void AimedRay(RayState& ray) {
    Extended x, y, z;
    SpecialPoint(x, y, z);
    if (Chance(e_, 0.3)) {
      ray.Dir.x = 0, ray.Dir.y = 0, ray.Dir.z = -1;
    } else {
      do RandomDirection(e_, g_, ray);
      while (!(ray.Dir.z < 0));
    }
    const Extended distance = Uniform(e_, 0, 3) * (std::fabs(g_.Height) + task_.BaseSideLength);
    ray.Point.x = x - distance * ray.Dir.x;
    ray.Point.y = y - distance * ray.Dir.y;
    ray.Point.z = z - distance * ray.Dir.z;
    ray.ReflectionCount = Chance(e_, 0.8) ? 0 : 1;
  }

  // A ray leaving a face, the base or a top flat from a special or random point of it.
  void RayOnSurface(RayState& ray) {
    const int row = RandomIndex(), column = RandomIndex();
    const Extended X = g_.CenterX[column], Y = g_.CenterY[row];
    const int kind = Pick(e_, 6);
    Extended x, y, z;
    if (kind == kBase) {
      SpecialPoint(x, y, z);
      z = 0;
      ray.HitRow = ray.HitColumn = -1;
    } else if (kind == kTopFlat) {
      const Extended ht = task_.TopFlatSideLength / 2;
      x = X + Uniform(e_, -ht, ht), y = Y + Uniform(e_, -ht, ht), z = g_.Height;
      ray.HitRow = row, ray.HitColumn = column;
    } else {
      // A point of face `kind`: across its base edge and up toward the apex line.
      const Extended h = task_.BaseSideLength / 2;
      const Extended up = Chance(e_, 0.2) ? Pick(e_, 2) : Uniform(e_, 0, 1);
      const Extended along = Chance(e_, 0.2) ? Pick(e_, 3) - 1 : Uniform(e_, -1, 1);
      const Extended inward = h * (1 - up * (1 - task_.TopFlatSideLength / task_.BaseSideLength));
      const Extended across = along * inward;
      const bool facesX = kind == kFaceMinusX || kind == kFacePlusX;
      const Extended outward = kind == kFaceMinusX || kind == kFaceMinusY ? -inward : inward;
      x = X + (facesX ? outward : across);
      y = Y + (facesX ? across : outward);
      z = up * g_.Height;
      ray.HitRow = row, ray.HitColumn = column;
    }
    ray.Point.x = x, ray.Point.y = y, ray.Point.z = z;
    ray.HitSurface = kind;
    do RandomDirection(e_, g_, ray);
    while (Dot(ray.Dir, g_.Normal[kind]) <= 0 && !Chance(e_, 0.05));
    ray.ReflectionCount = 1;
  }

  // A ray parallel to the base, inside or outside the height band, sometimes with a generator
  // whose next draw makes the stand-in divisor exactly zero.
  void ParallelToBase(RayState& ray, RandomGenerator& rng) {
    Extended x, y, z;
    SpecialPoint(x, y, z);
    const Extended heights[] = {0, g_.Height / 2, g_.Height, z, g_.Height * 2 + 1};
    ray.Point.x = x, ray.Point.y = y, ray.Point.z = heights[Pick(e_, 5)];
    const Extended a = Chance(e_, 0.3) ? Pick(e_, 8) * kPi / 4 : Uniform(e_, 0, 2 * kPi);
    ray.Dir.x = std::cos(a), ray.Dir.y = std::sin(a), ray.Dir.z = 0;
    const int surfaces[] = {kNoSurface, kNoSurface, kBase, kFaceMinusX, kFacePlusY, kTopFlat};
    ray.HitSurface = surfaces[Pick(e_, 6)];
    if (ray.HitSurface > kBase) ray.HitRow = RandomIndex(), ray.HitColumn = RandomIndex();
    ray.ReflectionCount = ray.HitSurface == kNoSurface ? 0 : 1;
    if (Chance(e_, 0.1)) rng = RandomGenerator(SeedBeforeOneHalf());
  }

  // Any state at all: both searches must agree on it too.
  void ArbitraryState(RayState& ray) {
    const Extended h = task_.BaseSideLength / 2;
    ray.Point.x = Uniform(e_, g_.CenterX[1] - 2 * h, g_.CenterX[g_.NCR] + 2 * h);
    ray.Point.y = Uniform(e_, g_.CenterY[1] - 2 * h, g_.CenterY[g_.NCR] + 2 * h);
    ray.Point.z = Uniform(e_, -std::fabs(g_.Height), 3 * std::fabs(g_.Height) + h);
    RandomDirection(e_, g_, ray);
    ray.HitSurface = Pick(e_, 7) - 1;
    ray.HitRow = Chance(e_, 0.2) ? -1 : RandomIndex();
    ray.HitColumn = Chance(e_, 0.2) ? -1 : RandomIndex();
    ray.ReflectionCount = static_cast<std::uint32_t>(Pick(e_, 2));
  }

  Engine& e_;
  InitialData task_;
  const ArrayGeometry& g_;
  ViewGeometry view_;
  SpectralArrays spectral_;
  HitShape shape_;
  ExhaustiveHitSearch exhaustive_;
  IndexedHitSearch indexed_;
  RayTracer<RandomGenerator, ExhaustiveHitSearch> tracer_;
  ComparisonCounts& counts_;
};

}  // namespace

bool SearchComparison::Run(int geometries, int paths, int maxNCR, std::string& failure) {
  for (int n = 0; n < geometries; ++n) {
    InitialData task;
    auto geometry = std::make_unique<ArrayGeometry>();
    std::string message;
    do task = RandomArray(random_, maxNCR);
    while (!PreprocessGeometry(task, *geometry, message));
    ++counts_.geometries;
    Comparer comparer(random_, task, *geometry, counts_);
    for (int p = 0; p < paths; ++p)
      if (!comparer.Path(failure)) return false;
  }
  return true;
}

}  // namespace tessolan::testing
