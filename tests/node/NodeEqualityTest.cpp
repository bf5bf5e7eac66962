#include <gtest/gtest.h>

#include <cmath>

#include "support/Builders.h"

using namespace zeltav_test;

// Where a case forces b's signature to a's, the structural rule alone decides.
TEST(NodeEquality, ComparesLeavesByValueAndOperationsByTypeNameAndArgumentsInTheirOrderRule) {
  HandMadeNodes pool;
  ZELS3Node *x = pool.Var(1), *y = pool.Var(2), *z = pool.Var(3), *fixed = pool.Var(1, 1);
  ZELS3Node *nan = pool.Const(NAN), *one = pool.Const(1), *two = pool.Const(2);
  ZELS3Node *fxy = pool.Named(NodeUnknown, "f", {x, y}), *sum = pool.Op(NodeSum, {one, x, two, y});
  auto op = [&](ZELNodeType t, Args a) { return pool.Op(t, a); };
  // clang-format off
  const struct { const char* what; ZELS3Node *a, *b; bool forceSignature; int equal; } cases[] = {
      {"same variable id", x, pool.Var(1), false, 1},
      {"null", x, nullptr, false, 0},
      {"constant variable with itself", fixed, fixed, false, 0},
      {"variable with constant variable", x, fixed, false, 0},
      {"NaN with itself", nan, nan, false, 0},
      {"0 and -0", pool.Const(0.0), pool.Const(-0.0), false, 1},
      {"other type", one, pool.Var(1), true, 0},
      {"= swapped", op(NodeEqual, {x, y}), op(NodeEqual, {y, x}), false, 1},
      {"and swapped", op(NodeAnd, {x, y}), op(NodeAnd, {y, x}), false, 1},
      {"< swapped", op(NodeLess, {x, y}), op(NodeLess, {y, x}), false, 0},
      {"/ swapped", op(NodeQuotient, {x, y}), op(NodeQuotient, {y, x}), true, 0},
      {"min vs max", op(NodeMin, {x, y}), op(NodeMax, {x, y}), false, 0},
      {"sin of equal leaves", op(NodeSin, {x}), op(NodeSin, {pool.Var(1)}), false, 1},
      {"min by inclusion", op(NodeMin, {x, x, y}), op(NodeMin, {x, y, y}), true, 1},
      {"sum pairs reordered", sum, op(NodeSum, {two, y, one, x}), false, 1},
      {"sum pairs regrouped", sum, op(NodeSum, {two, x, one, y}), true, 0},
      {"product pairs", op(NodeProduct, {x, two, y, one}), op(NodeProduct, {y, one, x, two}), false, 1},
      {"empty sums", op(NodeSum, {}), op(NodeSum, {}), false, 1},
      {"= vs ==", pool.Named(NodeEqual, "=", {x, y}), pool.Named(NodeEqual, "==", {x, y}), false, 0},
      {"^ vs *", pool.Named(NodeProduct, "^", {x, y}), pool.Named(NodeProduct, "*", {x, y}), false, 0},
      {"f over equal leaves", fxy, pool.Named(NodeUnknown, "f", {pool.Var(1), y}), false, 1},
      {"f swapped", fxy, pool.Named(NodeUnknown, "f", {y, x}), false, 0},
      {"f vs g", fxy, pool.Named(NodeUnknown, "g", {x, y}), true, 0},
      {"sin without argument", op(NodeSin, {}), op(NodeSin, {}), false, 1},
      {"< with one argument", op(NodeLess, {x}), op(NodeLess, {x}), false, 1},
      {"unhashed third power operand", op(NodePower, {x, y, z}), op(NodePower, {x, y, x}), false, 0},
      {"odd sum", op(NodeSum, {x, y, z}), op(NodeSum, {x, y, x}), false, 0},
      {"= with null swapped", op(NodeEqual, {nullptr, x}), op(NodeEqual, {x, nullptr}), false, 1},
      {"< with null swapped", op(NodeLess, {nullptr, x}), op(NodeLess, {x, nullptr}), true, 0}};
  // clang-format on
  for (const auto& c : cases) {
    if (c.forceSignature) ZELS3NodeTestAccess::SetSignature(c.b, c.a->GetSignature());
    EXPECT_EQ(c.a->Equal(c.b), c.equal) << c.what << ": " << Show(c.a) << " vs " << Show(c.b);
  }
  EXPECT_EQ(*x == *x, 1);
  EXPECT_EQ(*x == *pool.Var(1), 0) << "== compares identity";
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
