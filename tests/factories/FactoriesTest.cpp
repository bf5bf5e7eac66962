#include <algorithm>

#include "support/Builders.h"

using namespace zeltav_test;
using TA = ZELSymbolicCalculatorTestAccess;
using NA = ZELS3NodeTestAccess;

TEST(Factories, ShareEqualLeavesWithTheSharedConstants) {
  ZELSymbolicCalculator calc;
  EXPECT_EQ(Num(-0.0), GetZero());
  EXPECT_EQ(Num(-2.0), GetMinesTwo());
  EXPECT_EQ(Bool(0), GetFalse());
  EXPECT_EQ(Var(7), Var(7));
  EXPECT_EQ(Var(7)->GetVariableID(), 7u);
}

TEST(Factories, MakeEveryConstantVariableANewNodeOfTheConstantVariableList) {
  ZELSymbolicCalculator calc;
  ZELS3Node *a = Var(7, 1), *b = Var(7, 1);
  EXPECT_NE(a, b);
  EXPECT_NE(a, Var(7));
  const auto& list = TA::ConstVariables(&calc);
  ASSERT_EQ(list.Count(), 2u);
  EXPECT_EQ(list[0], a);
  EXPECT_EQ(list[1], b);
  EXPECT_EQ(TA::TableSize(&calc), 7u + 3u);
}

TEST(Factories, ShareEqualOperationsAndUnlinkTheDroppedDuplicate) {
  ZELSymbolicCalculator calc;
  ZELS3Node *x = Un(NodeExp, Var(1)), *y = Var(2), *sine = CreateUnaryOperation(NodeSin, x);
  ZELS3Node* quotient = CreateBinaryOperation(NodeQuotient, x, y);
  const unsigned size = TA::TableSize(&calc);
  EXPECT_EQ(CreateUnaryOperation(NodeSin, x), sine);
  EXPECT_EQ(CreateBinaryOperation(NodeQuotient, x, y), quotient);
  EXPECT_NE(CreateBinaryOperation(NodeQuotient, y, x), quotient);
  EXPECT_EQ(TA::TableSize(&calc), size + 1);
  EXPECT_EQ(NA::GetFathNum(x), 3u);
}

TEST(Factories, MakeNothingAndLinkNothingForANullOperand) {
  ZELSymbolicCalculator calc;
  ZELS3Node* x = Un(NodeExp, Var(1));
  const unsigned size = TA::TableSize(&calc);
  EXPECT_EQ(By("+", {x, nullptr}), nullptr);
  EXPECT_EQ(CreateUnaryOperation(NodeDifference, nullptr), nullptr);
  EXPECT_EQ(CreateTernaryOperation(NodeSum, x, x, nullptr), nullptr);
  EXPECT_EQ(Op(NodeSum, {GetOne(), x, GetOne(), nullptr}), nullptr);
  EXPECT_EQ(TA::TableSize(&calc), size);
  EXPECT_EQ(NA::GetFathNum(x), 0u);
  EXPECT_EQ(NA::GetFathNum(GetOne()), 0u);
}

TEST(Factories, MakeNothingWithoutACalculator) {
  ZELSymbolicCalculator calc;
  ZELS3Node* x = Var(1);
  const unsigned size = TA::TableSize(&calc);
  NA::SetCurrent(nullptr);
  EXPECT_EQ(CreateExpression(3.0), nullptr);
  EXPECT_EQ(CreateExpression(9ull, static_cast<unsigned char>(1)), nullptr);
  EXPECT_EQ(CreateBinaryOperation(NodeSum, x, x), nullptr);
  NA::SetCurrent(&calc);
  EXPECT_EQ(TA::TableSize(&calc), size);
  EXPECT_EQ(TA::ConstVariables(&calc).Count(), 0u);
  EXPECT_EQ(NA::GetFathNum(x), 0u);
}

