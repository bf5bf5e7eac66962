#include <gtest/gtest.h>

#include <cmath>

#include "node/HandMadeNodes.h"
#include "support/NodePrinter.h"

using namespace zeltav_test;

TEST(NodeSignature, LeavesHashTheirValueIdentifierOrName) {
  HandMadeNodes pool;
  const double values[] = {0.0, -0.0, 1, 2, -1, -2, 0.5, -0.5, 0.1, 3.25, -3.25, 2147483647.0};
  const unsigned sigs[] = {0,         0,         1,         2,         120,       121,
                           500043109, 500043228, 800046100, 812541115, 812541234, 1000012201};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(pool.Const(values[i])->GetSignature(), sigs[i]) << i;
  EXPECT_EQ(pool.Const(NAN)->GetSignature(), pool.Const(NAN)->GetSignature());
  EXPECT_EQ(pool.Bool(1)->GetSignature() * 10000 + pool.Bool(0)->GetSignature(), 10021001u);
  EXPECT_EQ(pool.Var(0)->GetSignature(), 153u);
  EXPECT_EQ(pool.Var(42)->GetSignature(), 185u);
  EXPECT_EQ(pool.Var((1ull << 32) + 7)->GetSignature(), 160u);
  EXPECT_EQ(pool.Named(NodeUnknown, "", {})->GetSignature(), 137u);
  EXPECT_EQ(pool.Named(NodeUnknown, "f", {})->GetSignature(), 207u);
  EXPECT_EQ(pool.Named(NodeUnknown, "foo", {})->GetSignature(), 162u);
  // Bytes from 0x80 are widened with their sign (unsigned they would give 106).
  EXPECT_EQ(pool.Named(NodeUnknown, "\xC3\xA9", {})->GetSignature(), 126u);
  EXPECT_EQ(pool.Named(NodeUnknown, "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaazz", {})->GetSignature(),
            pool.Named(NodeUnknown, "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", {})->GetSignature());
  EXPECT_EQ(ErrorCode(), 0);
}

TEST(NodeSignature, OperationsCombineArgumentSignaturesByShape) {
  HandMadeNodes pool;
  ZELS3Node *x = pool.Var(7), *y = pool.Var(42), *one = pool.Const(1), *half = pool.Const(0.5);
  const unsigned k = 11213;
  EXPECT_EQ(pool.Op(NodeEqual, {y, x})->GetSignature(), k * 9 + 185 + 160);
  EXPECT_EQ(pool.Op(NodeLess, {x, y})->GetSignature(), 160 + k * 11 + 2 * 185);
  EXPECT_EQ(pool.Op(NodeLess, {y, x})->GetSignature(), 185 + k * 11 + 2 * 160);
  EXPECT_EQ(pool.Op(NodeQuotient, {y, x})->GetSignature(), k * 36 + 345);
  EXPECT_EQ(pool.Op(NodeSin, {x})->GetSignature(), k * 26 + 160);
  EXPECT_EQ(pool.Op(NodeMax, {x, y, x})->GetSignature(), 505u);
  EXPECT_EQ(pool.Op(NodeSum, {one, x, one, y})->GetSignature(), 345u);
  EXPECT_EQ(pool.Op(NodeProduct, {x, pool.Const(2)})->GetSignature(), 160u * 2 + 392455);
  EXPECT_EQ(pool.Op(NodeSum, {half, half})->GetSignature(), 500043109u * 500043109u);
  EXPECT_EQ(pool.Named(NodeUnknown, "f", {x, y})->GetSignature(), 207u + 345);
  EXPECT_EQ(ErrorCode(), 0);
}

TEST(NodeSignature, WrongArgumentCountsReadOnlyTheArgumentsThatExist) {
  HandMadeNodes pool;
  ZELS3Node *x = pool.Var(7), *y = pool.Var(42);
  const unsigned k = 11213;
  EXPECT_EQ(pool.Op(NodeSin, {})->GetSignature(), k * 26);
  EXPECT_EQ(pool.Op(NodeLess, {x})->GetSignature(), 160 + k * 11);
  EXPECT_EQ(pool.Op(NodePower, {x, y, x})->GetSignature(), k * 37 + 345);
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
