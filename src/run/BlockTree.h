#pragma once

#include <cstdint>
#include <vector>

#include "model/Extended.h"
#include "run/Uncertainty.h"

namespace tessolan {

// The sums of the blocks [index * 2^level, (index + 1) * 2^level) of a parallel run.
struct BlockNode {
  std::uint32_t level = 0;
  std::uint64_t index = 0;
  std::vector<Extended> emissivity, radiance;
  UncertaintySums uncertainty;
  Extended sumW = 0;

  std::uint64_t FirstBlock() const { return index << level; }
  std::uint64_t EndBlock() const { return (index + 1) << level; }
};

// Adds a parallel run's block sums in one fixed order, whatever process traced them: node
// (L, j) is node (L-1, 2j) + node (L-1, 2j+1), elementwise, and the run's total is its aligned
// nodes, left to right, added to zero. Floating addition is not associative, so this order is
// what lets a run cut into shards, each adding its own blocks, give the same bits once merged.
// Nodes are pushed in block order; a node and its left sibling on top of the stack are
// combined at once, so the stack holds O(log blocks) nodes.
class BlockTree {
 public:
  // The next node to the right of those pushed (a leaf: level 0, index = its block).
  void Push(BlockNode node);
  // The nodes that no further push within the range can combine: for a range of blocks pushed
  // in full, the largest aligned nodes inside it, left to right.
  const std::vector<BlockNode>& Nodes() const { return nodes_; }
  std::vector<BlockNode> TakeNodes() { return std::move(nodes_); }
  // The sum of the nodes, left to right from zero, into `total` (sized to nwl and shifted like
  // the nodes' uncertainty sums).
  void Fold(BlockNode& total) const;

 private:
  std::vector<BlockNode> nodes_;
};

// Zero sums for nwl wavelengths with the uncertainty shift of `shift`.
BlockNode ZeroNode(int nwl, const UncertaintySums& shift);

}  // namespace tessolan