// -(a + b, x, 2c + 3d) -> +(-1, x, -2, c, -3, d, 1, a, 1, b): the pairs that
// stay, then the pieces of the last nested sum first; the nested sums are
// never linked.
TEST(Factories, TakeNestedSumsApartInTheOrderOfTheSumRule) {
  ZELSymbolicCalculator calc;
  ZELS3Node *a = Var(1), *b = Var(2), *c = Var(3), *d = Un(NodeExp, Var(4)), *x = Var(5);
  ZELS3Node *one = GetOne(), *ab = Bin(NodeSum, a, b), *cd = Op(NodeSum, {Num(2), c, Num(3), d});
  ZELS3Node* difference = By("-", {ab, x, cd});
  EXPECT_TRUE(Has(difference, {Num(-1), x, Num(-2), c, Num(-3), d, one, a, one, b}));
  EXPECT_EQ(NA::GetFath(d, NA::GetFathNum(d) - 1), difference);
  EXPECT_TRUE(Has(Bin(NodeDifference, cd, ab), {Num(-1), a, Num(-1), b, Num(2), c, Num(3), d}));
  EXPECT_EQ(NA::GetFathNum(ab), 0u);
  EXPECT_EQ(NA::GetFathNum(cd), 0u);
}

// +(s, x) with s = +(1, t) and t = 1 + u + c, u = a + b: s comes apart once
// and u stays whole, as with any piece the sum rule appends.
TEST(Factories, TakeANestedSumApartOnlyAsFarAsTheSumRuleDoes) {
  ZELSymbolicCalculator calc;
  ZELS3Node *a = Var(1), *b = Var(2), *c = Var(3), *x = Var(4), *one = GetOne();
  ZELS3Node* u = Bin(NodeSum, a, b);
  ZELS3Node* t = Fresh(NodeSum, {one, u, one, c});
  ZELS3Node* sum = By("+", {Fresh(NodeSum, {one, t}), x});
  EXPECT_TRUE(Has(sum, {one, x, one, u, one, c})) << Show(sum);
  NA::RemoveAllArgs(t);
  delete t;
}

// Nested sums over distinct terms come apart into a sum the rule would
// leave as it is; where the rule still changes them (like terms, a number
// term, a long sum with one term twice) it gives what the flat pairs give.
TEST(Factories, FinishNestedSumsAsTheSumRuleDoesTheFlatPairs) {
  ZELSymbolicCalculator calc;
  ZELS3Node *x = Var(1), *y = Var(2), *z = Var(3), *w = Var(4);
  ZELS3Node* xy = Op(NodeSum, {Num(2), x, Num(3), y});
  ZELS3Node* xz = Op(NodeSum, {Num(4), x, Num(5), z});
  ZELS3Node* zw = Op(NodeSum, {Num(4), z, Num(5), w});
  ZELS3Node* apart = By("+", {xy, zw});
  EXPECT_TRUE(Is(apart, NodeSum, {Num(4), z, Num(5), w, Num(2), x, Num(3), y}));
  EXPECT_TRUE(TA::Settled(&calc, apart));
  ZELS3Node* like = By("+", {xy, xz});
  EXPECT_TRUE(Is(like, NodeSum, {Num(6), x, Num(5), z, Num(3), y})) << Show(like);
  EXPECT_EQ(like, Op(NodeSum, {Num(4), x, Num(5), z, Num(2), x, Num(3), y}));
  EXPECT_EQ(By("-", {Op(NodeSum, {Num(-1), x})}), x);
  ZELS3Node* folded = By("+", {y, By("+", {x, Num(3)})});
  EXPECT_TRUE(Is(folded, NodeSum, {GetOne(), Num(3), GetOne(), y, GetOne(), x})) << Show(folded);
  // Ten pairs, v15 in both halves: +(2, v15, 1, v16, ..., 1, v20, 1, v10, ..., 1, v14).
  ZELICVectorImp_ZELS3Node low(6u, 4u), high(6u, 4u), flat(24u, 4u);
  for (unsigned long long id = 10; id < 16; ++id) low.Add(Var(id));
  for (unsigned long long id = 15; id < 21; ++id) high.Add(Var(id));
  for (unsigned long long id : {15, 16, 17, 18, 19, 20, 10, 11, 12, 13, 14, 15}) {
    flat.Add(GetOne());
    flat.Add(Var(id));
  }
  ZELS3Node* twice =
      Bin(NodeSum, CreateExpression(ZELString("+"), low), CreateExpression(ZELString("+"), high));
  EXPECT_EQ(twice, CreateOperation(NodeSum, flat));
  EXPECT_EQ(twice->GetArgsNum(), 22u);
  EXPECT_EQ(twice->GetArg(0), Num(2));
}

