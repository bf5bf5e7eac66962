#include <cmath>

#include "support/Builders.h"

using namespace zeltav_test;
using A = ZELS3NodeTestAccess;
using Evaluation = WithCalculator;

TEST_F(Evaluation, DecidesConstantRelationsOnlyUnderAFatherAndSetsArityCodesKeepingTheNode) {
  EXPECT_TRUE(Is(Bin(NodeLess, Num(2), Num(3)), NodeLess, {Num(2), Num(3)}));
  ZELS3Node *x = Var(1), *z = Var(2), *y = Bin(NodeLess, x, z), *notY = Bin(NodeGreaterEqual, x, z);
  ZELS3Node *t = GetTrue(), *f = GetFalse(), *father = pool.Raw(NodeAnd, {});
  // Truth tables for a constant side; a wrong arity gives its code at once (no node expected).
  auto R = [&](ZELNodeType type, Args args) { return pool.Raw(type, args); };
  // clang-format off
  const struct { ZELS3Node *node, *expected; int error; } cases[] = {
      {R(NodeGreaterEqual, {Num(2), Num(3)}), f, 0}, {R(NodeEqual, {Num(-0.0), Num(0.0)}), t, 0}, {R(NodeImplies, {Bool(1), y}), y, 0},
      {R(NodeImplies, {Bool(0), y}), t, 0}, {R(NodeImplies, {y, Bool(0)}), notY, 0}, {R(NodeBoolLess, {Bool(1), y}), f, 0},
      {R(NodeBoolGreater, {Bool(1), y}), notY, 0}, {R(NodeBoolGreaterEqual, {Bool(0), y}), notY, 0}, {R(NodeBoolLess, {y, Bool(1)}), notY, 0},
      {R(NodeBoolGreater, {y, Bool(0)}), y, 0}, {R(NodeBoolGreaterEqual, {Bool(0), Bool(1)}), f, 0}, {R(NodeBoolLess, {Bool(0), Bool(1)}), t, 0},
      {R(NodeSin, {x, z}), nullptr, 10013}, {R(NodeNot, {}), nullptr, 10014}, {R(NodeAnd, {x}), nullptr, 10016},
      {R(NodeLess, {x, z, Var(3)}), nullptr, 10017}, {R(NodeQuotient, {x}), nullptr, 10018}, {R(NodeMax, {x}), nullptr, 10019},
      {R(NodeDifference, {Num(1), x}), nullptr, 10020}, {R(NodePower, {x, z}), nullptr, 10020}, {R(NodeVariable, {}), nullptr, 10005}};
  // clang-format on
  double number = 0.0;
  for (const auto& [node, want, error] : cases) {
    ResetError();
    const unsigned before = Count(node);
    EXPECT_TRUE(!A::Evaluate(node, &number) && ErrorCode() == error && Count(node) == before)
        << "no father yet: " << Show(node) << ", code " << ErrorCode();
    EXPECT_EQ(want ? (A::AddFath(node, father), A::Evaluate(node, &number)) : want, want)
        << "under a father: " << Show(node);
  }
  EXPECT_EQ(number, 0.0);
}

