#include <cmath>

#include "support/Builders.h"

using namespace zeltav_test;
using A = ZELS3NodeTestAccess;
using Evaluation = WithCalculator;

// The rule's result for a hand-made node, once it stands under a father.
ZELS3Node* EvaluateUnderAFather(ZELS3Node* node, HandMadeNodes& pool) {
  A::AddFath(node, pool.Raw(NodeAnd, {}));
  double number = 0.0;
  return A::Evaluate(node, &number);
}

TEST_F(Evaluation, DecidesARelationOfConstantsOnlyOnceItHasAFather) {
  EXPECT_TRUE(Is(Bin(NodeLess, Num(2), Num(3)), NodeLess, {Num(2), Num(3)}));
  EXPECT_EQ(EvaluateUnderAFather(pool.Raw(NodeGreaterEqual, {Num(2), Num(3)}), pool), GetFalse());
  EXPECT_EQ(EvaluateUnderAFather(pool.Raw(NodeEqual, {Num(-0.0), Num(0.0)}), pool), GetTrue());
  EXPECT_EQ(EvaluateUnderAFather(pool.Raw(NodeBoolLess, {Bool(0), Bool(1)}), pool), GetTrue());
}

TEST_F(Evaluation, ReducesAConnectiveWithAConstantSideOnceItHasAFather) {
  ZELS3Node* y = Bin(NodeLess, Var(1), Var(2));
  ZELS3Node* notY = Bin(NodeGreaterEqual, Var(1), Var(2));
  EXPECT_TRUE(Is(Bin(NodeImplies, Bool(1), y), NodeImplies, {Bool(1), y}));
  EXPECT_EQ(EvaluateUnderAFather(pool.Raw(NodeImplies, {Bool(1), y}), pool), y);
  EXPECT_EQ(EvaluateUnderAFather(pool.Raw(NodeImplies, {Bool(0), y}), pool), GetTrue());
  EXPECT_EQ(EvaluateUnderAFather(pool.Raw(NodeImplies, {y, Bool(0)}), pool), notY);
  EXPECT_EQ(EvaluateUnderAFather(pool.Raw(NodeBoolLess, {Bool(1), y}), pool), GetFalse());
  EXPECT_EQ(EvaluateUnderAFather(pool.Raw(NodeBoolGreater, {Bool(1), y}), pool), notY);
  EXPECT_EQ(EvaluateUnderAFather(pool.Raw(NodeBoolLess, {y, Bool(1)}), pool), notY);
  EXPECT_EQ(EvaluateUnderAFather(pool.Raw(NodeBoolGreater, {y, Bool(0)}), pool), y);
}

TEST_F(Evaluation, KeepsANodeWithAWrongArgumentCountAndReportsItsCode) {
  ZELS3Node* x = Var(1);
  const struct {
    ZELS3Node* node;
    int error;
  } cases[] = {
      {pool.Raw(NodeSin, {x, x}), 10013},
      {pool.Raw(NodeNot, {}), 10014},
      {pool.Raw(NodeAnd, {x}), 10016},
      {pool.Raw(NodeLess, {x, x, x}), 10017},
      {pool.Raw(NodeQuotient, {x}), 10018},
      {pool.Raw(NodeMax, {x}), 10019},
      {pool.Raw(NodeDifference, {Num(1), x}), 10020},
      {pool.Raw(NodePower, {x, x}), 10020},
      {pool.Raw(NodeVariable, {}), 10005},
  };
  for (const auto& c : cases) {
    ResetError();
    const unsigned before = Count(c.node);
    EXPECT_EQ(EvaluateUnderAFather(c.node, pool), nullptr) << Show(c.node);
    EXPECT_EQ(ErrorCode(), c.error) << Show(c.node);
    EXPECT_EQ(Count(c.node), before) << Show(c.node);
  }
}

TEST_F(Evaluation, NegatesEachRelationIntoItsComplement) {
  const ZELNodeType complements[][2] = {
      {NodeBoolEqual, NodeBoolNotEqual},    {NodeBoolLess, NodeBoolGreaterEqual},
      {NodeBoolLessEqual, NodeBoolGreater}, {NodeEqual, NodeNotEqual},
      {NodeLess, NodeGreaterEqual},         {NodeLessEqual, NodeGreater},
  };
  ZELS3Node* u = Var(1);
  ZELS3Node* v = Var(2);
  for (const auto& pair : complements) {
    EXPECT_TRUE(Is(Un(NodeNot, Bin(pair[0], u, v)), pair[1], {u, v})) << pair[0];
    EXPECT_TRUE(Is(Un(NodeNot, Bin(pair[1], u, v)), pair[0], {u, v})) << pair[1];
  }
  EXPECT_EQ(ErrorCode(), 0);
}

