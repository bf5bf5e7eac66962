#include <cmath>
#include <vector>

#include "support/Builders.h"

using namespace zeltav_test;
using A = ZELS3NodeTestAccess;
using ProductNormalisation = WithCalculator;
using Nodes = std::vector<ZELS3Node*>;

TEST_F(ProductNormalisation, AddsTheExponentsOfEqualBasesOnce) {
  ZELS3Node* x = Var(1);
  ZELS3Node* two = pool.Raw(NodeProduct, {x, Num(2), x, Num(3)});
  ZELS3Node* three = pool.Raw(NodeProduct, {x, Num(1), x, Num(2), x, Num(4)});
  EXPECT_EQ(A::SimplifyProd(two), 1.0);
  EXPECT_EQ(A::SimplifyProd(three), 1.0);
  const Nodes fifth = {x, Num(5)};
  const Nodes seventh = {x, Num(7)};
  EXPECT_EQ(ArgsOf(two), fifth) << Show(two);
  EXPECT_EQ(ArgsOf(three), seventh) << Show(three);
}

// (x^3)^2 * y -> y * x^6
TEST_F(ProductNormalisation, RaisesANestedProductAndPutsItAfterTheSurvivors) {
  ZELS3Node* x = Var(1);
  ZELS3Node* y = Var(2);
  ZELS3Node* product = pool.Raw(NodeProduct, {Bin(NodePower, x, Num(3)), Num(2), y, Num(1)});
  EXPECT_EQ(A::SimplifyProd(product), 1.0);
  const Nodes raised = {y, Num(1), x, Num(6)};
  EXPECT_EQ(ArgsOf(product), raised) << Show(product);
}

TEST_F(ProductNormalisation, NeverReadsALoneTrailingEntry) {
  ZELS3Node* x = Var(1);
  ZELS3Node* odd = pool.Raw(NodeProduct, {x, Num(2), Var(2)});
  EXPECT_EQ(A::SimplifyProd(odd), 1.0);
  const Nodes kept = {x, Num(2), Var(2)};
  EXPECT_EQ(ArgsOf(odd), kept) << Show(odd);
  ZELS3Node* outer = pool.Raw(NodeProduct, {odd, Num(3), x, Num(1)});
  EXPECT_EQ(A::SimplifyProd(outer), 1.0);
  const Nodes merged = {x, Num(7)};
  EXPECT_EQ(ArgsOf(outer), merged) << Show(outer);
}

TEST_F(ProductNormalisation, TakesNumbersOutAsTheCoefficient) {
  ZELS3Node* x = Var(1);
  ZELS3Node* numbers = pool.Raw(NodeProduct, {Num(2), Num(1), x, Num(1), Num(3), Num(1)});
  EXPECT_EQ(A::SimplifyProd(numbers), 6.0);
  const Nodes term = {x, Num(1)};
  EXPECT_EQ(ArgsOf(numbers), term) << Show(numbers);
  ZELS3Node* w = Var(4);
  ZELS3Node* zero = pool.Raw(NodeProduct, {Num(0), Num(0), w, Num(1)});
  EXPECT_EQ(A::SimplifyProd(zero), 0.0);
  EXPECT_EQ(Count(zero), 0u);
  EXPECT_EQ(A::GetFathNum(w), 0u);
  ZELS3Node* root = pool.Raw(NodeProduct, {Num(-8), Num(0.5), x, Num(1)});
  EXPECT_TRUE(std::isnan(A::SimplifyProd(root)));
  EXPECT_EQ(ArgsOf(root), term) << Show(root);
  EXPECT_EQ(ErrorCode(), 0);
}

// 2^x * 2^y -> 2^(y + x)
TEST_F(ProductNormalisation, MergesNumericBasesWithSymbolicExponents) {
  ZELS3Node* twos = pool.Raw(NodeProduct, {Num(2), Var(1), Num(2), Var(2)});
  EXPECT_EQ(A::SimplifyProd(twos), 1.0);
  ASSERT_TRUE(Has(twos, {Num(2), Arg(twos, 1)})) << Show(twos);
  EXPECT_TRUE(Has(Arg(twos, 1), {Num(1), Var(2), Num(1), Var(1)})) << Show(twos);
}

TEST_F(ProductNormalisation, FactoriesHoldAPowerAsAnExponent) {
  ZELS3Node* x = Var(1);
  ZELS3Node* cube = Bin(NodePower, x, Num(3));
  EXPECT_TRUE(Is(Bin(NodeProduct, x, x), NodeProduct, {x, Num(2)}));
  EXPECT_TRUE(Is(cube, NodeProduct, {x, Num(3)}));
  EXPECT_TRUE(Is(Bin(NodePower, cube, Num(2)), NodeProduct, {x, Num(6)}));
}

// 2 * x * 3 -> +(6, x);  (3y)^2 -> +(9, y^2)
TEST_F(ProductNormalisation, FactoriesHoldACoefficientOtherThanOneAsAOnePairSum) {
  ZELS3Node* x = Var(1);
  ZELS3Node* y = Var(2);
  EXPECT_TRUE(Is(CreateTernaryOperation(NodeProduct, Num(2), x, Num(3)), NodeSum, {Num(6), x}));
  ZELS3Node* threeY = Bin(NodeProduct, Num(3), y);
  EXPECT_TRUE(Is(threeY, NodeSum, {Num(3), y}));
  ZELS3Node* squared = Bin(NodePower, threeY, Num(2));
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
