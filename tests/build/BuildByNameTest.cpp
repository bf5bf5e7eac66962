#include <gtest/gtest.h>

#include "build/BuildHelpers.h"

using namespace zeltav_test;
using TA = ZELSymbolicCalculatorTestAccess;
using NA = ZELS3NodeTestAccess;

TEST(BuildByName, GivesEverySpellingItsTypeAndItsOwnName) {
  ZELSymbolicCalculator calc;
  ZELS3Node *x = Var(1), *y = Var(2);
  const struct {
    const char* spelling;
    ZELNodeType type;
  } unary[] = {{"abs", NodeAbs},   {"sign", NodeSign}, {"exp", NodeExp},    {"ln", NodeLn},
               {"sqrt", NodeSqrt}, {"sin", NodeSin},   {"cos", NodeCos},    {"tg", NodeTg},
               {"ctg", NodeCtg},   {"asin", NodeAsin}, {"acos", NodeAcos},  {"atan", NodeAtan},
               {"not", NodeNot},   {"~", NodeNot},     {"SIN", NodeUnknown}},
    binary[] = {{"min", NodeMin},
                {"max", NodeMax},
                {"=", NodeEqual},
                {"==", NodeEqual},
                {"<>", NodeNotEqual},
                {"<<", NodeLess},
                {"<", NodeLess},
                {"<==", NodeLessEqual},
                {"<=", NodeLessEqual},
                {">>", NodeGreater},
                {">", NodeGreater},
                {">=", NodeGreaterEqual},
                {">==", NodeGreaterEqual},
                {"<<>>", NodeBoolNotEqual},
                {"/", NodeQuotient},
                {"f", NodeUnknown},
                {"+", NodeSum},
                {"-", NodeSum},
                {"*", NodeProduct},
                {"^", NodeProduct}};
  for (const auto& row : unary) {
    ZELS3Node* n = Build(row.spelling, {x});
    EXPECT_EQ(n->GetNodeType(), row.type) << row.spelling << " " << Show(n);
    EXPECT_TRUE(n->GetOperName() == row.spelling) << row.spelling;
  }
  for (const auto& row : binary) {
    ZELS3Node* n = Build(row.spelling, {x, y});
    EXPECT_EQ(n->GetNodeType(), row.type) << row.spelling << " " << Show(n);
    EXPECT_TRUE(n->GetOperName() == row.spelling) << row.spelling;
  }
}

TEST(BuildByName, MakesDistinctConnectivesAndMovesRelationsOverBooleansToTheBooleanFamily) {
  ZELSymbolicCalculator calc;
  ZELS3Node *x = Var(1), *y = Var(2);
  ZELS3Node *p = Build("<", {x, y}), *q = Build(">", {x, y});
  ZELS3Node *a1 = Build("and", {p, q}), *a2 = Build("&&", {p, q}), *a3 = Build("/\\", {p, q});
  EXPECT_EQ(a3->GetNodeType(), NodeAnd) << Show(a3);
  EXPECT_NE(a1, a2);
  EXPECT_NE(a2, a3);
  EXPECT_EQ(Build("and", {p, q}), a1);
  EXPECT_EQ(Build("||", {p, q})->GetNodeType(), NodeOr);
  EXPECT_EQ(Build("->", {p, q})->GetNodeType(), NodeImplies);
  EXPECT_EQ(Build("=", {p, q})->GetNodeType(), NodeBoolEqual);
  EXPECT_EQ(Build("<>", {p, q})->GetNodeType(), NodeBoolNotEqual);
  EXPECT_EQ(Build(">==", {p, GetTrue()})->GetNodeType(), NodeBoolGreaterEqual);
  EXPECT_EQ(Build("=", {p, x})->GetNodeType(), NodeEqual);
  EXPECT_EQ(Build("<>", {x, y})->GetNodeType(), NodeNotEqual);
  // An empty vector counts as boolean; the argumentless node folds to 0.
  EXPECT_EQ(calc.GetError(), 0);
  EXPECT_EQ(Build("=", {}), GetZero());
  EXPECT_EQ(calc.GetError(), 10016);
}

TEST(BuildByName, InsertsCoefficientsForSumsAndDifferencesAndExponentsForProducts) {
  ZELSymbolicCalculator calc;
  ZELS3Node *x = Var(1), *y = Var(2), *z = Var(3), *one = GetOne(), *minus = GetMinesOne();
  EXPECT_EQ(PairsOf(Build("-", {x})), Sorted({{minus, x}}));
  EXPECT_EQ(PairsOf(Build("-", {x, y})), Sorted({{one, x}, {minus, y}}));
  EXPECT_EQ(PairsOf(Build("-", {x, y, z})), Sorted({{one, x}, {minus, y}, {minus, z}}));
  EXPECT_EQ(PairsOf(Build("+", {x, y, z})), Sorted({{one, x}, {one, y}, {one, z}}));
  EXPECT_EQ(PairsOf(Build("*", {x, y})), Sorted({{x, one}, {y, one}}));
  EXPECT_EQ(PairsOf(Build("^", {x, GetTwo()})), Sorted({{x, GetTwo()}}));
  // The name is part of the structure: "-" by name is not the factory's "+".
  EXPECT_EQ(Build("-", {x, y}), Build("-", {x, y}));
  EXPECT_NE(Build("-", {x, y}), CreateBinaryOperation(NodeDifference, x, y));
  EXPECT_EQ(calc.GetError(), 0);
}

TEST(BuildByName, TurnsEverythingOverAnUnknownOperationIntoAnUnknownOne) {
  ZELSymbolicCalculator calc;
  ZELS3Node *x = Var(1), *y = Var(2), *f = Build("f", {x});
  for (const char* s : {"+", "-", "*", "=", "sin"}) {
    ZELS3Node* n = Build(s, {f, y});
    EXPECT_EQ(n->GetNodeType(), NodeUnknown) << s << " " << Show(n);
    ASSERT_EQ(n->GetArgsNum(), 2u) << s << " " << Show(n);
    EXPECT_EQ(n->GetArg(0), f);
    EXPECT_EQ(n->GetArg(1), y);
  }
  EXPECT_NE(Build("f", {x, y}), Build("f", {y, x}));
}

TEST(BuildByName, KeepsWrongArgumentCountsAndRefusesNullArguments) {
  ZELSymbolicCalculator calc;
  ZELS3Node *x = Var(1), *y = Var(2);
  ZELS3Node* s = Build("sin", {x, y});
  EXPECT_EQ(s->GetNodeType(), NodeSin) << Show(s);
  EXPECT_EQ(s->GetArgsNum(), 2u);
  EXPECT_EQ(calc.GetError(), 10013);
  const unsigned size = TA::TableSize(&calc), fathers = NA::GetFathNum(x);
  EXPECT_EQ(Build("+", {x, nullptr}), nullptr);
  EXPECT_EQ(TA::TableSize(&calc), size);
  EXPECT_EQ(NA::GetFathNum(x), fathers);
  EXPECT_EQ(NA::GetFathNum(GetOne()), 0u);
}
