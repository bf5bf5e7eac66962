#include <gtest/gtest.h>

#include "support/Builders.h"

using namespace zeltav_test;

namespace {

class Transferring : public ::testing::Test {
 protected:
  ZELS3Node* Transfer(ZELNodeType t, ZELS3Node* a, ZELS3Node* b) {
    ZELS3Node* r = ZELS3NodeTestAccess::Transfer(t, a, b);
    if (r != nullptr) {
      EXPECT_EQ(r->GetNodeType(), t) << Show(r);
    }
    return r;
  }
  ZELSymbolicCalculator calc;
  ZELS3Node* x = Var(1);
  ZELS3Node* y = Var(2);
  ZELS3Node* z = Var(3);
  ZELS3Node* one = GetOne();
  ZELS3Node* two = GetTwo();
  ZELS3Node* zero = GetZero();
  ZELS3Node* three = Num(3);
};

// x + 2y = 3 + z stays as it is: every coefficient is positive where it stands.
TEST_F(Transferring, LeavesTermsWhereTheirCoefficientIsPositive) {
  ZELS3Node* r =
      Transfer(NodeEqual, Bin(NodeSum, x, Bin(NodeProduct, two, y)), Bin(NodeSum, three, z));
  EXPECT_TRUE(Has(Arg(r, 0), {one, x, two, y}));
  EXPECT_TRUE(Has(Arg(r, 1), {one, three, one, z}));
}

// x - y > 0 -> x > y;  2 - x >= 0 -> 2 >= x;  -x <= y + 3 -> 0 <= 3 + y + x
TEST_F(Transferring, MovesEachNegativeTermToTheOtherSide) {
  EXPECT_TRUE(Has(Transfer(NodeGreater, Bin(NodeDifference, x, y), zero), {x, y}));
  EXPECT_TRUE(Has(Transfer(NodeGreaterEqual, Bin(NodeDifference, two, x), zero), {two, x}));
  ZELS3Node* r = Transfer(NodeLessEqual, Un(NodeDifference, x), Bin(NodeSum, y, three));
  ASSERT_TRUE(Has(r, {zero, Arg(r, 1)}));
  EXPECT_TRUE(Has(Arg(r, 1), {one, three, one, y, one, x}));
}

// 2x < x -> x < 0;  x = x -> 0 = 0, unevaluated.
TEST_F(Transferring, ComparesADifferenceThatIsNoSumWithZero) {
  EXPECT_TRUE(Has(Transfer(NodeLess, Bin(NodeProduct, two, x), x), {x, zero}));
  EXPECT_TRUE(Has(Transfer(NodeEqual, x, x), {zero, zero}));
  EXPECT_EQ(Transfer(NodeEqual, x, nullptr), nullptr);
}

TEST_F(Transferring, KeepsFixedVariablesOfEarlierSumsAndRestoresSubst) {
  ZELS3Node* early = Bin(NodeSum, x, y);
  calc.SetSubstOn();
  calc.AddExactVariable(1, 2.0);
  EXPECT_TRUE(Has(Transfer(NodeEqual, x, z), {two, z}));
  EXPECT_TRUE(Has(Transfer(NodeLess, early, z), {early, z}));
  EXPECT_EQ(calc.GetSubst(), 1);
}

}  // namespace
