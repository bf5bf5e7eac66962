// What one derivative or one output pass has already built for a node of a
// shared graph, so that the graph is walked once and not as the tree it
// unfolds to (e(k+1) = e(k) * e(k) + e(k) unfolds to 2^k copies of e(0)).
//
// A result is remembered only when building it again would give the same
// node: the node and the result contain no NaN constant and no constant
// variable (such nodes equal nothing, so every build makes a new node), and
// the walk itself changes no option and no variable record, so the same
// pieces go through the same rules and the table hands back the same node.
#ifndef ZELTAV_BUILD_MEMO_H
#define ZELTAV_BUILD_MEMO_H

#include <cstdint>

#include "ZELTavSymbolicCalculator/Calculator.h"
#include "calculator/FlatMap.h"

namespace zeltav {

// A factory call: an operation type and up to three operands (null when
// absent).
struct Call {
  ZELNodeType type;
  const ZELS3Node* a;
  const ZELS3Node* b;
  const ZELS3Node* c;
  bool operator==(const Call& o) const {
    return type == o.type && a == o.a && b == o.b && c == o.c;
  }
};
struct CallHash {
  std::uint64_t operator()(const Call& call) const;
};

// The factory calls of one derivative and the nodes they gave.
using CallMemo = FlatMap<Call, ZELS3Node*, CallHash>;

class BuildMemo {
 public:
  // The result kept for n, when there is one and building it again would
  // give it; false otherwise.
  bool Find(const ZELS3Node* n, ZELS3Node** result);
  // Keeps the result built for n. Whether it may be handed back is judged
  // only when n is met again, so a graph without sharing costs one entry
  // per node.
  void Keep(const ZELS3Node* n, ZELS3Node* result) { built_.Put(n, result, true); }
  // Whether n equals a copy of itself: no NaN constant, no constant variable
  // and no node of a type without an argument shape anywhere below it.
  bool SelfEqual(const ZELS3Node* n);

 private:
  // The verdict kept for n: 1 yes, 0 no, -1 none.
  int Verdict(const ZELS3Node* n) const;

  FlatMap<const ZELS3Node*, ZELS3Node*, NodeHash> built_;
  FlatMap<const ZELS3Node*, bool, NodeHash> selfEqual_;
};

}  // namespace zeltav

#endif
