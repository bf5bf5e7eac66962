#include <cmath>

#include "support/Builders.h"

using namespace zeltav_test;

TEST(ExactVariables, FixingAgainAtTheSameValueIsHarmless) {
  ZELSymbolicCalculator calc;
  calc.AddEquation(By("==", {Var(1), Num(5)}));
  calc.AddEquation(By("==", {Num(5), Var(1)}));
  EXPECT_EQ(calc.GetExactVariable(1), Num(5));
  EXPECT_EQ(calc.GetError(), 0);
}

TEST(ExactVariables, FixingAgainAtAnotherValueOrAtNaNIsInconsistentAndKeepsTheFirst) {
  ZELSymbolicCalculator calc;
  calc.AddEquation(By("==", {Var(1), Num(5)}));
  calc.AddEquation(By("==", {Var(1), Num(6)}));
  EXPECT_EQ(calc.GetError(), 101);
  EXPECT_EQ(calc.GetExactVariable(1), Num(5));
  ResetError();
  EXPECT_NE(calc.AddExactVariable(2, NAN), nullptr);
  EXPECT_EQ(calc.AddExactVariable(2, NAN), nullptr);
  EXPECT_EQ(calc.GetError(), 101);
}

// x + y = 3 makes x = 3 - y; then x - y = 1 gives y = 1, and x = 2 by substitution.
TEST(LinearVariables, ALaterDefinitionIsSubstitutedIntoEarlierOnesWhichMayBecomeFixed) {
  ZELSymbolicCalculator calc;
  calc.SetGaussOn();
  calc.AddEquation(By("==", {By("+", {Var(1), Var(2)}), Num(3)}));
  calc.AddLinearVariable(4, By("+", {Var(6), Var(7)}));
  calc.AddEquation(By("==", {By("-", {Var(1), Var(2)}), Num(1)}));
  EXPECT_EQ(calc.GetExactVariable(1), Num(2)) << Show(calc.GetLinearVariable(1));
  EXPECT_EQ(calc.GetExactVariable(2), GetOne()) << Show(calc.GetLinearVariable(2));
  EXPECT_EQ(calc.GetLinearVariable(4), By("+", {Var(6), Var(7)}));
  EXPECT_EQ(calc.GetError(), 0);
}

// y = 2x + 3z and v = x + 3 with v fixed at 10; then x = 4 makes y = 8 + 3z and v = 7.
TEST(LinearVariables, ADefinitionThatBecomesAnotherValueThanTheFixedOneIsInconsistent) {
  ZELSymbolicCalculator calc;
  calc.AddLinearVariable(2, Linear({{2, Var(1)}, {3, Var(3)}}));
  calc.AddLinearVariable(5, By("+", {Var(1), Num(3)}));
  calc.AddExactVariable(5, 10.0);
  calc.AddLinearVariable(1, Num(4));
  EXPECT_DOUBLE_EQ(Evaluate(calc.GetLinearVariable(2), {{3, 1}}), 11.0);  // NaN if x were left
  EXPECT_FALSE(calc.IsExactVariable(1));  // the new record itself is not promoted
  EXPECT_EQ(calc.GetError(), 101);
  EXPECT_EQ(calc.GetExactVariable(5), Num(10));
}

// The pairs of a sum, or the pair (1, node) for anything else.
TEST(LinearRecords, HoldTheCoefficientTermPairsOfTheirExpression) {
  ZELSymbolicCalculator calc;
  ZELS3Node *sum = By("-", {Var(1), Var(3)}), *y = Var(2);
  ZELS3LinearVariable rec(9, sum);
  ASSERT_EQ(rec.pairs.Count(), 4u);
  for (unsigned i = 0; i < 4; ++i) EXPECT_EQ(rec.pairs[i], sum->GetArg(i)) << i;
  rec.SetExpression(y);
  EXPECT_EQ(rec.expression, y);
  ASSERT_EQ(rec.pairs.Count(), 2u);
  EXPECT_EQ(rec.pairs[0], GetOne());
  EXPECT_EQ(rec.pairs[1], y);
}

