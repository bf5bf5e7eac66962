// Sum normalisation, in place, over (coefficient, term) pairs:
//   +(3, x, 2, +(1, y, 4, z))  -> +(3, x, 2, y, 8, z)   nested sums flattened
//   +(1, a, 1, b, 1, a)        -> +(2, a, 1, b)         like terms merged
//   +(1, 2, 1, x, 1, 3)        -> +(1, 5, 1, x)         numbers gathered in front
#include "simplify/Sum.h"

#include <vector>

#include "ZELTavSymbolicCalculator/Calculator.h"
#include "calculator/NodeTable.h"
#include "simplify/ArgAccess.h"
#include "simplify/PairSequence.h"

using zeltav::IsNumber;
using zeltav::NumberOrZero;
using zeltav::PairSequence;

namespace {

// +(c, +(c1, t1, c2, t2)) -> +(c1*c, t1, c2*c, t2). The surviving pairs keep
// their order and the pairs taken out of nested sums follow, those of the
// last nested sum first.
struct FlattenSums {
  double c = 0.0;

  bool Expands(PairSequence& seq, unsigned int k) {
    c = NumberOrZero(seq.First(k));
    ZELS3Node* t = seq.Second(k);
    return t != nullptr && t->GetNodeType() == NodeSum;
  }
  void Expand(PairSequence& seq, unsigned int k) {
    ZELS3Node* t = seq.Second(k);
    // A nested coefficient without its term contributes nothing.
    for (unsigned int j = 0; j + 1 < t->GetArgsNum(); j += 2) {
      seq.Append(zeltav::ScaledCoefficient(t->GetArg(j), c));
      seq.Append(t->GetArg(j + 1));
    }
  }
};

// +(2, x, 1, y, 3, x) -> +(5, x, 1, y, 0, x). The first occurrence collects
// the coefficients, later ones are zeroed; nothing moves. The partial sums
// are kept as numbers and made into constant nodes once merging is done: a
// coefficient node between two merges is seen by nobody, and equal numbers
// are one registered node whenever they are made.
struct MergeLikeTerms {
  unsigned int pairs;
  const zeltav::NodeTable* table;
  // Made at the first merge: most sums merge nothing.
  std::vector<double> value;
  std::vector<bool> pending;

  MergeLikeTerms(unsigned int n, const zeltav::NodeTable* t) : pairs(n), table(t) {}

  bool Pending(unsigned int k) const { return !pending.empty() && pending[k]; }
  double Read(PairSequence& seq, unsigned int k) {
    return Pending(k) ? value[k] : NumberOrZero(seq.First(k));
  }
  ZELS3Node* Key(PairSequence& seq, unsigned int k) { return seq.Second(k); }
  // Merging only zeroes coefficients: the terms, and the table's keys for
  // them, stay as they are.
  const zeltav::NodeTable* Table() const { return table; }
  void Merge(PairSequence& seq, unsigned int l, unsigned int e) {
    const double cE = Read(seq, e);
    const double cL = Read(seq, l);
    if (pending.empty()) {
      value.assign(pairs, 0.0);
      pending.assign(pairs, false);
    }
    value[e] = cE + cL;
    pending[e] = true;
    pending[l] = false;
    seq.Replace(2 * l, ZELSymbolicCalculator::GetZero());
  }
  // A zeroed pair adds 0 to every further like term, which leaves a number
  // as it is ...
  bool Settled(PairSequence& seq, unsigned int l) {
    if (Pending(l)) return value[l] == 0.0;
    ZELS3Node* c = seq.First(l);
    return IsNumber(c) && c->GetConstant() == 0.0;
  }
  // ... except a NaN, which is a new node each time, and a coefficient that
  // is not a number, which becomes 0 with an error.
  bool Special(PairSequence& seq, unsigned int k) {
    if (Pending(k)) return value[k] != value[k];
    ZELS3Node* c = seq.First(k);
    if (!IsNumber(c)) return true;
    const double v = c->GetConstant();
    return v != v;
  }
  void Finish(PairSequence& seq) {
    for (unsigned int k = 0; k < pending.size(); ++k) {
      if (pending[k]) seq.Replace(2 * k, CreateExpression(value[k]));
    }
  }
};

// +(1, 2, 0, x, 1, y, -1, 3) -> +(1, y) with 2 - 3 kept aside.
struct DropAndFold {
  double accumulated = 0.0;

