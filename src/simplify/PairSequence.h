// The rewriting shared by sums and products, in place over the node's
// argument list read as pairs (first, second): (coefficient, term) for a
// sum, (factor, exponent) for a product. Three steps, each over the pairs
// from the last to the first, with a small policy per operation:
//   Flatten  +(c, +(c1, t1)) -> +(c*c1, t1)       a pair replaced by pieces at the end
//   Merge    +(1, x, 2, x)   -> +(3, x, 0, x)     a later like pair merged into an earlier one
//   Drop     +(3, x, 0, x)   -> +(3, x)           pairs that say nothing removed
// The father links change in the order the step-by-step rewrite would change
// them; the argument array itself is rebuilt once per step.
#ifndef ZELTAV_PAIR_SEQUENCE_H
#define ZELTAV_PAIR_SEQUENCE_H

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <unordered_map>
#include <vector>

#include "ZELTavSymbolicCalculator/Calculator.h"
#include "collections/InPlaceList.h"

namespace zeltav {

class NodeTable;

// Where the merge looks for like pairs. Positions are chained to the
// nearest earlier position with a key of the same signature; with a node
// table, keys it can name exactly (leaves, and operations it keyed) are
// also chained by that name, and a key is then compared only with keys of
// the same name and with those the table cannot name (Equal matches only
// keys of one name, and telling two named keys apart sets no error).
// When some signature is shared by many positions, leaves and a node
// standing at several positions also get a class of exactly the keys Equal
// would match, so that only those are visited and no Equal is asked.
class LikeKeys {
 public:
  static constexpr int kNone = -1;                         // equals no other key
  static constexpr int kByEqual = -2;                      // only Equal can tell
  static constexpr unsigned int kEnd = ~0u;                // no position
  using Position = std::pair<unsigned int, unsigned int>;  // (signature, position)

  // table, when given, names keys (see above); it must not change while
  // the keys are looked up.
  LikeKeys(const std::vector<ZELS3Node*>& keys, const NodeTable* table);
  // Whether table names every key and no two keys share a name: then no
  // key is Equal to another.
  static bool AllApart(const std::vector<ZELS3Node*>& keys, const NodeTable* table);
  // Whether there are classes at all: they are made only when some
  // signature is shared by many positions, where asking Equal of each
  // would cost more than sorting keys.
  bool Keyed() const { return keyed_; }
  int ClassOf(const ZELS3Node* t) const;
  // The nearest position below bound in class c; false when none.
  bool Below(int c, unsigned int bound, unsigned int* at) const;
  // Positions below bound in class c marked special, nearest first.
  void SpecialBelow(int c, unsigned int bound, std::vector<unsigned int>* out) const;
  void Mark(unsigned int k, bool special);

  // The positions below bound whose key may be Equal to t, nearest first:
  // t is the key at position at, or a key not among them when at is kEnd.
  class Candidates {
   public:
    // The next position; false when there is none.
    bool Next(unsigned int* e);

   private:
    friend class LikeKeys;
    const unsigned int* chain_[2] = {nullptr, nullptr};
    unsigned int at_[2] = {kEnd, kEnd};
  };
  Candidates Near(const ZELS3Node* t, unsigned int at, unsigned int bound) const;

 private:
  // Signature, a type or kPointer, and the leaf's identifier, value or byte,
  // or the node's address.
  struct Key {
    unsigned int signature;
    int type;
    unsigned long long bits;
    bool operator<(const Key& o) const;
    bool operator==(const Key& o) const;
  };
  static constexpr int kPointer = 1000;
  static bool KeyOfLeaf(const ZELS3Node* t, Key* key);
  bool Find(const Key& key, int* c) const;
  // The name of t, when the table gives one.
  bool NameOf(const ZELS3Node* t, unsigned long long* name) const;
  // Slots of the signatures, and of the (signature, name) pairs.
  struct SignatureSlot {
    unsigned int signature;
    unsigned int count;  // 0 for an empty slot
    unsigned int last;
    unsigned int lastUnnamed;
  };
  struct NameSlot {
    unsigned long long name;
    unsigned int signature;
    unsigned int last;  // kEnd for an empty slot
  };
  const SignatureSlot* FindSignature(unsigned int sig) const;
  // The last position with signature sig and name, or kEnd.
  unsigned int LastNamed(unsigned int sig, unsigned long long name) const;
  void MakeClasses(const std::vector<ZELS3Node*>& keys);
  void FindRepeated(const std::vector<ZELS3Node*>& keys);

