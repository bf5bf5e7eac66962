#include <cmath>

#include "simplify/SimplifyTesting.h"

using zeltav_test::Show;
using zeltav_test::SimplifyTest;

using Evaluation = SimplifyTest;

TEST_F(Evaluation, DecidesRelationsAndConnectivesOverConstantsOnlyUnderAFather) {
  ZELS3Node* less = Bin(NodeLess, N(2), N(3));
  EXPECT_TRUE(IsType(less, NodeLess) && ArgsAre(less, {N(2), N(3)})) << Show(less);

  ZELS3Node* y = Bin(NodeLess, X(1), X(2));
  ZELS3Node* father = Raw(NodeAnd, {});
  struct Case {
    ZELS3Node* node;
    ZELS3Node* expected;
  } cases[] = {{Raw(NodeGreaterEqual, {N(2), N(3)}), GetFalse()},
               {Raw(NodeEqual, {N(-0.0), N(0.0)}), GetTrue()},
               {Raw(NodeImplies, {B(true), y}), y},
               {Raw(NodeImplies, {B(false), y}), GetTrue()},
               {Raw(NodeImplies, {y, B(false)}), Bin(NodeGreaterEqual, X(1), X(2))},
               {Raw(NodeBoolLess, {B(false), B(true)}), GetTrue()}};
  double number = 0.0;
  for (const Case& c : cases) {
    EXPECT_EQ(A::Evaluate(c.node, &number), nullptr) << "no father yet: " << Show(c.node);
    EXPECT_EQ(Count(c.node), 2u) << Show(c.node);
    A::AddFath(c.node, father);
    EXPECT_EQ(A::Evaluate(c.node, &number), c.expected) << Show(c.node);
  }
  EXPECT_EQ(Error(), 0);
}

TEST_F(Evaluation, ReducesAConstantSideByTheTruthTableOfEachRelation) {
  ZELS3Node* y = Bin(NodeLess, X(1), X(2));
  ZELS3Node* notY = Bin(NodeGreaterEqual, X(1), X(2));
  EXPECT_EQ(A::EvaluateBoolLeft(NodeBoolLess, 1, y), GetFalse());
  EXPECT_EQ(A::EvaluateBoolLeft(NodeBoolGreater, 1, y), notY);
  EXPECT_EQ(A::EvaluateBoolLeft(NodeBoolGreaterEqual, 0, y), notY);
  EXPECT_EQ(A::EvaluateBoolRight(NodeBoolLess, y, 1), notY);
  EXPECT_EQ(A::EvaluateBoolRight(NodeBoolGreater, y, 0), y);
  EXPECT_EQ(A::EvaluateBoolConstants(NodeBoolGreaterEqual, 0, 1), GetFalse());
}

TEST_F(Evaluation, NegatesEveryRelationIntoItsComplement) {
  const ZELNodeType pairs[][2] = {
      {NodeBoolEqual, NodeBoolNotEqual},    {NodeBoolLess, NodeBoolGreaterEqual},
      {NodeBoolLessEqual, NodeBoolGreater}, {NodeEqual, NodeNotEqual},
      {NodeLess, NodeGreaterEqual},         {NodeLessEqual, NodeGreater}};
  ZELS3Node *u = X(1), *v = X(2);
  for (const auto& p : pairs) {
    for (int dir = 0; dir < 2; ++dir) {
      ZELNodeType from = p[dir], to = p[1 - dir];
      ZELS3Node* negated = Un(NodeNot, Bin(from, u, v));
      EXPECT_TRUE(IsType(negated, to) && ArgsAre(negated, {u, v}))
          << "from type " << from << ": " << Show(negated);
    }
  }
  EXPECT_EQ(Error(), 0);
}

TEST_F(Evaluation, PushesNegationThroughConnectives) {
  ZELS3Node *a = Bin(NodeLess, X(1), X(2)), *b = Bin(NodeEqual, X(3), X(4));
  ZELS3Node *notA = Bin(NodeGreaterEqual, X(1), X(2)), *notB = Bin(NodeNotEqual, X(3), X(4));
  ZELS3Node* deMorganAnd = Un(NodeNot, Bin(NodeAnd, a, b));
  EXPECT_TRUE(IsType(deMorganAnd, NodeOr) && ArgsAre(deMorganAnd, {notA, notB}))
      << Show(deMorganAnd);
  ZELS3Node* deMorganOr = Un(NodeNot, Bin(NodeOr, a, b));
  EXPECT_TRUE(IsType(deMorganOr, NodeAnd) && ArgsAre(deMorganOr, {notA, notB})) << Show(deMorganOr);
  ZELS3Node* notImplies = Un(NodeNot, Bin(NodeImplies, a, b));
  EXPECT_TRUE(IsType(notImplies, NodeAnd) && ArgsAre(notImplies, {a, notB})) << Show(notImplies);
  EXPECT_EQ(Un(NodeNot, GetTrue()), GetFalse());
  EXPECT_EQ(Un(NodeNot, GetFalse()), GetTrue());
  EXPECT_EQ(Error(), 0);

  // A variable cannot be negated: error, node kept; negating that gives it
  // back (re-simplifying the inner negation as an operand reports 10005 again).
  ZELS3Node* p = X(5);
  ZELS3Node* notP = Un(NodeNot, p);
  EXPECT_EQ(Error(), 10005);
  EXPECT_TRUE(IsType(notP, NodeNot) && ArgsAre(notP, {p})) << Show(notP);
  EXPECT_EQ(Un(NodeNot, notP), p);
  ResetError();

  ZELS3Node* notSum = Un(NodeNot, Bin(NodeSum, X(1), X(2)));
  EXPECT_EQ(Error(), 10015);
  EXPECT_TRUE(IsType(notSum, NodeNot)) << Show(notSum);
}

