#include <gtest/gtest.h>

#include <initializer_list>

#include "support/NodePrinter.h"
#include "support/TestAccess.h"

using zeltav_test::Show;

namespace {

ZELS3Node* Bin(ZELNodeType t, ZELS3Node* a, ZELS3Node* b) { return CreateBinaryOperation(t, a, b); }

// Expects relation or sum n to have exactly these arguments.
void ExpectArgs(const ZELS3Node* n, std::initializer_list<const ZELS3Node*> args) {
  ASSERT_NE(n, nullptr);
  ASSERT_EQ(n->GetArgsNum(), args.size()) << Show(n);
  unsigned i = 0;
  for (const ZELS3Node* a : args) EXPECT_EQ(n->GetArg(i++), a) << i - 1 << " of " << Show(n);
}

class Transferring : public ::testing::Test {
 protected:
  ZELS3Node* Transfer(ZELNodeType t, ZELS3Node* a, ZELS3Node* b) {
    ZELS3Node* r = ZELS3NodeTestAccess::Transfer(t, a, b);
    EXPECT_TRUE(!r || r->GetNodeType() == t) << Show(r);
    return r;
  }
  ZELSymbolicCalculator calc;
  ZELS3Node* x = CreateExpression(1ull, static_cast<unsigned char>(0));
  ZELS3Node* y = CreateExpression(2ull, static_cast<unsigned char>(0));
  ZELS3Node* z = CreateExpression(3ull, static_cast<unsigned char>(0));
  ZELS3Node* one = GetOne();
  ZELS3Node* three = CreateExpression(3.0);
};

TEST_F(Transferring, PutsEveryTermOnTheSideOfItsPositiveCoefficientOrComparesWithZero) {
  ZELS3Node* r =
      Transfer(NodeEqual, Bin(NodeSum, x, Bin(NodeProduct, GetTwo(), y)), Bin(NodeSum, three, z));
  ASSERT_NE(r, nullptr);
  ExpectArgs(r->GetArg(0), {one, x, GetTwo(), y});
  ExpectArgs(r->GetArg(1), {one, three, one, z});
  ExpectArgs(Transfer(NodeGreater, Bin(NodeDifference, x, y), GetZero()), {x, y});
  ExpectArgs(Transfer(NodeGreaterEqual, Bin(NodeDifference, GetTwo(), x), GetZero()),
             {GetTwo(), x});
  r = Transfer(NodeLessEqual, CreateUnaryOperation(NodeDifference, x), Bin(NodeSum, y, three));
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->GetArg(0), GetZero()) << Show(r);
  ExpectArgs(r->GetArg(1), {one, three, one, y, one, x});
  // A difference that is no sum is compared with zero.
  ExpectArgs(Transfer(NodeLess, Bin(NodeProduct, GetTwo(), x), x), {x, GetZero()});
  ExpectArgs(Transfer(NodeEqual, x, x), {GetZero(), GetZero()});  // stays unevaluated
  EXPECT_EQ(Transfer(NodeEqual, x, nullptr), nullptr);
}

TEST_F(Transferring, KeepsFixedVariablesOfEarlierSumsAndRestoresSubst) {
  ZELS3Node* early = Bin(NodeSum, x, y);
  calc.SetSubstOn();
  calc.AddExactVariable(1, 2.0);
  ExpectArgs(Transfer(NodeEqual, x, z), {GetTwo(), z});  // x itself is replaced
  ExpectArgs(Transfer(NodeLess, early, z), {early, z});
  EXPECT_EQ(calc.GetSubst(), 1);
}

}  // namespace
