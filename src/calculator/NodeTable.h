// The calculator's private state behind its node-table pointer: the table
// that makes structurally equal nodes one object, and the side tables kept
// per node (nodes kept as built, the father sets of widely shared nodes).
// Everything here belongs to one calculator and ends with it.
//
// The table keeps its entries in the order they were made. An entry is a
// node and the key it was entered with: the node's signature, or for a
// variable its identifier (Equal matches two variables only when their
// identifiers agree, so this key never separates two nodes Equal matches).
// The candidates for a node are the entries under its key, in entry order,
// found through an index with one chain per key and label: the label of an
// entry is its node's as it is now (see Label), so that the nodes Equal
// turns away at once for a signature or name of their own are never met.
#ifndef ZELTAV_NODE_TABLE_H
#define ZELTAV_NODE_TABLE_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ZELTavSymbolicCalculator/Node.h"
#include "calculator/FlatMap.h"
#include "calculator/RecordIndex.h"
#include "collections/CellPool.h"
#include "collections/SlotArena.h"
#include "collections/TableMemory.h"

namespace zeltav {

// Whether an open-addressing table of capacity slots may hold count
// entries: at most three quarters full. The node set and the key index hold
// an entry per node, so their load sets the table's memory; at this load a
// search still reads one or two cache lines.
inline bool Roomy(unsigned int count, unsigned int capacity) {
  return count <= capacity - capacity / 4;
}

// A growable array that reports a failed allocation instead of throwing.
template <class T>
class Array {
 public:
  Array() = default;
  Array(const Array&) = delete;
  Array& operator=(const Array&) = delete;
  ~Array() { DeleteTable(items_, capacity_); }
  unsigned int Size() const { return size_; }
  T& operator[](unsigned int i) { return items_[i]; }
  const T& operator[](unsigned int i) const { return items_[i]; }
  bool Push(const T& item);

 private:
  T* items_ = nullptr;
  unsigned int size_ = 0;
  unsigned int capacity_ = 0;
};

// A set of node pointers, each with a few flag bits (open addressing;
// nodes are only ever added).
class NodeSet {
 public:
  NodeSet() = default;
  NodeSet(const NodeSet&) = delete;
  NodeSet& operator=(const NodeSet&) = delete;
  ~NodeSet() { DeleteTable(slots_, capacity_); }
  bool Contains(const ZELS3Node* n) const { return Find(n) != nullptr; }
  // A number kept with each node when the set is made with values (0 until
  // set).
  explicit NodeSet(bool valued) : valued_(valued) {}
  std::uint32_t Value(const ZELS3Node* n) const;
  unsigned int Flags(const ZELS3Node* n) const;
  // Whether n is here, with its flags and value, in one search.
  bool Get(const ZELS3Node* n, unsigned int* flags, std::uint32_t* value) const;
  // Adds n with no flags when absent; false when it could not be stored.
  bool Insert(const ZELS3Node* n) {
    unsigned int at = 0;
    return Enter(n, 0, &at);
  }
  // Adds n with flags when absent (a node there keeps its own); *at is its
  // slot until the set next grows. False when it could not be stored.
  bool Enter(const ZELS3Node* n, unsigned int flags, unsigned int* at);
  // The value kept in slot at, without the mark; setting it clears the mark.
  std::uint32_t ValueAt(unsigned int at) const { return slots_[at].value & ~kMarkBit; }
  void SetValueAt(unsigned int at, std::uint32_t value) {
    if (valued_) slots_[at].value = value & ~kMarkBit;
  }
  void SetFlags(const ZELS3Node* n, unsigned int flags);
  // One mark per node of a valued set, kept in the top bit of its value
  // (entry positions take 31 bits); setting the value clears it.
  bool Marked(const ZELS3Node* n) const;
  // Marks n when it is there with every flag of flags and not marked yet;
  // false when nothing was marked.
  bool Mark(const ZELS3Node* n, unsigned int flags);
  void Unmark(const ZELS3Node* n);
  void UnmarkAll();
  unsigned int Size() const { return count_; }
  // Every node here whose value is 0, read from the set alone.
  template <class F>
  void ForEachWithoutValue(F f) const {
    for (unsigned int i = 0; i < capacity_; ++i) {
      if (slots_[i].word != 0 && ValueAt(i) == 0)
        f(reinterpret_cast<ZELS3Node*>(slots_[i].word & ~kFlagMask));
    }
  }

