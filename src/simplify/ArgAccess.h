// Bounds-checked reading of arguments for the rewriting rules. Sums and
// products are read as pairs; a list built by name with an odd count simply
// has a last pair without its second half, which reads as null.
#ifndef ZELTAV_SIMPLIFY_ARG_ACCESS_H
#define ZELTAV_SIMPLIFY_ARG_ACCESS_H

#include "ZELTavSymbolicCalculator/Calculator.h"

namespace zeltav {

// The argument at i, or null when the node has no such argument.
inline ZELS3Node* ArgOrNull(const ZELS3Node* n, unsigned int i) {
  return n != nullptr && i < n->GetArgsNum() ? n->GetArg(i) : nullptr;
}

inline bool IsNumber(const ZELS3Node* n) {
  return n != nullptr && n->GetNodeType() == NodeConstant;
}

inline bool IsBoolConstant(const ZELS3Node* n) {
  return n != nullptr && n->GetNodeType() == NodeBoolConst;
}

// The value of a coefficient or exponent; anything but a numeric constant
// counts as 0.0 and sets 10003.
inline double NumberOrZero(const ZELS3Node* n) {
  if (IsNumber(n)) return n->GetConstant();
  ZELSymbolicCalculator::SetError(10003);
  return 0.0;
}

// Of two NaN operands IEEE arithmetic may return either, and which one a
// compiler keeps depends on how it orders the operands. These keep the
// first, quieted as the hardware quiets it, whatever the optimisation level.
inline double SumKeepingFirstNaN(double a, double b) { return a != a && b != b ? a + a : a + b; }
inline double ProductKeepingFirstNaN(double a, double b) {
  return a != a && b != b ? a * a : a * b;
}

// Number of pairs in a list of n arguments, a trailing half pair included.
inline unsigned int PairCount(unsigned int n) { return (n + 1) / 2; }

}  // namespace zeltav

#endif
