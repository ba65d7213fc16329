#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "run/BlockTree.h"
#include "run/RunTracing.h"

namespace tessolan {
namespace {

constexpr int kNwl = 2;

// Values whose sums depend on the order of addition: large and small of both signs.
BlockNode Leaf(std::uint64_t block, const UncertaintySums& shift) {
  BlockNode node = ZeroNode(kNwl, shift);
  node.index = block;
  const Extended big = (block % 3 == 0 ? 1e19L : -3e18L) * static_cast<Extended>(block + 1);
  const Extended small = 1.0L / static_cast<Extended>(block + 7);
  node.emissivity = {big + small, small * small};
  node.radiance = {small, -big};
  const Extended x[kNwl] = {big, small};
  node.uncertainty.AddRay(x, x, small);
  node.sumW = big * 1e-3L + small;
  return node;
}

UncertaintySums Shift() {
  UncertaintySums shift;
  shift.Reset(kNwl);
  const Extended x[kNwl] = {0.25L, 0.5L};
  shift.SetShift(x, x, 1);
  return shift;
}

// The bits of a fold: the run's sums, as the merge normalises them.
std::vector<unsigned char> Bits(const BlockNode& total) {
  std::vector<Extended> values = total.emissivity;
  values.insert(values.end(), total.radiance.begin(), total.radiance.end());
  values.push_back(total.sumW);
  values.push_back(total.uncertainty.EmissivityError(0, 1));
  values.push_back(total.uncertainty.RadianceError(1, 1));
  std::vector<unsigned char> bits;
  for (const Extended v : values) {
    unsigned char b[10];
    std::memcpy(b, &v, 10);  // the 80 bits that carry the value
    bits.insert(bits.end(), b, b + 10);
  }
  return bits;
}

std::vector<unsigned char> FoldBits(const BlockTree& tree, const UncertaintySums& shift) {
  BlockNode total = ZeroNode(kNwl, shift);
  tree.Fold(total);
  return Bits(total);
}

// The fixed tree by its definition: the sum over [first, first + 2^level).
BlockNode Node(std::uint64_t first, std::uint32_t level, const UncertaintySums& shift) {
  if (level == 0) return Leaf(first, shift);
  BlockNode left = Node(first, level - 1, shift);
  const BlockNode right = Node(first + (std::uint64_t{1} << (level - 1)), level - 1, shift);
  for (int k = 0; k < kNwl; ++k) {
    left.emissivity[k] += right.emissivity[k];
    left.radiance[k] += right.radiance[k];
  }
  left.uncertainty.Add(right.uncertainty);
  left.sumW += right.sumW;
  return left;
}

TEST(BlockTreeTest, ShardsMergedGiveTheBitsOfTheWholeRunForEveryCut) {
  const UncertaintySums shift = Shift();
  for (std::uint64_t blocks = 1; blocks <= 19; ++blocks) {
    BlockTree whole;
    for (std::uint64_t b = 0; b < blocks; ++b) whole.Push(Leaf(b, shift));
    const auto expected = FoldBits(whole, shift);
    for (std::uint32_t shards = 1; shards <= blocks + 2; ++shards) {
      BlockTree merged;
      for (std::uint32_t k = 0; k < shards; ++k) {
        const auto [first, end] = ShardBlocks(blocks, k, shards);
        BlockTree shard;
        for (std::uint64_t b = first; b < end; ++b) shard.Push(Leaf(b, shift));
        // A shard keeps only what the merge order needs: at most two nodes per level.
        EXPECT_LE(shard.Nodes().size(), 2u * 5u);
        for (const BlockNode& node : shard.Nodes()) merged.Push(node);
      }
      EXPECT_EQ(FoldBits(merged, shift), expected) << blocks << " blocks in " << shards << " shards";
    }
  }
}

TEST(BlockTreeTest, TheTotalIsTheAlignedNodesOfTheBlockCountFoldedLeftToRight) {
  const UncertaintySums shift = Shift();
  // 13 = 8 + 4 + 1: the nodes [0, 8), [8, 12), [12, 13).
  BlockTree tree;
  for (std::uint64_t b = 0; b < 13; ++b) tree.Push(Leaf(b, shift));
  ASSERT_EQ(tree.Nodes().size(), 3u);
  EXPECT_EQ(tree.Nodes()[1].FirstBlock(), 8u);
  EXPECT_EQ(tree.Nodes()[1].EndBlock(), 12u);
  BlockNode expected = ZeroNode(kNwl, shift);
  for (const BlockNode& node : {Node(0, 3, shift), Node(8, 2, shift), Node(12, 0, shift)}) {
    BlockTree single;
    single.Push(node);
    single.Fold(expected);
  }
  EXPECT_EQ(FoldBits(tree, shift), Bits(expected));

  // Up to three blocks the tree adds in block order, as the parallel mode always did.
  for (std::uint64_t blocks = 1; blocks <= 3; ++blocks) {
    BlockTree small;
    BlockNode sequential = ZeroNode(kNwl, shift);
    for (std::uint64_t b = 0; b < blocks; ++b) {
      small.Push(Leaf(b, shift));
      BlockTree one;
      one.Push(Leaf(b, shift));
      one.Fold(sequential);
    }
    EXPECT_EQ(FoldBits(small, shift), Bits(sequential)) << blocks;
  }
}

}  // namespace
}  // namespace tessolan
