#include <cmath>
#include <vector>

#include "support/Builders.h"

using namespace zeltav_test;
using A = ZELS3NodeTestAccess;
using ProductNormalisation = WithCalculator;
using Nodes = std::vector<ZELS3Node*>;

// x^1 x^2 x^4 -> x^7;  (x^3)^2 y -> y x^6
TEST_F(ProductNormalisation, AddsTheExponentsOfEqualBasesAndPutsNestedProductsLast) {
  ZELS3Node *x = Var(1), *y = Var(2);
  ZELS3Node* three = pool.Raw(NodeProduct, {x, Num(1), x, Num(2), x, Num(4)});
  ZELS3Node* nested = pool.Raw(NodeProduct, {Bin(NodePower, x, Num(3)), Num(2), y, Num(1)});
  EXPECT_EQ(A::SimplifyProd(three), 1.0);
  EXPECT_EQ(A::SimplifyProd(nested), 1.0);
  EXPECT_EQ(ArgsOf(three), (Nodes{x, Num(7)})) << Show(three);
  EXPECT_EQ(ArgsOf(nested), (Nodes{y, Num(1), x, Num(6)})) << Show(nested);
}

// 2^x * 2^y -> 2^(y + x)
TEST_F(ProductNormalisation, MergesNumericBasesWithSymbolicExponents) {
  ZELS3Node* twos = pool.Raw(NodeProduct, {Num(2), Var(1), Num(2), Var(2)});
  EXPECT_EQ(A::SimplifyProd(twos), 1.0);
  ASSERT_TRUE(Has(twos, {Num(2), Arg(twos, 1)})) << Show(twos);
  EXPECT_TRUE(Has(Arg(twos, 1), {Num(1), Var(2), Num(1), Var(1)})) << Show(twos);
}

TEST_F(ProductNormalisation, NeverReadsALoneTrailingEntry) {
  ZELS3Node* x = Var(1);
  ZELS3Node* odd = pool.Raw(NodeProduct, {x, Num(2), Var(2)});
  ZELS3Node* outer = pool.Raw(NodeProduct, {odd, Num(3), x, Num(1)});
  EXPECT_EQ(A::SimplifyProd(odd), 1.0);
  EXPECT_EQ(A::SimplifyProd(outer), 1.0);
  EXPECT_EQ(ArgsOf(odd), (Nodes{x, Num(2), Var(2)})) << Show(odd);
  EXPECT_EQ(ArgsOf(outer), (Nodes{x, Num(7)})) << Show(outer);
}

// 2 x 3 -> 6 x;  0^0 w -> 0 and nothing left;  (-8)^0.5 x -> NaN x, silently.
TEST_F(ProductNormalisation, TakesNumbersOutAsTheCoefficient) {
  ZELS3Node *x = Var(1), *w = Var(4);
  ZELS3Node* numbers = pool.Raw(NodeProduct, {Num(2), Num(1), x, Num(1), Num(3), Num(1)});
  ZELS3Node* zero = pool.Raw(NodeProduct, {Num(0), Num(0), w, Num(1)});
  ZELS3Node* root = pool.Raw(NodeProduct, {Num(-8), Num(0.5), x, Num(1)});
  EXPECT_EQ(A::SimplifyProd(numbers), 6.0);
  EXPECT_EQ(A::SimplifyProd(zero), 0.0);
  EXPECT_TRUE(std::isnan(A::SimplifyProd(root)));
  EXPECT_EQ(ArgsOf(numbers), (Nodes{x, Num(1)})) << Show(numbers);
  EXPECT_EQ(Count(zero), 0u);
  EXPECT_EQ(A::GetFathNum(w), 0u);
  EXPECT_EQ(ArgsOf(root), (Nodes{x, Num(1)})) << Show(root);
  EXPECT_EQ(ErrorCode(), 0);
}

// 2 x 3 -> +(6, x);  (3y)^2 -> +(9, y^2)
TEST_F(ProductNormalisation, FactoriesHoldACoefficientOtherThanOneAsAOnePairSum) {
  ZELS3Node *x = Var(1), *y = Var(2);
  EXPECT_TRUE(Is(CreateTernaryOperation(NodeProduct, Num(2), x, Num(3)), NodeSum, {Num(6), x}));
  EXPECT_TRUE(Is(Bin(NodePower, Bin(NodePower, x, Num(3)), Num(2)), NodeProduct, {x, Num(6)}));
  ZELS3Node* squared = Bin(NodePower, Bin(NodeProduct, Num(3), y), Num(2));
  ASSERT_TRUE(Is(squared, NodeSum, {Num(9), Arg(squared, 1)})) << Show(squared);
  EXPECT_TRUE(Is(Arg(squared, 1), NodeProduct, {y, Num(2)})) << Show(squared);
}

