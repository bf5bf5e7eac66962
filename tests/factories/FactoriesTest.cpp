#include <gtest/gtest.h>

#include "support/Builders.h"

using namespace zeltav_test;
using TA = ZELSymbolicCalculatorTestAccess;
using NA = ZELS3NodeTestAccess;

TEST(Factories, ShareEqualNodesButKeepConstantVariablesApartAndUnlinkTheDroppedDuplicate) {
  ZELSymbolicCalculator calc;
  EXPECT_TRUE(Num(-0.0) == GetZero() && Num(-2.0) == GetMinesTwo() && Bool(0) == GetFalse());
  EXPECT_EQ(Var(7), Var(7));
  EXPECT_EQ(Var(7)->GetVariableID(), 7u);
  ZELS3Node *a = Var(7, 1), *b = Var(7, 1);
  EXPECT_TRUE(a != b && a != Var(7));
  const auto& list = TA::ConstVariables(&calc);
  ASSERT_EQ(list.Count(), 2u);
  EXPECT_TRUE(list[0] == a && list[1] == b);
  EXPECT_EQ(TA::TableSize(&calc), 7u + 3u);
  ZELS3Node *x = Var(1), *y = Var(2);
  ZELS3Node *s = CreateUnaryOperation(NodeSin, x), *f = CreateBinaryOperation(NodeQuotient, x, y);
  const unsigned size = TA::TableSize(&calc);
  EXPECT_TRUE(CreateUnaryOperation(NodeSin, x) == s &&
              CreateBinaryOperation(NodeQuotient, x, y) == f);
  EXPECT_NE(CreateBinaryOperation(NodeQuotient, y, x), f);
  EXPECT_EQ(TA::TableSize(&calc), size + 1);
  EXPECT_EQ(NA::GetFathNum(x), 3u);
}

TEST(Factories, KeepWrongArgumentCountsButMakeNothingForNullOperandsOrWithoutACalculator) {
  ZELSymbolicCalculator calc;
  ZELS3Node *x = Var(1), *y = Var(2);
  ZELS3Node* s = By("sin", {x, y});
  EXPECT_TRUE(s->GetNodeType() == NodeSin && s->GetArgsNum() == 2u) << Show(s);
  EXPECT_EQ(calc.GetError(), 10013);
  const unsigned size = TA::TableSize(&calc), fathers = NA::GetFathNum(x);
  ZELICVectorImp_ZELS3Node args(4u, 5u);
  for (ZELS3Node* a : {GetOne(), x, GetOne(), static_cast<ZELS3Node*>(nullptr)}) args.Add(a);
  EXPECT_EQ(By("+", {x, nullptr}), nullptr);
  EXPECT_EQ(CreateUnaryOperation(NodeDifference, nullptr), nullptr);
  EXPECT_EQ(CreateBinaryOperation(NodeDifference, x, nullptr), nullptr);
  EXPECT_EQ(CreateTernaryOperation(NodeSum, x, x, nullptr), nullptr);
  EXPECT_EQ(CreateOperation(NodeSum, args), nullptr);
  NA::SetCurrent(nullptr);
  EXPECT_EQ(CreateExpression(3.0), nullptr);
  EXPECT_EQ(CreateExpression(9ull, static_cast<unsigned char>(1)), nullptr);
  EXPECT_EQ(CreateBinaryOperation(NodeSum, x, x), nullptr);
  NA::SetCurrent(&calc);
  EXPECT_EQ(TA::TableSize(&calc), size);
  EXPECT_EQ(TA::ConstVariables(&calc).Count(), 0u);
  EXPECT_EQ(NA::GetFathNum(x), fathers);
  EXPECT_EQ(NA::GetFathNum(GetOne()), 0u);
}