TEST_F(Evaluation, PushesNegationThroughConnectivesAndConstants) {
  ZELS3Node* a = Bin(NodeLess, Var(1), Var(2));
  ZELS3Node* b = Bin(NodeEqual, Var(3), Var(4));
  ZELS3Node* notA = Bin(NodeGreaterEqual, Var(1), Var(2));
  ZELS3Node* notB = Bin(NodeNotEqual, Var(3), Var(4));
  EXPECT_TRUE(Is(Un(NodeNot, Bin(NodeAnd, a, b)), NodeOr, {notA, notB}));
  EXPECT_TRUE(Is(Un(NodeNot, Bin(NodeOr, a, b)), NodeAnd, {notA, notB}));
  EXPECT_TRUE(Is(Un(NodeNot, Bin(NodeImplies, a, b)), NodeAnd, {a, notB}));
  EXPECT_EQ(Un(NodeNot, GetTrue()), GetFalse());
  EXPECT_EQ(Un(NodeNot, GetFalse()), GetTrue());
  EXPECT_EQ(ErrorCode(), 0);
}

TEST_F(Evaluation, KeepsTheNegationOfAVariableWhichNegatedAgainGivesTheVariable) {
  ZELS3Node* p = Var(5);
  ZELS3Node* notP = Un(NodeNot, p);
  EXPECT_TRUE(Is(notP, NodeNot, {p}));
  EXPECT_EQ(ErrorCode(), 10005);
  EXPECT_EQ(Un(NodeNot, notP), p);
}

TEST_F(Evaluation, KeepsTheNegationOfANumericOperationAndReportsIt) {
  ZELS3Node* sum = Bin(NodeSum, Var(1), Var(2));
  EXPECT_TRUE(Is(Un(NodeNot, sum), NodeNot, {sum}));
  EXPECT_EQ(ErrorCode(), 10015);
}

// Values of functions inside their domains are checked by the property tests.
TEST_F(Evaluation, FoldsAFunctionOutsideItsDomainToZeroAndReportsItsCode) {
  const struct {
    ZELNodeType type;
    double arg;
    double value;
    int error;
  } cases[] = {
      {NodeLn, 0.0, 0.0, 3},       {NodeLn, -1.0, 0.0, 3},
      {NodeSqrt, -4.0, 0.0, 4},    {NodeAsin, 1.0, std::asin(1.0), 0},
      {NodeAsin, 1.5, 0.0, 5},     {NodeAcos, -2.0, 0.0, 6},
      {NodeCtg, 0.0, HUGE_VAL, 0},
  };
  for (const auto& c : cases) {
    ResetError();
    EXPECT_EQ(Un(c.type, Num(c.arg)), Num(c.value)) << c.type << "(" << c.arg << ")";
    EXPECT_EQ(ErrorCode(), c.error) << c.type << "(" << c.arg << ")";
  }
}

TEST_F(Evaluation, KeepsADivisionByZeroAndReportsIt) {
  ZELS3Node* x = Var(1);
  EXPECT_TRUE(Is(Bin(NodeQuotient, x, Num(0)), NodeQuotient, {x, Num(0)}));
  EXPECT_EQ(ErrorCode(), 2);
}

// x / b -> x * (1 / b), which normalises to the one pair sum +(1 / b, x).
TEST_F(Evaluation, ReplacesADivisionByAConstantWithAProductOnlyWithDivReplaceOn) {
  ZELS3Node* x = Var(1);
  EXPECT_EQ(Bin(NodeQuotient, Num(6), Num(3)), Num(2));
  EXPECT_TRUE(Is(Bin(NodeQuotient, x, Num(4)), NodeSum, {Num(0.25), x}));
  EXPECT_TRUE(Is(Bin(NodeQuotient, x, Num(3)), NodeSum, {Num(1.0 / 3.0), x}));
  calc.SetDivReplaceOff();
  EXPECT_TRUE(Is(Bin(NodeQuotient, x, Num(4)), NodeQuotient, {x, Num(4)}));
  EXPECT_TRUE(Is(Bin(NodeQuotient, Num(4), x), NodeQuotient, {Num(4), x}));
  EXPECT_EQ(ErrorCode(), 0);
}
