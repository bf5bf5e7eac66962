#include "calculator/BuildMemo.h"

#include <cstdint>
#include <initializer_list>
#include <new>
#include <vector>

#include "node/NodeTypeTable.h"

namespace zeltav {

unsigned int CallMemo::Home(ZELNodeType type, const ZELS3Node* a, const ZELS3Node* b,
                            const ZELS3Node* c) const {
  std::uint64_t h = static_cast<std::uint64_t>(type) * 0x9e3779b97f4a7c15ULL;
  for (const ZELS3Node* n : {a, b, c}) {
    h = (h ^ static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(n))) *
        0xff51afd7ed558ccdULL;
  }
  return static_cast<unsigned int>(h >> 32) & (capacity_ - 1);
}

ZELS3Node* CallMemo::Find(ZELNodeType type, const ZELS3Node* a, const ZELS3Node* b,
                          const ZELS3Node* c) const {
  if (count_ == 0 || a == nullptr) return nullptr;
  for (unsigned int i = Home(type, a, b, c);; i = (i + 1) & (capacity_ - 1)) {
    const Slot& s = slots_[i];
    if (s.a == nullptr) return nullptr;
    if (s.a == a && s.b == b && s.c == c && s.type == type) return s.result;
  }
}

void CallMemo::Keep(ZELNodeType type, const ZELS3Node* a, const ZELS3Node* b, const ZELS3Node* c,
                    ZELS3Node* result) {
  if (a == nullptr || result == nullptr) return;
  if (2 * (count_ + 1) > capacity_ && !Grow()) return;
  unsigned int i = Home(type, a, b, c);
  while (slots_[i].a != nullptr) {
    if (slots_[i].a == a && slots_[i].b == b && slots_[i].c == c && slots_[i].type == type) return;
    i = (i + 1) & (capacity_ - 1);
  }
  slots_[i] = Slot{a, b, c, result, type};
  ++count_;
}

bool CallMemo::Grow() {
  const unsigned int capacity = capacity_ == 0 ? 64u : 2 * capacity_;
  Slot* slots = new (std::nothrow) Slot[capacity]();
  if (slots == nullptr) return false;
  Slot* old = slots_;
  const unsigned int oldCapacity = capacity_;
  slots_ = slots;
  capacity_ = capacity;
  for (unsigned int k = 0; k < oldCapacity; ++k) {
    if (old[k].a == nullptr) continue;
    unsigned int i = Home(old[k].type, old[k].a, old[k].b, old[k].c);
    while (slots_[i].a != nullptr) i = (i + 1) & (capacity_ - 1);
    slots_[i] = old[k];
  }
  delete[] old;
  return true;
}

unsigned int NodeMap::Home(const ZELS3Node* n) const {
  const std::uint64_t h =
      static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(n)) * 0x9e3779b97f4a7c15ULL;
  return static_cast<unsigned int>(h >> 32) & (capacity_ - 1);
}

bool NodeMap::Get(const ZELS3Node* n, const void** value) const {
  if (count_ == 0 || n == nullptr) return false;
  for (unsigned int i = Home(n);; i = (i + 1) & (capacity_ - 1)) {
    if (slots_[i].node == n) {
      *value = slots_[i].value;
      return true;
    }
    if (slots_[i].node == nullptr) return false;
  }
}

bool NodeMap::Put(const ZELS3Node* n, const void* value, bool keep) {
  if (n == nullptr) return false;
  if (2 * (count_ + 1) > capacity_) {
    const unsigned int capacity = capacity_ == 0 ? 64u : 2 * capacity_;
    Slot* slots = new (std::nothrow) Slot[capacity]();
    if (slots == nullptr) return false;
    Slot* old = slots_;
    const unsigned int oldCapacity = capacity_;
    slots_ = slots;
    capacity_ = capacity;
    for (unsigned int k = 0; k < oldCapacity; ++k) {
      if (old[k].node == nullptr) continue;
      unsigned int i = Home(old[k].node);
      while (slots_[i].node != nullptr) i = (i + 1) & (capacity_ - 1);
      slots_[i] = old[k];
    }
    delete[] old;
  }
  unsigned int i = Home(n);
  while (slots_[i].node != nullptr && slots_[i].node != n) i = (i + 1) & (capacity_ - 1);
  if (slots_[i].node == n) {
    if (!keep) slots_[i].value = value;
    return true;
  }
  slots_[i] = Slot{n, value};
  ++count_;
  return true;
}

const char BuildMemo::kYes = 1;
const char BuildMemo::kNo = 0;

int BuildMemo::Verdict(const ZELS3Node* n) const {
  const void* v = nullptr;
  if (!selfEqual_.Get(n, &v)) return -1;
  return v == &kYes ? 1 : 0;
}

bool BuildMemo::Find(const ZELS3Node* n, ZELS3Node** result) {
  const void* kept = nullptr;
  if (!built_.Get(n, &kept)) return false;
  ZELS3Node* built = static_cast<ZELS3Node*>(const_cast<void*>(kept));
  if (!SelfEqual(n) || !SelfEqual(built)) return false;
  *result = built;
  return true;
}

// Walked with an explicit stack: a graph may be deeper than the call stack.
// Out of memory a verdict cannot be kept, and the node counts as not
// self-equal: what is not known to be so is never handed back.
bool BuildMemo::SelfEqual(const ZELS3Node* root) {
  if (root == nullptr) return true;
  const int known = Verdict(root);
  if (known >= 0) return known == 1;

  std::vector<std::pair<const ZELS3Node*, unsigned int>> stack;
  stack.emplace_back(root, 0u);
  while (!stack.empty()) {
    const ZELS3Node* n = stack.back().first;
    const ZELNodeType type = n->GetNodeType();
    bool verdict = true;
    bool done = true;
    if (type == NodeVariable) {
      verdict = n->IsNonConstVariable() != 0;
    } else if (type == NodeConstant) {
      const double v = n->GetConstant();
      verdict = v == v;
    } else if (type != NodeBoolConst) {
      const NodeTypeFacts* facts = FactsOf(type);
      if (facts == nullptr || facts->shape == ArgShape::None) {
        verdict = false;
      } else {
        // Arguments first; the node is self-equal when all of them are.
        const unsigned int count = n->GetArgsNum();
        unsigned int& next = stack.back().second;
        while (next < count) {
          const ZELS3Node* a = n->GetArg(next);
          const int argument = a != nullptr ? Verdict(a) : 1;
          if (argument == 1) {
            ++next;
            continue;
          }
          if (argument == 0) {
            verdict = false;
            break;
          }
          stack.emplace_back(a, 0u);
          done = false;
          break;
        }
      }
    }
    if (!done) continue;
    if (!selfEqual_.Put(n, verdict ? &kYes : &kNo)) return false;
    stack.pop_back();
  }
  return Verdict(root) == 1;
}

}  // namespace zeltav
