#include "simplify/SimplifyTesting.h"

using zeltav_test::Show;
using zeltav_test::SimplifyTest;

using MinMaxFlattening = SimplifyTest;

TEST_F(MinMaxFlattening, AppendsTheArgumentsOfNestedNodesOfTheSameKind) {
  ZELS3Node *a = X(1), *b = X(2), *c = X(3), *d = X(4), *e = X(5);
  ZELS3Node* ab = Bin(NodeMin, a, b);
  ZELS3Node* bc = Bin(NodeMin, b, c);
  ZELS3Node* right = Bin(NodeMin, a, bc);
  EXPECT_TRUE(ArgsAre(right, {a, b, c})) << Show(right);
  // Built on its own: through the factory it would be shared with the equal min(a, b, c).
  ZELS3Node* left = Raw(NodeMin, {ab, c});
  A::SimplifyMinMax(left);
  EXPECT_TRUE(ArgsAre(left, {c, a, b})) << Show(left);
  // The nested node stays as it was.
  EXPECT_TRUE(ArgsAre(ab, {a, b})) << Show(ab);

  // Two nested nodes: the last one's arguments come first.
  ZELS3Node* de = Bin(NodeMin, d, e);
  ZELS3Node* both = Raw(NodeMin, {ab, c, de});
  A::SimplifyMinMax(both);
  EXPECT_TRUE(ArgsAre(both, {c, d, e, a, b})) << Show(both);
  EXPECT_EQ(A::GetFathNum(de), 0u);
  EXPECT_EQ(Error(), 0);
}

TEST_F(MinMaxFlattening, LeavesOtherKindsNumbersAndDuplicatesAlone) {
  ZELS3Node *a = X(1), *b = X(2), *c = X(3);
  ZELS3Node* bc = Bin(NodeMin, b, c);
  ZELS3Node* mixed = Bin(NodeMax, a, bc);
  EXPECT_TRUE(IsType(mixed, NodeMax) && ArgsAre(mixed, {a, bc})) << Show(mixed);
  ZELS3Node* numbers = Bin(NodeMin, N(2), N(3));
  EXPECT_TRUE(IsType(numbers, NodeMin) && ArgsAre(numbers, {N(2), N(3)})) << Show(numbers);
  ZELS3Node* twice = Bin(NodeMax, a, a);
  EXPECT_TRUE(ArgsAre(twice, {a, a})) << Show(twice);
  EXPECT_EQ(Error(), 0);
}

TEST_F(MinMaxFlattening, RefusesASingleArgumentAndFoldsNoneToZero) {
  ZELS3Node* x = X(1);
  ZELS3Node* single = Un(NodeMin, x);
  EXPECT_EQ(Error(), 10019);
  EXPECT_TRUE(IsType(single, NodeMin) && ArgsAre(single, {x})) << Show(single);
  ResetError();
  EXPECT_EQ(Op(NodeMax, {}), GetZero());
  EXPECT_EQ(Error(), 0);
}