TEST_F(ProductNormalisation, FactoriesFoldAProductOfOnePairOrNumbersOnly) {
  ZELS3Node* x = Var(1);
  EXPECT_EQ(Op(NodeProduct, {x, Num(1), Var(2), Num(0), Num(1), Var(3)}), x);
  EXPECT_EQ(Bin(NodePower, Num(2), Num(10)), Num(1024));
  EXPECT_EQ(Bin(NodePower, Num(0), Num(0)), GetZero());
  EXPECT_EQ(Bin(NodePower, Num(0), Num(-1)), GetZero());
  EXPECT_EQ(Bin(NodeProduct, x, Num(0)), GetZero());
  EXPECT_EQ(ErrorCode(), 0);
}

// (x^NaN) y -> y x^NaN with a NaN of its own: a NaN equals no node, so the
// exponent product makes a new one where 1 * e would otherwise be e itself.
TEST_F(ProductNormalisation, MakesAFlattenedNaNExponentAnew) {
  ZELS3Node *x = Var(1), *y = Var(2), *nan = Num(NAN);
  ZELS3Node* nested = pool.Raw(NodeProduct, {pool.Raw(NodeProduct, {x, nan}), Num(1), y, Num(1)});
  EXPECT_EQ(A::SimplifyProd(nested), 1.0);
  ASSERT_TRUE(Is(nested, NodeProduct, {y, Num(1), x, Arg(nested, 3)})) << Show(nested);
  EXPECT_TRUE(std::isnan(Arg(nested, 3)->GetConstant()));
  EXPECT_NE(Arg(nested, 3), nan);
}

// Used again as an operand, such a product is not normalised again until a
// registered node changes in place.
TEST_F(ProductNormalisation, SettlesOnlyProductsTheRuleWouldLeaveAsTheyAre) {
  using TA = ZELSymbolicCalculatorTestAccess;
  ZELS3Node *x = Var(1), *y = Var(2), *s = Op(NodeSum, {Num(1), x, Num(1), y});
  ZELS3Node* product = Op(NodeProduct, {x, Num(2), y, Num(1)});
  EXPECT_TRUE(TA::Settled(&calc, product));
  EXPECT_TRUE(TA::Settled(&calc, Op(NodeProduct, {s, Num(3), y, x})));
  EXPECT_TRUE(TA::Settled(&calc, Op(NodeProduct, {x, Num(2)})));
  EXPECT_FALSE(TA::Settled(&calc, Op(NodeProduct, {x, Num(NAN), y, Num(1)})));
  EXPECT_FALSE(TA::Settled(&calc, Op(NodeProduct, {x, Num(1), Var(7, 1), Num(1)})));
  A::ReplaceArg(s, Var(3), 1);
  EXPECT_FALSE(TA::Settled(&calc, product));
  EXPECT_EQ(A::Simplify(product, NodeProduct), product);
  EXPECT_TRUE(TA::Settled(&calc, product));
}

// *(3, 1, x, 1) -> +(3, x), made without building *(x, 1); a variable fixed
// since the product was made gives its value instead: 3 * 2 -> 6.
TEST_F(ProductNormalisation, PutsTheFixedValueOfTheVariableLeftByTheNumber) {
  calc.SetSubstOn();
  ZELS3Node *x = Var(1), *y = Var(2);
  ZELS3Node* withX = pool.Raw(NodeProduct, {Num(3), Num(1), x, Num(1)});
  ZELS3Node* withY = pool.Raw(NodeProduct, {Num(3), Num(1), y, Num(1)});
  calc.AddExactVariable(1, 2.0);
  double number = 0.0;
  EXPECT_EQ(A::Evaluate(withX, &number), Num(6)) << Show(withX);
  EXPECT_TRUE(Is(A::Evaluate(withY, &number), NodeSum, {Num(3), y})) << Show(withY);
}
