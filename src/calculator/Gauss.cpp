// Gauss-style elimination: an equation linear in a free variable is solved
// for a pivot variable, which is recorded as linear with the solution.
//   2x + 4y = 6  ->  y = 1.5 - 0.5x   (y recorded as linear)
#include <cmath>

#include "ZELTavSymbolicCalculator/Calculator.h"

namespace {

bool IsLongSum(const ZELS3Node* n) { return n->GetNodeType() == NodeSum && n->GetArgsNum() > 2; }

bool IsConstVariable(const ZELS3Node* n) { return n->IsVariable() && !n->IsNonConstVariable(); }

}  // namespace

ZELS3Node* ZELSymbolicCalculator::ProcessGauss(ZELS3Node* e) {
  if (!e) return nullptr;
  if (e->GetNodeType() != NodeEqual || e->GetArgsNum() != 2) return e;
  ZELS3Node* left = e->GetArg(0);
  ZELS3Node* right = e->GetArg(1);
  if (!left || !right) return e;

  // The left side is tried first; a constant variable never qualifies.
  ZELS3Node* solved = nullptr;
  if (IsLongSum(left) || (left->IsNonConstVariable() && !IsConstVariable(right))) {
    solved = ReduceSum(left, right);
  } else if (IsLongSum(right) || (right->IsNonConstVariable() && !IsConstVariable(left))) {
    solved = ReduceSum(right, left);
  } else {
    return e;
  }
  return solved ? solved : e;
}

ZELS3Node* ZELSymbolicCalculator::ReduceSum(ZELS3Node* side, ZELS3Node* other) {
  if (!side || !other) return nullptr;

  // Rebuild the side as a sum whose terms went through a sum context, so that
  // variables eliminated earlier are replaced by their definitions.
  ZELS3Node* rebuilt = nullptr;
  if (side->IsNonConstVariable()) {
    ZELICVectorImp_ZELS3Node pair(2u, 0u);
    pair.Add(sOne);
    pair.Add(side);
    rebuilt = CreateOperation(NodeSum, pair);
  } else if (side->GetNodeType() != NodeSum) {
    return nullptr;
  } else {
    const unsigned int count = side->GetArgsNum();
    ZELICVectorImp_ZELS3Node pairs(count, 5u);
    for (unsigned int i = 0; i + 1 < count; i += 2) {
      ZELS3Node* term = side->GetArg(i + 1);
      if (!term) return nullptr;
      pairs.Add(side->GetArg(i));
      pairs.Add(term->Simplify(NodeSum));
    }
    rebuilt = CreateOperation(NodeSum, pairs);
  }
  if (!rebuilt) return nullptr;

  // The whole side collapsed to one variable, a constant variable too (a
  // linear variable defined as one): x = other.
  if (rebuilt->GetNodeType() == NodeVariable) {
    AddLinearVariable(rebuilt->GetVariableID(), other);
    return CreateBinaryOperation(NodeEqual, rebuilt, other);
  }

  // Pivot: the first free variable with coefficient +-1; failing that the one
  // with the largest |coefficient|, the last of equals winning.
  const unsigned int count = rebuilt->GetArgsNum();
  auto isFree = [this](const ZELS3Node* t) {
    return t && t->IsNonConstVariable() && !IsLinearVariable(t->GetVariableID());
  };
  unsigned int pivot = count;
  for (unsigned int i = 0; i + 1 < count && pivot == count; i += 2) {
    ZELS3Node* c = rebuilt->GetArg(i);
    const double value = c ? c->GetConstant() : 0.0;
    if (c && isFree(rebuilt->GetArg(i + 1)) && std::fabs(value) == 1.0) pivot = i;
  }
  if (pivot == count) {
    double best = 0.0;
    for (unsigned int i = 0; i + 1 < count; i += 2) {
      ZELS3Node* c = rebuilt->GetArg(i);
      const double value = c ? c->GetConstant() : 0.0;
      if (c && isFree(rebuilt->GetArg(i + 1)) && std::fabs(value) >= std::fabs(best)) {
        pivot = i;
        best = value;
      }
    }
  }
  if (pivot == count) return nullptr;

  // x = other / cp - sum over the other pairs of (ci / cp) ti. The pivot
  // coefficient divides `other` as a node, so a symbolic side stays symbolic.
  ZELS3Node* pivotCoef = rebuilt->GetArg(pivot);
  ZELS3Node* x = rebuilt->GetArg(pivot + 1);
  const double cp = pivotCoef->GetConstant();
  ZELICVectorImp_ZELS3Node solution(count, 5u);
  ZELS3Node* quotient = CreateBinaryOperation(NodeQuotient, other, pivotCoef);
  solution.Add(sOne);
  solution.Add(quotient ? quotient->Simplify(NodeSum) : nullptr);
  for (unsigned int i = 0; i + 1 < count; i += 2) {
    if (i == pivot) continue;
    ZELS3Node* c = rebuilt->GetArg(i);
    ZELS3Node* t = rebuilt->GetArg(i + 1);
    const double ci = c ? c->GetConstant() : 0.0;
    solution.Add(CreateExpression(-(ci / cp)));
    solution.Add(t ? t->Simplify(NodeSum) : nullptr);
  }
  ZELS3Node* definition = CreateOperation(NodeSum, solution);
  if (!definition) return nullptr;
  AddLinearVariable(x->GetVariableID(), definition);
  return CreateBinaryOperation(NodeEqual, x, definition);
}
