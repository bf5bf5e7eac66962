#include <gtest/gtest.h>

#include "support/Builders.h"

using namespace zeltav_test;

TEST(BuildByName, GivesEverySpellingItsTypeKeepsItAsTheNameAndMovesBooleanRelations) {
  ZELSymbolicCalculator calc;
  ZELS3Node *x = Var(1), *y = Var(2), *p = By("<", {x, y}), *q = By(">", {x, y});
  // Expected types by their numbers: over x; over x, y; over p, q; mixed, which stays numeric.
  // clang-format off
  const struct { ZELS3Node *a, *b; std::vector<std::pair<const char*, int>> ops; } groups[] = {
      {x, nullptr, {{"abs", 19}, {"sign", 20}, {"exp", 21}, {"ln", 22}, {"sqrt", 23}, {"sin", 26},
                    {"cos", 27}, {"tg", 28}, {"ctg", 29}, {"asin", 30}, {"acos", 31}, {"atan", 32},
                    {"not", 17}, {"~", 17}, {"SIN", 38}}},
      {x, y, {{"min", 24}, {"max", 25}, {"=", 9}, {"==", 9}, {"<>", 10}, {"<<", 11}, {"<", 11},
              {"<==", 12}, {"<=", 12}, {">>", 13}, {">", 13}, {">=", 14}, {">==", 14}, {"<<>>", 4},
              {"/", 36}, {"f", 38}, {"+", 33}, {"-", 33}, {"*", 35}, {"^", 35}}},
      {p, q, {{"and", 15}, {"&&", 15}, {"/\\", 15}, {"||", 16}, {"\\/", 16}, {"->", 18}}},
      {p, q, {{"=", 3}, {"<>", 4}}}, {p, x, {{"=", 9}}}, {p, GetTrue(), {{">==", 8}}}};
  // clang-format on
  for (const auto& [a, b, ops] : groups)
    for (const auto& [name, type] : ops) {
      ZELS3Node* n = b ? By(name, {a, b}) : By(name, {a});
      EXPECT_TRUE(n->GetNodeType() == type && n->GetOperName() == name) << name << ": " << Show(n);
    }
  // The spelling is part of the structure; equal spellings share.
  ZELS3Node *a1 = By("and", {p, q}), *a2 = By("&&", {p, q}), *a3 = By("/\\", {p, q});
  EXPECT_TRUE(a1 != a2 && a2 != a3 && a1 != a3 && By("and", {p, q}) == a1) << Show(a1);
  EXPECT_NE(By("-", {x, y}), CreateBinaryOperation(NodeDifference, x, y));
  // An empty list counts as boolean; the argumentless node folds to 0.
  ResetError();  // "not x" cannot be negated
  ZELICVectorImp_ZELS3Node none(1u, 5u);
  EXPECT_TRUE(CreateExpression(ZELString("="), &none) == GetZero() && calc.GetError() == 10016);
}

TEST(OperationLayout, PutsCoefficientsBeforeSummandsAndExponentsAfterFactorsByNameAndByType) {
  ZELSymbolicCalculator calc;
  ZELS3Node *x = Var(1), *y = Var(2), *z = Var(3), *one = GetOne(), *m = GetMinesOne();
  ZELS3Node *two = GetTwo(), *square = CreateBinaryOperation(NodePower, x, two);
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
  for (const auto& c : cases)
    EXPECT_TRUE(c.node->GetNodeType() == c.type && PairsOf(c.node) == Sorted(c.pairs))
        << c.route << ": " << Show(c.node);
  // A power is a product named "^", so it is not the product (x, 2) named "*".
  EXPECT_TRUE(square->GetOperName() == "^" && Op(NodeProduct, {x, two}) != square) << Show(square);
  EXPECT_TRUE(Has(CreateBinaryOperation(NodeQuotient, y, x), {y, x}) && calc.GetError() == 0);
}

TEST(BuildByName, TurnsEverythingOverAnUnknownOperationIntoAnUnknownOne) {
  ZELSymbolicCalculator calc;
  ZELS3Node *x = Var(1), *y = Var(2), *f = By("f", {x});
  for (const char* s : {"+", "-", "*", "=", "sin"})
    EXPECT_TRUE(Is(By(s, {f, y}), NodeUnknown, {f, y})) << s;
  EXPECT_NE(By("f", {x, y}), By("f", {y, x}));
}
