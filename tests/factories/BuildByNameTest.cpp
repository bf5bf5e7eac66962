#include <string>

#include "support/Builders.h"

using namespace zeltav_test;

// Every spelling is driven by the replay check; these are the rules behind the table.
struct BuildByName : ::testing::Test {
  ZELSymbolicCalculator calc;
  ZELS3Node *x = Var(1), *y = Var(2), *p = By("<", {x, y}), *q = By(">", {x, y});
  ZELNodeType TypeOf(const char* spelling, Args args) { return By(spelling, args)->GetNodeType(); }
};

TEST_F(BuildByName, KeepsTheSpellingAsTheNameSoEachSpellingIsItsOwnNode) {
  ZELS3Node *word = By("and", {p, q}), *ampersands = By("&&", {p, q});
  EXPECT_EQ(std::string(word->GetOperName()), "and");
  EXPECT_NE(word, ampersands);
  EXPECT_EQ(By("and", {p, q}), word);
  EXPECT_NE(By("-", {x, y}), CreateBinaryOperation(NodeDifference, x, y));
}

TEST_F(BuildByName, MakesDifferencesSumsPowersProductsAndOtherSpellingsUnknown) {
  EXPECT_EQ(TypeOf("-", {x, y}), NodeSum);
  EXPECT_EQ(TypeOf("^", {x, y}), NodeProduct);
  EXPECT_EQ(TypeOf("SIN", {x}), NodeUnknown);
}

TEST_F(BuildByName, MovesARelationToTheBooleanFamilyOnlyOverBooleanOperands) {
  EXPECT_EQ(TypeOf("=", {p, q}), NodeBoolEqual);
  EXPECT_EQ(TypeOf(">==", {p, GetTrue()}), NodeBoolGreaterEqual);
  EXPECT_EQ(TypeOf("=", {p, x}), NodeEqual);
  EXPECT_EQ(TypeOf("<<>>", {x, y}), NodeBoolNotEqual);
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
  EXPECT_NE(By("f", {x, y}), By("f", {y, x}));
}

struct OperationLayout : BuildByName {
  ZELS3Node *z = Var(3), *one = GetOne(), *minus = GetMinesOne(), *two = GetTwo();
};

TEST_F(OperationLayout, PutsACoefficientBeforeEachSummandByNameAndByType) {
  EXPECT_EQ(PairsOf(By("-", {x})), Sorted({{minus, x}}));
  EXPECT_EQ(PairsOf(By("-", {x, y, z})), Sorted({{one, x}, {minus, y}, {minus, z}}));
  EXPECT_EQ(PairsOf(CreateBinaryOperation(NodeDifference, x, y)), Sorted({{one, x}, {minus, y}}));
}

TEST_F(OperationLayout, PutsAnExponentAfterEachFactorByNameAndByType) {
  EXPECT_EQ(PairsOf(By("*", {x, y})), Sorted({{x, one}, {y, one}}));
  EXPECT_EQ(PairsOf(By("^", {x, two})), Sorted({{x, two}}));
  EXPECT_EQ(PairsOf(CreateTernaryOperation(NodeProduct, x, y, z)),
            Sorted({{x, one}, {y, one}, {z, one}}));
}

// A power is a product named "^", so it is not the product (x, 2) named "*".
TEST_F(OperationLayout, KeepsAPowerApartFromTheEqualProductByItsName) {
  ZELS3Node* square = CreateBinaryOperation(NodePower, x, two);
  EXPECT_EQ(std::string(square->GetOperName()), "^");
  EXPECT_NE(Op(NodeProduct, {x, two}), square);
}
