#include <cmath>
#include <vector>

#include "support/Builders.h"

using namespace zeltav_test;
using A = ZELS3NodeTestAccess;
using TA = ZELSymbolicCalculatorTestAccess;
using SumNormalisation = WithCalculator;
using Nodes = std::vector<ZELS3Node*>;

// +(1, a + b, 1, x, 5, 2c + 3d) -> +(1, x, 10, c, 15, d, 1, a, 1, b)
TEST_F(SumNormalisation, FlattensNestedSumsAfterTheSurvivorsTheLaterOneFirst) {
  ZELS3Node *a = Un(NodeExp, Var(1)), *b = Var(2), *c = Var(3), *d = Un(NodeExp, Var(4));
  ZELS3Node *x = Var(5), *ab = Bin(NodeSum, a, b), *cd = Op(NodeSum, {Num(2), c, Num(3), d});
  ZELS3Node* sum = pool.Raw(NodeSum, {Num(1), ab, Num(1), x, Num(5), cd});
  A::SimplifySum(sum);
  EXPECT_EQ(ArgsOf(sum), (Nodes{Num(1), x, Num(10), c, Num(15), d, Num(1), a, Num(1), b}));
  EXPECT_TRUE(Has(ab, {Num(1), a, Num(1), b})) << Show(ab);
  EXPECT_EQ(A::GetFathNum(cd), 0u);
  EXPECT_EQ(A::GetFath(a, A::GetFathNum(a) - 1), sum);
  EXPECT_EQ(A::GetFath(d, A::GetFathNum(d) - 1), sum);
}

// 0.1 + (0.2 + 0.3) differs from (0.1 + 0.2) + 0.3 in the last bit.
TEST_F(SumNormalisation, FoldsTheLastOfThreeEqualTermsIntoTheMiddleOneFirst) {
  ZELS3Node *x = Var(1), *y = Var(2);
  ZELS3Node* sum = pool.Raw(NodeSum, {Num(0.1), x, Num(1), y, Num(0.2), x, Num(0.3), x});
  A::SimplifySum(sum);
  EXPECT_EQ(ArgsOf(sum), (Nodes{Num(0.1 + (0.2 + 0.3)), x, Num(1), y})) << Show(sum);
}

TEST_F(SumNormalisation, GathersTheNumbersInOneFrontPairAndDropsItWhenTheyCancel) {
  ZELS3Node* x = Var(1);
  ZELS3Node* gathered = Op(NodeSum, {Num(1), Num(2), Num(1), x, Num(2), Num(3)});
  ZELS3Node* cancelled = pool.Raw(NodeSum, {Num(1), Num(2), Num(1), x, Num(1), Num(-2)});
  A::SimplifySum(cancelled);
  EXPECT_EQ(ArgsOf(gathered), (Nodes{Num(1), Num(8), Num(1), x})) << Show(gathered);
  EXPECT_EQ(ArgsOf(cancelled), (Nodes{Num(1), x})) << Show(cancelled);
}

// A NaN coefficient times a NaN number: of the two, the coefficient's is kept.
TEST_F(SumNormalisation, FoldsANaNTimesANaNIntoTheCoefficientsNaN) {
  const double positive = std::copysign(NAN, 1.0), negative = std::copysign(NAN, -1.0);
  ZELS3Node* sum = pool.Raw(NodeSum, {Num(positive), Num(negative), Num(1), Var(1)});
  A::SimplifySum(sum);
  ASSERT_EQ(sum->GetArgsNum(), 4u);
  EXPECT_TRUE(std::isnan(sum->GetArg(1)->GetConstant()));
  EXPECT_FALSE(std::signbit(sum->GetArg(1)->GetConstant()));
}

// A lone trailing entry is never read; a coefficient that is no number is reported.
TEST_F(SumNormalisation, SurvivesMalformedPairs) {
  ZELS3Node *x = Var(1), *y = Var(2);
  ZELS3Node* odd = pool.Raw(NodeSum, {Num(1), x, Num(2)});
  ZELS3Node* outer = pool.Raw(NodeSum, {Num(1), x, Num(1), odd});
  A::SimplifySum(odd);
  A::SimplifySum(outer);
  EXPECT_EQ(ArgsOf(odd), (Nodes{Num(1), x, Num(2)})) << Show(odd);
  EXPECT_EQ(ArgsOf(outer), (Nodes{Num(2), x})) << Show(outer);
  EXPECT_EQ(ErrorCode(), 0);
  ZELS3Node* wrong = pool.Raw(NodeSum, {y, x, Num(1), y});
  A::SimplifySum(wrong);
  EXPECT_EQ(ArgsOf(wrong), (Nodes{Num(1), y})) << Show(wrong);
  EXPECT_EQ(ErrorCode(), 10003);
}

TEST_F(SumNormalisation, FactoriesFoldASumOfOnePairOrNone) {
  ZELS3Node *x = Var(1), *y = Var(2);
  EXPECT_EQ(Op(NodeSum, {Num(1), Num(2), Num(1), x, Num(1), Num(-2)}), x);
  EXPECT_EQ(Op(NodeSum, {Num(1), Num(2), Num(1), Num(3)}), Num(5));
  EXPECT_EQ(Op(NodeSum, {Num(0), x, Num(1), y}), y);
  EXPECT_EQ(Op(NodeSum, {Num(1), x, Num(-1), x, Num(1), Num(4), Num(-2), Num(2)}), GetZero());
  EXPECT_EQ(ErrorCode(), 0);
}

// Used again as an operand, such a sum is not normalised again until a
// registered node changes in place.
TEST_F(SumNormalisation, SettlesOnlySumsTheRuleWouldLeaveAsTheyAre) {
  ZELS3Node *x = Var(1), *y = Var(2);
  ZELS3Node* sum = Op(NodeSum, {Num(2), x, Num(1), y});
  EXPECT_TRUE(TA::Settled(&calc, sum));
  EXPECT_TRUE(TA::Settled(&calc, Op(NodeSum, {Num(1), Num(3), Num(1), x})));
  EXPECT_FALSE(TA::Settled(&calc, Op(NodeSum, {Num(1), Num(NAN), Num(1), x})));
  EXPECT_FALSE(TA::Settled(&calc, Op(NodeSum, {Num(2), x, Num(1), Var(7, 1)})));
  // +(1, +(1, sum, 1, y)) -> +(1, sum, 1, y), whose term sum a second run takes apart
  ZELS3Node* inner = Fresh(NodeSum, {Num(1), sum, Num(1), y});
  EXPECT_FALSE(TA::Settled(&calc, A::Simplify(Fresh(NodeSum, {Num(1), inner}), NodeSum)));
  A::RemoveAllArgs(inner);
  delete inner;
  ZELS3Node* product = Op(NodeProduct, {x, Num(1), y, Num(1)});
  A::ReplaceArg(product, Var(3), 0);
  EXPECT_FALSE(TA::Settled(&calc, sum));
  EXPECT_EQ(A::Simplify(sum, NodeSum), sum);
  EXPECT_TRUE(TA::Settled(&calc, sum));
}