  static const std::uintptr_t kFlagMask = 7u;
  static const std::uint32_t kMarkBit = 0x80000000u;

 private:
  // A node's word and value side by side: a lookup reads one cache line.
  struct Slot {
    std::uintptr_t word;  // node address | flags; 0 for empty
    std::uint32_t value;  // 0 in a set without values
  };
  const Slot* Find(const ZELS3Node* n) const;
  Slot* Find(const ZELS3Node* n) {
    return const_cast<Slot*>(static_cast<const NodeSet*>(this)->Find(n));
  }
  bool Grow();

  Slot* slots_ = nullptr;
  unsigned int capacity_ = 0;  // a power of two
  unsigned int count_ = 0;
  bool valued_ = false;
};

// The registered nodes, each with its flags, its value (the node's last
// entry position + 1) and its mark, as a valued NodeSet keeps them. A node
// whose record is in the table's pool keeps them in the record's tag,
// read by address where the set would cost a probe of a table of
// megabytes per node; any other (a host's own record, or one made while
// the pool had no room) in the set.
class RegisteredNodes {
 public:
  explicit RegisteredNodes(CellPool& pool) : pool_(pool) {}
  RegisteredNodes(const RegisteredNodes&) = delete;
  RegisteredNodes& operator=(const RegisteredNodes&) = delete;

  bool Contains(const ZELS3Node* n) const {
    return pool_.Owns(n) ? (pool_.Tag(n) & kPresent) != 0 : others_.Contains(n);
  }
  std::uint32_t Value(const ZELS3Node* n) const {
    return pool_.Owns(n) ? ValueOf(pool_.Tag(n)) : others_.Value(n);
  }
  unsigned int Flags(const ZELS3Node* n) const {
    return pool_.Owns(n) ? FlagsOf(pool_.Tag(n)) : others_.Flags(n);
  }
  bool Get(const ZELS3Node* n, unsigned int* flags, std::uint32_t* value) const;
  // Adds n with flags when absent (a node there keeps its own); its value
  // goes to *value. False when it could not be stored.
  bool Enter(const ZELS3Node* n, unsigned int flags, std::uint32_t* value);
  // Sets n's value, which clears its mark; n is here.
  void SetValue(const ZELS3Node* n, std::uint32_t value);
  void SetFlags(const ZELS3Node* n, unsigned int flags);
  bool Marked(const ZELS3Node* n) const;
  // Marks n when it is here with every flag of flags and not marked yet;
  // false when nothing was marked.
  bool Mark(const ZELS3Node* n, unsigned int flags);
  void Unmark(const ZELS3Node* n);
  void UnmarkAll();
  unsigned int Size() const { return count_ + others_.Size(); }
  // Every node here whose value is 0.
  template <class F>
  void ForEachWithoutValue(F f) const {
    pool_.ForEachCell([&](void* record, std::uint64_t tag) {
      if ((tag & kPresent) != 0 && static_cast<std::uint32_t>(tag) == 0) {
        f(static_cast<ZELS3Node*>(record));
      }
    });
    others_.ForEachWithoutValue(f);
  }

 private:
  // A tag: the value and mark in the low word, the flags above them, and
  // whether the node is here.
  static const std::uint64_t kPresent = std::uint64_t{1} << 40;
  static std::uint32_t ValueOf(std::uint64_t tag) {
    return static_cast<std::uint32_t>(tag) & ~NodeSet::kMarkBit;
  }
  static unsigned int FlagsOf(std::uint64_t tag) {
    return static_cast<unsigned int>(tag >> 32) & NodeSet::kFlagMask;
  }

  CellPool& pool_;
  NodeSet others_{true};
  unsigned int count_ = 0;
};

// A set of (node, father) pairs: the father sets of widely shared nodes,
// all in one open-addressing table (linear probing, deletion by shifting
// back), each pair with the father's position in the node's father vector,
// so that a father goes without a scan. The pair (node, null) marks a node
// whose fathers are mirrored here and holds how many are: a node's first m
// fathers. Fathers are appended unmirrored, and most are never asked
// about; the mirror catches up when one is.
class FatherPairs {
 public:
  // Only nodes with more fathers than this are marked.
  static const unsigned int kIndexed = 32;

