#include <gtest/gtest.h>

#include "build/BuildHelpers.h"

using namespace zeltav_test;
using TA = ZELSymbolicCalculatorTestAccess;
using NA = ZELS3NodeTestAccess;

TEST(LeafFactories, ShareEqualLeavesButKeepConstantVariablesApart) {
  ZELSymbolicCalculator calc;
  EXPECT_EQ(CreateExpression(-0.0), GetZero());
  EXPECT_EQ(CreateExpression(-2.0), GetMinesTwo());
  EXPECT_EQ(CreateExpression(static_cast<unsigned char>(0)), GetFalse());
  EXPECT_EQ(Var(7), Var(7));
  EXPECT_EQ(Var(7)->GetVariableID(), 7u);
  ZELS3Node* a = CreateExpression(7ull, static_cast<unsigned char>(1));
  ZELS3Node* b = CreateExpression(7ull, static_cast<unsigned char>(1));
  EXPECT_NE(a, b);
  EXPECT_NE(a, Var(7));
  const auto& list = TA::ConstVariables(&calc);
  ASSERT_EQ(list.Count(), 2u);
  EXPECT_EQ(list[0], a);
  EXPECT_EQ(list[1], b);
  EXPECT_EQ(TA::TableSize(&calc), 7u + 3u);
}

TEST(LeafFactories, ReturnNullAndMakeNothingWithoutACalculator) {
  ZELSymbolicCalculator calc;
  ZELS3Node* x = Var(1);
  const unsigned before = TA::TableSize(&calc);
  NA::SetCurrent(nullptr);
  EXPECT_EQ(CreateExpression(3.0), nullptr);
  EXPECT_EQ(CreateExpression(9ull, static_cast<unsigned char>(1)), nullptr);
  EXPECT_EQ(CreateBinaryOperation(NodeSum, x, x), nullptr);
  NA::SetCurrent(&calc);
  EXPECT_EQ(TA::TableSize(&calc), before);
  EXPECT_EQ(TA::ConstVariables(&calc).Count(), 0u);
  EXPECT_EQ(NA::GetFathNum(x), 0u);
}

TEST(OperationFactories, LayOutSumsDifferencesProductsAndPowersAsPairs) {
  ZELSymbolicCalculator calc;
  ZELS3Node *x = Var(1), *y = Var(2), *z = Var(3), *one = GetOne(), *minus = GetMinesOne();
  ZELS3Node* neg = CreateUnaryOperation(NodeDifference, x);
  EXPECT_EQ(neg->GetNodeType(), NodeSum) << Show(neg);
  EXPECT_EQ(PairsOf(neg), Sorted({{minus, x}})) << Show(neg);
  ZELS3Node* diff = CreateBinaryOperation(NodeDifference, x, y);
  EXPECT_EQ(PairsOf(diff), Sorted({{one, x}, {minus, y}})) << Show(diff);
  ZELS3Node* sum3 = CreateTernaryOperation(NodeSum, x, y, z);
  EXPECT_EQ(PairsOf(sum3), Sorted({{one, x}, {one, y}, {one, z}})) << Show(sum3);
  ZELS3Node* prod = CreateBinaryOperation(NodeProduct, x, y);
  EXPECT_EQ(PairsOf(prod), Sorted({{x, one}, {y, one}})) << Show(prod);
  ZELS3Node* prod3 = CreateTernaryOperation(NodeProduct, x, y, z);
  EXPECT_EQ(PairsOf(prod3), Sorted({{x, one}, {y, one}, {z, one}})) << Show(prod3);

  // A power is a product named "^", so it is not the product (x, 2) named "*".
  ZELS3Node* square = CreateBinaryOperation(NodePower, x, GetTwo());
  EXPECT_EQ(square->GetNodeType(), NodeProduct) << Show(square);
  EXPECT_EQ(PairsOf(square), Sorted({{x, GetTwo()}})) << Show(square);
  EXPECT_TRUE(square->GetOperName() == "^");
  ZELICVectorImp_ZELS3Node pair(2u, 5u);
  pair.Add(x);
  pair.Add(GetTwo());
  EXPECT_NE(CreateOperation(NodeProduct, pair), square);

  ZELS3Node* q = CreateBinaryOperation(NodeQuotient, y, x);
  EXPECT_EQ(q->GetArg(0), y) << Show(q);
  EXPECT_EQ(q->GetArg(1), x) << Show(q);
}

TEST(OperationFactories, ShareEqualOperationsAndUnlinkTheDroppedDuplicate) {
  ZELSymbolicCalculator calc;
  ZELS3Node *x = Var(1), *y = Var(2);
  ZELS3Node* s = CreateUnaryOperation(NodeSin, x);
  ZELS3Node* f = CreateBinaryOperation(NodeQuotient, x, y);
  const unsigned size = TA::TableSize(&calc);
  EXPECT_EQ(CreateUnaryOperation(NodeSin, x), s);
  EXPECT_EQ(CreateBinaryOperation(NodeQuotient, x, y), f);
  EXPECT_NE(CreateBinaryOperation(NodeQuotient, y, x), f);
  EXPECT_EQ(TA::TableSize(&calc), size + 1);
  EXPECT_EQ(NA::GetFathNum(x), 3u);
}

TEST(OperationFactories, ReturnNullForANullOperandAndLeaveTheTableAlone) {
  ZELSymbolicCalculator calc;
  ZELS3Node* x = Var(1);
  const unsigned size = TA::TableSize(&calc);
  EXPECT_EQ(CreateUnaryOperation(NodeDifference, nullptr), nullptr);
  EXPECT_EQ(CreateBinaryOperation(NodeDifference, x, nullptr), nullptr);
  EXPECT_EQ(CreateTernaryOperation(NodeSum, x, x, nullptr), nullptr);
  ZELICVectorImp_ZELS3Node args(4u, 5u);
  args.Add(GetOne());
  args.Add(x);
  args.Add(GetOne());
  args.Add(nullptr);
  EXPECT_EQ(CreateOperation(NodeSum, args), nullptr);
  EXPECT_EQ(TA::TableSize(&calc), size);
  EXPECT_EQ(NA::GetFathNum(x), 0u);
  EXPECT_EQ(NA::GetFathNum(GetOne()), 0u);
}