// *(c, x) -> +(c, x) in either order; 1, 0 and a fixed or linear x as the
// product rule has them.
TEST(Factories, ScaleAVariableByANumberAsTheProductRuleDoes) {
  ZELSymbolicCalculator calc;
  ZELS3Node *x = Var(1), *y = Var(2), *two = Num(2);
  ZELS3Node* scaled = By("*", {two, x});
  EXPECT_TRUE(Is(scaled, NodeSum, {two, x}));
  EXPECT_EQ(By("*", {x, two}), scaled);
  EXPECT_EQ(By("*", {GetOne(), x}), x);
  EXPECT_EQ(By("*", {GetZero(), x}), GetZero());
  calc.SetSubstOn();
  calc.AddExactVariable(1, 3.0);
  EXPECT_EQ(By("*", {two, x}), Num(6));
  calc.SetGaussOn();
  calc.AddLinearVariable(2, By("+", {Var(3), Num(1)}));
  EXPECT_TRUE(Is(By("*", {two, y}), NodeSum, {GetOne(), two, two, Var(3)}));
}

// first + v100 + ... + v138: long enough for the factory to keep the build.
ZELS3Node* LongSum(ZELS3Node* first) {
  ZELICVectorImp_ZELS3Node v(40u, 8u);
  v.Add(first);
  for (unsigned long long id = 100; v.Count() < 40; ++id) v.Add(Var(id));
  return CreateExpression(ZELString("+"), v);
}

TEST(Factories, GiveALongOperationAskedForAgainTheNodeItGaveWithoutATrace) {
  ZELSymbolicCalculator calc;
  ZELS3Node *x = Un(NodeExp, Var(1)), *sum = LongSum(x);
  const unsigned size = TA::TableSize(&calc);
  EXPECT_EQ(LongSum(x), sum);
  EXPECT_EQ(TA::TableSize(&calc), size);
  EXPECT_EQ(NA::GetFathNum(x), 1u);
}

TEST(Factories, BuildALongOperationAnewOnceAnOperandIsFixed) {
  ZELSymbolicCalculator calc;
  calc.SetSubstOn();
  ZELS3Node *x = Var(1), *sum = LongSum(x);
  calc.AddExactVariable(1, 2.0);
  ZELS3Node* again = LongSum(x);
  const std::vector<ZELS3Node*> args = ArgsOf(again);
  EXPECT_NE(again, sum);
  EXPECT_EQ(std::count(args.begin(), args.end(), x), 0) << Show(again);
}

TEST(Factories, BuildALongOperationAnewUnderOtherOptions) {
  ZELSymbolicCalculator calc;
  calc.SetDivReplaceOff();
  ZELS3Node *quarter = By("/", {Var(1), Num(4)}), *sum = LongSum(quarter);
  calc.SetDivReplaceOn();
  ZELS3Node* again = LongSum(quarter);
  const std::vector<ZELS3Node*> args = ArgsOf(again);
  EXPECT_NE(again, sum);
  EXPECT_EQ(std::count(args.begin(), args.end(), quarter), 0) << Show(again);
}

// A relation is decided only once it has a father: the first sum holds
// 1 < 2 as it is, and gives it the father that decides it in the second.
TEST(Factories, BuildALongOperationAnewOnceARelationOperandHasAFather) {
  ZELSymbolicCalculator calc;
  ZELS3Node *less = By("<", {Num(1), Num(2)}), *sum = LongSum(less);
  EXPECT_NE(LongSum(less), sum);
}

TEST(Factories, SetTheErrorAgainInALongOperationBuiltAgain) {
  ZELSymbolicCalculator calc;
  ZELS3Node* byZero = By("/", {Var(1), Num(0)});
  for (int round = 0; round < 3; ++round) {
    ResetError();
    LongSum(byZero);
    EXPECT_EQ(ErrorCode(), 2) << "round " << round;
  }
}