  const NodeTable* table_;
  // Per position: the key's signature when made; the nearest earlier
  // position of the same signature, of the same signature without a name,
  // and of the same signature and name; whether the key has a name.
  std::vector<unsigned int> signatureAt_;
  std::vector<unsigned int> sameSignature_;
  std::vector<unsigned int> unnamedBefore_;
  std::vector<unsigned int> sameName_;
  std::vector<unsigned char> named_;
  std::vector<SignatureSlot> signatures_;
  std::vector<NameSlot> names_;
  unsigned int mask_ = 0;

  // Class members sorted by key, then position; a class is the index of its
  // first member and ends at end_[class].
  std::vector<std::pair<Key, unsigned int>> members_;
  std::vector<unsigned int> end_;
  std::vector<int> classAt_;
  std::map<int, std::set<unsigned int>> special_;
  std::vector<const ZELS3Node*> repeated_;  // sorted
  bool keyed_ = false;
};

// The pairs a step removes, a bit each; a short sequence keeps its bits in
// place, so a rule over a few pairs allocates nothing for them.
class GonePairs {
 public:
  explicit GonePairs(unsigned int pairs) : pairs_(pairs) {}
  bool Empty() const { return !any_; }
  void Mark(unsigned int k) {
    any_ = true;
    if (pairs_ <= kInPlace) {
      few_ |= std::uint64_t{1} << k;
      return;
    }
    if (many_.empty()) many_.assign(pairs_, false);
    many_[k] = true;
  }
  bool Has(unsigned int k) const {
    if (pairs_ <= kInPlace) return k < kInPlace && ((few_ >> k) & 1u) != 0;
    return k < many_.size() && many_[k];
  }

 private:
  static constexpr unsigned int kInPlace = 64;
  unsigned int pairs_;
  bool any_ = false;
  std::uint64_t few_ = 0;
  std::vector<bool> many_;
};

class PairSequence {
 public:
  enum class Visit { Keep, Remove, Stop };

  explicit PairSequence(ZELS3Node* node) : node_(node) {}

  unsigned int Count() const { return node_->args.Count(); }
  // Pairs, a trailing half pair included.
  unsigned int Pairs() const { return (Count() + 1) / 2; }
  ZELS3Node* At(unsigned int i) const { return i < Count() ? node_->args[i] : nullptr; }
  ZELS3Node* First(unsigned int k) const { return At(2 * k); }
  ZELS3Node* Second(unsigned int k) const { return At(2 * k + 1); }

  // Slot i now holds x, linked as removing the old node and inserting x at
  // the same place would link it; nothing moves.
  void Replace(unsigned int i, ZELS3Node* x);
  // Appends x during Flatten, linked at once.
  void Append(ZELS3Node* x);

  // For each pair k, last first, policy.Expands(seq, k) decides; an
  // expanded pair is unlinked (second, then first) and policy.Expand(seq, k)
  // appends what replaces it. The other pairs keep their order and the
  // appended pieces follow them, not visited again.
  template <class Policy>
  void Flatten(Policy& policy);

  // For each pair L, last first, and each earlier pair E, nearest first,
  // whose key equals L's key (L's key asking Equal): policy.Merge(seq, L, E).
  // policy.Key(seq, k) is read anew after each merge at L; policy.Table()
  // is the node table when no merge changes a node the keys are made of,
  // and null otherwise. Once
  // policy.Settled(seq, L) holds, a merge into a pair E changes nothing
  // unless policy.Special(seq, E), so only those are visited.
  template <class Policy>
  void Merge(Policy& policy);

  // For each pair k, last first, policy.Visit(seq, k) keeps it, removes it
  // (second, then first) or stops the walk. False when stopped.
  template <class Policy>
  bool Drop(Policy& policy);

 private:
  // Below this many pairs every earlier pair is simply asked in turn.
  static constexpr unsigned int kScanLimit = 16;