  FatherPairs() = default;
  FatherPairs(const FatherPairs&) = delete;
  FatherPairs& operator=(const FatherPairs&) = delete;
  ~FatherPairs() { DeleteTable(slots_, capacity_); }
  bool Contains(const ZELS3Node* a, const ZELS3Node* f) const { return Locate(a, f) != nullptr; }
  bool Marked(const ZELS3Node* a) const { return Locate(a, nullptr) != nullptr; }
  // Whether a is marked; how many of its fathers are mirrored goes to *m.
  bool Mirrored(const ZELS3Node* a, unsigned int* m) const {
    const Slot* mark = Locate(a, nullptr);
    if (mark != nullptr) *m = mark->index;
    return mark != nullptr;
  }
  // Marks a when it is not, and mirrors the fathers past the mirrored ones;
  // false, with a's mirror dropped, when a pair could not be stored.
  bool CatchUp(const ZELS3Node* a, const ZELICVectorImp_ZELS3Node& fathers);
  // Drops a's mark and the pairs of its mirrored fathers.
  void Drop(const ZELS3Node* a, const ZELICVectorImp_ZELS3Node& fathers);
  // Stores the pair at position index, or moves a stored pair there; false
  // when the pair could not be stored.
  bool Insert(const ZELS3Node* a, const ZELS3Node* f, unsigned int index = 0);
  // Whether the pair was there; its position goes to *index.
  bool Erase(const ZELS3Node* a, const ZELS3Node* f, unsigned int* index = nullptr);

 private:
  struct Slot {
    const ZELS3Node* a;  // null for an empty slot
    const ZELS3Node* f;
    unsigned int index;
  };
  unsigned int Home(const ZELS3Node* a, const ZELS3Node* f) const;
  Slot* Locate(const ZELS3Node* a, const ZELS3Node* f) const;
  bool Grow();

  Slot* slots_ = nullptr;
  unsigned int capacity_ = 0;  // a power of two
  unsigned int count_ = 0;
};

// Registered nodes that hold an argument without being among its fathers:
// a sum or product that merged two pairs of one operand lost that link,
// *(e, 1, e, 1) -> *(e, 2). What the table knows of such a node (its flags,
// its finer key) depends on the argument all the same, so a change of the
// argument reaches it through these lists as it reaches fathers through
// theirs.
class Holders {
 public:
  Holders() = default;
  Holders(const Holders&) = delete;
  Holders& operator=(const Holders&) = delete;
  // Notes that holder holds a; false when it could not be noted. A holder
  // noted twice is met twice.
  bool Add(const ZELS3Node* a, const ZELS3Node* holder);
  // Calls f on every holder noted for a, the last noted first.
  template <class F>
  void ForEach(const ZELS3Node* a, F f) const {
    const std::uint32_t* first = first_.Get(a);
    for (std::uint32_t p = first != nullptr ? *first : 0; p != 0; p = links_[p - 1].next) {
      f(links_[p - 1].holder);
    }
  }

 private:
  struct Link {
    const ZELS3Node* holder;
    std::uint32_t next;  // the link noted before for the same argument + 1; 0 for none
  };
  FlatMap<const ZELS3Node*, std::uint32_t, NodeHash> first_;  // argument -> its last link + 1
  Array<Link> links_;
};

// The nodes that have the operation made last among their fathers, for as
// long as it is new. A node just made is nobody's father, and its links are
// made while it is followed, so whether it is a node's father is answered
// here, from a small table, instead of from the fathers of a widely shared
// node. Made anew per node by a generation count.
class FreshLinks {
 public:
  FreshLinks() = default;
  FreshLinks(const FreshLinks&) = delete;
  FreshLinks& operator=(const FreshLinks&) = delete;
  ~FreshLinks() { delete[] slots_; }
  // The node followed, or null.
  const ZELS3Node* Node() const { return node_; }
  // Whether n is the node followed and the table has not entered it yet:
  // such a node is in no table set, so nothing need be looked up for it.
  bool Unentered(const ZELS3Node* n) const { return n == node_ && !entered_; }
  void Entered(const ZELS3Node* n) {
    if (n == node_) entered_ = true;
  }
  // Follows f, which was just made; the node followed before is let go.
  void Follow(const ZELS3Node* f);
  void Stop() { Follow(nullptr); }
  bool Contains(const ZELS3Node* a) const;
  // Notes that a has the followed node among its fathers; false when it
  // had it already. Out of memory, the node is let go.
  bool Claim(const ZELS3Node* a);
  void Erase(const ZELS3Node* a);

