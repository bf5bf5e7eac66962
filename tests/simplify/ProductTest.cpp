#include <cmath>

#include "support/Builders.h"

using namespace zeltav_test;
using A = ZELS3NodeTestAccess;
using ProductNormalisation = WithCalculator;

TEST_F(ProductNormalisation, MergesEqualFactorsByAddingExponents) {
  ZELS3Node *x = Var(1), *y = Var(2);
  EXPECT_TRUE(Is(Bin(NodeProduct, x, x), NodeProduct, {x, Num(2)}));
  ZELS3Node* raw = pool.Raw(NodeProduct, {x, Num(2), x, Num(3)});
  EXPECT_EQ(A::SimplifyProd(raw), 1.0);
  EXPECT_TRUE(Has(raw, {x, Num(5)}));
  // Three occurrences: each exponent is counted once, x^(1+2+4) = x^7.
  ZELS3Node* three = pool.Raw(NodeProduct, {x, Num(1), x, Num(2), x, Num(4)});
  EXPECT_EQ(A::SimplifyProd(three), 1.0);
  EXPECT_TRUE(Has(three, {x, Num(7)}));
  // Numeric bases with symbolic exponents merge too: 2^x * 2^y -> 2^(y + x).
  ZELS3Node* twos = pool.Raw(NodeProduct, {Num(2), x, Num(2), y});
  EXPECT_EQ(A::SimplifyProd(twos), 1.0);
  ASSERT_EQ(Count(twos), 2u) << Show(twos);
  EXPECT_EQ(Arg(twos, 0), Num(2)) << Show(twos);
  EXPECT_TRUE(Has(Arg(twos, 1), {Num(1), y, Num(1), x}));
  EXPECT_EQ(ErrorCode(), 0);
}

TEST_F(ProductNormalisation, RaisesNestedPowersAndScaledTermsByMultiplyingExponents) {
  ZELS3Node *x = Var(1), *y = Var(2);
  ZELS3Node* cube = Bin(NodePower, x, Num(3));
  EXPECT_TRUE(Has(Bin(NodePower, cube, Num(2)), {x, Num(6)}));
  EXPECT_TRUE(Has(cube, {x, Num(3)}));
  // Survivors first, then the nested pairs: y * (x^3)^2 keeps y in front.
  ZELS3Node* raw = pool.Raw(NodeProduct, {cube, Num(2), y, Num(1)});
  EXPECT_EQ(A::SimplifyProd(raw), 1.0);
  EXPECT_TRUE(Has(raw, {y, Num(1), x, Num(6)}));
  // (3y)^2 -> +(9, y^2)
  ZELS3Node* threeY = Bin(NodeProduct, Num(3), y);
  ASSERT_TRUE(Has(threeY, {Num(3), y}));
  ZELS3Node* squared = Bin(NodePower, threeY, Num(2));
  ASSERT_TRUE(squared->GetNodeType() == NodeSum && Count(squared) == 2u) << Show(squared);
  EXPECT_EQ(Arg(squared, 0), Num(9)) << Show(squared);
  EXPECT_TRUE(Has(Arg(squared, 1), {y, Num(2)}));
  // Odd argument counts are read without going past the end.
  ZELS3Node* odd = pool.Raw(NodeProduct, {x, Num(2), y});
  EXPECT_EQ(A::SimplifyProd(odd), 1.0);
  EXPECT_TRUE(Has(odd, {x, Num(2), y}));
  ZELS3Node* outer = pool.Raw(NodeProduct, {odd, Num(3), x, Num(1)});
  EXPECT_EQ(A::SimplifyProd(outer), 1.0);
  EXPECT_TRUE(Has(outer, {x, Num(7)}));
}

TEST_F(ProductNormalisation, TakesNumbersOutAsTheCoefficientAndAZeroFactorWins) {
  ZELS3Node* x = Var(1);
  ZELS3Node* raw = pool.Raw(NodeProduct, {Num(2), Num(1), x, Num(1), Num(3), Num(1)});
  EXPECT_EQ(A::SimplifyProd(raw), 6.0);
  EXPECT_TRUE(Has(raw, {x, Num(1)}));
  // The product rule holds the coefficient as a one-pair sum: 2*x*3 -> +(6, x).
  EXPECT_TRUE(Is(CreateTernaryOperation(NodeProduct, Num(2), x, Num(3)), NodeSum, {Num(6), x}));
  // With coefficient 1 the single pair (x, 1) is x; x^0 and 1^x vanish.
  EXPECT_EQ(Op(NodeProduct, {x, Num(1), Var(2), Num(0), Num(1), Var(3)}), x);
  EXPECT_EQ(Bin(NodePower, Num(2), Num(10)), Num(1024));
  ZELS3Node *w = Var(4), *zero = pool.Raw(NodeProduct, {Num(0), Num(0), w, Num(1)});
  EXPECT_EQ(A::SimplifyProd(zero), 0.0);
  EXPECT_EQ(Count(zero), 0u) << Show(zero);
  EXPECT_EQ(A::GetFathNum(w), 0u);
  EXPECT_EQ(Bin(NodePower, Num(0), Num(0)), GetZero());
  EXPECT_EQ(Bin(NodePower, Num(0), Num(-1)), GetZero());
  EXPECT_EQ(Bin(NodeProduct, x, Num(0)), GetZero());
  EXPECT_EQ(ErrorCode(), 0);
  // A negative number to a fractional power: NaN, silently.
  ZELS3Node* nan = pool.Raw(NodeProduct, {Num(-8), Num(0.5), x, Num(1)});
  EXPECT_TRUE(std::isnan(A::SimplifyProd(nan)));
  EXPECT_TRUE(Has(nan, {x, Num(1)}));
  EXPECT_EQ(ErrorCode(), 0);
}
