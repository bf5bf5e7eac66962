#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "support/Builders.h"

using namespace zeltav_test;

TEST(NodeRecord, ConstructorByTypeNamesFromTheTableAndReportsTypesWithoutOne) {
  HandMadeNodes pool;
  const std::tuple<int, const char*, int, int> cases[] = {
      {9, "==", 0, 0},    {3, "==", 0, 0},    {34, "+", 0, 0},   {33, "+", 0, 0}, {37, "^", 0, 0},
      {38, "", 1, 10001}, {-1, "", 0, 10001}, {39, "", 0, 10001}};  // type, name, unknown, error
  for (const auto& [type, name, unknown, error] : cases) {
    ResetError();
    ZELS3Node* n = pool.Keep(new ZELS3Node(ZELNodeType(type)));
    EXPECT_TRUE(n->GetNodeType() == type && n->IsUnknown() == unknown && n->GetOperName() == name &&
                ErrorCode() == error)
        << type << " named " << std::string(n->GetOperName()) << ", error " << ErrorCode();
  }
}

TEST(NodeRecord, WrongTypeAccessorsGiveNeutralValuesAndKeepTheFirstError) {
  HandMadeNodes pool;
  ZELS3Node *x = pool.Var(7), *c = pool.Const(2.5), *t = pool.Bool(1);
  for (ZELS3Node* n : {x, c, t, pool.Named(NodeUnknown, "f", {})}) {
    ResetError();
    EXPECT_TRUE(n->GetOperation() == NodeUnknown && ErrorCode() == 10005) << Show(n);
  }
  ResetError();
  EXPECT_TRUE(!c->GetBool() && !t->GetConstant() && !c->GetVariableID() && ErrorCode() == 10004)
      << "neutral values, and GetBool's failure is the one kept: " << ErrorCode();
}

TEST(NodeRecord, PredicatesCompareExactlyAndNeverSetAnError) {
  HandMadeNodes pool;
  ZELS3Node *two = pool.Bool(2), *x = pool.Var(3), *fixed = pool.Var(3, 1);
  EXPECT_EQ(two->IsTrue() + two->IsFalse() + pool.Const(1.0000000000000002)->IsOne(), 0);
  EXPECT_EQ(x->IsZero() + x->IsTrue() + x->IsBool() + x->IsExactVariable(), 0);
  EXPECT_EQ(pool.Const(-0.0)->IsZero() + pool.Const(-1.0)->IsMinesOne(), 2);
  EXPECT_EQ(fixed->IsVariable() * 10 + fixed->IsNonConstVariable(), 10);
  EXPECT_EQ(pool.Op(NodeImplies, {two, two})->IsBool() + pool.Op(NodeAbs, {x})->IsBool(), 1);
  EXPECT_TRUE(ErrorCode() == 0 && ZELS3NodeTestAccess::Current() == nullptr);
  ZELSymbolicCalculator calc;
  calc.AddExactVariable(3, 1.0);
  EXPECT_EQ(x->IsExactVariable() * 10 + fixed->IsExactVariable() + x->IsLinearVariable(), 10);
}
