#include <gtest/gtest.h>

#include "support/Builders.h"

using namespace zeltav_test;
using A = ZELS3NodeTestAccess;

TEST(NodeLinks, RepeatedArgumentsTakeSlotsButAreLinkedAndUnlinkedOnce) {
  HandMadeNodes pool;
  ZELS3Node *x = pool.Var(1), *other = pool.Op(NodeSin, {x});
  ZELS3Node* sum = pool.Op(NodeSum, {x, x, nullptr});
  EXPECT_TRUE(sum->GetArgsNum() == 3u && sum->GetArg(2) == nullptr) << Show(sum);
  EXPECT_TRUE(A::AddFath(x, sum) == 1 && A::GetFathNum(x) == 2u) << A::GetFathNum(x);
  A::RemoveAllArgs(sum);
  EXPECT_TRUE(A::GetFathNum(x) == 1u && A::GetFath(x, 0) == other && ErrorCode() == 0);
  EXPECT_EQ(sum->GetArgsNum(), 0u) << Show(sum);
}

TEST(NodeLinks, ReplaceArgUnlinksTheOldArgumentEvenWhenItStaysElsewhere) {
  HandMadeNodes pool;
  ZELS3Node *one = pool.Const(1), *x = pool.Var(1), *y = pool.Var(2), *z = pool.Var(3);
  ZELS3Node* sum = pool.Op(NodeSum, {one, x, one, y});
  EXPECT_TRUE(A::ReplaceArg(sum, nullptr, 0) == 0 && A::ReplaceArg(sum, z, 0) == 1 &&
              A::ReplaceArg(sum, z, 0) == 1);
  EXPECT_EQ(Show(sum), "33:+(x3, x1, 1, x2)");
  EXPECT_EQ(A::GetFathNum(one) * 10 + A::GetFathNum(z), 1u) << "fathers of 1, then of x3";
  A::RemoveArg(sum, 1);
  EXPECT_EQ(Show(sum), "33:+(x3, 1, x2)");
  EXPECT_EQ(A::GetFathNum(x), 0u);
}

TEST(NodeLinks, LeavesGiveNoArgumentsButUnknownOperationsDo) {
  HandMadeNodes pool;
  ZELS3Node *x = pool.Var(1), *y = pool.Var(2);
  for (ZELS3Node* leaf : {x, pool.Const(1), pool.Bool(0)}) {
    ResetError();
    EXPECT_TRUE(leaf->GetArg(0) == nullptr && ErrorCode() == 10008) << Show(leaf);
  }
  ResetError();
  EXPECT_TRUE(pool.Named(NodeUnknown, "f", {y})->GetArg(0) == y && ErrorCode() == 0);
  // A leaf accepts an argument, but removing it is reported and y keeps x among its fathers.
  A::AddArg(x, y);
  A::RemoveAllArgs(x);
  EXPECT_TRUE(ErrorCode() == 10008 && x->GetArgsNum() == 0u && A::GetFathNum(y) == 2u) << Show(x);
}
