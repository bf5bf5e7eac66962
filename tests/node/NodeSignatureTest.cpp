#include <gtest/gtest.h>

#include <cmath>

#include "support/Builders.h"

using namespace zeltav_test;

TEST(NodeSignature, LeavesHashTheirValueAndOperationsTheArgumentsTheyHaveByShape) {
  HandMadeNodes pool;
  ZELS3Node *x = pool.Var(7), *y = pool.Var(42), *one = pool.Const(1), *half = pool.Const(0.5);
  auto op = [&](ZELNodeType t, Args a) { return pool.Op(t, a); };
  auto named = [&](const char* s, Args a) { return pool.Named(NodeUnknown, s, a); };
  const unsigned k = 11213;
  // clang-format off
  const struct { ZELS3Node* node; unsigned signature; } cases[] = {
      {pool.Const(0.0), 0}, {pool.Const(-0.0), 0}, {one, 1}, {pool.Const(2), 2},
      {pool.Const(-1), 120}, {pool.Const(-2), 121}, {half, 500043109}, {pool.Const(-0.5), 500043228},
      {pool.Const(0.1), 800046100}, {pool.Const(3.25), 812541115}, {pool.Const(-3.25), 812541234},
      {pool.Const(2147483647.0), 1000012201}, {pool.Bool(1), 1002}, {pool.Bool(0), 1001},
      {pool.Var(0), 153}, {y, 185}, {pool.Var((1ull << 32) + 7), 160},
      {named("", {}), 137}, {named("f", {}), 207}, {named("foo", {}), 162},
      {named("\xC3\xA9", {}), 126},  // bytes from 0x80 widen with their sign (else 106)
      {op(NodeEqual, {y, x}), k * 9 + 185 + 160},
      {op(NodeLess, {x, y}), 160 + k * 11 + 2 * 185},
      {op(NodeLess, {y, x}), 185 + k * 11 + 2 * 160},
      {op(NodeQuotient, {y, x}), k * 36 + 345},
      {op(NodeSin, {x}), k * 26 + 160},
      {op(NodeMax, {x, y, x}), 505},
      {op(NodeSum, {one, x, one, y}), 345},
      {op(NodeProduct, {x, pool.Const(2)}), 160u * 2 + 392455},
      {op(NodeSum, {half, half}), 500043109u * 500043109u},
      {named("f", {x, y}), 207 + 345},
      // Wrong argument counts read only the arguments that exist.
      {op(NodeSin, {}), k * 26}, {op(NodeLess, {x}), 160 + k * 11},
      {op(NodePower, {x, y, x}), k * 37 + 345}, {op(NodeSum, {x, y, x}), 160u * 185},
      {op(NodeEqual, {nullptr, x}), k * 9 + 160}};
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(c.node->GetSignature(), c.signature) << Show(c.node);
  EXPECT_EQ(pool.Const(NAN)->GetSignature(), pool.Const(NAN)->GetSignature());
  EXPECT_EQ(named("aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaazz", {})->GetSignature(),
            named("aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", {})->GetSignature());
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
