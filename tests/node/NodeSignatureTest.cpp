#include <cmath>

#include "support/Builders.h"

using namespace zeltav_test;

// Every signature a host can reach is pinned by the replay check; these are
// the rules, a case or two each.
TEST(NodeSignature, LeavesHashTheirValue) {
  HandMadeNodes pool;
  EXPECT_EQ(pool.Const(-0.0)->GetSignature(), 0u);
  EXPECT_EQ(pool.Const(-1)->GetSignature(), 120u);
  EXPECT_EQ(pool.Const(-0.5)->GetSignature(), 500043228u);
  EXPECT_EQ(pool.Const(2147483647.0)->GetSignature(), 1000012201u);
  EXPECT_EQ(pool.Const(NAN)->GetSignature(), pool.Const(NAN)->GetSignature());
  EXPECT_EQ(pool.Bool(1)->GetSignature(), 1002u);
  EXPECT_EQ(pool.Var((1ull << 32) + 7)->GetSignature(), 160u);
}

TEST(NodeSignature, UnknownOperationsHashTheirNameWithSignedBytes) {
  HandMadeNodes pool;
  EXPECT_EQ(pool.Named(NodeUnknown, "foo", {})->GetSignature(), 162u);
  EXPECT_EQ(pool.Named(NodeUnknown, "\xC3\xA9", {})->GetSignature(), 126u);  // else 106
  EXPECT_EQ(pool.Named(NodeUnknown, "f\xC3\xA9", {})->GetSignature(), 16u);
}

TEST(NodeSignature, NamesCountUpToTheirThirtyThirdCharacter) {
  HandMadeNodes pool;
  EXPECT_EQ(pool.Named(NodeUnknown, "abcdefghijklmnopqrstuvwxyz0123456", {})->GetSignature(), 73u);
  EXPECT_EQ(pool.Named(NodeUnknown, "abcdefghijklmnopqrstuvwxyz0123456789", {})->GetSignature(),
            73u);
}

TEST(NodeSignature, OperationsHashTheArgumentsTheyHaveByTheirShape) {
  HandMadeNodes pool;
  const unsigned k = 11213;  // the factor of an operation's type
  ZELS3Node *x = pool.Var(7), *y = pool.Var(42), *one = pool.Const(1);
  EXPECT_EQ(pool.Op(NodeEqual, {y, x})->GetSignature(), k * 9 + 185 + 160);
  EXPECT_EQ(pool.Op(NodeLess, {x, y})->GetSignature(), 160 + k * 11 + 2 * 185);
  EXPECT_EQ(pool.Op(NodeMax, {x, y, x})->GetSignature(), 505u);
  EXPECT_EQ(pool.Op(NodeSum, {one, x, one, y})->GetSignature(), 345u);
  EXPECT_EQ(pool.Op(NodeProduct, {x, pool.Const(2)})->GetSignature(), 160u * 2 + 392455);
  EXPECT_EQ(pool.Op(NodeLess, {x})->GetSignature(), 160 + k * 11);
  EXPECT_EQ(pool.Op(NodeSum, {x, y, x})->GetSignature(), 160u * 185);
  EXPECT_EQ(pool.Op(NodeEqual, {nullptr, x})->GetSignature(), k * 9 + 160);
  EXPECT_EQ(ErrorCode(), 0);
}

TEST(NodeSignature, DifferenceRequestsAndUnknownTypeNumbersAreReportedAndLeftUnchanged) {
  for (int t : {34, 39, -3}) {
    HandMadeNodes pool;
    ZELS3Node* n = pool.Keep(new ZELS3Node(ZELNodeType(t), ZELString("+")));
    ZELS3NodeTestAccess::SetSignature(n, 4242u);
    ZELS3NodeTestAccess::CalculateSignature(n);
    EXPECT_EQ(n->GetSignature(), 4242u) << t;
    EXPECT_EQ(ErrorCode(), 10011) << t;
  }
}
