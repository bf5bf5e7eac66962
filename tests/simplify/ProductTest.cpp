#include <cmath>

#include "simplify/SimplifyTesting.h"

using zeltav_test::Show;
using zeltav_test::SimplifyTest;

using ProductNormalisation = SimplifyTest;

TEST_F(ProductNormalisation, MergesEqualFactorsByAddingExponents) {
  ZELS3Node* x = X(1);
  ZELS3Node* square = Bin(NodeProduct, x, x);
  EXPECT_TRUE(IsType(square, NodeProduct) && ArgsAre(square, {x, N(2)})) << Show(square);

  ZELS3Node* raw = Raw(NodeProduct, {x, N(2), x, N(3)});
  EXPECT_EQ(A::SimplifyProd(raw), 1.0);
  EXPECT_TRUE(ArgsAre(raw, {x, N(5)})) << Show(raw);

  // Three occurrences: each exponent is counted once, x^(1+2+4) = x^7.
  ZELS3Node* three = Raw(NodeProduct, {x, N(1), x, N(2), x, N(4)});
  EXPECT_EQ(A::SimplifyProd(three), 1.0);
  EXPECT_TRUE(ArgsAre(three, {x, N(7)})) << Show(three);

  // Numeric bases with symbolic exponents merge too: 2^x * 2^y -> 2^(y + x).
  ZELS3Node* y = X(2);
  ZELS3Node* twos = Raw(NodeProduct, {N(2), x, N(2), y});
  EXPECT_EQ(A::SimplifyProd(twos), 1.0);
  ASSERT_EQ(Count(twos), 2u) << Show(twos);
  EXPECT_EQ(Arg(twos, 0), N(2)) << Show(twos);
  EXPECT_TRUE(ArgsAre(Arg(twos, 1), {N(1), y, N(1), x})) << Show(twos);
  EXPECT_EQ(Error(), 0);
}

TEST_F(ProductNormalisation, FlattensNestedProductsMultiplyingExponents) {
  ZELS3Node *x = X(1), *y = X(2);
  ZELS3Node* cube = Bin(NodePower, x, N(3));
  ZELS3Node* sixth = Bin(NodePower, cube, N(2));
  EXPECT_TRUE(ArgsAre(sixth, {x, N(6)})) << Show(sixth);
  EXPECT_TRUE(ArgsAre(cube, {x, N(3)})) << Show(cube);

  // Survivors first, then the nested pairs: y * (x^3)^2 keeps y in front.
  ZELS3Node* raw = Raw(NodeProduct, {cube, N(2), y, N(1)});
  EXPECT_EQ(A::SimplifyProd(raw), 1.0);
  EXPECT_TRUE(ArgsAre(raw, {y, N(1), x, N(6)})) << Show(raw);
}

TEST_F(ProductNormalisation, TakesNumbersOutAsTheCoefficient) {
  ZELS3Node* x = X(1);
  ZELS3Node* raw = Raw(NodeProduct, {N(2), N(1), x, N(1), N(3), N(1)});
  EXPECT_EQ(A::SimplifyProd(raw), 6.0);
  EXPECT_TRUE(ArgsAre(raw, {x, N(1)})) << Show(raw);

  // The product rule holds the coefficient as a one-pair sum: 2*x*3 -> +(6, x).
  ZELS3Node* built = CreateTernaryOperation(NodeProduct, N(2), x, N(3));
  EXPECT_TRUE(IsType(built, NodeSum) && ArgsAre(built, {N(6), x})) << Show(built);
  // With coefficient 1 the single pair (x, 1) is x; x^0 and 1^x vanish.
  EXPECT_EQ(Op(NodeProduct, {x, N(1), X(2), N(0), N(1), X(3)}), x);
  EXPECT_EQ(Bin(NodePower, N(2), N(10)), N(1024));
  EXPECT_EQ(Error(), 0);
}

TEST_F(ProductNormalisation, SplitsAScaledTermRaisedToANumber) {
  ZELS3Node* y = X(1);
  ZELS3Node* threeY = Bin(NodeProduct, N(3), y);
  ASSERT_TRUE(ArgsAre(threeY, {N(3), y})) << Show(threeY);
  ZELS3Node* squared = Bin(NodePower, threeY, N(2));
  ASSERT_TRUE(IsType(squared, NodeSum) && Count(squared) == 2u) << Show(squared);
  EXPECT_EQ(Arg(squared, 0), N(9)) << Show(squared);
  EXPECT_TRUE(ArgsAre(Arg(squared, 1), {y, N(2)})) << Show(squared);
}

TEST_F(ProductNormalisation, AZeroFactorWinsOverAnyExponent) {
  ZELS3Node* x = X(1);
  ZELS3Node* raw = Raw(NodeProduct, {N(0), N(0), x, N(1)});
  EXPECT_EQ(A::SimplifyProd(raw), 0.0);
  EXPECT_EQ(Count(raw), 0u) << Show(raw);
  EXPECT_EQ(A::GetFathNum(x), 0u);
  EXPECT_EQ(Bin(NodePower, N(0), N(0)), GetZero());
  EXPECT_EQ(Bin(NodePower, N(0), N(-1)), GetZero());
  EXPECT_EQ(Bin(NodeProduct, x, N(0)), GetZero());
  EXPECT_EQ(Error(), 0);

  // A negative number to a fractional power: NaN, silently.
  ZELS3Node* nan = Raw(NodeProduct, {N(-8), N(0.5), x, N(1)});
  EXPECT_TRUE(std::isnan(A::SimplifyProd(nan)));
  EXPECT_TRUE(ArgsAre(nan, {x, N(1)})) << Show(nan);
  EXPECT_EQ(Error(), 0);
}

TEST_F(ProductNormalisation, ReadsAnOddArgumentCountWithoutGoingPastTheEnd) {
  ZELS3Node *x = X(1), *y = X(2);
  ZELS3Node* odd = Raw(NodeProduct, {x, N(2), y});
  EXPECT_EQ(A::SimplifyProd(odd), 1.0);
  EXPECT_TRUE(ArgsAre(odd, {x, N(2), y})) << Show(odd);
  ZELS3Node* outer = Raw(NodeProduct, {odd, N(3), x, N(1)});
  EXPECT_EQ(A::SimplifyProd(outer), 1.0);
  EXPECT_TRUE(ArgsAre(outer, {x, N(7)})) << Show(outer);
}
