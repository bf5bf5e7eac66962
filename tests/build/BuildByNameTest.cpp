#include <gtest/gtest.h>

#include "support/Builders.h"

using namespace zeltav_test;

TEST(BuildByName, GivesEverySpellingItsTypeKeepsItAsTheNameAndMovesBooleanRelations) {
  ZELSymbolicCalculator calc;
  ZELS3Node *x = Var(1), *y = Var(2), *p = By("<", {x, y}), *q = By(">", {x, y});
  // clang-format off
  const struct { const char* spelling; ZELS3Node *a, *b; ZELNodeType type; } cases[] = {
      {"abs", x, nullptr, NodeAbs},   {"sign", x, nullptr, NodeSign}, {"exp", x, nullptr, NodeExp},
      {"ln", x, nullptr, NodeLn},     {"sqrt", x, nullptr, NodeSqrt}, {"sin", x, nullptr, NodeSin},
      {"cos", x, nullptr, NodeCos},   {"tg", x, nullptr, NodeTg},     {"ctg", x, nullptr, NodeCtg},
      {"asin", x, nullptr, NodeAsin}, {"acos", x, nullptr, NodeAcos}, {"atan", x, nullptr, NodeAtan},
      {"not", x, nullptr, NodeNot},   {"~", x, nullptr, NodeNot},     {"SIN", x, nullptr, NodeUnknown},
      {"min", x, y, NodeMin},         {"max", x, y, NodeMax},         {"=", x, y, NodeEqual},
      {"==", x, y, NodeEqual},        {"<>", x, y, NodeNotEqual},     {"<<", x, y, NodeLess},
      {"<", x, y, NodeLess},          {"<==", x, y, NodeLessEqual},   {"<=", x, y, NodeLessEqual},
      {">>", x, y, NodeGreater},      {">", x, y, NodeGreater},       {">=", x, y, NodeGreaterEqual},
      {">==", x, y, NodeGreaterEqual}, {"<<>>", x, y, NodeBoolNotEqual}, {"/", x, y, NodeQuotient},
      {"f", x, y, NodeUnknown},       {"+", x, y, NodeSum},           {"-", x, y, NodeSum},
      {"*", x, y, NodeProduct},       {"^", x, y, NodeProduct},       {"and", p, q, NodeAnd},
      {"&&", p, q, NodeAnd},          {"/\\", p, q, NodeAnd},        {"||", p, q, NodeOr},
      {"\\/", p, q, NodeOr},          {"->", p, q, NodeImplies},      {"=", p, q, NodeBoolEqual},
      {"<>", p, q, NodeBoolNotEqual}, {"=", p, x, NodeEqual},  // mixed: stays numeric
      {">==", p, GetTrue(), NodeBoolGreaterEqual}};
  // clang-format on
  for (const auto& c : cases) {
    ZELS3Node* n = c.b ? By(c.spelling, {c.a, c.b}) : By(c.spelling, {c.a});
    EXPECT_EQ(n->GetNodeType(), c.type) << c.spelling << " " << Show(n);
    EXPECT_TRUE(n->GetOperName() == c.spelling) << c.spelling;
  }
  // The spelling is part of the structure; equal spellings share.
  ZELS3Node *a1 = By("and", {p, q}), *a2 = By("&&", {p, q}), *a3 = By("/\\", {p, q});
  EXPECT_NE(a1, a2);
  EXPECT_NE(a2, a3);
  EXPECT_EQ(By("and", {p, q}), a1);
  EXPECT_NE(By("-", {x, y}), CreateBinaryOperation(NodeDifference, x, y));
  // An empty list counts as boolean; the argumentless node folds to 0.
  ZELSymbolicCalculatorTestAccess::ResetError();  // "not x" cannot be negated
  ZELICVectorImp_ZELS3Node none(1u, 5u);
  EXPECT_EQ(CreateExpression(ZELString("="), &none), GetZero());
  EXPECT_EQ(calc.GetError(), 10016);
}

TEST(OperationLayout, PutsCoefficientsBeforeSummandsAndExponentsAfterFactorsByNameAndByType) {
  ZELSymbolicCalculator calc;
  ZELS3Node *x = Var(1), *y = Var(2), *z = Var(3), *one = GetOne(), *m = GetMinesOne();
  ZELS3Node* two = GetTwo();
  const ZELNodeType S = NodeSum, P = NodeProduct;
  // clang-format off
  const struct { const char* route; ZELS3Node* node; ZELNodeType type; Pairs pairs; } cases[] = {
      {"-x", By("-", {x}), S, {{m, x}}},
      {"x - y - z", By("-", {x, y, z}), S, {{one, x}, {m, y}, {m, z}}},
      {"x * y", By("*", {x, y}), P, {{x, one}, {y, one}}},
      {"x ^ 2", By("^", {x, two}), P, {{x, two}}},
      {"Difference(x, y)", CreateBinaryOperation(NodeDifference, x, y), S, {{one, x}, {m, y}}},
      {"Sum(x, y, z)", CreateTernaryOperation(S, x, y, z), S, {{one, x}, {one, y}, {one, z}}},
      {"Product(x, y, z)", CreateTernaryOperation(P, x, y, z), P, {{x, one}, {y, one}, {z, one}}},
      {"Power(x, 2)", CreateBinaryOperation(NodePower, x, two), P, {{x, two}}}};
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(c.node->GetNodeType(), c.type) << c.route << ": " << Show(c.node);
    EXPECT_EQ(PairsOf(c.node), Sorted(c.pairs)) << c.route << ": " << Show(c.node);
  }
  // A power is a product named "^", so it is not the product (x, 2) named "*".
  ZELS3Node* square = CreateBinaryOperation(NodePower, x, two);
  EXPECT_TRUE(square->GetOperName() == "^");
  ZELICVectorImp_ZELS3Node pair(2u, 5u);
  pair.Add(x);
  pair.Add(two);
  EXPECT_NE(CreateOperation(NodeProduct, pair), square);
  ZELS3Node* q = CreateBinaryOperation(NodeQuotient, y, x);
  EXPECT_TRUE(q->GetArg(0) == y && q->GetArg(1) == x) << Show(q);
  EXPECT_EQ(calc.GetError(), 0);
}

TEST(BuildByName, TurnsEverythingOverAnUnknownOperationIntoAnUnknownOne) {
  ZELSymbolicCalculator calc;
  ZELS3Node *x = Var(1), *y = Var(2), *f = By("f", {x});
  for (const char* s : {"+", "-", "*", "=", "sin"}) {
    ZELS3Node* n = By(s, {f, y});
    EXPECT_TRUE(n->GetNodeType() == NodeUnknown && n->GetArgsNum() == 2u && n->GetArg(0) == f &&
                n->GetArg(1) == y)
        << s << " " << Show(n);
  }
  EXPECT_NE(By("f", {x, y}), By("f", {y, x}));
}
