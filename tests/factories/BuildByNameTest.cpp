#include <gtest/gtest.h>

#include <string>

#include "support/Builders.h"

using namespace zeltav_test;

// Every spelling is driven by the replay check; these are the rules behind the table.
struct BuildByName : ::testing::Test {
  ZELSymbolicCalculator calc;
  ZELS3Node* x = Var(1);
  ZELS3Node* y = Var(2);
  ZELS3Node* p = By("<", {x, y});
  ZELS3Node* q = By(">", {x, y});
};

TEST_F(BuildByName, KeepsTheSpellingAsTheNameSoEachSpellingIsItsOwnNode) {
  ZELS3Node* word = By("and", {p, q});
  ZELS3Node* ampersands = By("&&", {p, q});
  EXPECT_EQ(std::string(word->GetOperName()), "and");
  EXPECT_EQ(std::string(ampersands->GetOperName()), "&&");
  EXPECT_NE(word, ampersands);
  EXPECT_NE(By("/\\", {p, q}), word);
  EXPECT_EQ(By("and", {p, q}), word);
  EXPECT_NE(By("-", {x, y}), CreateBinaryOperation(NodeDifference, x, y));
}

TEST_F(BuildByName, MakesADifferenceASumAndAPowerAProduct) {
  EXPECT_EQ(By("-", {x, y})->GetNodeType(), NodeSum);
  EXPECT_EQ(By("^", {x, y})->GetNodeType(), NodeProduct);
  EXPECT_EQ(By("/", {x, y})->GetNodeType(), NodeQuotient);
}

TEST_F(BuildByName, MakesAnUnknownOperationOfAnyOtherSpellingCaseIncluded) {
  EXPECT_EQ(By("SIN", {x})->GetNodeType(), NodeUnknown);
  EXPECT_EQ(By("f", {x, y})->GetNodeType(), NodeUnknown);
  EXPECT_NE(By("f", {x, y}), By("f", {y, x}));
}

TEST_F(BuildByName, MovesARelationToTheBooleanFamilyOnlyOverBooleanOperands) {
  EXPECT_EQ(By("=", {p, q})->GetNodeType(), NodeBoolEqual);
  EXPECT_EQ(By("<>", {p, q})->GetNodeType(), NodeBoolNotEqual);
  EXPECT_EQ(By(">==", {p, GetTrue()})->GetNodeType(), NodeBoolGreaterEqual);
  EXPECT_EQ(By("=", {p, x})->GetNodeType(), NodeEqual);
  EXPECT_EQ(By("<<>>", {x, y})->GetNodeType(), NodeBoolNotEqual);
}

// An empty list counts as boolean; the relation without operands folds to 0.
TEST_F(BuildByName, MakesARelationOverNoOperandsAndReportsItsArity) {
  ZELICVectorImp_ZELS3Node none(1u, 5u);
  EXPECT_EQ(CreateExpression(ZELString("="), &none), GetZero());
  EXPECT_EQ(calc.GetError(), 10016);
}

TEST_F(BuildByName, TurnsEverythingOverAnUnknownOperationIntoAnUnknownOne) {
  ZELS3Node* f = By("f", {x});
  for (const char* s : {"+", "-", "*", "=", "sin"}) {
    EXPECT_TRUE(Is(By(s, {f, y}), NodeUnknown, {f, y})) << s;
  }
}

struct OperationLayout : BuildByName {
  ZELS3Node* z = Var(3);
  ZELS3Node* one = GetOne();
  ZELS3Node* minus = GetMinesOne();
  ZELS3Node* two = GetTwo();
};

TEST_F(OperationLayout, PutsACoefficientBeforeEachSummandByNameAndByType) {
  EXPECT_EQ(PairsOf(By("-", {x})), Sorted({{minus, x}}));
  EXPECT_EQ(PairsOf(By("-", {x, y, z})), Sorted({{one, x}, {minus, y}, {minus, z}}));
  EXPECT_EQ(PairsOf(CreateBinaryOperation(NodeDifference, x, y)), Sorted({{one, x}, {minus, y}}));
  EXPECT_EQ(PairsOf(CreateTernaryOperation(NodeSum, x, y, z)),
            Sorted({{one, x}, {one, y}, {one, z}}));
}

TEST_F(OperationLayout, PutsAnExponentAfterEachFactorByNameAndByType) {
  EXPECT_EQ(PairsOf(By("*", {x, y})), Sorted({{x, one}, {y, one}}));
  EXPECT_EQ(PairsOf(By("^", {x, two})), Sorted({{x, two}}));
  EXPECT_EQ(PairsOf(CreateTernaryOperation(NodeProduct, x, y, z)),
            Sorted({{x, one}, {y, one}, {z, one}}));
  EXPECT_EQ(PairsOf(CreateBinaryOperation(NodePower, x, two)), Sorted({{x, two}}));
}

// A power is a product named "^", so it is not the product (x, 2) named "*".
TEST_F(OperationLayout, KeepsAPowerApartFromTheEqualProductByItsName) {
  ZELS3Node* square = CreateBinaryOperation(NodePower, x, two);
  EXPECT_EQ(std::string(square->GetOperName()), "^");
  EXPECT_NE(Op(NodeProduct, {x, two}), square);
}

TEST_F(OperationLayout, KeepsTheOperandsOfOtherOperationsInOrder) {
  EXPECT_TRUE(Has(CreateBinaryOperation(NodeQuotient, y, x), {y, x}));
  EXPECT_EQ(calc.GetError(), 0);
}
