#pragma once

#include <cstdint>
#include <random>
#include <string>

namespace tessolan::testing {

// What a comparison went through, to show that the awkward cases really occurred.
struct ComparisonCounts {
  std::uint64_t geometries = 0;
  std::uint64_t searches = 0;
  std::uint64_t baseHits = 0;
  std::uint64_t faceHits = 0;
  std::uint64_t topFlatHits = 0;
  std::uint64_t leaving = 0;
  std::uint64_t firstHitsOutside = 0;
  std::uint64_t parallelToBase = 0;
  std::uint64_t afterReflection = 0;
};

// Traces random rays over random pyramid arrays with the exhaustive and the indexed hit search
// side by side, each search starting from the same ray and generator state, and compares the
// outcome, the whole ray state and the generator state bit for bit. Arrays vary in size, gaps,
// top flats (none, some, the whole base), slant angle (0 up to 89 degrees), centre position
// and radiator shape; rays come from the four launches, are aimed at apexes, edges, corners and
// valleys, run parallel to the base, start on faces, the base and top flats, or are arbitrary
// states, and are followed through diffuse and specular reflections.
class SearchComparison {
 public:
  explicit SearchComparison(std::uint64_t seed) : random_(seed) {}

  // Compares `paths` ray paths on each of `geometries` random arrays whose size is at most
  // maxNCR. Stops at the first difference: false, with a description in `failure`.
  bool Run(int geometries, int paths, int maxNCR, std::string& failure);

  const ComparisonCounts& counts() const { return counts_; }

 private:
  std::mt19937_64 random_;
  ComparisonCounts counts_;
};

}  // namespace tessolan::testing
