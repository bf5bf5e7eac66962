// The node table behind the calculator's table pointer (NodeTable.h).
#include "calculator/NodeTable.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "ZELTavSymbolicCalculator/Calculator.h"
#include "collections/InPlaceList.h"
#include "node/NodeTypeTable.h"

namespace zeltav {

std::uint32_t Mix(std::uint64_t z) {
  z += 0x9e3779b97f4a7c15ull;
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
  return static_cast<std::uint32_t>(z ^ (z >> 31));
}

DistinctKeys::DistinctKeys(std::size_t n) {
  if (n <= kFew) return;
  std::size_t capacity = 16;
  while (!Roomy(static_cast<unsigned int>(n), static_cast<unsigned int>(capacity))) capacity *= 2;
  slots_.assign(capacity, 0);
  mask_ = static_cast<unsigned int>(capacity - 1);
}

bool DistinctKeys::Insert(std::uint64_t key) {
  if (slots_.empty()) {
    for (unsigned int i = 0; i < count_; ++i) {
      if (few_[i] == key) return false;
    }
    if (count_ == kFew) return false;  // past n: taken as seen, the safe answer
    few_[count_++] = key;
    return true;
  }
  if (key == 0) {
    const bool first = !zero_;
    zero_ = true;
    return first;
  }
  unsigned int i = Mix(key) & mask_;
  for (; slots_[i] != 0; i = (i + 1) & mask_) {
    if (slots_[i] == key) return false;
  }
  slots_[i] = key;
  return true;
}

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
  return n->GetNodeType() != NodeVariable ? n->GetSignature() : Mix(n->GetVariableID());
}

// The home slot of an ordered pair of nodes in an open-addressing table of
// capacity slots (a power of two).
unsigned int PairHome(const ZELS3Node* a, const ZELS3Node* b, unsigned int capacity) {
  const std::uint64_t h = (reinterpret_cast<std::uintptr_t>(a) >> 4) * 0x9E3779B97F4A7C15ull ^
                          (reinterpret_cast<std::uintptr_t>(b) >> 4) * 0xC2B2AE3D27D4EB4Full;
  return static_cast<unsigned int>((h ^ (h >> 29)) >> 16) & (capacity - 1);
}

// Whether two of the keys are the same.
bool Repeats(const std::uint32_t* keys, std::size_t n) {
  DistinctKeys seen(n);
  for (std::size_t k = 0; k < n; ++k) {
    if (!seen.Insert(keys[k])) return true;
  }
  return false;
}

// Mixes the keys of an unordered collection (and extra) into h, in no
// order; true when two keys are the same.
bool MixUnordered(const std::uint32_t* keys, std::size_t n, std::uint64_t extra, std::uint64_t* h) {
  std::uint64_t sum = extra;
  for (std::size_t k = 0; k < n; ++k) sum += keys[k];
  *h = Mix(*h * 0x100000001b3ull ^ sum);
  return Repeats(keys, n);
}

// Keys of a few items in place, of more on the heap.
using KeyList = InPlaceList<std::uint32_t, 16>;
}  // namespace

template <class T>
bool Array<T>::Push(const T& item) {
  if (size_ == capacity_) {
    if (capacity_ > 0x3fffffffu) return false;
    const unsigned int capacity = capacity_ == 0 ? 64 : 2 * capacity_;
    T* items = GrowTable(items_, capacity_, capacity);
    if (items == nullptr) return false;
    items_ = items;
    capacity_ = capacity;
  }
  items_[size_++] = item;
  return true;
}

// --- Holders ---------------------------------------------------------------

bool Holders::Add(const ZELS3Node* a, const ZELS3Node* holder) {
  const std::uint32_t* first = first_.Get(a);
  const Link link{holder, first != nullptr ? *first : 0};
  // A link pushed but not made first stays unreachable.
  return links_.Push(link) && first_.Put(a, links_.Size(), false);
}

// --- NodeSet ---------------------------------------------------------------

const NodeSet::Slot* NodeSet::Find(const ZELS3Node* n) const {
  if (capacity_ == 0 || n == nullptr) return nullptr;
  const std::uintptr_t p = reinterpret_cast<std::uintptr_t>(n);
  const unsigned int mask = capacity_ - 1;
  for (unsigned int i = HomeOf(n, mask);; i = (i + 1) & mask) {
    const std::uintptr_t w = slots_[i].word;
    if (w == 0) return nullptr;
    if ((w & ~kFlagMask) == p) return &slots_[i];
  }
}

std::uint32_t NodeSet::Value(const ZELS3Node* n) const {
  const Slot* s = Find(n);
  return s != nullptr ? s->value & ~kMarkBit : 0u;
}

bool NodeSet::Get(const ZELS3Node* n, unsigned int* flags, std::uint32_t* value) const {
  const Slot* s = Find(n);
  if (s == nullptr) return false;
  *flags = static_cast<unsigned int>(s->word & kFlagMask);
  *value = s->value & ~kMarkBit;
  return true;
}

bool NodeSet::Marked(const ZELS3Node* n) const {
  const Slot* s = Find(n);
  return s != nullptr && (s->value & kMarkBit) != 0;
}

bool NodeSet::Mark(const ZELS3Node* n, unsigned int flags) {
  Slot* s = Find(n);
  if (s == nullptr || !valued_ || (s->word & flags) != flags) return false;
  if ((s->value & kMarkBit) != 0) return false;
  s->value |= kMarkBit;
  return true;
}

void NodeSet::Unmark(const ZELS3Node* n) {
  Slot* s = Find(n);
  if (s != nullptr) s->value &= ~kMarkBit;
}

void NodeSet::UnmarkAll() {
  if (!valued_) return;
  for (unsigned int i = 0; i < capacity_; ++i) slots_[i].value &= ~kMarkBit;
}

unsigned int NodeSet::Flags(const ZELS3Node* n) const {
  const Slot* s = Find(n);
  return s != nullptr ? static_cast<unsigned int>(s->word & kFlagMask) : 0u;
}

