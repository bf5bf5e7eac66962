#include <gtest/gtest.h>

#include <cmath>

#include "node/HandMadeNodes.h"
#include "support/NodePrinter.h"

using namespace zeltav_test;

namespace {

// Equal after forcing b's signature to a's, so the structural rule decides.
int EqualIgnoringSignature(ZELS3Node* a, ZELS3Node* b) {
  ZELS3NodeTestAccess::SetSignature(b, a->GetSignature());
  return a->Equal(b);
}

}  // namespace

TEST(NodeEquality, LeavesCompareByValueButConstantVariablesAndNaNEqualNothing) {
  HandMadeNodes pool;
  ZELS3Node *x = pool.Var(5), *fixed = pool.Var(5, 1), *nan = pool.Const(NAN);
  EXPECT_EQ(*x == *x, 1);
  EXPECT_EQ(*x == *pool.Var(5), 0);
  EXPECT_EQ(x->Equal(pool.Var(5)), 1);
  EXPECT_EQ(x->Equal(nullptr) + fixed->Equal(fixed) + x->Equal(fixed) + nan->Equal(nan), 0);
  EXPECT_EQ(pool.Const(0.0)->Equal(pool.Const(-0.0)), 1);
  EXPECT_EQ(pool.Const(1)->Equal(pool.Var(1)), 0) << "same signature, other type";
  EXPECT_EQ(ErrorCode(), 0);
}

TEST(NodeEquality, OnlyUnorderedBinaryOperationsAcceptSwappedOperands) {
  HandMadeNodes pool;
  ZELS3Node *x = pool.Var(1), *y = pool.Var(2);
  EXPECT_EQ(pool.Op(NodeEqual, {x, y})->Equal(pool.Op(NodeEqual, {y, x})), 1);
  EXPECT_EQ(pool.Op(NodeAnd, {x, y})->Equal(pool.Op(NodeAnd, {y, x})), 1);
  EXPECT_EQ(pool.Op(NodeLess, {x, y})->Equal(pool.Op(NodeLess, {y, x})), 0);
  ZELS3Node* xy = pool.Op(NodeQuotient, {x, y});
  ZELS3Node* yx = pool.Op(NodeQuotient, {y, x});
  EXPECT_EQ(xy->GetSignature(), yx->GetSignature());
  EXPECT_EQ(xy->Equal(yx), 0) << Show(xy) << " vs " << Show(yx);
  EXPECT_EQ(pool.Op(NodeMin, {x, y})->Equal(pool.Op(NodeMax, {x, y})), 0);
  EXPECT_EQ(pool.Op(NodeSin, {x})->Equal(pool.Op(NodeSin, {pool.Var(1)})), 1);
}

TEST(NodeEquality, ListsAndPairListsCompareByInclusionWithEqualCounts) {
  HandMadeNodes pool;
  ZELS3Node *x = pool.Var(1), *y = pool.Var(2), *one = pool.Const(1), *two = pool.Const(2);
  ZELS3Node* minXXY = pool.Op(NodeMin, {x, x, y});
  EXPECT_EQ(EqualIgnoringSignature(minXXY, pool.Op(NodeMin, {x, y, y})), 1) << Show(minXXY);
  ZELS3Node* sum = pool.Op(NodeSum, {one, x, two, y});
  EXPECT_EQ(sum->Equal(pool.Op(NodeSum, {two, y, one, x})), 1) << Show(sum);
  EXPECT_EQ(EqualIgnoringSignature(sum, pool.Op(NodeSum, {two, x, one, y})), 0) << Show(sum);
  EXPECT_EQ(pool.Op(NodeProduct, {x, two, y, one})->Equal(pool.Op(NodeProduct, {y, one, x, two})),
            1);
  EXPECT_EQ(pool.Op(NodeSum, {})->Equal(pool.Op(NodeSum, {})), 1);
}

TEST(NodeEquality, OperatorNamesArePartOfTheStructure) {
  HandMadeNodes pool;
  ZELS3Node *x = pool.Var(1), *y = pool.Var(2);
  EXPECT_EQ(pool.Named(NodeEqual, "=", {x, y})->Equal(pool.Named(NodeEqual, "==", {x, y})), 0);
  EXPECT_EQ(pool.Named(NodeProduct, "^", {x, y})->Equal(pool.Named(NodeProduct, "*", {x, y})), 0);
  ZELS3Node* fxy = pool.Named(NodeUnknown, "f", {x, y});
  EXPECT_EQ(fxy->Equal(pool.Named(NodeUnknown, "f", {pool.Var(1), y})), 1) << Show(fxy);
  EXPECT_EQ(fxy->Equal(pool.Named(NodeUnknown, "f", {y, x})), 0) << Show(fxy);
  EXPECT_EQ(EqualIgnoringSignature(fxy, pool.Named(NodeUnknown, "g", {x, y})), 0);
}

TEST(NodeEquality, WrongArgumentCountsAndNullSlotsCompareOnlyExistingPositions) {
  HandMadeNodes pool;
  ZELS3Node *x = pool.Var(1), *y = pool.Var(2), *z = pool.Var(3);
  EXPECT_EQ(pool.Op(NodeSin, {})->Equal(pool.Op(NodeSin, {})), 1);
  EXPECT_EQ(pool.Op(NodeLess, {x})->Equal(pool.Op(NodeLess, {x})), 1);
  // The third operand is not hashed, but it still counts.
  EXPECT_EQ(pool.Op(NodePower, {x, y, z})->Equal(pool.Op(NodePower, {x, y, x})), 0);
  EXPECT_EQ(pool.Op(NodeSum, {x, y, z})->Equal(pool.Op(NodeSum, {x, y, x})), 0);
  EXPECT_EQ(pool.Op(NodeEqual, {nullptr, x})->Equal(pool.Op(NodeEqual, {x, nullptr})), 1);
  EXPECT_EQ(
      EqualIgnoringSignature(pool.Op(NodeLess, {nullptr, x}), pool.Op(NodeLess, {x, nullptr})), 0);
  EXPECT_EQ(ErrorCode(), 0);
}

TEST(NodeEquality, DifferenceRequestsAndUnknownTypeNumbersAreReportedAndNeverEqual) {
  for (int t : {34, 40}) {
    HandMadeNodes pool;
    ZELS3Node* a = pool.Keep(new ZELS3Node(ZELNodeType(t), ZELString("q")));
    EXPECT_EQ(a->Equal(pool.Keep(new ZELS3Node(ZELNodeType(t), ZELString("q")))), 0);
    EXPECT_EQ(ErrorCode(), t == 34 ? 10012 : 10005) << t;
  }
}
