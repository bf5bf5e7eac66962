#include <gtest/gtest.h>

#include <string>

#include "support/Builders.h"

using namespace zeltav_test;

TEST(NodeRecord, ConstructorByTypeNamesTheNodeFromTheTypeTable) {
  HandMadeNodes pool;
  const struct {
    ZELNodeType type;
    const char* name;
  } cases[] = {
      {NodeEqual, "=="}, {NodeBoolEqual, "=="}, {NodeDifference, "+"},
      {NodeSum, "+"},    {NodePower, "^"},
  };
  for (const auto& c : cases) {
    ZELS3Node* n = pool.Keep(new ZELS3Node(c.type));
    EXPECT_EQ(n->GetNodeType(), c.type);
    EXPECT_EQ(std::string(n->GetOperName()), c.name) << c.type;
  }
  EXPECT_EQ(ErrorCode(), 0);
}

TEST(NodeRecord, ConstructorByTypeReportsTypesWithoutAName) {
  for (int type : {38, -1, 39}) {
    HandMadeNodes pool;
    ZELS3Node* n = pool.Keep(new ZELS3Node(ZELNodeType(type)));
    EXPECT_EQ(n->GetNodeType(), type);
    EXPECT_EQ(n->IsUnknown(), type == 38 ? 1 : 0) << type;
    EXPECT_EQ(std::string(n->GetOperName()), "") << type;
    EXPECT_EQ(ErrorCode(), 10001) << type;
  }
}

TEST(NodeRecord, GetOperationOfALeafOrAnUnknownOperationReportsIt) {
  HandMadeNodes pool;
  for (ZELS3Node* n :
       {pool.Var(7), pool.Const(2.5), pool.Bool(1), pool.Named(NodeUnknown, "f", {})}) {
    ResetError();
    EXPECT_EQ(n->GetOperation(), NodeUnknown) << Show(n);
    EXPECT_EQ(ErrorCode(), 10005) << Show(n);
  }
}

TEST(NodeRecord, WrongTypeValueAccessorsGiveNeutralValuesAndKeepTheFirstError) {
  HandMadeNodes pool;
  EXPECT_EQ(pool.Const(2.5)->GetBool(), 0);
  EXPECT_EQ(pool.Bool(1)->GetConstant(), 0.0);
  EXPECT_EQ(pool.Const(2.5)->GetVariableID(), 0u);
  EXPECT_EQ(ErrorCode(), 10004);
}

TEST(NodeRecord, PredicatesCompareExactly) {
  HandMadeNodes pool;
  ZELS3Node* two = pool.Bool(2);
  EXPECT_FALSE(two->IsTrue());
  EXPECT_FALSE(two->IsFalse());
  EXPECT_FALSE(pool.Const(1.0000000000000002)->IsOne());
  EXPECT_TRUE(pool.Const(-0.0)->IsZero());
  EXPECT_TRUE(pool.Const(-1.0)->IsMinesOne());
  EXPECT_EQ(ErrorCode(), 0);
}

TEST(NodeRecord, PredicatesOfTheWrongKindOfNodeAreFalseWithoutAnError) {
  HandMadeNodes pool;
  ZELS3Node* x = pool.Var(3);
  ZELS3Node* fixed = pool.Var(3, 1);
  EXPECT_FALSE(x->IsZero());
  EXPECT_FALSE(x->IsTrue());
  EXPECT_FALSE(x->IsBool());
  EXPECT_TRUE(fixed->IsVariable());
  EXPECT_FALSE(fixed->IsNonConstVariable());
  EXPECT_TRUE(pool.Op(NodeImplies, {x, x})->IsBool());
  EXPECT_FALSE(pool.Op(NodeAbs, {x})->IsBool());
  EXPECT_EQ(ErrorCode(), 0);
}

TEST(NodeRecord, AskTheCurrentCalculatorWhetherANonConstantVariableIsRecorded) {
  HandMadeNodes pool;
  ZELS3Node* x = pool.Var(3);
  ZELS3Node* fixed = pool.Var(3, 1);
  EXPECT_FALSE(x->IsExactVariable());
  ZELSymbolicCalculator calc;
  calc.AddExactVariable(3, 1.0);
  EXPECT_TRUE(x->IsExactVariable());
  EXPECT_FALSE(fixed->IsExactVariable());
  EXPECT_FALSE(x->IsLinearVariable());
}