void NodeSet::SetFlags(const ZELS3Node* n, unsigned int flags) {
  Slot* s = Find(n);
  if (s != nullptr) s->word = (s->word & ~kFlagMask) | (flags & kFlagMask);
}

bool NodeSet::Grow() {
  const unsigned int capacity = capacity_ == 0 ? 256 : 2 * capacity_;
  if (capacity_ > 0x3fffffffu) return false;
  Slot* slots = NewTable<Slot>(capacity);
  if (slots == nullptr) return false;
  const unsigned int mask = capacity - 1;
  for (unsigned int k = 0; k < capacity_; ++k) {
    const Slot& s = slots_[k];
    if (s.word == 0) continue;
    unsigned int i = HomeOf(reinterpret_cast<const ZELS3Node*>(s.word & ~kFlagMask), mask);
    while (slots[i].word != 0) i = (i + 1) & mask;
    slots[i] = s;
  }
  DeleteTable(slots_, capacity_);
  slots_ = slots;
  capacity_ = capacity;
  return true;
}

bool NodeSet::Enter(const ZELS3Node* n, unsigned int flags, unsigned int* at) {
  if (n == nullptr) return false;
  const std::uintptr_t p = reinterpret_cast<std::uintptr_t>(n);
  for (int pass = 0; pass < 2; ++pass) {
    if (capacity_ != 0) {
      const unsigned int mask = capacity_ - 1;
      unsigned int i = HomeOf(n, mask);
      for (; slots_[i].word != 0; i = (i + 1) & mask) {
        if ((slots_[i].word & ~kFlagMask) == p) {
          *at = i;
          return true;
        }
      }
      // At most three quarters full: the empty slot found is where n goes.
      if (Roomy(count_ + 1, capacity_)) {
        slots_[i] = Slot{p | (flags & kFlagMask), 0};
        ++count_;
        *at = i;
        return true;
      }
    }
    if (pass == 0 && !Grow()) return false;
  }
  return false;
}

// --- FatherPairs -----------------------------------------------------------

unsigned int FatherPairs::Home(const ZELS3Node* a, const ZELS3Node* f) const {
  return PairHome(a, f, capacity_);
}

FatherPairs::Slot* FatherPairs::Locate(const ZELS3Node* a, const ZELS3Node* f) const {
  if (capacity_ == 0) return nullptr;
  const unsigned int mask = capacity_ - 1;
  for (unsigned int i = Home(a, f); slots_[i].a != nullptr; i = (i + 1) & mask) {
    if (slots_[i].a == a && slots_[i].f == f) return &slots_[i];
  }
  return nullptr;
}

bool FatherPairs::Grow() {
  if (capacity_ > 0x3fffffffu) return false;
  const unsigned int capacity = capacity_ == 0 ? 1024 : 2 * capacity_;
  Slot* slots = NewTable<Slot>(capacity);
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
  DeleteTable(old, oldCapacity);
  return true;
}

bool FatherPairs::Insert(const ZELS3Node* a, const ZELS3Node* f, unsigned int index) {
  if (Slot* s = Locate(a, f)) {
    s->index = index;
    return true;
  }
  if (2 * (count_ + 1) > capacity_ && !Grow()) return false;
  const unsigned int mask = capacity_ - 1;
  unsigned int i = Home(a, f);
  while (slots_[i].a != nullptr) i = (i + 1) & mask;
  slots_[i] = Slot{a, f, index};
  ++count_;
  return true;
}

bool FatherPairs::Erase(const ZELS3Node* a, const ZELS3Node* f, unsigned int* index) {
  Slot* s = Locate(a, f);
  if (s == nullptr) return false;
  if (index != nullptr) *index = s->index;
  const unsigned int mask = capacity_ - 1;
  unsigned int i = static_cast<unsigned int>(s - slots_);
  // Shift back every later pair of the run that may sit at i.
  for (unsigned int j = (i + 1) & mask; slots_[j].a != nullptr; j = (j + 1) & mask) {
    const unsigned int home = Home(slots_[j].a, slots_[j].f);
    // j's pair may move to i when its home is not cyclically in (i, j].
    const bool stays = i <= j ? (home > i && home <= j) : (home > i || home <= j);
    if (stays) continue;
    slots_[i] = slots_[j];
    i = j;
  }
  slots_[i] = Slot{nullptr, nullptr, 0};
  --count_;
  return true;
}

// A father vector never holds null (the mark's father); were one to, it is
// left out of the mirror.
bool FatherPairs::CatchUp(const ZELS3Node* a, const ZELICVectorImp_ZELS3Node& fathers) {
  const unsigned int count = fathers.Count();
  unsigned int m = 0;
  if (const Slot* mark = Locate(a, nullptr)) {
    m = mark->index;
    if (m >= count) return true;
  } else if (!Insert(a, nullptr, 0)) {
    return false;
  }
  for (; m < count; ++m) {
    if (fathers[m] != nullptr && !Insert(a, fathers[m], m)) break;
  }
  Locate(a, nullptr)->index = m;
  if (m == count) return true;
  Drop(a, fathers);
  return false;
}

void FatherPairs::Drop(const ZELS3Node* a, const ZELICVectorImp_ZELS3Node& fathers) {
  unsigned int m = 0;
  if (!Erase(a, nullptr, &m)) return;
  for (unsigned int i = 0; i < m && i < fathers.Count(); ++i) {
    if (fathers[i] != nullptr) Erase(a, fathers[i]);
  }
}

void NodeTable::Destroy(ZELS3Node* n) {
  if (!pool_.Owns(n)) {
    delete n;
    return;
  }
  n->~ZELS3Node();
  pool_.Release(n);
}

void DeleteNode(ZELS3Node* n) {
  NodeTable* table = CurrentTable();
  if (table != nullptr) {
    table->Destroy(n);
  } else {
    delete n;
  }
}

// --- RegisteredNodes -------------------------------------------------------

