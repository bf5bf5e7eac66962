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
  ZELS3Node *x = Var(1), *y = Var(2), *sine = CreateUnaryOperation(NodeSin, x);
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
  ZELS3Node* x = Var(1);
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