TEST(LinearRecords, MadeWithoutAnExpressionHoldNoPairs) {
  ZELS3LinearVariable rec(9, nullptr);
  EXPECT_EQ(rec.expression, nullptr);
  EXPECT_EQ(rec.pairs.Count(), 0u);
  rec.SetExpression(nullptr);
  EXPECT_EQ(rec.pairs.Count(), 0u);
}

// A host holds the records AddExactVariable hands out and may renumber one.
TEST(ExactVariables, AreFoundUnderTheIdentifierTheirRecordHasNow) {
  ZELSymbolicCalculator calc;
  ZELS3ExactVariable* first = calc.AddExactVariable(1, 5.0);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(calc.AddExactVariable(2, 6.0), nullptr);
  first->id = 3;
  EXPECT_FALSE(calc.IsExactVariable(1));
  EXPECT_EQ(calc.GetExactVariable(3), Num(5));
  first->id = 2;  // now the first of two records for 2
  EXPECT_EQ(calc.GetExactVariable(2), Num(5));
  EXPECT_EQ(calc.AddExactVariable(1, 7.0)->value, Num(7));
}

TEST(LinearVariables, AreFoundAmongManyAndDefinedOnlyOnce) {
  ZELSymbolicCalculator calc;
  for (unsigned id = 1; id <= 300; ++id) calc.AddLinearVariable(1000 + id, Var(id));
  EXPECT_EQ(calc.GetLinearVariable(1001), Var(1));
  EXPECT_EQ(calc.GetLinearVariable(1300), Var(300));
  EXPECT_FALSE(calc.IsLinearVariable(1000));
  EXPECT_FALSE(calc.IsLinearVariable(1));
  calc.AddLinearVariable(1150, Var(7));
  EXPECT_EQ(calc.GetError(), 101);
  EXPECT_EQ(calc.GetLinearVariable(1150), Var(150));
}

TEST(LinearVariables, RecordsPutStraightIntoTheListAfterALookupAreFoundToo) {
  using TA = ZELSymbolicCalculatorTestAccess;
  ZELSymbolicCalculator calc;
  calc.AddLinearVariable(5, Var(1));
  EXPECT_FALSE(calc.IsLinearVariable(6));
  TA::PushLinear(&calc, new ZELS3LinearVariable(6, Var(2)));
  TA::PushLinear(&calc, new ZELS3LinearVariable(5, Var(3)));
  EXPECT_EQ(calc.GetLinearVariable(6), Var(2));
  EXPECT_EQ(calc.GetLinearVariable(5), Var(1));
}

// r = y + w + z made while both options are off, y linear (y = t + u) and z
// fixed at 2; then w = v rebuilds r, the options on or off. The values given
// to y and z tell whether they were replaced.
TEST(LinearVariables, ARebuiltDefinitionTakesInWhatTheOptionsReplaceInASum) {
  for (int on : {0, 1}) {
    ZELSymbolicCalculator calc;
    ZELS3Node* r = By("+", {Var(2), Var(6), Var(8)});
    calc.AddExactVariable(8, 2.0);
    calc.AddLinearVariable(2, By("+", {Var(3), Var(4)}));
    calc.AddLinearVariable(5, r);
    calc.SetGauss(on);
    calc.SetSubst(on);
    calc.AddLinearVariable(6, Var(7));
    const double value =
        Evaluate(calc.GetLinearVariable(5), {{2, 1000}, {3, 1}, {4, 10}, {7, 100}, {8, 5000}});
    EXPECT_DOUBLE_EQ(value, on ? 113.0 : 6100.0) << on;
  }
}

