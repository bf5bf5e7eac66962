#include "support/Builders.h"

using namespace zeltav_test;
using A = ZELS3NodeTestAccess;
using SumNormalisation = WithCalculator;

TEST_F(SumNormalisation, FlattensTwoNestedSumsLaterOneFirstAfterTheSurvivors) {
  ZELS3Node *a = Var(1), *b = Var(2), *c = Var(3), *d = Var(4), *x = Var(5), *y = Var(6),
            *z = Var(7);
  ZELS3Node* s1 = Bin(NodeSum, a, b);                   // +(1, a, 1, b)
  ZELS3Node* s2 = Op(NodeSum, {Num(2), c, Num(3), d});  // +(2, c, 3, d)
  ZELS3Node* sum = pool.Raw(NodeSum, {Num(1), s1, Num(1), x, Num(5), s2});
  A::SimplifySum(sum);
  EXPECT_TRUE(Has(sum, {Num(1), x, Num(10), c, Num(15), d, Num(1), a, Num(1), b}));
  // The nested sums keep their arguments and only lose this sum as a father.
  EXPECT_TRUE(Has(s1, {Num(1), a, Num(1), b}));
  EXPECT_EQ(A::GetFathNum(s2), 0u);
  // Through the factory: (3, x), (2, s) with s = (1, y), (4, z).
  ZELS3Node* flat = Op(NodeSum, {Num(3), x, Num(2), Op(NodeSum, {Num(1), y, Num(4), z})});
  EXPECT_TRUE(Has(flat, {Num(3), x, Num(2), y, Num(8), z}));
  EXPECT_EQ(ErrorCode(), 0);
}

TEST_F(SumNormalisation, MergesThreeEqualTermsIntoTheFirstOccurrence) {
  ZELS3Node *x = Var(1), *y = Var(2), *a = Var(3), *b = Var(4);
  ZELS3Node* sum = pool.Raw(NodeSum, {Num(0.1), x, Num(1), y, Num(0.2), x, Num(0.3), x});
  A::SimplifySum(sum);
  // The last occurrence is folded into the middle one first: 0.1 + (0.2 + 0.3),
  // which differs from (0.1 + 0.2) + 0.3 in the last bit.
  EXPECT_TRUE(Has(sum, {Num(0.1 + (0.2 + 0.3)), x, Num(1), y}));
  // First occurrences keep their places: a + b + a + b -> 2a + 2b.
  EXPECT_TRUE(
      Has(Op(NodeSum, {Num(1), a, Num(1), b, Num(1), a, Num(1), b}), {Num(2), a, Num(2), b}));
}

TEST_F(SumNormalisation, GathersNumbersIntoOneFrontPairAndFoldsWhatCancels) {
  ZELS3Node* x = Var(1);
  EXPECT_TRUE(
      Has(Op(NodeSum, {Num(1), Num(2), Num(1), x, Num(2), Num(3)}), {Num(1), Num(8), Num(1), x}));
  // Constants that cancel leave no constant pair; the lone (1, x) is x.
  EXPECT_EQ(Op(NodeSum, {Num(1), Num(2), Num(1), x, Num(1), Num(-2)}), x);
  ZELS3Node* raw = pool.Raw(NodeSum, {Num(1), Num(2), Num(1), x, Num(1), Num(-2)});
  A::SimplifySum(raw);
  EXPECT_TRUE(Has(raw, {Num(1), x}));
  EXPECT_EQ(Op(NodeSum, {Num(1), Num(2), Num(1), Num(3)}), Num(5));
  EXPECT_EQ(Op(NodeSum, {Num(1), x, Num(-1), x, Num(1), Num(4), Num(-2), Num(2)}), GetZero());
  EXPECT_EQ(Op(NodeSum, {Num(0), x, Num(1), Var(2)}), Var(2));
  EXPECT_TRUE(Is(Op(NodeSum, {Num(3), x}), NodeSum, {Num(3), x}));
  EXPECT_EQ(ErrorCode(), 0);
}

TEST_F(SumNormalisation, DropsPairsWithoutANumericCoefficientAndNeverReadsPastAnOddEnd) {
  ZELS3Node *x = Var(1), *y = Var(2);
  ZELS3Node* odd = pool.Raw(NodeSum, {Num(1), x, Num(2)});
  A::SimplifySum(odd);
  EXPECT_TRUE(Has(odd, {Num(1), x, Num(2)}));
  ZELS3Node* outer = pool.Raw(NodeSum, {Num(1), x, Num(1), odd});
  A::SimplifySum(outer);
  EXPECT_TRUE(Has(outer, {Num(2), x}));
  EXPECT_EQ(ErrorCode(), 0);
  ZELS3Node* bad = pool.Raw(NodeSum, {y, x, Num(1), y});
  A::SimplifySum(bad);
  EXPECT_EQ(ErrorCode(), 10003);
  EXPECT_TRUE(Has(bad, {Num(1), y}));
}