TEST_F(Evaluation, NegatesRelationsIntoTheirComplementsAndPushesNegationThroughConnectives) {
  const ZELNodeType pairs[][2] = {
      {NodeBoolEqual, NodeBoolNotEqual},    {NodeBoolLess, NodeBoolGreaterEqual},
      {NodeBoolLessEqual, NodeBoolGreater}, {NodeEqual, NodeNotEqual},
      {NodeLess, NodeGreaterEqual},         {NodeLessEqual, NodeGreater}};
  ZELS3Node *u = Var(1), *v = Var(2), *a = Bin(NodeLess, u, v), *b = Bin(NodeEqual, Var(3), Var(4));
  for (const auto& p : pairs)
    for (int k : {0, 1}) EXPECT_TRUE(Is(Un(NodeNot, Bin(p[k], u, v)), p[1 - k], {u, v})) << p[k];
  ZELS3Node *notA = Bin(NodeGreaterEqual, u, v), *notB = Bin(NodeNotEqual, Var(3), Var(4));
  EXPECT_TRUE(Is(Un(NodeNot, Bin(NodeAnd, a, b)), NodeOr, {notA, notB}));
  EXPECT_TRUE(Is(Un(NodeNot, Bin(NodeOr, a, b)), NodeAnd, {notA, notB}));
  EXPECT_TRUE(Is(Un(NodeNot, Bin(NodeImplies, a, b)), NodeAnd, {a, notB}));
  EXPECT_TRUE(Un(NodeNot, GetTrue()) == GetFalse() && Un(NodeNot, GetFalse()) == GetTrue());
  EXPECT_EQ(ErrorCode(), 0);
  // A variable cannot be negated (10005): the node is kept and negating it gives p back.
  ZELS3Node *p = Var(5), *notP = Un(NodeNot, p);
  EXPECT_TRUE(ErrorCode() == 10005 && Is(notP, NodeNot, {p}) && Un(NodeNot, notP) == p)
      << Show(notP);
  ResetError();
  ZELS3Node *sum = Bin(NodeSum, u, v), *notSum = Un(NodeNot, sum);
  EXPECT_TRUE(Is(notSum, NodeNot, {sum}) && ErrorCode() == 10015) << Show(notSum) << ErrorCode();
}

TEST_F(Evaluation, FoldsFunctionsAndQuotientsOfNumbersAndReportsDomainErrors) {
  ZELS3Node* x = Var(1);
  EXPECT_TRUE(Is(Bin(NodeQuotient, x, Num(0)), NodeQuotient, {x, Num(0)}));
  EXPECT_EQ(ErrorCode(), 2);
  // clang-format off
  const struct { ZELNodeType type; double arg, value; int error; } cases[] = {
      {NodeLn, 0.0, 0.0, 3}, {NodeLn, -1.0, 0.0, 3}, {NodeSqrt, -4.0, 0.0, 4}, {NodeSqrt, 9.0, 3.0, 0}, {NodeAsin, 1.0, std::asin(1.0), 0},
      {NodeAsin, 1.5, 0.0, 5}, {NodeAcos, -2.0, 0.0, 6}, {NodeCtg, 0.0, HUGE_VAL, 0}, {NodeSign, 0.0, 0.0, 0}, {NodeSign, -3.0, -1.0, 0},
      {NodeAbs, -2.5, 2.5, 0}, {NodeExp, 0.0, 1.0, 0}};
  // clang-format on
  for (const auto& [type, arg, value, error] : cases) {
    ResetError();
    ZELS3Node* r = Un(type, Num(arg));
    EXPECT_TRUE(r && r->GetNodeType() == NodeConstant && r->GetConstant() == value &&
                ErrorCode() == error)
        << "type " << type << "(" << arg << "): " << Show(r) << ", code " << ErrorCode();
  }
  EXPECT_TRUE(Is(Un(NodeSin, x), NodeSin, {x}));
  EXPECT_EQ(Bin(NodeQuotient, Num(6), Num(3)), Num(2));
  EXPECT_TRUE(Is(Bin(NodeQuotient, x, Num(4)), NodeSum, {Num(0.25), x}));
  EXPECT_TRUE(Has(Bin(NodeQuotient, x, Num(3)), {Num(1.0 / 3.0), x}));  // the factor is 1.0 / b
  calc.SetDivReplaceOff();
  EXPECT_TRUE(Is(Bin(NodeQuotient, x, Num(4)), NodeQuotient, {x, Num(4)}));
  EXPECT_TRUE(Is(Bin(NodeQuotient, Num(4), x), NodeQuotient, {Num(4), x}));
  EXPECT_EQ(ErrorCode(), 0);
}
