#include <gtest/gtest.h>

#include <cmath>

#include "support/Builders.h"

using namespace zeltav_test;

const unsigned k = 11213;  // the factor of an operation's type

struct NodeSignature : ::testing::Test {
  HandMadeNodes pool;
  ZELS3Node* x = pool.Var(7);
  ZELS3Node* y = pool.Var(42);
  ZELS3Node* one = pool.Const(1);
  unsigned Of(ZELNodeType t, Args args) { return pool.Op(t, args)->GetSignature(); }
  unsigned OfName(const char* name, Args args = {}) {
    return pool.Named(NodeUnknown, name, args)->GetSignature();
  }
};

TEST_F(NodeSignature, HashesTheValueOfANumber) {
  EXPECT_EQ(pool.Const(0.0)->GetSignature(), 0u);
  EXPECT_EQ(pool.Const(-0.0)->GetSignature(), 0u);
  EXPECT_EQ(one->GetSignature(), 1u);
  EXPECT_EQ(pool.Const(-1)->GetSignature(), 120u);
  EXPECT_EQ(pool.Const(0.5)->GetSignature(), 500043109u);
  EXPECT_EQ(pool.Const(-0.5)->GetSignature(), 500043228u);
  EXPECT_EQ(pool.Const(0.1)->GetSignature(), 800046100u);
  EXPECT_EQ(pool.Const(3.25)->GetSignature(), 812541115u);
  EXPECT_EQ(pool.Const(2147483647.0)->GetSignature(), 1000012201u);
  EXPECT_EQ(pool.Const(NAN)->GetSignature(), pool.Const(NAN)->GetSignature());
}

TEST_F(NodeSignature, HashesTheValueOfABooleanOrAVariable) {
  EXPECT_EQ(pool.Bool(1)->GetSignature(), 1002u);
  EXPECT_EQ(pool.Bool(0)->GetSignature(), 1001u);
  EXPECT_EQ(pool.Var(0)->GetSignature(), 153u);
  EXPECT_EQ(y->GetSignature(), 185u);
  EXPECT_EQ(pool.Var((1ull << 32) + 7)->GetSignature(), 160u);
}

TEST_F(NodeSignature, HashesTheNameOfAnUnknownOperation) {
  EXPECT_EQ(OfName(""), 137u);
  EXPECT_EQ(OfName("f"), 207u);
  EXPECT_EQ(OfName("foo"), 162u);
  EXPECT_EQ(OfName("\xC3\xA9"), 126u);  // bytes from 0x80 widen with their sign (else 106)
  EXPECT_EQ(OfName("aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaazz"),
            OfName("aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"));
  EXPECT_EQ(OfName("f", {x, y}), 207u + 345u);
}

TEST_F(NodeSignature, HashesTheOperandsOfAnOperationByTheirShape) {
  ZELS3Node* half = pool.Const(0.5);
  EXPECT_EQ(Of(NodeEqual, {y, x}), k * 9 + 185 + 160);
  EXPECT_EQ(Of(NodeLess, {x, y}), 160 + k * 11 + 2 * 185);
  EXPECT_EQ(Of(NodeLess, {y, x}), 185 + k * 11 + 2 * 160);
  EXPECT_EQ(Of(NodeQuotient, {y, x}), k * 36 + 345);
  EXPECT_EQ(Of(NodeSin, {x}), k * 26 + 160);
  EXPECT_EQ(Of(NodeMax, {x, y, x}), 505u);
  EXPECT_EQ(Of(NodeSum, {one, x, one, y}), 345u);
  EXPECT_EQ(Of(NodeProduct, {x, pool.Const(2)}), 160u * 2 + 392455);
  EXPECT_EQ(Of(NodeSum, {half, half}), 500043109u * 500043109u);
  EXPECT_EQ(ErrorCode(), 0);
}

TEST_F(NodeSignature, ReadsOnlyTheArgumentsThatExistOfAWrongArgumentCount) {
  EXPECT_EQ(Of(NodeSin, {}), k * 26);
  EXPECT_EQ(Of(NodeLess, {x}), 160 + k * 11);
  EXPECT_EQ(Of(NodePower, {x, y, x}), k * 37 + 345);
  EXPECT_EQ(Of(NodeSum, {x, y, x}), 160u * 185);
  EXPECT_EQ(Of(NodeEqual, {nullptr, x}), k * 9 + 160);
  EXPECT_EQ(ErrorCode(), 0);
}

TEST(NodeSignatureOfBadTypes, ReportsDifferenceRequestsAndUnknownTypeNumbersAndKeepsTheOldOne) {
  for (int t : {34, 39, -3}) {
    HandMadeNodes pool;
    ZELS3Node* n = pool.Keep(new ZELS3Node(ZELNodeType(t), ZELString("+")));
    ZELS3NodeTestAccess::SetSignature(n, 4242u);
    ZELS3NodeTestAccess::CalculateSignature(n);
    EXPECT_EQ(n->GetSignature(), 4242u) << t;
    EXPECT_EQ(ErrorCode(), 10011) << t;
  }
}
