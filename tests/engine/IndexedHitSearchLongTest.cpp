#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "SearchComparison.h"

namespace tessolan {
namespace {

// Millions of searches compared bit for bit, spread over many seeds so that a failure names a
// short run to repeat. TESSOLAN_COMPARISON_SCALE multiplies the number of arrays (default 1).
int Scale() {
  const char* text = std::getenv("TESSOLAN_COMPARISON_SCALE");
  const int scale = text ? std::atoi(text) : 1;
  return scale > 0 ? scale : 1;
}

void Compare(std::uint64_t seed, int geometries, int paths, int maxNCR) {
  testing::SearchComparison comparison(seed);
  std::string failure;
  ASSERT_TRUE(comparison.Run(geometries * Scale(), paths, maxNCR, failure)) << "seed " << seed << "\n" << failure;
  const testing::ComparisonCounts& c = comparison.counts();
  std::printf(
      "seed %llu: %llu arrays, %llu searches: %llu face, %llu base, %llu top-flat hits, %llu leaving "
      "(%llu first hits outside), %llu parallel to the base, %llu after a reflection\n",
      static_cast<unsigned long long>(seed), static_cast<unsigned long long>(c.geometries),
      static_cast<unsigned long long>(c.searches), static_cast<unsigned long long>(c.faceHits),
      static_cast<unsigned long long>(c.baseHits), static_cast<unsigned long long>(c.topFlatHits),
      static_cast<unsigned long long>(c.leaving), static_cast<unsigned long long>(c.firstHitsOutside),
      static_cast<unsigned long long>(c.parallelToBase), static_cast<unsigned long long>(c.afterReflection));
}

class IndexedHitSearchLongTest : public ::testing::TestWithParam<std::uint64_t> {};

TEST_P(IndexedHitSearchLongTest, SmallArrays) { Compare(GetParam(), 20000, 100, 12); }
TEST_P(IndexedHitSearchLongTest, MediumArrays) { Compare(GetParam() + 1000, 2000, 200, 60); }
TEST_P(IndexedHitSearchLongTest, LargeArrays) { Compare(GetParam() + 2000, 20, 300, 400); }

INSTANTIATE_TEST_SUITE_P(Seeds, IndexedHitSearchLongTest, ::testing::Values(1u, 2u, 3u, 4u));

}  // namespace
}  // namespace tessolan
