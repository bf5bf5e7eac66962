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
#include <new>

#include "ZELTavSymbolicCalculator/Calculator.h"

namespace zeltav {

// Hashes of the keys of the maps below.
inline std::uint64_t Home(const ZELS3Node* n) {
  return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(n)) * 0x9e3779b97f4a7c15ULL;
}

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
std::uint64_t Home(const Call& call);

// An insert-only map in one array (open addressing, linear probing). Key
// gives Home(key), a 64-bit hash, and ==. Out of memory, Put fails and the
// map stays as it was.
template <class Key, class Value>
class FlatMap {
 public:
  FlatMap() = default;
  FlatMap(const FlatMap&) = delete;
  FlatMap& operator=(const FlatMap&) = delete;
  ~FlatMap() { delete[] slots_; }
  // The value kept for key, or null.
  const Value* Get(const Key& key) const {
    if (count_ == 0) return nullptr;
    for (unsigned int i = Start(key);; i = (i + 1) & (capacity_ - 1)) {
      if (!slots_[i].used) return nullptr;
      if (slots_[i].key == key) return &slots_[i].value;
    }
  }
  // Sets key's value, or leaves the one it has when keep is set; false when
  // key could not be stored.
  bool Put(const Key& key, const Value& value, bool keep) {
    if (2 * (count_ + 1) > capacity_ && !Grow()) return false;
    unsigned int i = Start(key);
    while (slots_[i].used && !(slots_[i].key == key)) i = (i + 1) & (capacity_ - 1);
    if (slots_[i].used) {
      if (!keep) slots_[i].value = value;
      return true;
    }
    slots_[i] = Slot{key, value, true};
    ++count_;
    return true;
  }

 private:
  struct Slot {
    Key key;
    Value value;
    bool used;
  };
  unsigned int Start(const Key& key) const {
    return static_cast<unsigned int>(Home(key) >> 32) & (capacity_ - 1);
  }
  bool Grow() {
    const unsigned int capacity = capacity_ == 0 ? 64u : 2 * capacity_;
    Slot* slots = new (std::nothrow) Slot[capacity]();
    if (slots == nullptr) return false;
    Slot* old = slots_;
    const unsigned int oldCapacity = capacity_;
    slots_ = slots;
    capacity_ = capacity;
    for (unsigned int k = 0; k < oldCapacity; ++k) {
      if (!old[k].used) continue;
      unsigned int i = Start(old[k].key);
      while (slots_[i].used) i = (i + 1) & (capacity_ - 1);
      slots_[i] = old[k];
    }
    delete[] old;
    return true;
  }

  Slot* slots_ = nullptr;
  unsigned int capacity_ = 0;  // a power of two
  unsigned int count_ = 0;
};

// The factory calls of one derivative and the nodes they gave.
using CallMemo = FlatMap<Call, ZELS3Node*>;

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

  FlatMap<const ZELS3Node*, ZELS3Node*> built_;
  FlatMap<const ZELS3Node*, bool> selfEqual_;
};

}  // namespace zeltav

#endif
