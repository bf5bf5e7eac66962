#include <cmath>

#include "simplify/SimplifyTesting.h"

using zeltav_test::Show;
using zeltav_test::SimplifyTest;

using ProductNormalisation = SimplifyTest;

TEST_F(ProductNormalisation, MergesEqualFactorsByAddingExponents) {
  ZELS3Node *x = X(1), *y = X(2);
  EXPECT_TRUE(Is(Bin(NodeProduct, x, x), NodeProduct, {x, N(2)}));
  ZELS3Node* raw = Raw(NodeProduct, {x, N(2), x, N(3)});
  EXPECT_EQ(A::SimplifyProd(raw), 1.0);
  EXPECT_TRUE(Has(raw, {x, N(5)}));
  // Three occurrences: each exponent is counted once, x^(1+2+4) = x^7.
  ZELS3Node* three = Raw(NodeProduct, {x, N(1), x, N(2), x, N(4)});
  EXPECT_EQ(A::SimplifyProd(three), 1.0);
  EXPECT_TRUE(Has(three, {x, N(7)}));
  // Numeric bases with symbolic exponents merge too: 2^x * 2^y -> 2^(y + x).
  ZELS3Node* twos = Raw(NodeProduct, {N(2), x, N(2), y});
  EXPECT_EQ(A::SimplifyProd(twos), 1.0);
  ASSERT_EQ(Count(twos), 2u) << Show(twos);
  EXPECT_EQ(Arg(twos, 0), N(2)) << Show(twos);
  EXPECT_TRUE(Has(Arg(twos, 1), {N(1), y, N(1), x}));
  EXPECT_EQ(Error(), 0);
}

TEST_F(ProductNormalisation, RaisesNestedPowersAndScaledTermsByMultiplyingExponents) {
  ZELS3Node *x = X(1), *y = X(2);
  ZELS3Node* cube = Bin(NodePower, x, N(3));
  EXPECT_TRUE(Has(Bin(NodePower, cube, N(2)), {x, N(6)}));
  EXPECT_TRUE(Has(cube, {x, N(3)}));
  // Survivors first, then the nested pairs: y * (x^3)^2 keeps y in front.
  ZELS3Node* raw = Raw(NodeProduct, {cube, N(2), y, N(1)});
  EXPECT_EQ(A::SimplifyProd(raw), 1.0);
  EXPECT_TRUE(Has(raw, {y, N(1), x, N(6)}));
  // (3y)^2 -> +(9, y^2)
  ZELS3Node* threeY = Bin(NodeProduct, N(3), y);
  ASSERT_TRUE(Has(threeY, {N(3), y}));
  ZELS3Node* squared = Bin(NodePower, threeY, N(2));
  ASSERT_TRUE(squared->GetNodeType() == NodeSum && Count(squared) == 2u) << Show(squared);
  EXPECT_EQ(Arg(squared, 0), N(9)) << Show(squared);
  EXPECT_TRUE(Has(Arg(squared, 1), {y, N(2)}));
  // Odd argument counts are read without going past the end.
  ZELS3Node* odd = Raw(NodeProduct, {x, N(2), y});
  EXPECT_EQ(A::SimplifyProd(odd), 1.0);
  EXPECT_TRUE(Has(odd, {x, N(2), y}));
  ZELS3Node* outer = Raw(NodeProduct, {odd, N(3), x, N(1)});
  EXPECT_EQ(A::SimplifyProd(outer), 1.0);
  EXPECT_TRUE(Has(outer, {x, N(7)}));
}

TEST_F(ProductNormalisation, TakesNumbersOutAsTheCoefficientAndAZeroFactorWins) {
  ZELS3Node* x = X(1);
  ZELS3Node* raw = Raw(NodeProduct, {N(2), N(1), x, N(1), N(3), N(1)});
  EXPECT_EQ(A::SimplifyProd(raw), 6.0);
  EXPECT_TRUE(Has(raw, {x, N(1)}));
  // The product rule holds the coefficient as a one-pair sum: 2*x*3 -> +(6, x).
  EXPECT_TRUE(Is(CreateTernaryOperation(NodeProduct, N(2), x, N(3)), NodeSum, {N(6), x}));
  // With coefficient 1 the single pair (x, 1) is x; x^0 and 1^x vanish.
  EXPECT_EQ(Op(NodeProduct, {x, N(1), X(2), N(0), N(1), X(3)}), x);
  EXPECT_EQ(Bin(NodePower, N(2), N(10)), N(1024));
  ZELS3Node *w = X(4), *zero = Raw(NodeProduct, {N(0), N(0), w, N(1)});
  EXPECT_EQ(A::SimplifyProd(zero), 0.0);
  EXPECT_EQ(Count(zero), 0u) << Show(zero);
  EXPECT_EQ(A::GetFathNum(w), 0u);
  EXPECT_EQ(Bin(NodePower, N(0), N(0)), GetZero());
  EXPECT_EQ(Bin(NodePower, N(0), N(-1)), GetZero());
  EXPECT_EQ(Bin(NodeProduct, x, N(0)), GetZero());
  EXPECT_EQ(Error(), 0);
  // A negative number to a fractional power: NaN, silently.
  ZELS3Node* nan = Raw(NodeProduct, {N(-8), N(0.5), x, N(1)});
  EXPECT_TRUE(std::isnan(A::SimplifyProd(nan)));
  EXPECT_TRUE(Has(nan, {x, N(1)}));
  EXPECT_EQ(Error(), 0);
}
