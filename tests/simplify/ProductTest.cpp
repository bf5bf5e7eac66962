#include <cmath>
#include <vector>

#include "support/Builders.h"

using namespace zeltav_test;
using A = ZELS3NodeTestAccess;
using ProductNormalisation = WithCalculator;

std::vector<ZELS3Node*> ArgsOf(ZELS3Node* n) {
  std::vector<ZELS3Node*> args;
  for (unsigned i = 0; i < Count(n); ++i) args.push_back(Arg(n, i));
  return args;
}

TEST_F(ProductNormalisation, MergesEqualBasesRaisesNestedPowersAndTakesNumbersOutAsTheCoefficient) {
  ZELS3Node *x = Var(1), *y = Var(2), *w = Var(4), *odd = pool.Raw(NodeProduct, {x, Num(2), y});
  // Exponents count once; survivors precede nested pairs; odd ends are safe; 0 wins; NaN is silent.
  auto P = [&](Args args) { return pool.Raw(NodeProduct, args); };
  // clang-format off
  const struct { ZELS3Node* raw; double coefficient; std::vector<ZELS3Node*> args; } cases[] = {
      {P({x, Num(2), x, Num(3)}), 1.0, {x, Num(5)}}, {P({x, Num(1), x, Num(2), x, Num(4)}), 1.0, {x, Num(7)}},
      {P({Bin(NodePower, x, Num(3)), Num(2), y, Num(1)}), 1.0, {y, Num(1), x, Num(6)}}, {odd, 1.0, {x, Num(2), y}},
      {P({odd, Num(3), x, Num(1)}), 1.0, {x, Num(7)}}, {P({Num(2), Num(1), x, Num(1), Num(3), Num(1)}), 6.0, {x, Num(1)}},
      {P({Num(0), Num(0), w, Num(1)}), 0.0, {}}, {P({Num(-8), Num(0.5), x, Num(1)}), NAN, {x, Num(1)}}};
  // clang-format on
  for (const auto& [raw, coefficient, args] : cases) {
    const double got = A::SimplifyProd(raw);
    EXPECT_TRUE(got == coefficient || (std::isnan(got) && std::isnan(coefficient))) << got;
    EXPECT_EQ(ArgsOf(raw), args) << Show(raw);
  }
  EXPECT_EQ(A::GetFathNum(w), 0u);
  // Numeric bases with symbolic exponents merge too: 2^x * 2^y -> 2^(y + x).
  ZELS3Node* twos = pool.Raw(NodeProduct, {Num(2), x, Num(2), y});
  EXPECT_TRUE(A::SimplifyProd(twos) == 1.0 && Has(twos, {Num(2), Arg(twos, 1)}) &&
              Has(Arg(twos, 1), {Num(1), y, Num(1), x}))
      << Show(twos);
  EXPECT_EQ(ErrorCode(), 0);
}

TEST_F(ProductNormalisation, FactoriesFoldNumbersAndHoldTheCoefficientAsAOnePairSum) {
  ZELS3Node *x = Var(1), *y = Var(2), *cube = Bin(NodePower, x, Num(3));
  EXPECT_TRUE(Is(Bin(NodeProduct, x, x), NodeProduct, {x, Num(2)}));
  EXPECT_TRUE(Has(Bin(NodePower, cube, Num(2)), {x, Num(6)}));
  EXPECT_TRUE(Has(cube, {x, Num(3)}));
  // 2x3 -> +(6, x), (3y)^2 -> +(9, y^2); with coefficient 1 the pair (x, 1) is x; x^0, 1^x vanish.
  EXPECT_TRUE(Is(CreateTernaryOperation(NodeProduct, Num(2), x, Num(3)), NodeSum, {Num(6), x}));
  ZELS3Node *threeY = Bin(NodeProduct, Num(3), y), *squared = Bin(NodePower, threeY, Num(2));
  EXPECT_TRUE(Has(threeY, {Num(3), y}));
  EXPECT_TRUE(Is(squared, NodeSum, {Num(9), Arg(squared, 1)}) && Has(Arg(squared, 1), {y, Num(2)}))
      << Show(squared);
  const std::pair<ZELS3Node*, ZELS3Node*> folds[] = {
      {Op(NodeProduct, {x, Num(1), y, Num(0), Num(1), Var(3)}), x},
      {Bin(NodePower, Num(2), Num(10)), Num(1024)},
      {Bin(NodePower, Num(0), Num(0)), GetZero()},
      {Bin(NodePower, Num(0), Num(-1)), GetZero()},
      {Bin(NodeProduct, x, Num(0)), GetZero()}};
  for (const auto& [got, want] : folds) EXPECT_EQ(got, want) << Show(got);
  EXPECT_EQ(ErrorCode(), 0);
}