 private:
  struct Slot {
    const ZELS3Node* a;
    std::uint32_t generation;  // the slot is empty unless it is the current one
  };
  unsigned int Home(const ZELS3Node* a) const;
  bool Used(unsigned int i) const { return slots_[i].generation == generation_; }
  bool Grow();

  const ZELS3Node* node_ = nullptr;
  bool entered_ = false;
  Slot* slots_ = nullptr;
  unsigned int capacity_ = 0;  // a power of two
  unsigned int count_ = 0;
  std::uint32_t generation_ = 1;
};

// Long operations built again from the same operands: the node the table
// handed back the last time, so that a rebuild links, normalises and
// unlinks nothing. A build is kept only when building it again must give
// the same node without a trace (see NodeBuilder::Recall): no error was
// set, no registered node changed in place, no variable record exists and
// the result is known to be Equal to itself. Anything that could change
// what a build gives (an in-place change of a registered node, a variable
// record) forgets every build; the options are compared per build.
class RepeatedBuilds {
 public:
  // Shorter operand lists are built again: they cost little, and keeping
  // them would cost memory per expression.
  static const unsigned int kFrom = 32;

  // What a build is known by: the spelling, the options, and every operand,
  // with a low bit set when its rule reads that it has no father yet (see
  // WaitsForFather; a node kept as built reads it too).
  struct Key {
    unsigned int spelling;
    unsigned int options;
    std::uint64_t hash;
    const std::vector<std::uintptr_t>* operands;
  };
  // The node kept for key, or null.
  ZELS3Node* Find(const Key& key) const;
  void Keep(const Key& key, ZELS3Node* result);
  // Every kept build goes; a change count tells a build that something did
  // while it ran.
  void Forget() {
    ++changes_;
    if (entries_.empty()) return;
    entries_.clear();
    operands_.clear();
  }
  std::uint64_t Changes() const { return changes_; }
  // From the first variable record on, nothing is kept: a host may change
  // a record it holds without a word.
  void StopKeeping() {
    Forget();
    stopped_ = true;
  }
  bool Keeping() const { return !stopped_; }

 private:
  struct Entry {
    unsigned int spelling;
    unsigned int options;
    std::uint64_t hash;
    std::size_t from;
    std::size_t count;
    ZELS3Node* result;
  };
  static const std::size_t kMostEntries = 64;
  static const std::size_t kMostOperands = std::size_t{1} << 20;
  std::vector<Entry> entries_;
  std::vector<std::uintptr_t> operands_;
  std::uint64_t changes_ = 0;
  bool stopped_ = false;
};

// The results of one top-level Equal for the pairs of operations it meets,
// forgotten when it returns (a generation count empties the table at once).
class EqualMemo {
 public:
  EqualMemo() = default;
  EqualMemo(const EqualMemo&) = delete;
  EqualMemo& operator=(const EqualMemo&) = delete;
  ~EqualMemo() { delete[] slots_; }
  bool Find(const ZELS3Node* a, const ZELS3Node* b, int* result) const;
  void Enter() { ++depth_; }
  // Records the result of comparing a with b; the outermost call ends the
  // generation.
  void Leave(const ZELS3Node* a, const ZELS3Node* b, int result);

 private:
  struct Slot {
    const ZELS3Node* a;
    const ZELS3Node* b;
    std::uint32_t generation;  // the slot is empty unless it is the current one
    int result;
  };
  unsigned int Home(const ZELS3Node* a, const ZELS3Node* b) const;
  bool Grow();

