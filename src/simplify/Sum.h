// What the sum rule (Sum.cpp) tells others about its results.
#ifndef ZELTAV_SIMPLIFY_SUM_H
#define ZELTAV_SIMPLIFY_SUM_H

#include <cstdint>

#include "ZELTavSymbolicCalculator/Calculator.h"
#include "calculator/NodeTable.h"

namespace zeltav {

// Whether the sum rule, run again on s just after it ran, would give s back
// as it is and set no error: no term is a sum, every coefficient is a
// nonzero number, a number term stands only in front as the folded
// +(1, K, ...) with K neither 0 nor NaN, and s is neither +(1, t) nor
// +(c, K). Like terms need no check: the run that made s merged them, and
// what Equal says of two terms holds until a registered node changes.
bool SumLeftAsIs(const ZELS3Node* s);

// The pairs of a new sum, checked one by one as they are appended: whether
// the sum's rule would give the sum back as it is and set no error. It
// would when SumLeftAsIs holds, no term is a number, and no two terms can
// be Equal: each has a table key (NodeTable::EqualKey) and no two keys are
// the same. The rule then has nothing to flatten, merge, drop or fold, and
// the pairs need no second reading:
//   +(1, +(2, x, 3, y), 1, +(4, z)) -> +(4, z, 2, x, 3, y), finished as it is
class SumPairsCheck {
 public:
  // pairs: how many pairs will be added, at most.
  SumPairsCheck(const NodeTable* table, unsigned int pairs);
  void Add(const ZELS3Node* c, const ZELS3Node* t);
  bool LeftAsIs() const { return whole_ && (pairs_ > 1 || (pairs_ == 1 && !firstIsOne_)); }

 private:
  const NodeTable* table_;
  bool whole_;
  unsigned int expected_;
  unsigned int pairs_ = 0;
  bool firstIsOne_ = false;
  DistinctKeys keys_;
};

// The coefficient of a pair taken out of a nested sum whose own
// coefficient is outer: +(c, +(c1, t1)) -> +(c*c1, t1).
ZELS3Node* ScaledCoefficient(ZELS3Node* inner, double outer);

}  // namespace zeltav

#endif
