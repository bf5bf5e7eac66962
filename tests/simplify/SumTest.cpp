#include "simplify/SimplifyTesting.h"

using zeltav_test::Show;
using zeltav_test::SimplifyTest;

using SumNormalisation = SimplifyTest;

TEST_F(SumNormalisation, FlattensTwoNestedSumsLaterOneFirstAfterTheSurvivors) {
  ZELS3Node *a = X(1), *b = X(2), *c = X(3), *d = X(4), *x = X(5), *y = X(6), *z = X(7);
  ZELS3Node* s1 = Bin(NodeSum, a, b);               // +(1, a, 1, b)
  ZELS3Node* s2 = Op(NodeSum, {N(2), c, N(3), d});  // +(2, c, 3, d)
  ZELS3Node* sum = Raw(NodeSum, {N(1), s1, N(1), x, N(5), s2});
  A::SimplifySum(sum);
  EXPECT_TRUE(Has(sum, {N(1), x, N(10), c, N(15), d, N(1), a, N(1), b}));
  // The nested sums keep their arguments and only lose this sum as a father.
  EXPECT_TRUE(Has(s1, {N(1), a, N(1), b}));
  EXPECT_EQ(A::GetFathNum(s2), 0u);
  // Through the factory: (3, x), (2, s) with s = (1, y), (4, z).
  ZELS3Node* flat = Op(NodeSum, {N(3), x, N(2), Op(NodeSum, {N(1), y, N(4), z})});
  EXPECT_TRUE(Has(flat, {N(3), x, N(2), y, N(8), z}));
  EXPECT_EQ(Error(), 0);
}

TEST_F(SumNormalisation, MergesThreeEqualTermsIntoTheFirstOccurrence) {
  ZELS3Node *x = X(1), *y = X(2), *a = X(3), *b = X(4);
  ZELS3Node* sum = Raw(NodeSum, {N(0.1), x, N(1), y, N(0.2), x, N(0.3), x});
  A::SimplifySum(sum);
  // The last occurrence is folded into the middle one first: 0.1 + (0.2 + 0.3),
  // which differs from (0.1 + 0.2) + 0.3 in the last bit.
  EXPECT_TRUE(Has(sum, {N(0.1 + (0.2 + 0.3)), x, N(1), y}));
  // First occurrences keep their places: a + b + a + b -> 2a + 2b.
  EXPECT_TRUE(Has(Op(NodeSum, {N(1), a, N(1), b, N(1), a, N(1), b}), {N(2), a, N(2), b}));
}

TEST_F(SumNormalisation, GathersNumbersIntoOneFrontPairAndFoldsWhatCancels) {
  ZELS3Node* x = X(1);
  EXPECT_TRUE(Has(Op(NodeSum, {N(1), N(2), N(1), x, N(2), N(3)}), {N(1), N(8), N(1), x}));
  // Constants that cancel leave no constant pair; the lone (1, x) is x.
  EXPECT_EQ(Op(NodeSum, {N(1), N(2), N(1), x, N(1), N(-2)}), x);
  ZELS3Node* raw = Raw(NodeSum, {N(1), N(2), N(1), x, N(1), N(-2)});
  A::SimplifySum(raw);
  EXPECT_TRUE(Has(raw, {N(1), x}));
  EXPECT_EQ(Op(NodeSum, {N(1), N(2), N(1), N(3)}), N(5));
  EXPECT_EQ(Op(NodeSum, {N(1), x, N(-1), x, N(1), N(4), N(-2), N(2)}), GetZero());
  EXPECT_EQ(Op(NodeSum, {N(0), x, N(1), X(2)}), X(2));
  EXPECT_TRUE(Is(Op(NodeSum, {N(3), x}), NodeSum, {N(3), x}));
  EXPECT_EQ(Error(), 0);
}

TEST_F(SumNormalisation, DropsPairsWithoutANumericCoefficientAndNeverReadsPastAnOddEnd) {
  ZELS3Node *x = X(1), *y = X(2);
  ZELS3Node* odd = Raw(NodeSum, {N(1), x, N(2)});
  A::SimplifySum(odd);
  EXPECT_TRUE(Has(odd, {N(1), x, N(2)}));
  ZELS3Node* outer = Raw(NodeSum, {N(1), x, N(1), odd});
  A::SimplifySum(outer);
  EXPECT_TRUE(Has(outer, {N(2), x}));
  EXPECT_EQ(Error(), 0);
  ZELS3Node* bad = Raw(NodeSum, {y, x, N(1), y});
  A::SimplifySum(bad);
  EXPECT_EQ(Error(), 10003);
  EXPECT_TRUE(Has(bad, {N(1), y}));
}
