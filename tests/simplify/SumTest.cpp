#include <vector>

#include "support/Builders.h"

using namespace zeltav_test;
using A = ZELS3NodeTestAccess;
using SumNormalisation = WithCalculator;
using Nodes = std::vector<ZELS3Node*>;

// +(1, a + b, 1, x, 5, 2c + 3d) -> +(1, x, 10, c, 15, d, 1, a, 1, b)
TEST_F(SumNormalisation, FlattensNestedSumsAfterTheSurvivorsTheLaterOneFirst) {
  ZELS3Node* x = Var(5);
  ZELS3Node* ab = Bin(NodeSum, Var(1), Var(2));
  ZELS3Node* cd = Op(NodeSum, {Num(2), Var(3), Num(3), Var(4)});
  ZELS3Node* sum = pool.Raw(NodeSum, {Num(1), ab, Num(1), x, Num(5), cd});
  A::SimplifySum(sum);
  const Nodes flat = {Num(1), x, Num(10), Var(3), Num(15), Var(4), Num(1), Var(1), Num(1), Var(2)};
  EXPECT_EQ(ArgsOf(sum), flat) << Show(sum);
  EXPECT_TRUE(Has(ab, {Num(1), Var(1), Num(1), Var(2)})) << Show(ab);
  EXPECT_EQ(A::GetFathNum(cd), 0u);
}

// 0.1 + (0.2 + 0.3) differs from (0.1 + 0.2) + 0.3 in the last bit.
TEST_F(SumNormalisation, FoldsTheLastOfThreeEqualTermsIntoTheMiddleOneFirst) {
  ZELS3Node* x = Var(1);
  ZELS3Node* y = Var(2);
  ZELS3Node* sum = pool.Raw(NodeSum, {Num(0.1), x, Num(1), y, Num(0.2), x, Num(0.3), x});
  A::SimplifySum(sum);
  const Nodes merged = {Num(0.1 + (0.2 + 0.3)), x, Num(1), y};
  EXPECT_EQ(ArgsOf(sum), merged) << Show(sum);
}

TEST_F(SumNormalisation, GathersTheNumbersInOneFrontPairAndDropsItWhenTheyCancel) {
  ZELS3Node* x = Var(1);
  ZELS3Node* gathered = Op(NodeSum, {Num(1), Num(2), Num(1), x, Num(2), Num(3)});
  const Nodes front = {Num(1), Num(8), Num(1), x};
  EXPECT_EQ(ArgsOf(gathered), front) << Show(gathered);
  ZELS3Node* cancelled = pool.Raw(NodeSum, {Num(1), Num(2), Num(1), x, Num(1), Num(-2)});
  A::SimplifySum(cancelled);
  const Nodes term = {Num(1), x};
  EXPECT_EQ(ArgsOf(cancelled), term) << Show(cancelled);
}

TEST_F(SumNormalisation, NeverReadsALoneTrailingEntry) {
  ZELS3Node* x = Var(1);
  ZELS3Node* odd = pool.Raw(NodeSum, {Num(1), x, Num(2)});
  A::SimplifySum(odd);
  const Nodes kept = {Num(1), x, Num(2)};
  EXPECT_EQ(ArgsOf(odd), kept) << Show(odd);
  ZELS3Node* outer = pool.Raw(NodeSum, {Num(1), x, Num(1), odd});
  A::SimplifySum(outer);
  const Nodes merged = {Num(2), x};
  EXPECT_EQ(ArgsOf(outer), merged) << Show(outer);
  EXPECT_EQ(ErrorCode(), 0);
}

TEST_F(SumNormalisation, ReportsACoefficientThatIsNotANumber) {
  ZELS3Node* sum = pool.Raw(NodeSum, {Var(2), Var(1), Num(1), Var(2)});
  A::SimplifySum(sum);
  const Nodes kept = {Num(1), Var(2)};
  EXPECT_EQ(ArgsOf(sum), kept) << Show(sum);
  EXPECT_EQ(ErrorCode(), 10003);
}

TEST_F(SumNormalisation, FactoriesFoldASumOfOnePairOrNone) {
  ZELS3Node* x = Var(1);
  ZELS3Node* y = Var(2);
  EXPECT_EQ(Op(NodeSum, {Num(1), Num(2), Num(1), x, Num(1), Num(-2)}), x);
  EXPECT_EQ(Op(NodeSum, {Num(1), Num(2), Num(1), Num(3)}), Num(5));
  EXPECT_EQ(Op(NodeSum, {Num(0), x, Num(1), y}), y);
  EXPECT_EQ(Op(NodeSum, {Num(1), x, Num(-1), x, Num(1), Num(4), Num(-2), Num(2)}), GetZero());
  EXPECT_EQ(ErrorCode(), 0);
}
