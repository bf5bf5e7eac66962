#include <gtest/gtest.h>

#include "support/Builders.h"

using namespace zeltav_test;
using A = ZELS3NodeTestAccess;

TEST(NodeLinks, RepeatedArgumentsTakeSlotsButAreLinkedAndUnlinkedOnce) {
  HandMadeNodes pool;
  ZELS3Node* x = pool.Var(1);
  ZELS3Node* other = pool.Op(NodeSin, {x});
  ZELS3Node* sum = pool.Op(NodeSum, {x, x, nullptr});
  EXPECT_TRUE(Has(sum, {x, x, nullptr}));
  EXPECT_EQ(A::AddFath(x, sum), 1);
  EXPECT_EQ(A::GetFathNum(x), 2u);
  A::RemoveAllArgs(sum);
  EXPECT_EQ(sum->GetArgsNum(), 0u);
  ASSERT_EQ(A::GetFathNum(x), 1u);
  EXPECT_EQ(A::GetFath(x, 0), other);
  EXPECT_EQ(ErrorCode(), 0);
}

TEST(NodeLinks, ReplaceArgUnlinksTheOldArgumentEvenWhenItStaysElsewhere) {
  HandMadeNodes pool;
  ZELS3Node* one = pool.Const(1);
  ZELS3Node* z = pool.Var(3);
  ZELS3Node* sum = pool.Op(NodeSum, {one, pool.Var(1), one, pool.Var(2)});
  EXPECT_EQ(A::ReplaceArg(sum, nullptr, 0), 0);
  EXPECT_EQ(A::ReplaceArg(sum, z, 0), 1);
  EXPECT_EQ(A::ReplaceArg(sum, z, 0), 1);
  EXPECT_EQ(Show(sum), "33:+(x3, x1, 1, x2)");
  EXPECT_EQ(A::GetFathNum(one), 0u);
  EXPECT_EQ(A::GetFathNum(z), 1u);
}

TEST(NodeLinks, RemoveArgClosesTheGapAndUnlinksTheArgument) {
  HandMadeNodes pool;
  ZELS3Node* x = pool.Var(1);
  ZELS3Node* sum = pool.Op(NodeSum, {pool.Var(3), x, pool.Const(1), pool.Var(2)});
  A::RemoveArg(sum, 1);
  EXPECT_EQ(Show(sum), "33:+(x3, 1, x2)");
  EXPECT_EQ(A::GetFathNum(x), 0u);
}

TEST(NodeLinks, LeavesReportAskingForAnArgument) {
  HandMadeNodes pool;
  for (ZELS3Node* leaf : {pool.Var(1), pool.Const(1), pool.Bool(0)}) {
    ResetError();
    EXPECT_EQ(leaf->GetArg(0), nullptr) << Show(leaf);
    EXPECT_EQ(ErrorCode(), 10008) << Show(leaf);
  }
  ResetError();
  ZELS3Node* y = pool.Var(2);
  EXPECT_EQ(pool.Named(NodeUnknown, "f", {y})->GetArg(0), y);
  EXPECT_EQ(ErrorCode(), 0);
}

// A leaf accepts an argument, but removing it is reported and y keeps x among its fathers.
TEST(NodeLinks, ALeafReportsRemovingItsArgumentsAndLeavesTheirFathers) {
  HandMadeNodes pool;
  ZELS3Node* x = pool.Var(1);
  ZELS3Node* y = pool.Var(2);
  pool.Named(NodeUnknown, "f", {y});
  A::AddArg(x, y);
  A::RemoveAllArgs(x);
  EXPECT_EQ(ErrorCode(), 10008);
  EXPECT_EQ(x->GetArgsNum(), 0u);
  EXPECT_EQ(A::GetFathNum(y), 2u);
}
