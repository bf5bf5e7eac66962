#include <cmath>

#include "support/Builders.h"

using namespace zeltav_test;

struct NodeEquality : ::testing::Test {
  HandMadeNodes pool;
  ZELS3Node *x = pool.Var(1), *y = pool.Var(2), *one = pool.Const(1), *two = pool.Const(2);
  ZELS3Node* Op(ZELNodeType t, Args args) { return pool.Op(t, args); }
  // b's signature forced to a's, so that the structural rule alone decides.
  int EqualAlone(const ZELS3Node* a, ZELS3Node* b) {
    ZELS3NodeTestAccess::SetSignature(b, a->GetSignature());
    return a->Equal(b);
  }
};

TEST_F(NodeEquality, ComparesLeavesByTypeAndValue) {
  ZELS3Node *fixed = pool.Var(1, 1), *nan = pool.Const(NAN);
  EXPECT_EQ(x->Equal(pool.Var(1)), 1);
  EXPECT_EQ(x->Equal(nullptr), 0);
  EXPECT_EQ(fixed->Equal(fixed), 0);
  EXPECT_EQ(x->Equal(fixed), 0);
  EXPECT_EQ(nan->Equal(nan), 0);
  EXPECT_EQ(pool.Const(0.0)->Equal(pool.Const(-0.0)), 1);
  EXPECT_EQ(EqualAlone(one, pool.Var(1)), 0);
  EXPECT_EQ(*x == *pool.Var(1), 0);  // == compares identity
}

TEST_F(NodeEquality, ComparesOperandsInOrderUnlessTheOperationIgnoresIt) {
  EXPECT_EQ(Op(NodeEqual, {x, y})->Equal(Op(NodeEqual, {y, x})), 1);
  EXPECT_EQ(Op(NodeAnd, {x, y})->Equal(Op(NodeAnd, {y, x})), 1);
  EXPECT_EQ(Op(NodeLess, {x, y})->Equal(Op(NodeLess, {y, x})), 0);
  EXPECT_EQ(EqualAlone(Op(NodeQuotient, {x, y}), Op(NodeQuotient, {y, x})), 0);
  EXPECT_EQ(Op(NodeMin, {x, y})->Equal(Op(NodeMax, {x, y})), 0);
  EXPECT_EQ(EqualAlone(Op(NodeMin, {x, x, y}), Op(NodeMin, {x, y, y})), 1);
  EXPECT_EQ(Op(NodeSum, {one, x, two, y})->Equal(Op(NodeSum, {two, y, one, x})), 1);
  EXPECT_EQ(EqualAlone(Op(NodeSum, {one, x, two, y}), Op(NodeSum, {two, x, one, y})), 0);
  EXPECT_EQ(Op(NodeProduct, {x, two, y, one})->Equal(Op(NodeProduct, {y, one, x, two})), 1);
}

// Variables 1 and 268 share a signature: only the first operand tells these apart.
TEST_F(NodeEquality, ComparesOrderedOperandsFromTheFirst) {
  ZELS3Node* x268 = pool.Var(268);
  ASSERT_EQ(x268->GetSignature(), x->GetSignature());
  EXPECT_EQ(Op(NodeLess, {x, y})->Equal(Op(NodeLess, {x268, y})), 0);
  EXPECT_EQ(Op(NodeBoolGreater, {x, y})->Equal(Op(NodeBoolGreater, {x268, y})), 0);
  EXPECT_EQ(Op(NodeQuotient, {x, y})->Equal(Op(NodeQuotient, {x268, y})), 0);
  EXPECT_EQ(Op(NodePower, {x, y})->Equal(Op(NodePower, {x268, y})), 0);
  EXPECT_EQ(Op(NodeSin, {x})->Equal(Op(NodeSin, {x268})), 0);
  EXPECT_EQ(Op(NodeMin, {x, y})->Equal(Op(NodeMin, {x268, y})), 0);
  EXPECT_EQ(Op(NodeMax, {y, x})->Equal(Op(NodeMax, {y, x268})), 0);
  EXPECT_EQ(Op(NodeEqual, {x, y})->Equal(Op(NodeEqual, {x268, y})), 0);
  EXPECT_EQ(Op(NodeSum, {one, x, two, y})->Equal(Op(NodeSum, {one, x268, two, y})), 0);
  EXPECT_EQ(pool.Named(NodeUnknown, "f", {x, y})->Equal(pool.Named(NodeUnknown, "f", {x268, y})),
            0);
}

// min(x, x, y) is in min(x, y, z), not the other way round; the same for pairs of sums.
TEST_F(NodeEquality, ComparesListsByInclusionOfTheFirstInTheSecond) {
  ZELS3Node* z = pool.Var(3);
  EXPECT_EQ(EqualAlone(Op(NodeMin, {x, x, y}), Op(NodeMin, {x, y, z})), 1);
  EXPECT_EQ(EqualAlone(Op(NodeMin, {x, y, z}), Op(NodeMin, {x, x, y})), 0);
  EXPECT_EQ(EqualAlone(Op(NodeMax, {y, y, x}), Op(NodeMax, {z, x, y})), 1);
  EXPECT_EQ(EqualAlone(Op(NodeMax, {z, x, y}), Op(NodeMax, {y, y, x})), 0);
  EXPECT_EQ(EqualAlone(Op(NodeSum, {one, x, one, x}), Op(NodeSum, {one, x, two, y})), 1);
  EXPECT_EQ(EqualAlone(Op(NodeSum, {one, x, two, y}), Op(NodeSum, {one, x, one, x})), 0);
}

TEST_F(NodeEquality, TellsOperationsApartByName) {
  ZELS3Node* fxy = pool.Named(NodeUnknown, "f", {x, y});
  EXPECT_EQ(pool.Named(NodeEqual, "=", {x, y})->Equal(pool.Named(NodeEqual, "==", {x, y})), 0);
  EXPECT_EQ(fxy->Equal(pool.Named(NodeUnknown, "f", {pool.Var(1), y})), 1);
  EXPECT_EQ(fxy->Equal(pool.Named(NodeUnknown, "f", {y, x})), 0);
  EXPECT_EQ(EqualAlone(fxy, pool.Named(NodeUnknown, "g", {x, y})), 0);
}

TEST_F(NodeEquality, ComparesWrongArgumentCountsWithinTheArgumentsThatExist) {
  EXPECT_EQ(Op(NodeSin, {})->Equal(Op(NodeSin, {})), 1);
  EXPECT_EQ(Op(NodePower, {x, y, one})->Equal(Op(NodePower, {x, y, x})), 0);
  EXPECT_EQ(Op(NodeSum, {x, y, one})->Equal(Op(NodeSum, {x, y, x})), 0);
  EXPECT_EQ(Op(NodeEqual, {nullptr, x})->Equal(Op(NodeEqual, {x, nullptr})), 1);
  EXPECT_EQ(EqualAlone(Op(NodeLess, {nullptr, x}), Op(NodeLess, {x, nullptr})), 0);
  EXPECT_EQ(ErrorCode(), 0);
}

TEST(NodeEqualityOfBadTypes, ReportsDifferenceRequestsAndUnknownTypeNumbersAsNeverEqual) {
  for (int t : {34, 40}) {
    HandMadeNodes pool;
    ZELS3Node* a = pool.Keep(new ZELS3Node(ZELNodeType(t), ZELString("q")));
    EXPECT_EQ(a->Equal(pool.Keep(new ZELS3Node(ZELNodeType(t), ZELString("q")))), 0);
    EXPECT_EQ(ErrorCode(), t == 34 ? 10012 : 10005) << t;
  }
}