// x = 5w + 6u + 7v substituted into y = 2u + 3x - 15w gives the sum of the
// pairs (2, u, 15, w, 18, u, 21, v, -15, w): u merged where it stands first
// and w cancelled; the same with x at the front and at the back. Sums are
// Equal whatever the order of their pairs, so the order is read off too.
TEST(LinearVariables, ASubstitutedDefinitionIsTheSumOfItsPairsInOrder) {
  ZELSymbolicCalculator calc;
  ZELS3Node *u = Var(1), *v = Var(2), *w = Var(4), *x = Var(3);
  calc.AddLinearVariable(10, Op(NodeSum, {Num(2), u, Num(3), x, Num(-15), w}));
  calc.AddLinearVariable(11, Op(NodeSum, {Num(3), x, Num(4), u, Num(-15), w}));
  calc.AddLinearVariable(12, Op(NodeSum, {Num(6), u, Num(-15), w, Num(3), x}));
  calc.AddLinearVariable(3, Op(NodeSum, {Num(5), w, Num(6), u, Num(7), v}));
  ZELS3Node* frontX = calc.GetLinearVariable(11);
  EXPECT_EQ(calc.GetLinearVariable(10), Linear({{2, u}, {15, w}, {18, u}, {21, v}, {-15, w}}));
  EXPECT_EQ(frontX, Linear({{15, w}, {18, u}, {21, v}, {4, u}, {-15, w}}));
  EXPECT_EQ(calc.GetLinearVariable(12), Linear({{6, u}, {-15, w}, {15, w}, {18, u}, {21, v}}));
  EXPECT_EQ(calc.GetError(), 0);
  ASSERT_EQ(frontX->GetArgsNum(), 4u);
  EXPECT_EQ(frontX->GetArg(1), u);
  EXPECT_EQ(frontX->GetArg(3), v);
}

// y = 0.1 + 0.2x and x = 0.1 + z give the pairs (1, 0.1, 0.2, 0.1, 0.2, z):
// the equal numbers are merged before they are folded, 0.1 * 1.2 = 0.12,
// where folding them one by one would give 0.1 * 0.2 + 0.1 = 0.12000000000000001.
TEST(LinearVariables, ASubstitutedDefinitionMergesEqualNumbersBeforeFoldingThem) {
  ZELSymbolicCalculator calc;
  ZELS3Node *x = Var(3), *z = Var(5);
  calc.AddLinearVariable(10, Op(NodeSum, {Num(1), Num(0.1), Num(0.2), x}));
  calc.AddLinearVariable(3, Op(NodeSum, {Num(1), Num(0.1), Num(1), z}));
  EXPECT_EQ(calc.GetLinearVariable(10), Op(NodeSum, {Num(1), Num(0.12), Num(0.2), z}));
  EXPECT_EQ(calc.GetError(), 0);
}

// y = inf u + x and x = -inf u + w: the coefficients of u add up to NaN, so
// the pairs keep u twice and the sum rule merges them into (NaN, u, 1, w).
TEST(LinearVariables, ASubstitutedDefinitionMergesATermThatStandsTwice) {
  ZELSymbolicCalculator calc;
  ZELS3Node *u = Var(1), *w = Var(4), *x = Var(3);
  calc.AddLinearVariable(10, Op(NodeSum, {Num(INFINITY), u, Num(1), x}));
  calc.AddLinearVariable(3, Op(NodeSum, {Num(-INFINITY), u, Num(1), w}));
  ZELS3Node* y = calc.GetLinearVariable(10);
  ASSERT_EQ(Count(y), 4u);
  EXPECT_NE(y->GetArg(0)->GetConstant(), y->GetArg(0)->GetConstant());
  EXPECT_EQ(y->GetArg(1), u);
  EXPECT_EQ(y->GetArg(3), w);
}

// y = x + 5 with x = z - 5 is z itself; v = x + 5 with x = 2 is the number 7.
TEST(LinearVariables, ASubstitutedDefinitionLeftWithOneTermIsThatTerm) {
  ZELSymbolicCalculator calc;
  ZELS3Node *x = Var(3), *z = Var(5);
  calc.AddLinearVariable(10, Op(NodeSum, {Num(1), Num(5), Num(1), x}));
  calc.AddLinearVariable(3, Op(NodeSum, {Num(1), Num(-5), Num(1), z}));
  EXPECT_EQ(calc.GetLinearVariable(10), z);
  calc.AddLinearVariable(11, Op(NodeSum, {Num(1), Num(5), Num(1), Var(6)}));
  calc.AddLinearVariable(6, Num(2));
  EXPECT_EQ(calc.GetLinearVariable(11), Num(7));
  EXPECT_EQ(calc.GetExactVariable(11), Num(7));
  EXPECT_EQ(calc.GetError(), 0);
}
