#include "run/BlockTree.h"

#include <utility>

namespace tessolan {
namespace {

// left = left + right, elementwise.
void AddInto(BlockNode& left, const BlockNode& right) {
  for (std::size_t k = 0; k < left.emissivity.size(); ++k) {
    left.emissivity[k] += right.emissivity[k];
    left.radiance[k] += right.radiance[k];
  }
  left.uncertainty.Add(right.uncertainty);
  left.sumW += right.sumW;
}

bool AreSiblings(const BlockNode& left, const BlockNode& right) {
  return left.level == right.level && left.index % 2 == 0 && right.index == left.index + 1;
}

}  // namespace

void BlockTree::Push(BlockNode node) {
  nodes_.push_back(std::move(node));
  while (nodes_.size() >= 2 && AreSiblings(nodes_[nodes_.size() - 2], nodes_.back())) {
    BlockNode& left = nodes_[nodes_.size() - 2];
    AddInto(left, nodes_.back());
    ++left.level;
    left.index /= 2;
    nodes_.pop_back();
  }
}

void BlockTree::Fold(BlockNode& total) const {
  for (const BlockNode& node : nodes_) AddInto(total, node);
}

BlockNode ZeroNode(int nwl, const UncertaintySums& shift) {
  BlockNode node;
  node.emissivity.assign(static_cast<std::size_t>(nwl), Extended{0});
  node.radiance.assign(static_cast<std::size_t>(nwl), Extended{0});
  node.uncertainty = shift;
  node.uncertainty.Reset(nwl);
  return node;
}

}  // namespace tessolan
