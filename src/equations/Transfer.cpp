// Rewrites a relation a T b so that every term stands on the side where its
// coefficient is positive:  x - y > 0  ->  x > y,  5 - x >= 0  ->  5 >= x.
#include "ZELTavSymbolicCalculator/Calculator.h"
#include "calculator/ScopedOption.h"

ZELS3Node* ZELS3Node::Transfer(ZELNodeType type, ZELS3Node* a, ZELS3Node* b) {
  if (!scalc || !a || !b) return nullptr;

  // d = a - b in canonical sum form; anything else stands as d T 0.
  ZELS3Node* d = CreateBinaryOperation(NodeDifference, a, b);
  if (!d) return nullptr;
  if (d->type != NodeSum) return CreateBinaryOperation(type, d, ZELSymbolicCalculator::GetZero());

  // Deal the pairs: non-negative (and NaN) coefficients to the left, negative
  // ones negated to the right. A number k stands as the pair (k, 1).
  const unsigned int count = d->GetArgsNum();
  ZELICVectorImp_ZELS3Node left(count, 5u);
  ZELICVectorImp_ZELS3Node right(count, 5u);
  for (unsigned int i = 0; i < count; i += 2) {
    ZELS3Node* c = d->GetArg(i);
    ZELS3Node* t = i + 1 < count ? d->GetArg(i + 1) : nullptr;
    double v = 0.0;
    if (c) {
      v = c->GetConstant();  // 10003 and 0.0 for a coefficient that is no number
    } else {
      ZELSymbolicCalculator::SetError(10003);
    }
    if (t && t->type == NodeConstant) {
      v *= t->value.constant;
      t = ZELSymbolicCalculator::GetOne();
    }
    if (v < 0.0) {
      right.Add(CreateExpression(-0.0 - v));
      right.Add(t);
    } else {
      left.Add(CreateExpression(v));
      left.Add(t);
    }
  }

  // The sides are built without replacing fixed variables by their values.
  ZELS3Node* l = nullptr;
  ZELS3Node* r = nullptr;
  {
    zeltav::ScopedOption noSubst(scalc, &ZELSymbolicCalculator::GetSubst,
                                 &ZELSymbolicCalculator::SetSubst, 0);
    l = CreateOperation(NodeSum, left);
    r = CreateOperation(NodeSum, right);
  }
  return CreateBinaryOperation(type, l, r);
}
