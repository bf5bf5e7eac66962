#include "simplify/SimplifyTesting.h"

using zeltav_test::SimplifyTest;

using MinMaxFlattening = SimplifyTest;

TEST_F(MinMaxFlattening, AppendsTheArgumentsOfNestedNodesOfTheSameKindLastOneFirst) {
  ZELS3Node *a = X(1), *b = X(2), *c = X(3), *d = X(4), *e = X(5);
  ZELS3Node *ab = Bin(NodeMin, a, b), *de = Bin(NodeMin, d, e);
  EXPECT_TRUE(Has(Bin(NodeMin, a, Bin(NodeMin, b, c)), {a, b, c}));
  // Built on its own: through the factory it would be shared with the equal min(a, b, c).
  ZELS3Node* left = Raw(NodeMin, {ab, c});
  A::SimplifyMinMax(left);
  EXPECT_TRUE(Has(left, {c, a, b}));
  EXPECT_TRUE(Has(ab, {a, b}));  // the nested node stays as it was
  ZELS3Node* both = Raw(NodeMin, {ab, c, de});
  A::SimplifyMinMax(both);
  EXPECT_TRUE(Has(both, {c, d, e, a, b}));
  EXPECT_EQ(A::GetFathNum(de), 0u);
  EXPECT_EQ(Error(), 0);
}

TEST_F(MinMaxFlattening, LeavesOtherKindsNumbersAndDuplicatesAlone) {
  ZELS3Node *a = X(1), *bc = Bin(NodeMin, X(2), X(3));
  EXPECT_TRUE(Is(Bin(NodeMax, a, bc), NodeMax, {a, bc}));
  EXPECT_TRUE(Is(Bin(NodeMin, N(2), N(3)), NodeMin, {N(2), N(3)}));
  EXPECT_TRUE(Has(Bin(NodeMax, a, a), {a, a}));
  EXPECT_EQ(Op(NodeMax, {}), GetZero());
  EXPECT_EQ(Error(), 0);
}
