#include <gtest/gtest.h>

#include "support/Builders.h"

using namespace zeltav_test;

namespace {

class Transferring : public ::testing::Test {
 protected:
  ZELS3Node* Transfer(ZELNodeType t, ZELS3Node* a, ZELS3Node* b) {
    ZELS3Node* r = ZELS3NodeTestAccess::Transfer(t, a, b);
    EXPECT_TRUE(!r || r->GetNodeType() == t) << Show(r);
    return r;
  }
  ZELSymbolicCalculator calc;
  ZELS3Node *x = Var(1), *y = Var(2), *z = Var(3), *one = GetOne(), *two = GetTwo();
  ZELS3Node *zero = GetZero(), *three = Num(3);
};

TEST_F(Transferring, PutsEveryTermOnTheSideOfItsPositiveCoefficientOrComparesWithZero) {
  ZELS3Node* r =
      Transfer(NodeEqual, Bin(NodeSum, x, Bin(NodeProduct, two, y)), Bin(NodeSum, three, z));
  EXPECT_TRUE(Has(Arg(r, 0), {one, x, two, y}));
  EXPECT_TRUE(Has(Arg(r, 1), {one, three, one, z}));
  EXPECT_TRUE(Has(Transfer(NodeGreater, Bin(NodeDifference, x, y), zero), {x, y}));
  EXPECT_TRUE(Has(Transfer(NodeGreaterEqual, Bin(NodeDifference, two, x), zero), {two, x}));
  r = Transfer(NodeLessEqual, Un(NodeDifference, x), Bin(NodeSum, y, three));
  EXPECT_TRUE(Has(r, {zero, Arg(r, 1)}));
  EXPECT_TRUE(Has(Arg(r, 1), {one, three, one, y, one, x}));
  // A difference that is no sum is compared with zero.
  EXPECT_TRUE(Has(Transfer(NodeLess, Bin(NodeProduct, two, x), x), {x, zero}));
  EXPECT_TRUE(Has(Transfer(NodeEqual, x, x), {zero, zero}));  // stays unevaluated
  EXPECT_EQ(Transfer(NodeEqual, x, nullptr), nullptr);
}

TEST_F(Transferring, KeepsFixedVariablesOfEarlierSumsAndRestoresSubst) {
  ZELS3Node* early = Bin(NodeSum, x, y);
  calc.SetSubstOn();
  calc.AddExactVariable(1, 2.0);
  EXPECT_TRUE(Has(Transfer(NodeEqual, x, z), {two, z}));  // x itself is replaced
  EXPECT_TRUE(Has(Transfer(NodeLess, early, z), {early, z}));
  EXPECT_EQ(calc.GetSubst(), 1);
}

}  // namespace
