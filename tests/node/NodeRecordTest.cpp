#include <string>

#include "support/Builders.h"

using namespace zeltav_test;

std::string NameOf(const ZELS3Node* n) { return static_cast<const char*>(n->GetOperName()); }

// A variable made by either constructor starts as variable 0, not a constant one.
TEST(NodeRecord, ConstructorsStartAVariableAsAPlainVariableZero) {
  HandMadeNodes pool;
  ZELS3Node* byType = pool.Keep(new ZELS3Node(NodeVariable));
  ZELS3Node* byName = pool.Keep(new ZELS3Node(NodeVariable, ZELString("v")));
  EXPECT_TRUE(byType->IsNonConstVariable());
  EXPECT_TRUE(byName->IsNonConstVariable());
  EXPECT_EQ(byType->GetVariableID(), 0u);
  EXPECT_EQ(byType->GetSignature(), 0u);
}

TEST(NodeRecord, ConstructorByTypeReportsTypesWithoutAName) {
  for (int type : {38, -1, 39}) {
    HandMadeNodes pool;
    ZELS3Node* n = pool.Keep(new ZELS3Node(ZELNodeType(type)));
    EXPECT_EQ(n->GetNodeType(), type);
    EXPECT_EQ(n->IsUnknown(), type == 38 ? 1 : 0) << type;
    EXPECT_EQ(NameOf(n), "") << type;
    EXPECT_EQ(ErrorCode(), 10001) << type;
  }
}

TEST(NodeRecord, PredicatesCompareExactlyAndSetNoError) {
  HandMadeNodes pool;
  ZELS3Node *two = pool.Bool(2), *fixed = pool.Var(3, 1);
  EXPECT_FALSE(two->IsTrue());
  EXPECT_FALSE(two->IsFalse());
  EXPECT_FALSE(pool.Const(1.0000000000000002)->IsOne());
  EXPECT_TRUE(pool.Const(-0.0)->IsZero());
  EXPECT_TRUE(pool.Const(-1.0)->IsMinesOne());
  EXPECT_FALSE(fixed->IsNonConstVariable());
  EXPECT_FALSE(pool.Op(NodeAbs, {fixed})->IsBool());
  EXPECT_EQ(ErrorCode(), 0);
}
