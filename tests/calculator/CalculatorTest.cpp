#include <gtest/gtest.h>

#include "support/Builders.h"

using namespace zeltav_test;
using TA = ZELSymbolicCalculatorTestAccess;
using NA = ZELS3NodeTestAccess;

TEST(ErrorCode, KeepsTheFirstCodeSinceTheLastReset) {
  TA::ResetError();
  ZELSymbolicCalculator::SetError(10006);
  SetError(3);
  EXPECT_EQ(TA::ErrorCode(), 10006);
}

TEST(CalculatorConstruction, StartsWithNoErrorTheDefaultOptionsAndTheSharedConstants) {
  SetError(3);
  ZELSymbolicCalculator calc;
  EXPECT_EQ(calc.GetError(), 0);
  EXPECT_EQ(calc.GetGauss(), 0);
  EXPECT_EQ(calc.GetDivReplace(), 1);
  EXPECT_EQ(calc.GetTransfer(), 1);
  EXPECT_EQ(calc.GetSubst(), 0);
  EXPECT_EQ(calc.GetEquation(0), nullptr);
  EXPECT_EQ(TA::TableSize(&calc), 7u);
}

TEST(CalculatorConstruction, ASecondCalculatorBecomesCurrentWithItsOwnConstants) {
  ZELSymbolicCalculator first;
  ZELS3Node* firstOne = GetOne();
  SetError(10001);
  {
    ZELSymbolicCalculator second;
    EXPECT_EQ(NA::Current(), &second);
    EXPECT_EQ(second.GetError(), 0);
    EXPECT_NE(GetOne(), firstOne);
    EXPECT_EQ(TA::TableSize(&first), 7u);
    SetError(5);
    EXPECT_EQ(second.GetError(), 5);
  }
  EXPECT_EQ(first.GetError(), 0);  // the destructor resets the code
}

TEST(NodeTable, StripsAFreshDuplicateAndHandsBackTheRegisteredNode) {
  ZELSymbolicCalculator calc;
  EXPECT_EQ(calc.AddNode(nullptr), nullptr);
  ZELS3Node* x = Var(1);
  ZELS3Node* sine = CreateUnaryOperation(NodeSin, x);
  EXPECT_EQ(calc.AddNode(sine), sine);
  ZELS3Node* duplicate = Fresh(NodeSin, {x});
  NA::CalculateSignature(duplicate);
  const unsigned size = TA::TableSize(&calc);
  EXPECT_EQ(calc.AddNode(duplicate), sine);
  EXPECT_EQ(duplicate->GetArgsNum(), 0u);
  ASSERT_EQ(NA::GetFathNum(x), 1u);
  EXPECT_EQ(NA::GetFath(x, 0), sine);
  EXPECT_EQ(TA::TableSize(&calc), size);
  delete duplicate;
}