  Slot* slots_ = nullptr;
  unsigned int capacity_ = 0;  // a power of two
  unsigned int count_ = 0;     // slots of the current generation
  std::uint32_t generation_ = 1;
  unsigned int depth_ = 0;
};

// Entry positions grouped by a 32-bit key: one slot per distinct key, and
// the positions of a key linked in the order they were added, so that
// adding stays constant time however many entries share a key. A position
// can move to another key's chain, where it takes the place its order of
// addition gives it.
class KeyChains {
 public:
  // Stamped chains order a moved position by when it was added; others by
  // position (positions are then added in increasing order).
  explicit KeyChains(bool stamped = false) : stamped_(stamped) {}
  KeyChains(const KeyChains&) = delete;
  KeyChains& operator=(const KeyChains&) = delete;
  ~KeyChains() {
    DeleteTable(heads_, capacity_);
    DeleteTable(links_, linkCapacity_);
    DeleteTable(stamps_, stamps_ != nullptr ? linkCapacity_ : 0);
  }
  // Room for one more key and for position; false when it could not be made.
  bool Reserve(unsigned int position);
  // Appends position to key's chain, after Reserve(position); a position
  // already in a chain stays where it is.
  void Append(std::uint32_t key, unsigned int position);
  bool Add(std::uint32_t key, unsigned int position) {
    if (!Reserve(position)) return false;
    Append(key, position);
    return true;
  }
  // Room for one more key; false when it could not be made.
  bool Room() { return Roomy(keys_ + 1, capacity_) || GrowHeads(); }
  bool Chained(unsigned int position) const {
    return position < linkCapacity_ && links_[position] != 0;
  }
  void Swap(KeyChains& other);
  // Moves position from from's chain to to's; false, and nothing moved,
  // when it is not in from's chain or there is no room for a new key.
  bool Move(std::uint32_t from, std::uint32_t to, unsigned int position);
  // The first position of key's chain + 1, or 0 for none.
  unsigned int First(std::uint32_t key) const;
  // The position after position in its chain + 1, or 0 at the end.
  unsigned int Next(unsigned int position) const {
    return links_[position] >= 2 ? links_[position] - 1 : 0;
  }

 private:
  struct Head {
    std::uint32_t key;
    std::uint32_t first;  // position + 1; 0 for an empty chain
    std::uint32_t last;   // position + 1; kNoLast for an empty chain, 0 for an empty slot
  };
  static const std::uint32_t kNoLast = 0xffffffffu;
  Head* Find(std::uint32_t key) const;
  bool GrowHeads();
  // The head of key's chain, made empty when key has none (room reserved).
  Head* Open(std::uint32_t key);
  std::uint32_t Order(unsigned int position) const {
    return stamped_ ? stamps_[position] : position;
  }
  // Links position into head's chain by its order.
  void Insert(Head* head, unsigned int position);

  Head* heads_ = nullptr;
  unsigned int capacity_ = 0;  // a power of two
  unsigned int keys_ = 0;
  // Per position: 0 when not chained, 1 when last, q + 2 when q follows.
  std::uint32_t* links_ = nullptr;
  std::uint32_t* stamps_ = nullptr;  // per position, when stamped: its order of addition
  unsigned int linkCapacity_ = 0;
  std::uint32_t stamp_ = 0;
  bool stamped_;
};

class NodeTable {
 public:
  // What is known of a registered node, as flags set when it is entered and
  // cleared when its arguments change in place (or an argument's do):
  // never Equal to another node as the node asked, never as the node given
  // (both: a constant variable or NaN constant that every rule reads), and
  // known to be Equal to itself. A clear flag only means "not known".
  static const unsigned int kNeverAsked = 1u;
  static const unsigned int kNeverGiven = 2u;
  static const unsigned int kSelfEqual = 4u;

  NodeTable() = default;
  NodeTable(const NodeTable&) = delete;
  NodeTable& operator=(const NodeTable&) = delete;

  // A node record and the table's word for it, in one cell of the pool.
  static const std::size_t kNodeCell = (8 + sizeof(ZELS3Node) + 15) / 16 * 16;
  static_assert(alignof(ZELS3Node) <= 8, "a record follows its cell's tag word");
  // Memory for a node record, or null (the record then comes from the heap).
  void* RecordMemory() { return pool_.Allocate(); }
  // Destroys n and frees its record, from the pool or the heap.
  void Destroy(ZELS3Node* n);

