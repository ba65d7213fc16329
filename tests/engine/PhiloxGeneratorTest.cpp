#include <gtest/gtest.h>

#include <set>

#include "engine/PhiloxGenerator.h"

namespace tessolan {
namespace {

TEST(PhiloxGeneratorTest, KnownAnswers) {
  using P = PhiloxGenerator;
  const struct {
    P::Counter counter;
    P::Key key;
    P::Counter expected;
  } cases[] = {
      {{0, 0, 0, 0}, {0, 0}, {0x6627e8d5, 0xe169c58d, 0xbc57ac4c, 0x9b00dbd8}},
      {{0xffffffff, 0xffffffff, 0xffffffff, 0xffffffff},
       {0xffffffff, 0xffffffff},
       {0x408f276d, 0x41c83b0e, 0xa20bc7c6, 0x6d5451fd}},
      {{0x243f6a88, 0x85a308d3, 0x13198a2e, 0x03707344},
       {0xa4093822, 0x299f31d0},
       {0xd16cfe09, 0x94fdcceb, 0x5001e420, 0x24126ea1}},
  };
  for (const auto& c : cases) EXPECT_EQ(P::Philox4x32(c.counter, c.key), c.expected);
}

TEST(PhiloxGeneratorTest, StreamsDrawMultiplesOfTwoToMinus32FromTheirOwnCounters) {
  PhiloxGenerator rng(7, 3);
  const auto first = PhiloxGenerator::Philox4x32({0, 0, 0, 0}, {7, 3});
  const auto second = PhiloxGenerator::Philox4x32({1, 0, 0, 0}, {7, 3});
  for (std::uint32_t v : first) EXPECT_EQ(rng.Random(), v * 0x1p-32L);
  EXPECT_EQ(rng.Random(), second[0] * 0x1p-32L);

  // Neighbouring streams and seeds start differently.
  std::set<Extended> starts;
  for (std::uint32_t seed : {0u, 1u})
    for (std::uint32_t stream : {0u, 1u, 2u}) starts.insert(PhiloxGenerator(seed, stream).Random());
  EXPECT_EQ(starts.size(), 6u);
}

}  // namespace
}  // namespace tessolan