  PairSequence::Visit Visit(PairSequence& seq, unsigned int k) {
    ZELS3Node* c = seq.First(k);
    ZELS3Node* t = seq.Second(k);
    if (!IsNumber(c)) {
      ZELSymbolicCalculator::SetError(10003);
      return PairSequence::Visit::Remove;
    }
    if (c->GetConstant() == 0.0) return PairSequence::Visit::Remove;
    if (IsNumber(t)) {
      // acc += c * t, keeping of two NaNs c's over t's, and the term's over
      // the running total.
      const double term = zeltav::ProductKeepingFirstNaN(c->GetConstant(), t->GetConstant());
      accumulated = zeltav::SumKeepingFirstNaN(term, accumulated);
      return PairSequence::Visit::Remove;
    }
    return PairSequence::Visit::Keep;
  }
};

}  // namespace

void ZELS3Node::SimplifySum() {
  PairSequence seq(this);
  FlattenSums flatten;
  seq.Flatten(flatten);
  MergeLikeTerms merge(seq.Pairs(), scalc != nullptr ? scalc->table : nullptr);
  seq.Merge(merge);
  merge.Finish(seq);
  DropAndFold drop;
  seq.Drop(drop);
  // The numbers, folded into one, go in front: +(1, -1, 1, y).
  if (drop.accumulated != 0.0) {
    zeltav::NoteChanged(this);
    auto insertAt = [this](ZELS3Node* node, unsigned int i) {
      args.AddAt(node, i);
      if (node != nullptr) node->AddFath(this);
    };
    ZELS3Node* constant = CreateExpression(drop.accumulated);
    insertAt(ZELSymbolicCalculator::GetOne(), 0);
    insertAt(constant, 1);
  }
}

bool zeltav::SumLeftAsIs(const ZELS3Node* s) {
  const unsigned int count = s->GetArgsNum();
  if (count < 2 || count % 2 != 0) return false;
  for (unsigned int i = 0; i < count; i += 2) {
    const ZELS3Node* c = s->GetArg(i);
    const ZELS3Node* t = s->GetArg(i + 1);
    if (!IsNumber(c) || c->GetConstant() == 0.0 || t == nullptr) return false;
    if (t->GetNodeType() == NodeSum) return false;
    if (IsNumber(t)) {
      // Dropped and put back in front as the same registered node.
      const double k = t->GetConstant();
      if (i != 0 || c != ZELSymbolicCalculator::GetOne() || k != k || k == 0.0) return false;
    }
  }
  if (count == 2) {
    // +(1, t) -> t and +(c, K) -> c*K
    if (s->GetArg(0)->GetConstant() == 1.0 || IsNumber(s->GetArg(1))) return false;
  }
  return true;
}

zeltav::SumPairsCheck::SumPairsCheck(const NodeTable* table, unsigned int pairs)
    : table_(table), whole_(table != nullptr), expected_(pairs), keys_(pairs) {}

void zeltav::SumPairsCheck::Add(const ZELS3Node* c, const ZELS3Node* t) {
  if (!whole_) return;
  // Dropped: a zero coefficient (a NaN one stays); folded: a number term;
  // flattened: a sum term; 10003: a coefficient that is not a number.
  std::uint64_t key = 0;
  if (pairs_ == expected_ || !IsNumber(c) || c->GetConstant() == 0.0 || t == nullptr ||
      IsNumber(t) || t->GetNodeType() == NodeSum || !table_->EqualKey(t, &key)) {
    whole_ = false;
    return;
  }
  if (pairs_++ == 0) firstIsOne_ = c->GetConstant() == 1.0;
  whole_ = keys_.Insert(key);
}

ZELS3Node* zeltav::ScaledCoefficient(ZELS3Node* inner, double outer) {
  const double value = NumberOrZero(inner);
  // With c = 1 the product is the inner coefficient itself, and its node
  // is the registered one for that value (a NaN is never shared).
  if (outer == 1.0 && value == value) return inner;
  return CreateExpression(value * outer);
}
