// The node table behind the calculator's table pointer (NodeTable.h).
#include "calculator/NodeTable.h"

#include <cmath>
#include <cstring>
#include <new>
#include <vector>

#include "ZELTavSymbolicCalculator/Calculator.h"
#include "node/NodeTypeTable.h"

namespace zeltav {

namespace {

// Home slot of a 32-bit key in a table of 2^k slots (mask = 2^k - 1).
unsigned int Home(std::uint32_t key, unsigned int mask) {
  return static_cast<unsigned int>((key * 0x9E3779B97F4A7C15ull) >> 32) & mask;
}

unsigned int HomeOf(const ZELS3Node* n, unsigned int mask) {
  const std::uintptr_t p = reinterpret_cast<std::uintptr_t>(n) >> 4;
  return static_cast<unsigned int>((p * 0x9E3779B97F4A7C15ull) >> 32) & mask;
}

// The key a node is entered and looked up with: its signature, or for a
// variable a mix of its whole identifier.
std::uint32_t KeyOf(const ZELS3Node* n) {
  if (n->GetNodeType() != NodeVariable) return n->GetSignature();
  std::uint64_t z = n->GetVariableID() + 0x9e3779b97f4a7c15ull;
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
  return static_cast<std::uint32_t>(z ^ (z >> 31));
}

}  // namespace

template <class T>
bool Array<T>::Push(const T& item) {
  if (size_ == capacity_) {
    if (capacity_ > 0x3fffffffu) return false;
    const unsigned int capacity = capacity_ == 0 ? 64 : 2 * capacity_;
    T* items = new (std::nothrow) T[capacity];
    if (items == nullptr) return false;
    if (size_ != 0) std::memcpy(static_cast<void*>(items), items_, sizeof(T) * size_);
    delete[] items_;
    items_ = items;
    capacity_ = capacity;
  }
  items_[size_++] = item;
  return true;
}

// --- NodeSet ---------------------------------------------------------------

const std::uintptr_t* NodeSet::Find(const ZELS3Node* n) const {
  if (capacity_ == 0 || n == nullptr) return nullptr;
  const std::uintptr_t p = reinterpret_cast<std::uintptr_t>(n);
  const unsigned int mask = capacity_ - 1;
  for (unsigned int i = HomeOf(n, mask);; i = (i + 1) & mask) {
    const std::uintptr_t s = slots_[i];
    if (s == 0) return nullptr;
    if ((s & ~kFlagMask) == p) return &slots_[i];
  }
}

unsigned int NodeSet::Flags(const ZELS3Node* n) const {
  const std::uintptr_t* s = Find(n);
  return s != nullptr ? static_cast<unsigned int>(*s & kFlagMask) : 0u;
}

void NodeSet::SetFlags(const ZELS3Node* n, unsigned int flags) {
  std::uintptr_t* s = Find(n);
  if (s != nullptr) *s = (*s & ~kFlagMask) | (flags & kFlagMask);
}

bool NodeSet::Grow() {
  const unsigned int capacity = capacity_ == 0 ? 256 : 2 * capacity_;
  if (capacity_ > 0x3fffffffu) return false;
  std::uintptr_t* slots = new (std::nothrow) std::uintptr_t[capacity]();
  if (slots == nullptr) return false;
  const unsigned int mask = capacity - 1;
  for (unsigned int k = 0; k < capacity_; ++k) {
    const std::uintptr_t s = slots_[k];
    if (s == 0) continue;
    unsigned int i = HomeOf(reinterpret_cast<const ZELS3Node*>(s & ~kFlagMask), mask);
    while (slots[i] != 0) i = (i + 1) & mask;
    slots[i] = s;
  }
  delete[] slots_;
  slots_ = slots;
  capacity_ = capacity;
  return true;
}

bool NodeSet::Insert(const ZELS3Node* n) {
  if (n == nullptr) return false;
  if (Find(n) != nullptr) return true;
  // At most half full.
  if (2 * (count_ + 1) > capacity_ && !Grow()) return false;
  const unsigned int mask = capacity_ - 1;
  unsigned int i = HomeOf(n, mask);
  while (slots_[i] != 0) i = (i + 1) & mask;
  slots_[i] = reinterpret_cast<std::uintptr_t>(n);
  ++count_;
  return true;
}

// --- FatherPairs -----------------------------------------------------------

unsigned int FatherPairs::Home(const ZELS3Node* a, const ZELS3Node* f) const {
  const std::uint64_t h = (reinterpret_cast<std::uintptr_t>(a) >> 4) * 0x9E3779B97F4A7C15ull ^
                          (reinterpret_cast<std::uintptr_t>(f) >> 4) * 0xC2B2AE3D27D4EB4Full;
  return static_cast<unsigned int>((h ^ (h >> 29)) >> 16) & (capacity_ - 1);
}

bool FatherPairs::Contains(const ZELS3Node* a, const ZELS3Node* f) const {
  if (capacity_ == 0) return false;
  const unsigned int mask = capacity_ - 1;
  for (unsigned int i = Home(a, f); slots_[i].a != nullptr; i = (i + 1) & mask) {
    if (slots_[i].a == a && slots_[i].f == f) return true;
  }
  return false;
}

bool FatherPairs::Grow() {
  if (capacity_ > 0x3fffffffu) return false;
  const unsigned int capacity = capacity_ == 0 ? 1024 : 2 * capacity_;
  Slot* slots = new (std::nothrow) Slot[capacity]();
  if (slots == nullptr) return false;
  Slot* old = slots_;
  const unsigned int oldCapacity = capacity_;
  slots_ = slots;
  capacity_ = capacity;
  const unsigned int mask = capacity - 1;
  for (unsigned int k = 0; k < oldCapacity; ++k) {
    if (old[k].a == nullptr) continue;
    unsigned int i = Home(old[k].a, old[k].f);
    while (slots_[i].a != nullptr) i = (i + 1) & mask;
    slots_[i] = old[k];
  }
  delete[] old;
  return true;
}

bool FatherPairs::Insert(const ZELS3Node* a, const ZELS3Node* f) {
  if (Contains(a, f)) return true;
  if (2 * (count_ + 1) > capacity_ && !Grow()) return false;
  const unsigned int mask = capacity_ - 1;
  unsigned int i = Home(a, f);
  while (slots_[i].a != nullptr) i = (i + 1) & mask;
  slots_[i] = Slot{a, f};
  ++count_;
  return true;
}

bool FatherPairs::Erase(const ZELS3Node* a, const ZELS3Node* f) {
  if (capacity_ == 0) return false;
  const unsigned int mask = capacity_ - 1;
  unsigned int i = Home(a, f);
  while (slots_[i].a != nullptr && !(slots_[i].a == a && slots_[i].f == f)) i = (i + 1) & mask;
  if (slots_[i].a == nullptr) return false;
  // Shift back every later pair of the run that may sit at i.
  for (unsigned int j = (i + 1) & mask; slots_[j].a != nullptr; j = (j + 1) & mask) {
    const unsigned int home = Home(slots_[j].a, slots_[j].f);
    // j's pair may move to i when its home is not cyclically in (i, j].
    const bool stays = i <= j ? (home > i && home <= j) : (home > i || home <= j);
    if (stays) continue;
    slots_[i] = slots_[j];
    i = j;
  }
  slots_[i] = Slot{nullptr, nullptr};
  --count_;
  return true;
}

// --- EqualMemo -------------------------------------------------------------

unsigned int EqualMemo::Home(const ZELS3Node* a, const ZELS3Node* b) const {
  const std::uint64_t h = (reinterpret_cast<std::uintptr_t>(a) >> 4) * 0x9E3779B97F4A7C15ull ^
                          (reinterpret_cast<std::uintptr_t>(b) >> 4) * 0xC2B2AE3D27D4EB4Full;
  return static_cast<unsigned int>((h ^ (h >> 29)) >> 16) & (capacity_ - 1);
}

bool EqualMemo::Find(const ZELS3Node* a, const ZELS3Node* b, int* result) const {
  if (depth_ == 0 || capacity_ == 0) return false;
  const unsigned int mask = capacity_ - 1;
  for (unsigned int i = Home(a, b); slots_[i].generation == generation_; i = (i + 1) & mask) {
    if (slots_[i].a == a && slots_[i].b == b) {
      *result = slots_[i].result;
      return true;
    }
  }
  return false;
}

bool EqualMemo::Grow() {
  if (capacity_ > 0x0fffffffu) return false;
  const unsigned int capacity = capacity_ == 0 ? 256 : 2 * capacity_;
  Slot* slots = new (std::nothrow) Slot[capacity]();
  if (slots == nullptr) return false;
  Slot* old = slots_;
  const unsigned int oldCapacity = capacity_;
  slots_ = slots;
  capacity_ = capacity;
  const unsigned int mask = capacity - 1;
  for (unsigned int k = 0; k < oldCapacity; ++k) {
    if (old[k].generation != generation_) continue;
    unsigned int i = Home(old[k].a, old[k].b);
    while (slots_[i].generation == generation_) i = (i + 1) & mask;
    slots_[i] = old[k];
  }
  delete[] old;
  return true;
}

void EqualMemo::Leave(const ZELS3Node* a, const ZELS3Node* b, int result) {
  if (depth_ > 1 && (2 * (count_ + 1) <= capacity_ || Grow())) {
    const unsigned int mask = capacity_ - 1;
    unsigned int i = Home(a, b);
    while (slots_[i].generation == generation_) i = (i + 1) & mask;
    slots_[i] = Slot{a, b, generation_, result};
    ++count_;
  }
  if (--depth_ == 0 && count_ != 0) {
    count_ = 0;
    if (++generation_ == 0) {  // wrapped: empty every slot for real
      for (unsigned int k = 0; k < capacity_; ++k) slots_[k].generation = 0;
      generation_ = 1;
    }
  }
}

// --- NodeTable -------------------------------------------------------------

unsigned int NodeTable::EmptySlotFor(std::uint32_t key) const {
  const unsigned int mask = indexCapacity_ - 1;
  unsigned int i = Home(key, mask);
  while (index_[i].entry != 0) i = (i + 1) & mask;
  return i;
}

// Entries are put back in entry order, so that along every probe sequence
// the entries of one key stay in the order they were made.
bool NodeTable::GrowIndex() {
  const unsigned int capacity = indexCapacity_ == 0 ? 1024 : 2 * indexCapacity_;
  if (indexCapacity_ > 0x3fffffffu) return false;
  Slot* index = new (std::nothrow) Slot[capacity]();
  if (index == nullptr) return false;
  delete[] index_;
  index_ = index;
  indexCapacity_ = capacity;
  for (unsigned int e = 0; e < entries_.Size(); ++e) {
    const std::uint32_t key = entries_[e].key;
    index_[EmptySlotFor(key)] = Slot{e + 1, key};
  }
  return true;
}

// Equal reads every argument of the node asked; it reads every argument of
// the node given too, except for min, max, sums and products, which only
// search the given node's arguments. A constant variable or a NaN constant
// matches nothing, so a node that must match one never matches.
unsigned int NodeTable::FlagsFor(const ZELS3Node* node) const {
  const ZELNodeType type = node->type;
  if (type == NodeVariable) return node->constVar != 0 ? kNeverAsked | kNeverGiven : kSelfEqual;
  if (type == NodeConstant) {
    return std::isnan(node->value.constant) ? kNeverAsked | kNeverGiven : kSelfEqual;
  }
  if (type == NodeBoolConst) return kSelfEqual;
  const NodeTypeFacts* facts = FactsOf(type);
  if (facts == nullptr || facts->shape == ArgShape::None) return 0;  // Equal reports these
  const bool readsAllGiven = facts->shape != ArgShape::List && facts->shape != ArgShape::Pairs;
  unsigned int asked = 0, given = 0, self = kSelfEqual;
  const unsigned int count = node->args.Count();
  for (unsigned int i = 0; i < count; ++i) {
    const ZELS3Node* a = node->args[i];
    if (a == nullptr) continue;  // a null position matches a null position
    // What a knows reaches node later only through a's fathers.
    const unsigned int f = nodes_.Flags(a);
    if (f != 0 && !IsFatherOf(node, a)) return 0;
    asked |= f & kNeverAsked;
    if (readsAllGiven) given |= f & kNeverGiven;
    self &= f;
  }
  return asked | given | self;
}

// As the father links answer it (NodeLinks.cpp): the father linked last,
// the mirrored pairs of a widely shared node, or a scan.
bool NodeTable::IsFatherOf(const ZELS3Node* f, const ZELS3Node* a) const {
  const unsigned int count = a->fathers.Count();
  if (count == 0) return false;
  if (a->fathers[count - 1] == f) return true;
  if (fathers_.Contains(a, nullptr)) return fathers_.Contains(a, f);
  return a->fathers.Find(f) < count;
}

void NodeTable::Touched(const ZELS3Node* n) {
  if (nodes_.Flags(n) == 0) return;
  std::vector<const ZELS3Node*> stack(1, n);
  while (!stack.empty()) {
    const ZELS3Node* m = stack.back();
    stack.pop_back();
    if (nodes_.Flags(m) == 0) continue;
    nodes_.SetFlags(m, 0);
    for (unsigned int i = 0; i < m->fathers.Count(); ++i) {
      if (m->fathers[i] != nullptr) stack.push_back(m->fathers[i]);
    }
  }
}

RuleWatch::RuleWatch(NodeTable* table, const ZELS3Node* n)
    : table_(table != nullptr && table->Flags(n) != 0 ? table : nullptr), node_(n) {
  if (table_ == nullptr) return;
  outer_ = table_->quiet_;
  table_->quiet_ = n;
  from_ = table_->before_.size();
  for (unsigned int i = 0; i < n->GetArgsNum(); ++i) table_->before_.push_back(n->GetArg(i));
}

RuleWatch::~RuleWatch() {
  if (table_ == nullptr) return;
  table_->quiet_ = outer_;
  std::vector<const ZELS3Node*>& before = table_->before_;
  // Operations take arguments, so reading them sets no error.
  bool same = before.size() - from_ == node_->GetArgsNum();
  for (unsigned int i = 0; same && i < node_->GetArgsNum(); ++i) {
    same = before[from_ + i] == node_->GetArg(i);
  }
  before.resize(from_);
  if (!same) table_->Touched(node_);
}

// The candidates under node's key, in entry order: node itself means it is
// registered already; the first that is Equal to node stands for it. A
// node that finds neither is entered under its key. A candidate that is
// never Equal to another node is passed over, and a node that no node is
// ever Equal to needs no search.
ZELS3Node* NodeTable::Add(ZELS3Node* node) {
  const std::uint32_t key = KeyOf(node);
  const bool registered = nodes_.Contains(node);
  const unsigned int flags = registered ? nodes_.Flags(node) : FlagsFor(node);
  if ((flags & kNeverGiven) != 0) {
    if (registered) return node;
  } else if (indexCapacity_ != 0) {
    const unsigned int mask = indexCapacity_ - 1;
    for (unsigned int i = Home(key, mask); index_[i].entry != 0; i = (i + 1) & mask) {
      if (index_[i].key != key) continue;
      ZELS3Node* candidate = entries_[index_[i].entry - 1].node;
      if (candidate == node) return node;
      if ((nodes_.Flags(candidate) & kNeverAsked) == 0 && candidate->Equal(node)) return candidate;
    }
  }
  // At most half full, and the node known before it is entered.
  if (2 * (entries_.Size() + 1) > indexCapacity_ && !GrowIndex()) return node;
  if (!nodes_.Insert(node)) return node;
  if (!registered) nodes_.SetFlags(node, flags);
  const unsigned int position = entries_.Size();
  if (!entries_.Push(Entry{node, key})) return node;
  index_[EmptySlotFor(key)] = Slot{position + 1, key};
  return node;
}

}  // namespace zeltav
