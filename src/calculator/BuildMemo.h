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

#include <unordered_map>

#include "ZELTavSymbolicCalculator/Calculator.h"

namespace zeltav {

// The factory calls of one derivative: an operation type and up to three
// operands, and the node the call gave (open addressing, linear probing;
// entries are only ever added). Out of memory, calls are simply not kept.
class CallMemo {
 public:
  CallMemo() = default;
  CallMemo(const CallMemo&) = delete;
  CallMemo& operator=(const CallMemo&) = delete;
  ~CallMemo() { delete[] slots_; }
  // The node kept for the call, or null when there is none.
  ZELS3Node* Find(ZELNodeType type, const ZELS3Node* a, const ZELS3Node* b,
                  const ZELS3Node* c) const;
  void Keep(ZELNodeType type, const ZELS3Node* a, const ZELS3Node* b, const ZELS3Node* c,
            ZELS3Node* result);

 private:
  struct Slot {
    const ZELS3Node* a;  // null for an empty slot
    const ZELS3Node* b;
    const ZELS3Node* c;
    ZELS3Node* result;
    ZELNodeType type;
  };
  unsigned int Home(ZELNodeType type, const ZELS3Node* a, const ZELS3Node* b,
                    const ZELS3Node* c) const;
  bool Grow();

  Slot* slots_ = nullptr;
  unsigned int capacity_ = 0;  // a power of two
  unsigned int count_ = 0;
};

class BuildMemo {
 public:
  // The result kept for n, when there is one and building it again would
  // give it; false otherwise.
  bool Find(const ZELS3Node* n, ZELS3Node** result);
  // Keeps the result built for n. Whether it may be handed back is judged
  // only when n is met again, so a graph without sharing costs one entry
  // per node.
  void Keep(const ZELS3Node* n, ZELS3Node* result) { built_.emplace(n, result); }
  // Whether n equals a copy of itself: no NaN constant, no constant variable
  // and no node of a type without an argument shape anywhere below it.
  bool SelfEqual(const ZELS3Node* n);

 private:
  std::unordered_map<const ZELS3Node*, ZELS3Node*> built_;
  std::unordered_map<const ZELS3Node*, bool> selfEqual_;
};

}  // namespace zeltav

#endif
