#include "support/Builders.h"

using namespace zeltav_test;
using A = ZELS3NodeTestAccess;
using MinMaxFlattening = WithCalculator;

TEST_F(MinMaxFlattening, AppendsTheArgumentsOfNestedNodesOfTheSameKindLastOneFirst) {
  ZELS3Node* a = Var(1);
  ZELS3Node* b = Var(2);
  ZELS3Node* c = Var(3);
  ZELS3Node* ab = Bin(NodeMin, a, b);
  ZELS3Node* de = Bin(NodeMin, Var(4), Var(5));
  EXPECT_TRUE(Has(Bin(NodeMin, a, Bin(NodeMin, b, c)), {a, b, c}));
  // Built on its own: through the factory it would be shared with the equal min(a, b, c).
  ZELS3Node* left = pool.Raw(NodeMin, {ab, c});
  A::SimplifyMinMax(left);
  EXPECT_TRUE(Has(left, {c, a, b}));
  EXPECT_TRUE(Has(ab, {a, b}));
  ZELS3Node* both = pool.Raw(NodeMin, {ab, c, de});
  A::SimplifyMinMax(both);
  EXPECT_TRUE(Has(both, {c, Var(4), Var(5), a, b}));
  EXPECT_EQ(A::GetFathNum(de), 0u);
  EXPECT_EQ(ErrorCode(), 0);
}

TEST_F(MinMaxFlattening, LeavesOtherKindsNumbersAndDuplicatesAlone) {
  ZELS3Node* a = Var(1);
  ZELS3Node* bc = Bin(NodeMin, Var(2), Var(3));
  EXPECT_TRUE(Is(Bin(NodeMax, a, bc), NodeMax, {a, bc}));
  EXPECT_TRUE(Is(Bin(NodeMin, Num(2), Num(3)), NodeMin, {Num(2), Num(3)}));
  EXPECT_TRUE(Is(Bin(NodeMax, a, a), NodeMax, {a, a}));
  EXPECT_EQ(Op(NodeMax, {}), GetZero());
  EXPECT_EQ(ErrorCode(), 0);
}
