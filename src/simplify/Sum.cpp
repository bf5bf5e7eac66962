// Sum normalisation, in place, over (coefficient, term) pairs:
//   +(3, x, 2, +(1, y, 4, z))  -> +(3, x, 2, y, 8, z)   nested sums flattened
//   +(1, a, 1, b, 1, a)        -> +(2, a, 1, b)         like terms merged
//   +(1, 2, 1, x, 1, 3)        -> +(1, 5, 1, x)         numbers gathered in front
#include "ZELTavSymbolicCalculator/Calculator.h"
#include "simplify/ArgAccess.h"

using zeltav::IsNumber;
using zeltav::NumberOrZero;
using zeltav::PairCount;

void ZELS3Node::SimplifySum() {
  auto at = [this](unsigned int i) { return i < args.Count() ? args[i] : nullptr; };
  // The term goes first, then its coefficient; a trailing coefficient alone
  // is removed by itself.
  auto removePair = [this](unsigned int p) {
    if (p + 1 < args.Count()) RemoveArg(p + 1);
    RemoveArg(p);
  };
  auto insertAt = [this](ZELS3Node* node, unsigned int i) {
    args.AddAt(node, i);
    if (node != nullptr) node->AddFath(this);
  };

  // Pass 1: +(c, +(c1, t1, c2, t2)) -> +(c1*c, t1, c2*c, t2). Pairs taken out
  // of nested sums go to the end, so the downward walk never sees them again.
  for (unsigned int k = PairCount(args.Count()); k-- > 0;) {
    const unsigned int p = 2 * k;
    const double c = NumberOrZero(args[p]);
    ZELS3Node* t = at(p + 1);
    if (t == nullptr || t->type != NodeSum) continue;
    RemoveArg(p + 1);
    RemoveArg(p);
    // A nested coefficient without its term contributes nothing.
    for (unsigned int j = 0; j + 1 < t->args.Count(); j += 2) {
      const double inner = NumberOrZero(t->args[j]);
      AddArg(CreateExpression(inner * c));
      AddArg(t->args[j + 1]);
    }
  }

  // Pass 2: +(2, x, 1, y, 3, x) -> +(5, x, 1, y, 0, x). The first occurrence
  // collects the coefficients, later ones are zeroed; nothing moves.
  for (unsigned int kL = PairCount(args.Count()); kL-- > 1;) {
    const unsigned int L = 2 * kL;
    for (unsigned int kE = kL; kE-- > 0;) {
      const unsigned int E = 2 * kE;
      ZELS3Node* tL = at(L + 1);
      if (tL == nullptr || !tL->Equal(at(E + 1))) continue;
      const double cE = NumberOrZero(args[E]);
      const double cL = NumberOrZero(args[L]);
      ZELS3Node* merged = CreateExpression(cE + cL);
      RemoveArg(E);
      insertAt(merged, E);
      RemoveArg(L);
      insertAt(ZELSymbolicCalculator::GetZero(), L);
    }
  }

  // Pass 3: drop zero coefficients, fold numeric terms into one constant.
  //   +(1, 2, 0, x, 1, y, -1, 3) -> +(1, -1, 1, y)
  double accumulated = 0.0;
  for (unsigned int k = PairCount(args.Count()); k-- > 0;) {
    const unsigned int p = 2 * k;
    ZELS3Node* c = args[p];
    ZELS3Node* t = at(p + 1);
    if (!IsNumber(c)) {
      ZELSymbolicCalculator::SetError(10003);
      removePair(p);
    } else if (c->value.constant == 0.0) {
      removePair(p);
    } else if (IsNumber(t)) {
      accumulated += c->value.constant * t->value.constant;
      removePair(p);
    }
  }
  if (accumulated != 0.0) {
    ZELS3Node* constant = CreateExpression(accumulated);
    insertAt(ZELSymbolicCalculator::GetOne(), 0);
    insertAt(constant, 1);
  }
}
