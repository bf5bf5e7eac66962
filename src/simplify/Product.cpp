// Product normalisation, in place, over (factor, exponent) pairs; numeric
// factors leave the product as the returned coefficient:
//   *(*(x, 3), 2)        -> *(x, 6)          nested products flattened
//   *(+(3, y), 2)        -> *(y, 2), k = 9   scaled term under a power
//   *(x, 2, x, 3)        -> *(x, 5)          equal factors merged
//   *(2, 1, x, 1, 3, 1)  -> *(x, 1), k = 6   numbers taken out
#include "simplify/Product.h"

#include <cmath>

#include "ZELTavSymbolicCalculator/Calculator.h"
#include "calculator/NodeTable.h"
#include "simplify/ArgAccess.h"
#include "simplify/PairSequence.h"

using zeltav::IsNumber;
using zeltav::NumberOrZero;
using zeltav::PairSequence;

namespace {

// The exponent e * e' of a factor taken out of a nested product, as the
// factory makes it. With one of them the registered 1 and the other a
// registered number that is neither 0 nor NaN, *(e, 1, e', 1) folds to the
// other's value and the table hands back that same node: e * 1 -> e.
ZELS3Node* ExponentProduct(const zeltav::NodeTable* table, ZELS3Node* e, ZELS3Node* inner) {
  if (table != nullptr && IsNumber(e) && IsNumber(inner) && table->Holds(e) &&
      table->Holds(inner)) {
    const double a = e->GetConstant();
    const double b = inner->GetConstant();
    if (a == 1.0 && b == b && b != 0.0) return inner;
    if (b == 1.0 && a == a && a != 0.0) return e;
  }
  return CreateBinaryOperation(NodeProduct, e, inner);
}

// *(*(b1, e1, b2, e2), e) -> *(b1, e*e1, b2, e*e2), appended at the end. The
// new exponents are products (e, 1), (e', 1) made by the factory.
struct FlattenProducts {
  const zeltav::NodeTable* table;

  bool Expands(PairSequence& seq, unsigned int k) {
    ZELS3Node* b = seq.First(k);
    return b != nullptr && seq.Second(k) != nullptr && b->GetNodeType() == NodeProduct;
  }
  void Expand(PairSequence& seq, unsigned int k) {
    ZELS3Node* b = seq.First(k);
    ZELS3Node* e = seq.Second(k);
    // A nested factor without its exponent is left out.
    for (unsigned int j = 0; j + 1 < b->GetArgsNum(); j += 2) {
      seq.Append(b->GetArg(j));
      seq.Append(ExponentProduct(table, e, b->GetArg(j + 1)));
    }
  }
};

// *(+(c, t), e) -> *(t, e) with k *= c^e, for a constant e.
struct SplitScaledTerms {
  double* k;

  bool Expands(PairSequence& seq, unsigned int q) {
    ZELS3Node* b = seq.First(q);
    return b != nullptr && IsNumber(seq.Second(q)) && b->GetNodeType() == NodeSum &&
           b->GetArgsNum() == 2;
  }
  void Expand(PairSequence& seq, unsigned int q) {
    ZELS3Node* b = seq.First(q);
    ZELS3Node* e = seq.Second(q);
    seq.Append(b->GetArg(1));
    seq.Append(e);
    // k *= c^e, keeping of two NaNs the power's.
    *k = zeltav::ProductKeepingFirstNaN(std::pow(NumberOrZero(b->GetArg(0)), e->GetConstant()), *k);
  }
};

// *(x, eE, ..., x, eL) -> *(x, +(1, eL, 1, eE), ..., 1, eL); the leftover
// pair (1, eL) is dropped below. Once merged the factor at L is 1, so its
// exponent is not added a second time to another occurrence.
struct MergeEqualFactors {
  ZELS3Node* Key(PairSequence& seq, unsigned int q) { return seq.First(q); }
  // The sums of exponents may rewrite nodes in place, so factors are told
  // apart only by Equal.
  const zeltav::NodeTable* Table() const { return nullptr; }
  void Merge(PairSequence& seq, unsigned int l, unsigned int e) {
    ZELS3Node* eL = seq.Second(l);
    ZELS3Node* eE = seq.Second(e);
    if (eL == nullptr || eE == nullptr) return;
    // +(1, 1, 1, 1) folds to 2, which the table hands back as the shared 2.
    auto isOne = [](const ZELS3Node* n) { return IsNumber(n) && n->GetConstant() == 1.0; };
    ZELS3Node* sum = isOne(eL) && isOne(eE) ? ZELSymbolicCalculator::GetTwo()
                                            : CreateBinaryOperation(NodeSum, eL, eE);
    if (sum != nullptr) seq.Replace(2 * e + 1, sum);
    if (ZELS3Node* one = ZELSymbolicCalculator::GetOne()) seq.Replace(2 * l, one);
  }
  bool Settled(PairSequence&, unsigned int) { return false; }
  bool Special(PairSequence&, unsigned int) { return false; }
};

// Numbers into k; 1^e and x^0 dropped; a zero factor zeroes all.
struct TakeOutNumbers {
  double* k;

  PairSequence::Visit Visit(PairSequence& seq, unsigned int q) {
    ZELS3Node* b = seq.First(q);
    ZELS3Node* e = seq.Second(q);
    if (b != nullptr && e == nullptr) return PairSequence::Visit::Keep;
    if (IsNumber(b)) {
      const double base = b->GetConstant();
      if (base == 1.0) return PairSequence::Visit::Remove;
      if (base == 0.0) {
        *k = 0.0;  // 0^0 and 0^-1 alike: the product is 0
        return PairSequence::Visit::Stop;
      }
      if (!IsNumber(e)) return PairSequence::Visit::Keep;
      *k = zeltav::ProductKeepingFirstNaN(std::pow(base, e->GetConstant()), *k);
      return PairSequence::Visit::Remove;
    }
    if (IsNumber(e) && e->GetConstant() == 0.0) return PairSequence::Visit::Remove;
    return PairSequence::Visit::Keep;
  }
};

}  // namespace

double ZELS3Node::SimplifyProd() {
  double k = 1.0;
  PairSequence seq(this);
  FlattenProducts flatten{scalc != nullptr ? scalc->table : nullptr};
  seq.Flatten(flatten);
  SplitScaledTerms split{&k};
  seq.Flatten(split);
  MergeEqualFactors merge;
  seq.Merge(merge);
  TakeOutNumbers numbers{&k};
  seq.Drop(numbers);
  if (k != 0.0) return k;  // NaN included
  RemoveAllArgs();
  return 0.0;
}

bool zeltav::ProductLeftAsIs(const ZELS3Node* p) {
  const unsigned int count = p->GetArgsNum();
  if (count < 2 || count % 2 != 0) return false;
  for (unsigned int i = 0; i < count; i += 2) {
    const ZELS3Node* b = p->GetArg(i);
    const ZELS3Node* e = p->GetArg(i + 1);
    if (b == nullptr || e == nullptr || IsNumber(b) || b->GetNodeType() == NodeProduct)
      return false;
    if (IsNumber(e) && e->GetConstant() == 0.0) return false;
    if (b->GetNodeType() == NodeSum && b->GetArgsNum() == 2 && IsNumber(e)) return false;
  }
  // *(b, 1) -> b
  const ZELS3Node* e = p->GetArg(1);
  return count != 2 || !IsNumber(e) || e->GetConstant() != 1.0;
}