TEST_F(Evaluation, FoldsFunctionsOfNumbersAndReportsDomainErrors) {
  struct Case {
    ZELNodeType type;
    double x;
    double value;
    int error;
  } cases[] = {{NodeLn, 0.0, 0.0, 3},
               {NodeLn, -1.0, 0.0, 3},
               {NodeSqrt, -4.0, 0.0, 4},
               {NodeSqrt, 9.0, 3.0, 0},
               {NodeAsin, 1.0, std::asin(1.0), 0},
               {NodeAsin, 1.5, 0.0, 5},
               {NodeAcos, -2.0, 0.0, 6},
               {NodeCtg, 0.0, HUGE_VAL, 0},
               {NodeSign, 0.0, 0.0, 0},
               {NodeSign, -3.0, -1.0, 0},
               {NodeAbs, -2.5, 2.5, 0},
               {NodeExp, 0.0, 1.0, 0}};
  for (const Case& c : cases) {
    ResetError();
    ZELS3Node* folded = Un(c.type, N(c.x));
    EXPECT_TRUE(IsNum(folded, c.value)) << "type " << c.type << "(" << c.x << "): " << Show(folded);
    EXPECT_EQ(Error(), c.error) << "type " << c.type << "(" << c.x << ")";
  }
  ResetError();
  ZELS3Node* x = X(1);
  ZELS3Node* kept = Un(NodeSin, x);
  EXPECT_TRUE(IsType(kept, NodeSin) && ArgsAre(kept, {x})) << Show(kept);
  EXPECT_EQ(Error(), 0);
}

TEST_F(Evaluation, DividesByConstantsAccordingToDivReplace) {
  ZELS3Node* x = X(1);
  ZELS3Node* byZero = Bin(NodeQuotient, x, N(0));
  EXPECT_EQ(Error(), 2);
  EXPECT_TRUE(IsType(byZero, NodeQuotient) && ArgsAre(byZero, {x, N(0)})) << Show(byZero);
  ResetError();
  EXPECT_EQ(Bin(NodeQuotient, N(6), N(3)), N(2));

  ZELS3Node* quarter = Bin(NodeQuotient, x, N(4));
  EXPECT_TRUE(IsType(quarter, NodeSum) && ArgsAre(quarter, {N(0.25), x})) << Show(quarter);
  // The divisor is replaced by 1.0 / b, not a multiple of a / b.
  ZELS3Node* third = Bin(NodeQuotient, x, N(3));
  EXPECT_TRUE(ArgsAre(third, {N(1.0 / 3.0), x})) << Show(third);

  calc.SetDivReplaceOff();
  ZELS3Node* kept = Bin(NodeQuotient, x, N(4));
  EXPECT_TRUE(IsType(kept, NodeQuotient) && ArgsAre(kept, {x, N(4)})) << Show(kept);
  ZELS3Node* symbolic = Bin(NodeQuotient, N(4), x);
  EXPECT_TRUE(IsType(symbolic, NodeQuotient)) << Show(symbolic);
  EXPECT_EQ(Error(), 0);
}

TEST_F(Evaluation, SetsArityCodesAndKeepsTheNode) {
  ZELS3Node *x = X(1), *y = X(2), *z = X(3);
  struct Case {
    ZELS3Node* node;
    int error;
  };
  double number = 0.0;
  const Case cases[] = {{Raw(NodeSin, {x, y}), 10013},
                        {Raw(NodeNot, {}), 10014},
                        {Raw(NodeAnd, {x}), 10016},
                        {Raw(NodeLess, {x, y, z}), 10017},
                        {Raw(NodeQuotient, {x}), 10018},
                        {Raw(NodeMax, {x}), 10019},
                        {Raw(NodeDifference, {N(1), x}), 10020},
                        {Raw(NodePower, {x, y}), 10020},
                        {Raw(NodeVariable, {}), 10005}};
  for (const Case& c : cases) {
    ResetError();
    const unsigned before = Count(c.node);
    EXPECT_EQ(A::Evaluate(c.node, &number), nullptr) << Show(c.node);
    EXPECT_EQ(Error(), c.error) << Show(c.node);
    EXPECT_EQ(Count(c.node), before) << Show(c.node);
  }
  EXPECT_EQ(number, 0.0);
}
