// Product normalisation, in place, over (factor, exponent) pairs; numeric
// factors leave the product as the returned coefficient:
//   *(*(x, 3), 2)        -> *(x, 6)          nested products flattened
//   *(+(3, y), 2)        -> *(y, 2), k = 9   scaled term under a power
//   *(x, 2, x, 3)        -> *(x, 5)          equal factors merged
//   *(2, 1, x, 1, 3, 1)  -> *(x, 1), k = 6   numbers taken out
#include <cmath>

#include "ZELTavSymbolicCalculator/Calculator.h"
#include "simplify/ArgAccess.h"

using zeltav::IsNumber;
using zeltav::NumberOrZero;
using zeltav::PairCount;

double ZELS3Node::SimplifyProd() {
  auto at = [this](unsigned int i) { return i < args.Count() ? args[i] : nullptr; };
  auto removePair = [this](unsigned int p) {
    if (p + 1 < args.Count()) RemoveArg(p + 1);
    RemoveArg(p);
  };
  double k = 1.0;

  // Pass 1: *(*(b1, e1, b2, e2), e) -> *(b1, e*e1, b2, e*e2), appended at the
  // end. The new exponents are products (e, 1), (e', 1) made by the factory.
  for (unsigned int q = PairCount(args.Count()); q-- > 0;) {
    const unsigned int p = 2 * q;
    ZELS3Node* b = args[p];
    ZELS3Node* e = at(p + 1);
    if (b == nullptr || e == nullptr || b->type != NodeProduct) continue;
    RemoveArg(p + 1);
    RemoveArg(p);
    // A nested factor without its exponent is left out.
    for (unsigned int j = 0; j + 1 < b->args.Count(); j += 2) {
      AddArg(b->args[j]);
      AddArg(CreateBinaryOperation(NodeProduct, e, b->args[j + 1]));
    }
  }

  // Pass 2: *(+(c, t), e) -> *(t, e) with k *= c^e, for a constant e.
  for (unsigned int q = PairCount(args.Count()); q-- > 0;) {
    const unsigned int p = 2 * q;
    ZELS3Node* b = args[p];
    ZELS3Node* e = at(p + 1);
    if (b == nullptr || !IsNumber(e) || b->type != NodeSum || b->args.Count() != 2) continue;
    ZELS3Node* c = b->args[0];
    ZELS3Node* t = b->args[1];
    RemoveArg(p + 1);
    RemoveArg(p);
    AddArg(t);
    AddArg(e);
    k *= std::pow(NumberOrZero(c), e->value.constant);
  }

  // Pass 3: *(x, eE, ..., x, eL) -> *(x, +(1, eL, 1, eE), ..., 1, eL); the
  // leftover pair (1, eL) is dropped by pass 4. The factor at L is read anew
  // for every comparison: once merged it is 1, so its exponent is not added
  // a second time to another occurrence.
  for (unsigned int qL = PairCount(args.Count()); qL-- > 1;) {
    const unsigned int L = 2 * qL;
    for (unsigned int qE = qL; qE-- > 0;) {
      const unsigned int E = 2 * qE;
      ZELS3Node* bL = args[L];
      if (bL == nullptr || !bL->Equal(args[E])) continue;
      ZELS3Node* eL = at(L + 1);
      ZELS3Node* eE = at(E + 1);
      if (eL == nullptr || eE == nullptr) continue;
      ReplaceArg(CreateBinaryOperation(NodeSum, eL, eE), E + 1);
      ReplaceArg(ZELSymbolicCalculator::GetOne(), L);
    }
  }

  // Pass 4: numbers into k; 1^e and x^0 dropped; a zero factor zeroes all.
  for (unsigned int q = PairCount(args.Count()); q-- > 0;) {
    const unsigned int p = 2 * q;
    ZELS3Node* b = args[p];
    ZELS3Node* e = at(p + 1);
    if (b != nullptr && e == nullptr) continue;
    if (IsNumber(b)) {
      const double base = b->value.constant;
      if (base == 1.0) {
        removePair(p);
      } else if (base == 0.0) {
        k = 0.0;  // 0^0 and 0^-1 alike: the product is 0
        break;
      } else if (IsNumber(e)) {
        k *= std::pow(base, e->value.constant);
        removePair(p);
      }
    } else if (IsNumber(e) && e->value.constant == 0.0) {
      removePair(p);
    }
  }

  if (k != 0.0) return k;  // NaN included
  RemoveAllArgs();
  return 0.0;
}