  // The registered node that stands for node (see AddNode).
  ZELS3Node* Add(ZELS3Node* node);
  bool Holds(const ZELS3Node* node) const {
    return !fresh_.Unentered(node) && nodes_.Contains(node);
  }
  // Whether leaf x, linked as an operand in context, is linked as it is:
  // it is registered, and no option replaces it (a variable with a fixed
  // value under substitution, or with a linear definition inside a sum
  // under elimination).
  bool StandsForItself(const ZELS3Node* x, ZELNodeType context) const;
  // Number of entries; a node signed anew may have been entered twice.
  unsigned int Entries() const { return entries_.Size(); }
  // Every registered node once: by its first entry, in entry order (about
  // the order the nodes were made, so that freeing them all walks memory
  // forwards instead of in hash order), then the few a failed entry left
  // without one. f may destroy the node it is given.
  template <class F>
  void ForEachNode(F f) const {
    for (unsigned int e = 0; e < entries_.Size(); ++e) {
      if (entries_[e].previous == 0) f(entries_[e].node);
    }
    nodes_.ForEachWithoutValue(f);
  }

  unsigned int Flags(const ZELS3Node* n) const { return fresh_.Unentered(n) ? 0 : nodes_.Flags(n); }
  // Whether n is known to be Equal to itself, with nothing for Equal to
  // report (the table checks compare it one level down first).
  bool KnownEqualToItself(const ZELS3Node* n) {
    if ((Flags(n) & kSelfEqual) == 0) return false;
#ifdef ZELTAV_TABLE_CHECKS
    return !CheckSelfEqual(n);
#else
    return true;
#endif
  }
  // A key for n that nodes Equal matches share, when the table has one: a
  // leaf's value, or the finer key of an operation entered under one and
  // unchanged since. Two nodes with different keys are not Equal, and
  // Equal finds that without setting an error.
  bool EqualKey(const ZELS3Node* n, std::uint64_t* key) const { return ArgKey(n, key); }
  // n's arguments change in place: what was known of it and of every node
  // above it is forgotten.
  void Touched(const ZELS3Node* n);
  // n's arguments, type or name change in place (any n, registered or not):
  // its entries leave the finer index for good (see Add).
  void Changed(const ZELS3Node* n);
  // n's name has just changed in place: its entries are filed under its
  // label anew.
  void Renamed(const ZELS3Node* n);
  // Whether a change of n's arguments is to be heard of link by link: not
  // while n's own rule runs (see RuleWatch).
  bool Watched(const ZELS3Node* n) const { return n != quiet_; }

  // n lost the father link of an argument that it still holds: what its
  // arguments know no longer reaches it, so nothing is known of it.
  void Unlinked(const ZELS3Node* n) { Touched(n); }

  // Sums and products whose rule, run again, would give them back as they
  // are: the rule left them so (see SumLeftAsIs, ProductLeftAsIs), they are
  // known to be Equal to themselves (so comparing their terms or factors
  // sets no error), and no registered node changed in place since, which
  // could make two of their terms Equal or an earlier node Equal to them.
  bool Settled(const ZELS3Node* n) const { return !fresh_.Unentered(n) && nodes_.Marked(n); }
  void Settle(const ZELS3Node* n);

  bool IsKeptAsBuilt(const ZELS3Node* n) const { return kept_.Contains(n); }
  bool KeepsAnyAsBuilt() const { return kept_.Size() != 0; }
  // A node kept as built is copied when it comes back as an operand: what a
  // build over it gives changes.
  void KeepAsBuilt(const ZELS3Node* n) {
    repeated_.Forget();
    kept_.Insert(n);
  }

  // The fathers of nodes with many fathers (see NodeLinks.cpp).
  FatherPairs& Fathers() { return fathers_; }
  FreshLinks& Fresh() { return fresh_; }
  EqualMemo& Memo() { return memo_; }
  RepeatedBuilds& Repeated() { return repeated_; }
  // Counts what may change the node a build gives: in-place changes of
  // registered nodes, nodes kept as built, variable records.
  std::uint64_t Changes() const { return repeated_.Changes(); }
  // The linear-variable records by identifier.
  RecordIndex& LinearRecords() { return linearRecords_; }