bool RegisteredNodes::Get(const ZELS3Node* n, unsigned int* flags, std::uint32_t* value) const {
  if (!pool_.Owns(n)) return others_.Get(n, flags, value);
  const std::uint64_t tag = pool_.Tag(n);
  if ((tag & kPresent) == 0) return false;
  *flags = FlagsOf(tag);
  *value = ValueOf(tag);
  return true;
}

bool RegisteredNodes::Enter(const ZELS3Node* n, unsigned int flags, std::uint32_t* value) {
  if (!pool_.Owns(n)) {
    unsigned int at = 0;
    if (!others_.Enter(n, flags, &at)) return false;
    *value = others_.ValueAt(at);
    return true;
  }
  std::uint64_t& tag = pool_.Tag(n);
  if ((tag & kPresent) == 0) {
    tag = kPresent | std::uint64_t{flags & NodeSet::kFlagMask} << 32;
    ++count_;
  }
  *value = ValueOf(tag);
  return true;
}

void RegisteredNodes::SetValue(const ZELS3Node* n, std::uint32_t value) {
  if (!pool_.Owns(n)) {
    // n is there, so Enter only finds its slot and leaves its flags.
    unsigned int at = 0;
    if (others_.Enter(n, 0, &at)) others_.SetValueAt(at, value);
    return;
  }
  std::uint64_t& tag = pool_.Tag(n);
  tag = (tag & ~std::uint64_t{0xffffffffu}) | (value & ~NodeSet::kMarkBit);
}

void RegisteredNodes::SetFlags(const ZELS3Node* n, unsigned int flags) {
  if (!pool_.Owns(n)) return others_.SetFlags(n, flags);
  std::uint64_t& tag = pool_.Tag(n);
  if ((tag & kPresent) == 0) return;
  tag = (tag & ~(std::uint64_t{NodeSet::kFlagMask} << 32)) |
        std::uint64_t{flags & NodeSet::kFlagMask} << 32;
}

bool RegisteredNodes::Marked(const ZELS3Node* n) const {
  if (!pool_.Owns(n)) return others_.Marked(n);
  return (pool_.Tag(n) & NodeSet::kMarkBit) != 0;
}

bool RegisteredNodes::Mark(const ZELS3Node* n, unsigned int flags) {
  if (!pool_.Owns(n)) return others_.Mark(n, flags);
  std::uint64_t& tag = pool_.Tag(n);
  if ((tag & kPresent) == 0 || (FlagsOf(tag) & flags) != flags || (tag & NodeSet::kMarkBit) != 0) {
    return false;
  }
  tag |= NodeSet::kMarkBit;
  return true;
}

void RegisteredNodes::Unmark(const ZELS3Node* n) {
  if (!pool_.Owns(n)) return others_.Unmark(n);
  pool_.Tag(n) &= ~std::uint64_t{NodeSet::kMarkBit};
}

void RegisteredNodes::UnmarkAll() {
  pool_.ForEachCell([](void*, std::uint64_t& tag) { tag &= ~std::uint64_t{NodeSet::kMarkBit}; });
  others_.UnmarkAll();
}

// --- FreshLinks ------------------------------------------------------------

unsigned int FreshLinks::Home(const ZELS3Node* a) const { return HomeOf(a, capacity_ - 1); }

void FreshLinks::Follow(const ZELS3Node* f) {
  node_ = f;
  entered_ = false;
  if (count_ == 0) return;
  count_ = 0;
  if (++generation_ != 0) return;
  // The count wrapped: an old slot could pass for a current one.
  for (unsigned int i = 0; i < capacity_; ++i) slots_[i].generation = 0;
  generation_ = 1;
}

bool FreshLinks::Contains(const ZELS3Node* a) const {
  if (count_ == 0) return false;
  const unsigned int mask = capacity_ - 1;
  for (unsigned int i = Home(a); Used(i); i = (i + 1) & mask) {
    if (slots_[i].a == a) return true;
  }
  return false;
}

bool FreshLinks::Grow() {
  if (capacity_ > 0x3fffffffu) return false;
  const unsigned int capacity = capacity_ == 0 ? 64 : 2 * capacity_;
  Slot* slots = new (std::nothrow) Slot[capacity]();
  if (slots == nullptr) return false;
  Slot* old = slots_;
  const unsigned int oldCapacity = capacity_;
  slots_ = slots;
  capacity_ = capacity;
  const std::uint32_t current = generation_;
  generation_ = 1;
  const unsigned int mask = capacity - 1;
  for (unsigned int k = 0; k < oldCapacity; ++k) {
    if (old[k].generation != current) continue;
    unsigned int i = Home(old[k].a);
    while (Used(i)) i = (i + 1) & mask;
    slots_[i] = Slot{old[k].a, generation_};
  }
  delete[] old;
  return true;
}

bool FreshLinks::Claim(const ZELS3Node* a) {
  if (node_ == nullptr) return true;
  if (2 * (count_ + 1) > capacity_) {
    if (Contains(a)) return false;
    if (!Grow()) {
      Stop();
      return true;
    }
  }
  const unsigned int mask = capacity_ - 1;
  unsigned int i = Home(a);
  for (; Used(i); i = (i + 1) & mask) {
    if (slots_[i].a == a) return false;
  }
  slots_[i] = Slot{a, generation_};
  ++count_;
  return true;
}

void FreshLinks::Erase(const ZELS3Node* a) {
  if (count_ == 0) return;
  const unsigned int mask = capacity_ - 1;
  unsigned int i = Home(a);
  while (Used(i) && slots_[i].a != a) i = (i + 1) & mask;
  if (!Used(i)) return;
  for (unsigned int j = (i + 1) & mask; Used(j); j = (j + 1) & mask) {
    const unsigned int home = Home(slots_[j].a);
    const bool stays = i <= j ? (home > i && home <= j) : (home > i || home <= j);
    if (stays) continue;
    slots_[i] = slots_[j];
    i = j;
  }
  slots_[i].generation = 0;
  --count_;
}

// --- EqualMemo -------------------------------------------------------------

