#include <gtest/gtest.h>

#include <string>

#include "support/Builders.h"

using namespace zeltav_test;

TEST(NodeRecord, ConstructorByTypeNamesFromTheTableAndReportsTypesWithoutOne) {
  HandMadeNodes pool;
  auto name = [&](int t) {
    return std::string(pool.Keep(new ZELS3Node(ZELNodeType(t)))->GetOperName());
  };
  EXPECT_EQ(name(9) + name(3) + name(34) + name(33) + name(37), "====++^");
  EXPECT_EQ(ErrorCode(), 0);
  for (int t : {38, -1, 39}) {
    ZELSymbolicCalculatorTestAccess::ResetError();
    ZELS3Node* n = pool.Keep(new ZELS3Node(ZELNodeType(t)));
    EXPECT_EQ(n->GetNodeType(), t);
    EXPECT_EQ(n->IsUnknown(), t == 38 ? 1 : 0) << t;
    EXPECT_EQ(std::string(n->GetOperName()), "") << t;
    EXPECT_EQ(ErrorCode(), 10001) << t;
  }
}

TEST(NodeRecord, WrongTypeAccessorsGiveNeutralValuesAndKeepTheFirstError) {
  HandMadeNodes pool;
  ZELS3Node *x = pool.Var(7), *c = pool.Const(2.5), *t = pool.Bool(1);
  for (ZELS3Node* n : {x, c, t, pool.Named(NodeUnknown, "f", {})}) {
    ZELSymbolicCalculatorTestAccess::ResetError();
    EXPECT_EQ(n->GetOperation(), NodeUnknown) << Show(n);
    EXPECT_EQ(ErrorCode(), 10005) << Show(n);
  }
  ZELSymbolicCalculatorTestAccess::ResetError();
  EXPECT_EQ(c->GetBool(), 0);
  EXPECT_EQ(t->GetConstant(), 0.0);
  EXPECT_EQ(c->GetVariableID(), 0u);
  EXPECT_EQ(ErrorCode(), 10004) << "only the first failure is kept";
  EXPECT_EQ(x->GetVariableID(), 7u);
  EXPECT_EQ(c->GetConstant(), 2.5);
}

TEST(NodeRecord, PredicatesCompareExactlyAndNeverSetAnError) {
  HandMadeNodes pool;
  ZELS3Node *two = pool.Bool(2), *x = pool.Var(3), *fixed = pool.Var(3, 1);
  EXPECT_EQ(two->IsTrue() + two->IsFalse(), 0);
  EXPECT_EQ(pool.Const(-0.0)->IsZero() + pool.Const(-1.0)->IsMinesOne(), 2);
  EXPECT_EQ(pool.Const(1.0000000000000002)->IsOne(), 0);
  EXPECT_EQ(x->IsOne() + x->IsZero() + x->IsTrue() + x->IsBool(), 0);
  EXPECT_EQ(fixed->IsVariable() * 10 + fixed->IsNonConstVariable(), 10);
  EXPECT_EQ(pool.Op(NodeImplies, {two, two})->IsBool() + pool.Op(NodeAbs, {x})->IsBool(), 1);
  EXPECT_EQ(ErrorCode(), 0);
  ASSERT_EQ(ZELS3NodeTestAccess::Current(), nullptr);
  EXPECT_EQ(x->IsExactVariable() + x->IsLinearVariable(), 0);
  {
    ZELSymbolicCalculator calc;
    calc.AddExactVariable(3, 1.0);
    EXPECT_EQ(x->IsExactVariable(), 1);
    EXPECT_EQ(fixed->IsExactVariable() + x->IsLinearVariable(), 0);
  }
  ZELS3NodeTestAccess::SetCurrent(nullptr);
}