 private:
  struct Entry {
    ZELS3Node* node;
    std::uint32_t key;
    std::uint32_t previous : 30;  // the node's previous entry position + 1; 0 for none
    std::uint32_t keyed : 1;      // entered under the finer key fine
    std::uint32_t unindexed : 1;  // searched under its key, but not yet in index_
    std::uint32_t fine;
    std::uint32_t label;  // the node's label (see Label), under which the entry is filed
  };
  // The flags of a node about to be entered, from its arguments'.
  unsigned int FlagsFor(const ZELS3Node* node);
  // Notes node in holders_ for each of its arguments that is an operation
  // and does not have it among its fathers; false when one could not be
  // noted.
  bool NoteHolders(const ZELS3Node* node);
  // A leaf's flags, read from the leaf alone.
  static unsigned int LeafFlags(const ZELS3Node* leaf);
  // Whether f is among a's fathers.
  bool IsFatherOf(const ZELS3Node* f, const ZELS3Node* a);
  // Entries refer to each other by 30-bit positions.
  static const unsigned int kMostEntries = (1u << 30) - 1;
  enum class Fine { None, Keyed, Loose };
  static bool LeafKey(const ZELS3Node* n, std::uint64_t* key);
  bool ArgKey(const ZELS3Node* n, std::uint64_t* key) const;
  Fine FineKeyOf(const ZELS3Node* n, std::uint32_t signature, std::uint32_t* fine) const;
  // Whether n's type and argument count allow a finer key, which its
  // arguments' keys then decide.
  static bool MayHaveFineKey(const ZELS3Node* n);
  static std::uint32_t Label(const ZELS3Node* n);
  // The chain of the entries under key (or finer key) whose nodes have label.
  static std::uint32_t Chain(std::uint32_t key, std::uint32_t label);
  // Files the entries of a node, the last at last - 1, under label, the
  // label the node has now.
  void Refile(std::uint32_t last, std::uint32_t label);
  // Every entry of n joins the loose entries, searched under its key.
  void SearchLoose(const ZELS3Node* n);
  // A node looked up, with what Add works out once for the search and the
  // entry.
  struct Probe {
    ZELS3Node* node;
    std::uint32_t last;  // the position + 1 of node's last entry, 0 for none
    std::uint32_t key;
    std::uint32_t label;
    std::uint32_t chain;  // Chain(key, label)
    Fine kind;
    std::uint32_t fine;
    std::uint32_t fineChain;  // Chain(fine, label) when kind is Keyed
  };
  bool StandsFor(const ZELS3Node* candidate, const ZELS3Node* node) const;
  long OwnEntry(std::uint32_t last, std::uint32_t key) const;
  long FirstMatch(const Probe& probe);
#ifdef ZELTAV_TABLE_CHECKS
  // Aborts when FirstMatch found another entry than a search of every
  // entry would; tables of more entries are not checked.
  void CheckSearch(const Probe& probe, long found);
  static const unsigned int kMostChecked = 1u << 14;
  // Aborts when n, known to be Equal to itself, does not compare so one
  // level down (its arguments taken at their flags), or the comparison
  // sets an error. True while n itself is compared for that check.
  bool CheckSelfEqual(const ZELS3Node* n);
  const ZELS3Node* checkedSelf_ = nullptr;
#endif
  // Puts the entries kept out of index_ into it; false, and nothing
  // changed, when there was no room.
  bool IndexKeyed();
  bool PushChanged(unsigned int position);
  // A registered node changed in place: no sum is settled any more.
  void Unsettle();
  // Visits n and the nodes above it as far as visit lets it (Touched,
  // Changed).
  template <class Visit>
  void WalkUp(const ZELS3Node* n, Visit visit);