unsigned int EqualMemo::Home(const ZELS3Node* a, const ZELS3Node* b) const {
  return PairHome(a, b, capacity_);
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

// --- KeyChains -------------------------------------------------------------

KeyChains::Head* KeyChains::Find(std::uint32_t key) const {
  if (capacity_ == 0) return nullptr;
  const unsigned int mask = capacity_ - 1;
  for (unsigned int i = Home(key, mask); heads_[i].last != 0; i = (i + 1) & mask) {
    if (heads_[i].key == key) return &heads_[i];
  }
  return nullptr;
}

unsigned int KeyChains::First(std::uint32_t key) const {
  const Head* head = Find(key);
  return head != nullptr ? head->first : 0;
}

bool KeyChains::GrowHeads() {
  if (capacity_ > 0x3fffffffu) return false;
  const unsigned int capacity = capacity_ == 0 ? 256 : 2 * capacity_;
  Head* heads = NewTable<Head>(capacity);
  if (heads == nullptr) return false;
  const unsigned int mask = capacity - 1;
  for (unsigned int k = 0; k < capacity_; ++k) {
    if (heads_[k].last == 0) continue;
    unsigned int i = Home(heads_[k].key, mask);
    while (heads[i].last != 0) i = (i + 1) & mask;
    heads[i] = heads_[k];
  }
  DeleteTable(heads_, capacity_);
  heads_ = heads;
  capacity_ = capacity;
  return true;
}

bool KeyChains::Reserve(unsigned int position) {
  if (position >= 0x7fffffffu) return false;
  if (!Roomy(keys_ + 1, capacity_) && !GrowHeads()) return false;
  if (position < linkCapacity_) return true;
  unsigned int capacity = linkCapacity_ == 0 ? 256 : linkCapacity_;
  while (capacity <= position) capacity *= 2;
  // The stamps are made first: once the links have grown nothing may fail.
  std::uint32_t* stamps = nullptr;
  if (stamped_ && (stamps = NewTable<std::uint32_t>(capacity)) == nullptr) return false;
  std::uint32_t* links = GrowTable(links_, linkCapacity_, capacity);
  if (links == nullptr) {
    DeleteTable(stamps, capacity);
    return false;
  }
  if (stamped_) {
    if (linkCapacity_ != 0) std::memcpy(stamps, stamps_, sizeof(std::uint32_t) * linkCapacity_);
    DeleteTable(stamps_, linkCapacity_);
    stamps_ = stamps;
  }
  links_ = links;
  linkCapacity_ = capacity;
  return true;
}

KeyChains::Head* KeyChains::Open(std::uint32_t key) {
  if (Head* head = Find(key)) return head;
  const unsigned int mask = capacity_ - 1;
  unsigned int i = Home(key, mask);
  while (heads_[i].last != 0) i = (i + 1) & mask;
  heads_[i] = Head{key, 0, kNoLast};
  ++keys_;
  return &heads_[i];
}

void KeyChains::Insert(Head* head, unsigned int position) {
  const std::uint32_t order = Order(position);
  if (head->first == 0 || Order(head->last - 1) < order) {  // the usual case: at the end
    if (head->first == 0) {
      head->first = position + 1;
    } else {
      links_[head->last - 1] = position + 2;
    }
    head->last = position + 1;
    links_[position] = 1;
    return;
  }
  std::uint32_t before = 0;  // position + 1 of the one it follows
  std::uint32_t q = head->first;
  while (q != 0 && Order(q - 1) < order) {
    before = q;
    q = Next(q - 1);
  }
  // q != 0: the chain's last comes after position.
  links_[position] = q + 1;
  if (before == 0) {
    head->first = position + 1;
  } else {
    links_[before - 1] = position + 2;
  }
}

void KeyChains::Append(std::uint32_t key, unsigned int position) {
  if (links_[position] != 0) return;
  if (stamped_) stamps_[position] = stamp_++;
  Head* head = Open(key);
  if (head->first == 0) {
    head->first = position + 1;
  } else {
    links_[head->last - 1] = position + 2;
  }
  head->last = position + 1;
  links_[position] = 1;
}

void KeyChains::Swap(KeyChains& other) {
  std::swap(heads_, other.heads_);
  std::swap(capacity_, other.capacity_);
  std::swap(keys_, other.keys_);
  std::swap(links_, other.links_);
  std::swap(stamps_, other.stamps_);
  std::swap(linkCapacity_, other.linkCapacity_);
  std::swap(stamp_, other.stamp_);
  std::swap(stamped_, other.stamped_);
}

bool KeyChains::Move(std::uint32_t from, std::uint32_t to, unsigned int position) {
  if (from == to) return true;
  // Room first: growing moves the heads.
  if (!Chained(position) || !Room()) return false;
  Head* head = Find(from);
  if (head == nullptr) return false;
  std::uint32_t before = 0;
  std::uint32_t q = head->first;
  while (q != 0 && q - 1 != position) {
    before = q;
    q = Next(q - 1);
  }
  if (q == 0) return false;
  const std::uint32_t after = Next(position);  // position + 1, or 0 at the end
  if (before == 0) {
    head->first = after;
  } else {
    links_[before - 1] = after != 0 ? after + 1 : 1;
  }
  if (head->last == position + 1) head->last = before != 0 ? before : kNoLast;
  links_[position] = 0;
  Insert(Open(to), position);
  return true;
}

// --- NodeTable -------------------------------------------------------------

// What Equal reads of a leaf: a variable's identifier, a number's value
// (0 and -0 alike), a truth value. False for anything else.
bool NodeTable::LeafKey(const ZELS3Node* n, std::uint64_t* key) {
  if (n == nullptr) return false;
  switch (n->type) {
    case NodeVariable:
      *key = n->value.id;
      return true;
    case NodeConstant: {
      const double v = n->value.constant == 0.0 ? 0.0 : n->value.constant;
      std::uint64_t bits = 0;
      std::memcpy(&bits, &v, sizeof bits);
      *key = bits ^ 0x5bd1e9955bd1e995ull;
      return true;
    }
    case NodeBoolConst:
      *key = n->value.boolean != 0 ? 0x2545f4914f6cdd1dull : 0x27bb2ee687b0b0fdull;
      return true;
    default:
      return false;
  }
}

// What Equal reads of an argument, as a key: a leaf's value, or the finer
// key of a registered operation entered under one and unchanged since (a
// change in place below it marks it changed too, see Changed), or given
// one again after its last change. False for anything else.
bool NodeTable::ArgKey(const ZELS3Node* n, std::uint64_t* key) const {
  if (LeafKey(n, key)) return true;
  if (n == nullptr) return false;
  if (const std::uint64_t* change = changed_.Get(n)) {
    if (*change == 0) return false;
    *key = FineArgKey(static_cast<std::uint32_t>(*change));
    return true;
  }
  const std::uint32_t p = nodes_.Value(n);
  if (p == 0 || !entries_[p - 1].keyed) return false;
  *key = FineArgKey(entries_[p - 1].fine);
  return true;
}

// The finer key of an operation whose arguments all have one (ArgKey): the
// signature mixed with the arguments' keys as Equal matches them (in order;
// either order for unordered pairs; min and max as a set, sums and
// products as a multiset of pairs, Loose when two arguments or pairs have
// one key, since inclusion then no longer implies the same multiset). None
// for anything else. Nodes Equal matches
// have equal keys, by induction over the arguments.
NodeTable::Fine NodeTable::FineKeyOf(const ZELS3Node* n, std::uint32_t signature,
                                     std::uint32_t* fine) const {
  if (!MayHaveFineKey(n)) return Fine::None;
  const NodeTypeFacts* facts = FactsOf(n->type);
  const unsigned int count = n->args.Count();
  std::uint64_t keys[2];
  std::uint64_t h = signature;
  switch (facts->shape) {
    case ArgShape::One:
    case ArgShape::Named:
    case ArgShape::Two:
      if (facts->shape == ArgShape::Two && facts->unordered && count == 2) {
        if (!ArgKey(n->args[0], &keys[0]) || !ArgKey(n->args[1], &keys[1])) return Fine::None;
        h = h * 31 + Mix(keys[0]) + Mix(keys[1]);
        break;
      }
      for (unsigned int i = 0; i < count; ++i) {
        if (!ArgKey(n->args[i], &keys[0])) return Fine::None;
        h = Mix(h * 0x100000001b3ull ^ keys[0]);
      }
      break;
    case ArgShape::Pairs: {
      KeyList pairs;
      pairs.Reserve(count / 2);
      unsigned int k = 0;
      for (; k + 1 < count; k += 2) {
        if (!ArgKey(n->args[k], &keys[0]) || !ArgKey(n->args[k + 1], &keys[1])) return Fine::None;
        pairs.Push(Mix(Mix(keys[0]) * 0x100000001b3ull ^ keys[1]));
      }
      std::uint64_t trailing = 0;
      if (k < count) {  // an odd trailing element is compared in place
        if (!ArgKey(n->args[k], &keys[0])) return Fine::None;
        trailing = Mix(keys[0] ^ 0x7f4a7c15ull) * 0x9e3779b9ull;
      }
      if (MixUnordered(pairs.Data(), pairs.Size(), trailing, &h)) return Fine::Loose;
      break;
    }
    case ArgShape::List: {
      // Equal asks only that every argument of one node match one of the
      // other's, and the counts agree: with all keys distinct that is the
      // same set of keys.
      KeyList items;
      items.Reserve(count);
      for (unsigned int i = 0; i < count; ++i) {
        if (!ArgKey(n->args[i], &keys[0])) return Fine::None;
        items.Push(Mix(keys[0]));
      }
      if (MixUnordered(items.Data(), items.Size(), 0, &h)) return Fine::Loose;
      break;
    }
    case ArgShape::None:
      return Fine::None;
  }
  *fine = Mix(h);
  return Fine::Keyed;
}

bool NodeTable::MayHaveFineKey(const ZELS3Node* n) {
  const NodeTypeFacts* facts = FactsOf(n->type);
  const unsigned int count = n->args.Count();
  return facts != nullptr && facts->shape != ArgShape::None && count != 0 && count <= 4096;
}

// A constant variable or a NaN number is Equal to nothing; any other leaf
// is Equal to itself.
unsigned int NodeTable::LeafFlags(const ZELS3Node* leaf) {
  if (leaf->type == NodeVariable)
    return leaf->constVar != 0 ? kNeverAsked | kNeverGiven : kSelfEqual;
  if (leaf->type == NodeConstant) {
    return std::isnan(leaf->value.constant) ? kNeverAsked | kNeverGiven : kSelfEqual;
  }
  return kSelfEqual;  // a truth value
}

// Equal reads every argument of the node asked; it reads every argument of
// the node given too, except for min, max, sums and products, which only
// search the given node's arguments. A constant variable or a NaN constant
// matches nothing, so a node that must match one never matches.
unsigned int NodeTable::FlagsFor(const ZELS3Node* node) {
  const ZELNodeType type = node->type;
  if (IsLeafType(type)) return LeafFlags(node);
  const NodeTypeFacts* facts = FactsOf(type);
  if (facts == nullptr || facts->shape == ArgShape::None) return 0;  // Equal reports these
  const bool readsAllGiven = facts->shape != ArgShape::List && facts->shape != ArgShape::Pairs;
  unsigned int asked = 0, given = 0, self = kSelfEqual;
  const unsigned int count = node->args.Count();
  for (unsigned int i = 0; i < count; ++i) {
    const ZELS3Node* a = node->args[i];
    if (a == nullptr) continue;  // a null position matches a null position
    // What a knows reaches node later when a changes, through a's fathers
    // or, for an argument that lost the link, through holders_ (Add notes
    // it). A leaf never changes (it has no arguments to change): its flags
    // are those it was entered with, for good, and need no lookup.
    const unsigned int f = IsLeafType(a->type) ? LeafFlags(a) : nodes_.Flags(a);
    asked |= f & kNeverAsked;
    if (readsAllGiven) given |= f & kNeverGiven;
    self &= f;
  }
  return asked | given | self;
}

bool NodeTable::NoteHolders(const ZELS3Node* node) {
  const unsigned int count = node->args.Count();
  for (unsigned int i = 0; i < count; ++i) {
    const ZELS3Node* a = node->args[i];
    if (a != nullptr && !IsLeafType(a->type) && !IsFatherOf(node, a) && !holders_.Add(a, node)) {
      return false;
    }
  }
  return true;
}

bool NodeTable::StandsForItself(const ZELS3Node* x, ZELNodeType context) const {
  const ZELSymbolicCalculator* const calc = ZELS3Node::scalc;
  if (calc == nullptr || !IsLeafType(x->type) || !Holds(x)) return false;
  ZELS3Node* by = nullptr;
  return !x->IsNonConstVariable() || !calc->ReplacesVariable(x->value.id, context, &by);
}

// As the father links answer it (NodeLinks.cpp): the node being entered
// from its own links, the father linked last, the mirror of a widely shared
// node (caught up), or a scan.
bool NodeTable::IsFatherOf(const ZELS3Node* f, const ZELS3Node* a) {
  if (f != nullptr && fresh_.Node() == f) return fresh_.Contains(a);
  const unsigned int count = a->fathers.Count();
  if (count == 0) return false;
  if (a->fathers[count - 1] == f) return true;
  if (count > FatherPairs::kIndexed && fathers_.Marked(a) && fathers_.CatchUp(a, a->fathers)) {
    return fathers_.Contains(a, f);
  }
  return a->fathers.Find(f) < count;
}

// What Equal compares before anything else, as one number: the signature,
// and a relation's name. Equal compares the names of operations before
// their arguments, and only a relation's name changes in place (intake
// gives it the host's spelling, see Renamed). Nodes with different labels
// are not Equal, and Equal finds that before it sets an error or reads an
// argument. A node's type changes in place only while it is built, before
// the table has it (NodeBuilder::SetType).
std::uint32_t NodeTable::Label(const ZELS3Node* n) {
  const NodeTypeFacts* facts = FactsOf(n->type);
  if (facts == nullptr || facts->outputName == nullptr) return n->signature;
  std::uint32_t h = 2166136261u;
  for (const char* c = n->name; *c != '\0'; ++c) {
    h = (h ^ static_cast<unsigned char>(*c)) * 16777619u;
  }
  return n->signature + h * 0x9e3779b9u;
}

std::uint32_t NodeTable::Chain(std::uint32_t key, std::uint32_t label) {
  return Mix(std::uint64_t{key} << 32 | label);
}

// A signature changes in place only as the node is given to Add again, and
// a name only at intake (Renamed): both file the node's entries anew, the
// last first (a node whose last entry has its label has them all there).
// An entry moves whole or not at all; out of memory it keeps its old place,
// where a search for the node's new label misses it.
void NodeTable::Refile(std::uint32_t last, std::uint32_t label) {
  for (std::uint32_t p = last; p != 0; p = entries_[p - 1].previous) {
    Entry& entry = entries_[p - 1];
    if (entry.label == label) return;
    if (!index_.Room() || !fine_.Room() || !loose_.Room()) return;
    const unsigned int position = p - 1;
    index_.Move(Chain(entry.key, entry.label), Chain(entry.key, label), position);
    fine_.Move(Chain(entry.fine, entry.label), Chain(entry.fine, label), position);
    loose_.Move(Chain(entry.key, entry.label), Chain(entry.key, label), position);
    entry.label = label;
  }
}

void NodeTable::Renamed(const ZELS3Node* n) {
  unsigned int flags = 0;
  std::uint32_t last = 0;
  if (fresh_.Unentered(n) || !nodes_.Get(n, &flags, &last)) return;
  // What Equal says of n and another node may change with its name.
  Unsettle();
  Refile(last, Label(n));
}

void NodeTable::SearchLoose(const ZELS3Node* n) {
  for (std::uint32_t p = nodes_.Value(n); p != 0; p = entries_[p - 1].previous) {
    loose_.Add(Chain(entries_[p - 1].key, entries_[p - 1].label), p - 1);
  }
}

void NodeTable::Settle(const ZELS3Node* n) {
  if (!nodes_.Mark(n, kSelfEqual) || unlisted_) return;
  // Listed up to one node in eight: clearing every mark costs no more then.
  if (settled_.size() < 64 + nodes_.Size() / 8) {
    settled_.push_back(n);
    return;
  }
  unlisted_ = true;
  std::vector<const ZELS3Node*>().swap(settled_);
}

void NodeTable::Unsettle() {
  repeated_.Forget();
  if (unlisted_) {
    nodes_.UnmarkAll();
    unlisted_ = false;
  }
  for (const ZELS3Node* n : settled_) nodes_.Unmark(n);
  settled_.clear();
}

// Visits n and the nodes above it (its fathers, and the nodes that hold it
// without a father link), depth first; visit(m) says whether to go on above
// m.
template <class Visit>
void NodeTable::WalkUp(const ZELS3Node* n, Visit visit) {
  std::vector<const ZELS3Node*> stack(1, n);
  while (!stack.empty()) {
    const ZELS3Node* m = stack.back();
    stack.pop_back();
    if (!visit(m)) continue;
    for (unsigned int i = 0; i < m->fathers.Count(); ++i) {
      if (m->fathers[i] != nullptr) stack.push_back(m->fathers[i]);
    }
    holders_.ForEach(m, [&](const ZELS3Node* h) { stack.push_back(h); });
  }
}

void NodeTable::Touched(const ZELS3Node* n) {
  if (Flags(n) == 0) {
    // Nothing was known of n, but what a build gives may change with it.
    if (Holds(n)) repeated_.Forget();
    return;
  }
  Unsettle();
  // Nothing is known of a node above one of which nothing is known.
  WalkUp(n, [this](const ZELS3Node* m) {
    const unsigned int flags = nodes_.Flags(m);
    if (flags == 0) return false;
    nodes_.SetFlags(m, 0);
    // m may be Equal to another node from now on: its entries are searched.
    if ((flags & kNeverAsked) != 0) SearchLoose(m);
    return true;
  });
}

RuleWatch::RuleWatch(NodeTable* table, const ZELS3Node* n)
    : table_(table != nullptr && table->Holds(n) ? table : nullptr),
      node_(n),
      type_(n->GetNodeType()) {
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
  if (same && node_->GetNodeType() == type_) return;
  table_->Changed(node_);
  table_->Touched(node_);
}

// Every entry of n, and of every node above it, is searched under its entry
// key from now on; what the finer index holds of them is passed over, and
// a finer key known again is forgotten.
void NodeTable::Changed(const ZELS3Node* n) {
  // The rule that runs decides when it ends (RuleWatch).
  if (n == quiet_ || !Holds(n)) return;
  Unsettle();
  const std::uint64_t* known = changed_.Get(n);
  if (known != nullptr && *known == 0) return;
  // The nodes above n change with it, and so do their finer keys. A node
  // whose key is unknown already has every node above it so: a key is
  // known again only over arguments whose keys are known.
  WalkUp(n, [this](const ZELS3Node* m) {
    if (!nodes_.Contains(m)) return false;
    if (std::uint64_t* key = changed_.Get(m)) {
      if (*key == 0) return false;
      *key = 0;  // its entries are loose already
      return true;
    }
    if (!changed_.Put(m, 0, true)) return false;
    SearchLoose(m);
    return true;
  });
}

// Whether registered candidate stands for node: it is node, or Equal to it
// and not known never to be.
bool NodeTable::StandsFor(const ZELS3Node* candidate, const ZELS3Node* node) const {
  return candidate == node ||
         ((nodes_.Flags(candidate) & kNeverAsked) == 0 && candidate->Equal(node));
}

// node's first entry under key, or -1: the entries of a node that was never
// Equal to another when entered sit in no chain, so a registered node is
// found by itself.
long NodeTable::OwnEntry(std::uint32_t last, std::uint32_t key) const {
  long own = -1;
  for (std::uint32_t p = last; p != 0; p = entries_[p - 1].previous) {
    if (entries_[p - 1].key == key) own = static_cast<long>(p - 1);
  }
  return own;
}

// The first entry in entry order that is node or Equal to node, or -1. An
// operation over leaves searches the finer index under fine, anything else
// the chain of its key; both search the loose entries beside them (entries
// of nodes changed in place since they were entered, sums and products
// over leaves that repeat a pair, nodes no longer known never to be Equal).
// Only the entries with node's label are met: the others are not Equal to
// it. Chains of other keys that share a slot are passed over.
long NodeTable::FirstMatch(const Probe& probe) {
  ZELS3Node* const node = probe.node;
  long best = OwnEntry(probe.last, probe.key);
  auto earlier = [&](unsigned int e) { return best < 0 || e < static_cast<unsigned long>(best); };
  auto matches = [&](unsigned int e) { return StandsFor(entries_[e].node, node); };
  auto other = [&](const Entry& entry) {
    return entry.key != probe.key || entry.label != probe.label;
  };
  // Both chains run in entry order.
  const bool byFine = probe.kind == Fine::Keyed;
  // Only an operation is Equal to an operation, and only one whose finer
  // key its arguments decide can be Equal to an entry under a finer key
  // (nodes Equal matches share type and argument count). Without room for
  // the whole index, the entries are searched one by one.
  const bool scan = !byFine && !IsLeafType(node->type) && MayHaveFineKey(node) && !IndexKeyed();
  for (unsigned int e = 0; scan && e < entries_.Size() && earlier(e); ++e) {
    const Entry& entry = entries_[e];
    if ((entry.unindexed || index_.Chained(e)) && !other(entry) && matches(e)) {
      best = e;
      break;
    }
  }
  KeyChains& chains = byFine ? fine_ : index_;
  for (unsigned int p = scan ? 0 : chains.First(byFine ? probe.fineChain : probe.chain); p != 0;
       p = chains.Next(p - 1)) {
    const unsigned int e = p - 1;
    if (e >= entries_.Size() || !earlier(e)) break;
    const Entry& entry = entries_[e];
    if (other(entry) || (byFine && (entry.fine != probe.fine || WasChanged(entry.node)))) {
      continue;
    }
    if (matches(e)) {
      best = e;
      break;
    }
  }
  // A loose entry whose node has a finer key again, another than node's,
  // is not Equal to it.
  std::uint64_t key = 0;
  auto apart = [&](unsigned int e) {
    return byFine && ArgKey(entries_[e].node, &key) && key != FineArgKey(probe.fine);
  };
  for (unsigned int p = loose_.First(probe.chain); p != 0; p = loose_.Next(p - 1)) {
    const unsigned int e = p - 1;
    if (e < entries_.Size() && !other(entries_[e]) && earlier(e) && !apart(e) && matches(e))
      best = e;
  }
  return best;
}

// The candidates under node's key, in entry order: node itself means it is
// registered already; the first that is Equal to node stands for it. A
// node that finds neither is entered under its key. A candidate that is
// never Equal to another node is passed over, and a node that no node is
// ever Equal to needs no search. An operation over leaves looks among the
// few entries of its finer key instead of the whole chain (sin(x1) and
// sin(x2) share a signature).
ZELS3Node* NodeTable::Add(ZELS3Node* node) {
  Probe probe{node, 0, KeyOf(node), Label(node), 0, Fine::None, 0, 0};
  // Only Add enters a node, and a node entered is never destroyed: a node
  // not registered has no entry.
  unsigned int flags = 0;
  const bool registered = !fresh_.Unentered(node) && nodes_.Get(node, &flags, &probe.last);
  if (!registered) flags = FlagsFor(node);
  // A node given again may have been signed anew.
  if (probe.last != 0 && entries_[probe.last - 1].label != probe.label) {
    Refile(probe.last, probe.label);
  }
  probe.chain = Chain(probe.key, probe.label);
  if (!IsLeafType(node->type)) {
    probe.kind = FineKeyOf(node, probe.key, &probe.fine);
  }
  bool noted = false;  // node is in holders_ for its arguments as they are now
  if (probe.kind == Fine::Keyed) {
    probe.fineChain = Chain(probe.fine, probe.label);
    // A node changed in place is keyed again by the arguments it has now,
    // once a change of any of them reaches it. A key known already was
    // noted so when it came back: a change since would have forgotten it.
    if (std::uint64_t* known = changed_.Get(node)) {
      noted = (*known & kKnownAgain) != 0 || NoteHolders(node);
      *known = noted ? kKnownAgain | probe.fine : 0;
    }
  }
  if ((flags & kNeverGiven) != 0) {
    if (registered) return node;
  } else {
    const long first = FirstMatch(probe);
#ifdef ZELTAV_TABLE_CHECKS
    CheckSearch(probe, first);
#endif
    if (first >= 0) return entries_[first].node;
  }
  const unsigned int position = entries_.Size();
  // Room in the index, and the node known, before it is entered (an entry
  // refers to another by a 30-bit position).
  if (position >= kMostEntries || !index_.Reserve(position)) return node;
  // What node is entered with depends on every argument: a change of one
  // whose father it is not reaches it through the note.
  if (!noted && (flags != 0 || probe.kind == Fine::Keyed) && !NoteHolders(node)) return node;
  // A node given again keeps its flags.
  std::uint32_t previous = 0;
  if (!nodes_.Enter(node, flags, &previous)) return node;
  fresh_.Entered(node);
  // Placed in the finer index (or with the loose entries) before the entry
  // exists, so that a failure leaves no entry the finer search cannot see.
  // A node never Equal to another is found only by itself (OwnEntry), so
  // its entry joins no chain: copies that can never be shared cost nothing
  // to later searches under their key.
  const bool searchable = (flags & kNeverAsked) == 0;
  // An operation whose arguments give it no finer key now may be Equal to
  // one searched under a finer key later, when they have keys again.
  const bool loose = WasChanged(node) || probe.kind == Fine::Loose ||
                     (probe.kind == Fine::None && !IsLeafType(node->type) && MayHaveFineKey(node));
  if (searchable && (loose ? !loose_.Add(probe.chain, position)
                           : probe.kind == Fine::Keyed && !fine_.Add(probe.fineChain, position))) {
    return node;
  }
  const bool keyed = probe.kind == Fine::Keyed && !WasChanged(node);
  const bool unindexed = searchable && keyed && !keyedIndexed_;
  const Entry entry{node, probe.key, previous, keyed, unindexed, probe.fine, probe.label};
  if (!entries_.Push(entry)) return node;
  nodes_.SetValue(node, position + 1);
  if (searchable && !unindexed) index_.Append(probe.chain, position);
  return node;
}

#ifdef ZELTAV_TABLE_CHECKS
// The search without any index: the entries under node's key and label in
// entry order, the first that is node or Equal to it. Equal may set an
// error code that the indexed search did not meet; the code is put back.
void NodeTable::CheckSearch(const Probe& probe, long found) {
  if (entries_.Size() > kMostChecked) return;
  const int error = ZELSymbolicCalculator::_Error;
  long first = -1;
  for (unsigned int e = 0; e < entries_.Size() && first < 0; ++e) {
    const Entry& entry = entries_[e];
    if (entry.key != probe.key || entry.label != probe.label) continue;
    if (StandsFor(entry.node, probe.node)) first = e;
  }
  ZELSymbolicCalculator::_Error = error;
  if (first == found) return;
  std::fprintf(stderr, "node table: the search found entry %ld, every entry in order %ld\n", found,
               first);
  std::abort();
}

bool NodeTable::CheckSelfEqual(const ZELS3Node* n) {
  if (n == checkedSelf_) return true;
  if (checkedSelf_ != nullptr) return false;  // the arguments of the node checked
  const int error = ZELSymbolicCalculator::_Error;
  ZELSymbolicCalculator::_Error = 0;
  checkedSelf_ = n;
  const int equal = n->Equal(n);
  checkedSelf_ = nullptr;
  const int set = ZELSymbolicCalculator::_Error;
  ZELSymbolicCalculator::_Error = error;
  if (equal == 1 && set == 0) return false;
  std::fprintf(stderr, "node table: a node known to be Equal to itself compares %d, error %d\n",
               equal, set);
  std::abort();
}
#endif

// index_ made anew with every searchable entry in entry order, each under
// its key and the label it has now: the chains Refile would have kept.
bool NodeTable::IndexKeyed() {
  if (keyedIndexed_) return true;
  KeyChains index;
  const unsigned int count = entries_.Size();
  for (unsigned int e = 0; e < count; ++e) {
    const Entry& entry = entries_[e];
    if ((entry.unindexed || index_.Chained(e)) && !index.Add(Chain(entry.key, entry.label), e)) {
      return false;
    }
  }
  index_.Swap(index);
  for (unsigned int e = 0; e < count; ++e) entries_[e].unindexed = 0;
  keyedIndexed_ = true;
  return true;
}

ZELS3Node* RepeatedBuilds::Find(const Key& key) const {
  const std::vector<std::uintptr_t>& operands = *key.operands;
  for (const Entry& e : entries_) {
    if (e.hash != key.hash || e.spelling != key.spelling || e.options != key.options ||
        e.count != operands.size()) {
      continue;
    }
    if (std::equal(operands.begin(), operands.end(), operands_.begin() + e.from)) return e.result;
  }
  return nullptr;
}

void RepeatedBuilds::Keep(const Key& key, ZELS3Node* result) {
  const std::vector<std::uintptr_t>& operands = *key.operands;
  if (stopped_ || operands.size() > kMostOperands) return;
  // Full: everything kept goes, and keeping starts again.
  if (entries_.size() == kMostEntries || operands_.size() + operands.size() > kMostOperands) {
    entries_.clear();
    operands_.clear();
  }
  const Entry entry{key.spelling, key.options, key.hash, operands_.size(), operands.size(), result};
  operands_.insert(operands_.end(), operands.begin(), operands.end());
  entries_.push_back(entry);
}

}  // namespace zeltav
