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

// Nodes with a pointer each (open addressing, linear probing; entries are
// only ever added or overwritten). Out of memory, Put fails and the map
// stays as it was.
class NodeMap {
 public:
  NodeMap() = default;
  NodeMap(const NodeMap&) = delete;
  NodeMap& operator=(const NodeMap&) = delete;
  ~NodeMap() { delete[] slots_; }
  // Whether n is here; its pointer goes to *value.
  bool Get(const ZELS3Node* n, const void** value) const;
  // Sets n's pointer, or keeps the one it has when keep is set; false when
  // n could not be stored.
  bool Put(const ZELS3Node* n, const void* value, bool keep = false);

 private:
  struct Slot {
    const ZELS3Node* node;  // null for an empty slot
    const void* value;
  };
  unsigned int Home(const ZELS3Node* n) const;

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
  void Keep(const ZELS3Node* n, ZELS3Node* result) { built_.Put(n, result, true); }
  // Whether n equals a copy of itself: no NaN constant, no constant variable
  // and no node of a type without an argument shape anywhere below it.
  bool SelfEqual(const ZELS3Node* n);

 private:
  // A verdict of SelfEqual, kept as the pointer to one of these two.
  static const char kYes;
  static const char kNo;
  // The verdict kept for n: 1 yes, 0 no, -1 none.
  int Verdict(const ZELS3Node* n) const;

  NodeMap built_;
  NodeMap selfEqual_;
};

}  // namespace zeltav

#endif