  Array<Entry> entries_;
  // Every entry under its key. For operations only a search by key alone
  // reads it: a search with a finer key finds an operation entered under
  // one in the finer index. Such entries join index_ at the first search
  // of an operation by key alone (IndexKeyed), and from then on as they
  // are entered; until then a new operation costs one table slot less.
  KeyChains index_;
  bool keyedIndexed_ = false;
  // The finer index: entries whose node, when entered, held only leaves
  // (see FineKeyOf), under a key made of the signature and those leaves.
  KeyChains fine_;
  // Searched beside the finer index and the key chains, under the entry key:
  // every entry of a node changed in place since it was first entered, of
  // sums and products over leaves that repeat a pair, and of nodes entered
  // as never Equal to another that are no longer known to be.
  KeyChains loose_{true};
  // The nodes changed in place since they were first entered, each with
  // its finer key as it is now: 0 while unknown, or kKnownAgain | the key
  // its arguments gave it when it was last given to Add, which holds until
  // the next change at or below it (see Changed). Their entries stay with
  // the loose entries either way.
  FlatMap<const ZELS3Node*, std::uint64_t, NodeHash> changed_;
  static const std::uint64_t kKnownAgain = std::uint64_t{1} << 32;
  bool WasChanged(const ZELS3Node* n) const { return changed_.Get(n) != nullptr; }
  // ArgKey of an operation with finer key fine.
  static std::uint64_t FineArgKey(std::uint32_t fine) {
    return (std::uint64_t{fine} << 16) ^ 0x3c6ef372fe94f82bull;
  }
  // Node records, with the table's word per node beside each.
  CellPool pool_{kNodeCell};
  SlotArena slotArena_{pool_};    // the slot arrays of the records in pool_
  RegisteredNodes nodes_{pool_};  // value: the node's last entry position + 1; mark: settled
  // The nodes settled since the last change, unless there were too many to
  // list: then every mark is cleared at the next change.
  std::vector<const ZELS3Node*> settled_;
  bool unlisted_ = false;
  Holders holders_;
  friend class RuleWatch;
  const ZELS3Node* quiet_ = nullptr;      // the node whose rule runs
  std::vector<const ZELS3Node*> before_;  // the arguments of the nodes whose rules run
  NodeSet kept_;                          // nodes registered as they were built, not rewritten
  FatherPairs fathers_;
  FreshLinks fresh_;
  EqualMemo memo_;
  RepeatedBuilds repeated_;
  RecordIndex linearRecords_;
};

// The rule of a registered node rewrites it in place, usually into what it
// was: the table compares the arguments before and after instead of
// forgetting what it knew at the first link the rule touches.
class RuleWatch {
 public:
  RuleWatch(NodeTable* table, const ZELS3Node* n);
  ~RuleWatch();
  RuleWatch(const RuleWatch&) = delete;
  RuleWatch& operator=(const RuleWatch&) = delete;

 private:
  NodeTable* table_;
  const ZELS3Node* node_;
  ZELNodeType type_;
  const ZELS3Node* outer_ = nullptr;
  std::size_t from_ = 0;
};

// A 64-bit mix of z, for keys and hash homes.
std::uint32_t Mix(std::uint64_t z);

// The keys seen so far, for at most n of them: a few are compared in
// place, more are entered in a set (open addressing; 0 marks an empty
// slot, so a key 0 is noted apart).
class DistinctKeys {
 public:
  explicit DistinctKeys(std::size_t n);
  // False when key was entered before.
  bool Insert(std::uint64_t key);

 private:
  static const unsigned int kFew = 8;
  std::uint64_t few_[kFew];
  unsigned int count_ = 0;  // keys in few_, while slots_ is empty
  std::vector<std::uint64_t> slots_;
  unsigned int mask_ = 0;
  bool zero_ = false;
};

// The current calculator's table, or null.
NodeTable* CurrentTable();
// n's arguments or type are about to change in place, outside the link
// functions: tells the current calculator's table (NodeTable::Changed).
void NoteChanged(const ZELS3Node* n);
// Whether f.ReplaceArg(a, i), with a already at i, leaves a's fathers as
// they are: a keeps none, or f is the last (it goes and is linked again).
bool RelinkKeepsFathers(const ZELS3Node* a, const ZELS3Node* f);
// n was just made, or is being destroyed (see FreshLinks).
void NoteMade(const ZELS3Node* n);
void NoteDestroyed(const ZELS3Node* n);
// Destroys n, made by the current calculator or by a host, and frees its
// record.
void DeleteNode(ZELS3Node* n);

}  // namespace zeltav

#endif
