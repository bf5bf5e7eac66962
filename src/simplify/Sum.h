// What the sum rule (Sum.cpp) tells others about its results.
#ifndef ZELTAV_SIMPLIFY_SUM_H
#define ZELTAV_SIMPLIFY_SUM_H

#include "ZELTavSymbolicCalculator/Calculator.h"

namespace zeltav {

// Whether the sum rule, run again on s just after it ran, would give s back
// as it is and set no error: no term is a sum, every coefficient is a
// nonzero number, a number term stands only in front as the folded
// +(1, K, ...) with K neither 0 nor NaN, and s is neither +(1, t) nor
// +(c, K). Like terms need no check: the run that made s merged them, and
// what Equal says of two terms holds until a registered node changes.
bool SumLeftAsIs(const ZELS3Node* s);

// The coefficient of a pair taken out of a nested sum whose own
// coefficient is outer: +(c, +(c1, t1)) -> +(c*c1, t1).
ZELS3Node* ScaledCoefficient(ZELS3Node* inner, double outer);

}  // namespace zeltav

#endif