  void Unlink(unsigned int k, bool hasSecond);
  // The argument list becomes the pairs not gone, in order, then the
  // appended pieces.
  void Rebuild(const GonePairs& gone);

  ZELS3Node* node_;
  InPlaceList<ZELS3Node*, 16> appended_;  // what Flatten appends
};

template <class Policy>
void PairSequence::Flatten(Policy& policy) {
  const unsigned int pairs = Pairs();
  const unsigned int count = Count();
  GonePairs gone(pairs);
  for (unsigned int k = pairs; k-- > 0;) {
    if (!policy.Expands(*this, k)) continue;
    gone.Mark(k);
    Unlink(k, 2 * k + 1 < count);
    policy.Expand(*this, k);
  }
  if (!gone.Empty() || !appended_.Empty()) Rebuild(gone);
}

template <class Policy>
void PairSequence::Merge(Policy& policy) {
  const unsigned int pairs = Pairs();
  if (pairs < 2) return;
  auto matches = [&](const ZELS3Node* t, unsigned int e) {
    return t != nullptr && t->Equal(policy.Key(*this, e)) != 0;
  };
  if (pairs <= kScanLimit) {
    for (unsigned int l = pairs; l-- > 1;) {
      for (unsigned int e = l; e-- > 0;) {
        if (matches(policy.Key(*this, l), e)) policy.Merge(*this, l, e);
      }
    }
    return;
  }

  std::vector<ZELS3Node*> keys(pairs);
  for (unsigned int k = 0; k < pairs; ++k) keys[k] = policy.Key(*this, k);
  if (LikeKeys::AllApart(keys, policy.Table())) return;
  LikeKeys like(keys, policy.Table());
  if (like.Keyed()) {
    for (unsigned int k = 0; k < pairs; ++k) like.Mark(k, policy.Special(*this, k));
  }
  auto merge = [&](unsigned int l, unsigned int e) {
    policy.Merge(*this, l, e);
    if (like.Keyed()) like.Mark(e, policy.Special(*this, e));
  };

  std::vector<unsigned int> special;
  for (unsigned int l = pairs; l-- > 1;) {
    ZELS3Node* t = policy.Key(*this, l);
    unsigned int bound = l;  // pairs at bound and above are done with
    while (t != nullptr && bound > 0) {
      const int c = like.ClassOf(t);
      if (c == LikeKeys::kNone) break;
      ZELS3Node* changed = nullptr;
      if (c >= 0) {
        // Only the keys of the class match: no Equal to ask.
        if (policy.Settled(*this, l)) {
          like.SpecialBelow(c, bound, &special);
          for (unsigned int e : special) {
            merge(l, e);
            if (policy.Key(*this, l) != t) {
              changed = policy.Key(*this, l);
              bound = e;
              break;
            }
          }
          if (changed == nullptr) break;
        } else {
          unsigned int e = 0;
          if (!like.Below(c, bound, &e)) break;
          merge(l, e);
          bound = e;
          if (policy.Key(*this, l) != t) changed = policy.Key(*this, l);
        }
      } else {
        // Keys of other signatures, or of other names, are never equal.
        LikeKeys::Candidates near = like.Near(t, t == keys[l] ? l : LikeKeys::kEnd, bound);
        unsigned int e = 0;
        while (near.Next(&e)) {
          if (!matches(t, e)) continue;
          merge(l, e);
          if (policy.Key(*this, l) != t) {
            changed = policy.Key(*this, l);
            bound = e;
            break;
          }
        }
        if (changed == nullptr) break;
      }
      if (changed != nullptr) t = changed;
    }
  }
}

template <class Policy>
bool PairSequence::Drop(Policy& policy) {
  const unsigned int pairs = Pairs();
  const unsigned int count = Count();
  GonePairs gone(pairs);
  bool stopped = false;
  for (unsigned int k = pairs; k-- > 0;) {
    const Visit visit = policy.Visit(*this, k);
    if (visit == Visit::Keep) continue;
    if (visit == Visit::Stop) {
      stopped = true;
      break;
    }
    gone.Mark(k);
    Unlink(k, 2 * k + 1 < count);
  }
  if (!gone.Empty()) Rebuild(gone);
  return !stopped;
}

}  // namespace zeltav

#endif
