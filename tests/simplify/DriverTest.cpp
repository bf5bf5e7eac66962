#include "support/Builders.h"

using namespace zeltav_test;
using TA = ZELSymbolicCalculatorTestAccess;
using NA = ZELS3NodeTestAccess;

// x1 is linear (y - 2) and fixed at 2, y is fixed at 3.
struct Driver : WithCalculator {
  ZELS3Node *x = Var(1), *y = Var(2), *definition = Bin(NodeDifference, y, Num(2));
  const ZELNodeType contexts[5] = {NodeVariable, NodeSin, NodeSum, NodeDifference, NodeProduct};
  Driver() {
    TA::PushExact(&calc, new ZELS3ExactVariable(2, Num(3)));
    TA::PushLinear(&calc, new ZELS3LinearVariable(1, definition));
    TA::PushExact(&calc, new ZELS3ExactVariable(1, GetTwo()));
  }
};

TEST_F(Driver, ReplacesALinearVariableOnlyInsideSumsWithGaussOn) {
  EXPECT_EQ(NA::Simplify(x, NodeSum), x);
  calc.SetGaussOn();
  EXPECT_EQ(NA::Simplify(x, NodeSum), definition);
  EXPECT_EQ(NA::Simplify(x, NodeDifference), definition);
  EXPECT_EQ(NA::Simplify(x, NodeSin), x);
  EXPECT_EQ(NA::Simplify(x, NodeProduct), x);
}

TEST_F(Driver, ReplacesAnExactVariableEverywhereAndBeforeItsLinearDefinition) {
  calc.SetGaussOn();
  calc.SetSubstOn();
  for (ZELNodeType context : contexts) EXPECT_EQ(NA::Simplify(y, context), Num(3)) << context;
  EXPECT_EQ(NA::Simplify(x, NodeSum), GetTwo());
  ZELS3Node* constant = Var(2, 1);
  EXPECT_EQ(NA::Simplify(constant, NodeSum), constant);
}

TEST_F(Driver, FoldsAnOperationLeftWithoutArgumentsToTheNumberOfItsRule) {
  EXPECT_EQ(NA::Check(new ZELS3Node(NodeSum), NodeSum), GetZero());
  EXPECT_EQ(NA::Check(new ZELS3Node(NodeProduct), NodeProduct), GetOne());
  EXPECT_EQ(Bin(NodeDifference, x, x), GetZero());
  EXPECT_EQ(NA::GetFathNum(x), 0u);
}

// *(2, 1, x, 1) -> +(2, x)
TEST_F(Driver, UnlinksAFreshNodeThatItReplaces) {
  ZELS3Node* product = Fresh(NodeProduct, {GetTwo(), GetOne(), x, GetOne()});
  EXPECT_TRUE(Is(NA::Simplify(product, NodeProduct), NodeSum, {GetTwo(), x}));
  EXPECT_EQ(Count(product), 0u) << Show(product);
  for (unsigned i = 0; i < NA::GetFathNum(x); ++i) EXPECT_NE(NA::GetFath(x, i), product);
  delete product;
}

TEST_F(Driver, SignsAndRegistersANodeItKeepsAndSharesItWithEqualOnes) {
  const unsigned fathers = NA::GetFathNum(x), registered = TA::TableSize(&calc);
  ZELS3Node* sine = Fresh(NodeSin, {x});
  EXPECT_EQ(NA::Check(sine, NodeSin), sine);
  EXPECT_EQ(sine->GetSignature(), 11213u * 26u + x->GetSignature());
  EXPECT_EQ(NA::Check(Fresh(NodeSin, {x}), NodeSin), sine);
  EXPECT_EQ(NA::Simplify(sine, NodeSum), sine);
  EXPECT_EQ(NA::GetFathNum(x), fathers + 1);
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
  const unsigned fathers = NA::GetFathNum(x), registered = TA::TableSize(&calc);
  NA::SetCurrent(nullptr);
  EXPECT_EQ(NA::Simplify(x, NodeSum), nullptr);
  EXPECT_EQ(NA::Check(Fresh(NodeSin, {x}), NodeSin), nullptr);
  EXPECT_EQ(NA::CheckSimple(Fresh(NodeCos, {x})), nullptr);
  NA::SetCurrent(&calc);
  EXPECT_EQ(NA::GetFathNum(x), fathers);
  EXPECT_EQ(TA::TableSize(&calc), registered);
}
