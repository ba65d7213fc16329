#include <gtest/gtest.h>

#include "SearchComparison.h"

namespace tessolan {
namespace {

// A quick share of the differential comparison; the long one runs in engine_long_tests.
TEST(IndexedHitSearchTest, AgreesWithTheExhaustiveSearchBitForBit) {
  testing::SearchComparison comparison(20240611);
  std::string failure;
  ASSERT_TRUE(comparison.Run(400, 60, 25, failure)) << failure;
  const testing::ComparisonCounts& c = comparison.counts();
  EXPECT_GT(c.faceHits, c.searches / 10);
  EXPECT_GT(c.baseHits, c.searches / 50);
  EXPECT_GT(c.topFlatHits, 100u);
  EXPECT_GT(c.firstHitsOutside, 100u);
  EXPECT_GT(c.parallelToBase, 100u);
  EXPECT_GT(c.afterReflection, c.searches / 4);
}

}  // namespace
}  // namespace tessolan
