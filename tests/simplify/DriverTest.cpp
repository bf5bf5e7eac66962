#include "support/Builders.h"

using namespace zeltav_test;
using TA = ZELSymbolicCalculatorTestAccess;
using NA = ZELS3NodeTestAccess;

struct Driver : WithCalculator {
  ZELS3Node* x = Var(1);
  ZELS3Node* e = Un(NodeExp, x);  // keeps its fathers, as leaves do not
};

TEST_F(Driver, FoldsAnOperationLeftWithoutArgumentsToTheNumberOfItsRule) {
  EXPECT_EQ(NA::Check(new ZELS3Node(NodeSum), NodeSum), GetZero());
  EXPECT_EQ(NA::Check(new ZELS3Node(NodeProduct), NodeProduct), GetOne());
  EXPECT_EQ(Bin(NodeDifference, e, e), GetZero());
  EXPECT_EQ(NA::GetFathNum(e), 0u);
}

// *(2, 1, x, 1) -> +(2, x)
TEST_F(Driver, UnlinksAFreshNodeThatItReplaces) {
  ZELS3Node* product = Fresh(NodeProduct, {GetTwo(), GetOne(), e, GetOne()});
  EXPECT_TRUE(Is(NA::Simplify(product, NodeProduct), NodeSum, {GetTwo(), e}));
  EXPECT_EQ(Count(product), 0u) << Show(product);
  for (unsigned i = 0; i < NA::GetFathNum(e); ++i) EXPECT_NE(NA::GetFath(e, i), product);
  delete product;
}

TEST_F(Driver, SignsAndRegistersANodeItKeepsAndSharesItWithEqualOnes) {
  const unsigned fathers = NA::GetFathNum(e), registered = TA::TableSize(&calc);
  ZELS3Node* sine = Fresh(NodeSin, {e});
  EXPECT_EQ(NA::Check(sine, NodeSin), sine);
  EXPECT_EQ(sine->GetSignature(), 11213u * 26u + e->GetSignature());
  EXPECT_EQ(NA::Check(Fresh(NodeSin, {e}), NodeSin), sine);
  EXPECT_EQ(NA::Simplify(sine, NodeSum), sine);
  EXPECT_EQ(NA::GetFathNum(e), fathers + 1);
  EXPECT_EQ(TA::TableSize(&calc), registered + 1);
}

TEST_F(Driver, RegistersWithoutRewritingThroughCheckSimple) {
  ZELS3Node* less = Fresh(NodeLess, {GetOne(), GetTwo()});
  EXPECT_EQ(NA::CheckSimple(less), less);
  EXPECT_EQ(NA::CheckSimple(Fresh(NodeLess, {GetOne(), GetTwo()})), less);
  ZELS3Node* loose = NA::SetConstant(new ZELS3Node(NodeConstant), 1.0);
  EXPECT_EQ(NA::CheckSimple(loose), loose);
  delete loose;
}

TEST_F(Driver, SimplifiesAndKeepsNothingWithoutACalculator) {
  const unsigned fathers = NA::GetFathNum(e), registered = TA::TableSize(&calc);
  NA::SetCurrent(nullptr);
  EXPECT_EQ(NA::Simplify(x, NodeSum), nullptr);
  EXPECT_EQ(NA::Check(Fresh(NodeSin, {e}), NodeSin), nullptr);
  EXPECT_EQ(NA::CheckSimple(Fresh(NodeCos, {e})), nullptr);
  NA::SetCurrent(&calc);
  EXPECT_EQ(NA::GetFathNum(e), fathers);
  EXPECT_EQ(TA::TableSize(&calc), registered);
}

// sin(x) and exp(x + y) are given back as they are until a registered node
// changes in place.
TEST_F(Driver, SettlesAFunctionOfAnythingButANumber) {
  ZELS3Node *y = Var(2), *s = Op(NodeSum, {Num(1), x, Num(1), y});
  ZELS3Node *sine = Un(NodeSin, x), *power = Un(NodeExp, s);
  EXPECT_TRUE(TA::Settled(&calc, sine));
  EXPECT_TRUE(TA::Settled(&calc, power));
  NA::ReplaceArg(s, Var(3), 1);
  EXPECT_FALSE(TA::Settled(&calc, sine));
  EXPECT_EQ(NA::Simplify(sine, NodeSum), sine);
  EXPECT_TRUE(TA::Settled(&calc, sine));
}
