#include "simplify/SimplifyTesting.h"

using zeltav_test::Show;
using zeltav_test::SimplifyTest;

using SumNormalisation = SimplifyTest;

TEST_F(SumNormalisation, FlattensTwoNestedSumsLaterOneFirstAfterTheSurvivors) {
  ZELS3Node *a = X(1), *b = X(2), *c = X(3), *d = X(4), *x = X(5);
  ZELS3Node* s1 = Bin(NodeSum, a, b);               // +(1, a, 1, b)
  ZELS3Node* s2 = Op(NodeSum, {N(2), c, N(3), d});  // +(2, c, 3, d)
  ZELS3Node* sum = Raw(NodeSum, {N(1), s1, N(1), x, N(5), s2});
  A::SimplifySum(sum);
  EXPECT_TRUE(ArgsAre(sum, {N(1), x, N(10), c, N(15), d, N(1), a, N(1), b})) << Show(sum);
  // The nested sums keep their arguments and only lose this sum as a father.
  EXPECT_TRUE(ArgsAre(s1, {N(1), a, N(1), b})) << Show(s1);
  EXPECT_EQ(A::GetFathNum(s2), 0u);
  EXPECT_EQ(Error(), 0);

  // Through the factory: (3, x), (2, s) with s = (1, y), (4, z).
  ZELS3Node *y = X(6), *z = X(7);
  ZELS3Node* s = Op(NodeSum, {N(1), y, N(4), z});
  ZELS3Node* flat = Op(NodeSum, {N(3), x, N(2), s});
  EXPECT_TRUE(ArgsAre(flat, {N(3), x, N(2), y, N(8), z})) << Show(flat);
}

TEST_F(SumNormalisation, MergesThreeEqualTermsIntoTheFirstOccurrence) {
  ZELS3Node *x = X(1), *y = X(2);
  ZELS3Node* sum = Raw(NodeSum, {N(0.1), x, N(1), y, N(0.2), x, N(0.3), x});
  A::SimplifySum(sum);
  // The last occurrence is folded into the middle one first: 0.1 + (0.2 + 0.3),
  // which differs from (0.1 + 0.2) + 0.3 in the last bit.
  ASSERT_EQ(Count(sum), 4u) << Show(sum);
  EXPECT_EQ(Arg(sum, 1), x) << Show(sum);
  EXPECT_EQ(Arg(sum, 0)->GetConstant(), 0.1 + (0.2 + 0.3)) << Show(sum);
  EXPECT_EQ(Arg(sum, 3), y) << Show(sum);

  // First occurrences keep their places: a + b + a + b -> 2a + 2b.
  ZELS3Node *a = X(3), *b = X(4);
  ZELS3Node* twice = Op(NodeSum, {N(1), a, N(1), b, N(1), a, N(1), b});
  EXPECT_TRUE(ArgsAre(twice, {N(2), a, N(2), b})) << Show(twice);
}

TEST_F(SumNormalisation, GathersNumbersIntoOneConstantPairAtTheFront) {
  ZELS3Node* x = X(1);
  ZELS3Node* sum = Op(NodeSum, {N(1), N(2), N(1), x, N(2), N(3)});
  EXPECT_TRUE(ArgsAre(sum, {N(1), N(8), N(1), x})) << Show(sum);

  // Constants that cancel leave no constant pair; the lone (1, x) is x.
  EXPECT_EQ(Op(NodeSum, {N(1), N(2), N(1), x, N(1), N(-2)}), x);
  ZELS3Node* raw = Raw(NodeSum, {N(1), N(2), N(1), x, N(1), N(-2)});
  A::SimplifySum(raw);
  EXPECT_TRUE(ArgsAre(raw, {N(1), x})) << Show(raw);

  // A sum of numbers only becomes the number.
  EXPECT_EQ(Op(NodeSum, {N(1), N(2), N(1), N(3)}), N(5));
  EXPECT_EQ(Error(), 0);
}

TEST_F(SumNormalisation, CancellingTermsFoldToTheSharedZero) {
  ZELS3Node* x = X(1);
  EXPECT_EQ(Bin(NodeDifference, x, x), GetZero());
  EXPECT_EQ(Op(NodeSum, {N(1), x, N(-1), x, N(1), N(4), N(-2), N(2)}), GetZero());
  ZELS3Node* dropped = Op(NodeSum, {N(0), x, N(1), X(2)});
  EXPECT_EQ(dropped, X(2)) << Show(dropped);
  EXPECT_EQ(Error(), 0);
}

TEST_F(SumNormalisation, KeepsAScaledTermAndDropsPairsWithoutANumericCoefficient) {
  ZELS3Node *x = X(1), *y = X(2);
  ZELS3Node* scaled = Op(NodeSum, {N(3), x});
  EXPECT_TRUE(IsType(scaled, NodeSum) && ArgsAre(scaled, {N(3), x})) << Show(scaled);

  ZELS3Node* bad = Raw(NodeSum, {y, x, N(1), y});
  A::SimplifySum(bad);
  EXPECT_EQ(Error(), 10003);
  EXPECT_TRUE(ArgsAre(bad, {N(1), y})) << Show(bad);
}

TEST_F(SumNormalisation, ReadsAnOddArgumentCountWithoutGoingPastTheEnd) {
  ZELS3Node* x = X(1);
  ZELS3Node* odd = Raw(NodeSum, {N(1), x, N(2)});
  A::SimplifySum(odd);
  EXPECT_TRUE(ArgsAre(odd, {N(1), x, N(2)})) << Show(odd);
  ZELS3Node* inner = Raw(NodeSum, {N(1), x, N(1), odd});
  A::SimplifySum(inner);
  EXPECT_TRUE(ArgsAre(inner, {N(2), x})) << Show(inner);
  EXPECT_EQ(Error(), 0);
}
