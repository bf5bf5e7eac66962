#include <cmath>
#include <vector>

#include "support/Builders.h"

using namespace zeltav_test;
using LongPairLists = WithCalculator;

namespace {

// spelling over count copies of the operands, in turn
ZELS3Node* Spelled(const char* spelling, const std::vector<ZELS3Node*>& operands, unsigned count) {
  ZELICVectorImp_ZELS3Node v(count, 8u);
  for (unsigned i = 0; i < count; ++i) v.Add(operands[i % operands.size()]);
  return CreateExpression(ZELString(spelling), v);
}

}  // namespace

// Past 16 pairs like terms are looked up by key instead of compared pair by pair; the
// coefficients must still add up from the last occurrence to the first.
TEST_F(LongPairLists, SumsMergeEveryTermIntoItsFirstOccurrenceAddingFromTheLast) {
  ZELS3Node *x = Var(1), *y = Var(2), *cv = Var(3, 1), *s = Un(NodeSin, x);
  EXPECT_TRUE(Has(Spelled("+", {x}, 40), {Num(40), x}));
  EXPECT_TRUE(Has(Spelled("+", {x, s, y}, 120), {Num(40), x, Num(40), s, Num(40), y}));
  EXPECT_EQ(Count(Spelled("+", {cv}, 20)), 40u);  // a constant variable equals nothing

  std::vector<ZELS3Node*> terms = {x, y, s, x, s};
  ZELICVectorImp_ZELS3Node pairs(80u, 8u);
  std::vector<double> c;
  for (unsigned i = 0; i < 40; ++i) {
    c.push_back(0.1 * (i % 7 + 1));
    pairs.Add(Num(c.back()));
    pairs.Add(terms[i % terms.size()]);
  }
  double cx = 0.0, cy = 0.0, cs = 0.0;
  for (unsigned i = 40; i-- > 0;) {
    double& acc = terms[i % terms.size()] == x ? cx : terms[i % terms.size()] == y ? cy : cs;
    acc = c[i] + acc;
  }
  const std::vector<ZELS3Node*> merged = {Num(cx), x, Num(cy), y, Num(cs), s};
  EXPECT_EQ(ArgsOf(CreateOperation(NodeSum, pairs)), merged);
  EXPECT_EQ(ErrorCode(), 0);
}

TEST_F(LongPairLists, SumsKeepANaNCoefficientOnTheFirstOccurrence) {
  ZELS3Node *x = Var(1), *y = Var(2);
  ZELICVectorImp_ZELS3Node pairs(48u, 8u);
  for (unsigned i = 0; i < 24; ++i) {
    pairs.Add(Num(i == 11 ? NAN : 1.0));
    pairs.Add(i % 2 ? x : y);
  }
  ZELS3Node* sum = CreateOperation(NodeSum, pairs);
  ASSERT_EQ(Count(sum), 4u);
  EXPECT_EQ(Arg(sum, 0), Num(12));
  EXPECT_TRUE(std::isnan(Arg(sum, 2)->GetConstant()));
  EXPECT_EQ(Arg(sum, 3), x);
}

TEST_F(LongPairLists, ProductsMergeEveryFactorIntoItsFirstOccurrence) {
  ZELS3Node *x = Var(1), *y = Var(2), *s = Un(NodeSin, x);
  EXPECT_TRUE(Has(Spelled("*", {x}, 30), {x, Num(30)}));
  EXPECT_TRUE(Has(Spelled("*", {x, s, y, s}, 40), {x, Num(10), s, Num(20), y, Num(10)}));
  EXPECT_EQ(Spelled("*", {Num(2)}, 20), Num(std::pow(2.0, 20)));
  EXPECT_TRUE(Has(Spelled("*", {By("^", {Num(2), x})}, 40), {Num(2), By("*", {Num(40), x})}));
}

// Two sin(x1) made by hand, Equal but not one node: the one repeated 33
// times merges into the other, which comes first.
TEST_F(LongPairLists, SumsMergeARepeatedTermIntoAnEqualNodeBeforeIt) {
  ZELS3Node *first = pool.Op(NodeSin, {Var(1)}), *repeated = pool.Op(NodeSin, {Var(1)});
  ZELS3Node* sum = pool.Raw(NodeSum, {GetOne(), first});
  for (int i = 0; i < 33; ++i) Link(sum, {GetOne(), repeated});
  ZELS3NodeTestAccess::SimplifySum(sum);
  EXPECT_TRUE(Has(sum, {Num(34), first}));
}

// x1 and x268 share a signature, so the terms are sorted by key. A zero
// coefficient merged into a NaN one makes a new NaN, as pair by pair.
TEST_F(LongPairLists, SumsMergeAZeroCoefficientIntoANaNOneAsANewNode) {
  ZELS3Node *x = Var(1), *nan = Num(NAN);
  ZELS3Node* sum = pool.Raw(NodeSum, {nan, x});
  for (int i = 0; i < 33; ++i) Link(sum, {GetOne(), Var(268)});
  Link(sum, {Num(0), x});
  ZELS3NodeTestAccess::SimplifySum(sum);
  EXPECT_NE(Arg(sum, 0), nan);
  EXPECT_TRUE(std::isnan(Arg(sum, 0)->GetConstant()));
}

// sin(x1) as the table holds it and an Equal copy made by hand, which the
// table cannot key: the later one merges into the earlier, whichever it is.
TEST_F(LongPairLists, SumsMergeAHeldTermAndAnEqualCopyTheTableCannotKey) {
  ZELS3Node *held = Un(NodeSin, Var(1)), *copy = pool.Op(NodeSin, {Var(1)});
  for (ZELS3Node* first : {held, copy}) {
    ZELS3Node* sum = pool.Raw(NodeSum, {Num(2), first});
    for (unsigned i = 2; i < 20; ++i) Link(sum, {GetOne(), Var(i)});
    Link(sum, {Num(3), first == held ? copy : held});
    ZELS3NodeTestAccess::SimplifySum(sum);
    EXPECT_EQ(Count(sum), 38u);
    EXPECT_EQ(Arg(sum, 0), Num(5));
    EXPECT_EQ(Arg(sum, 1), first);
  }
}

// Past 16 pieces a flattening keeps what it appends off the stack, in order.
TEST_F(LongPairLists, ProductsFlattenANestedProductOfManyFactorsAfterTheOthers) {
  std::vector<ZELS3Node*> factors;
  for (unsigned i = 1; i <= 20; ++i) factors.push_back(Var(i));
  ZELS3Node *z = Var(99), *nested = Spelled("*", factors, 20);
  ZELS3Node* outer = pool.Raw(NodeProduct, {nested, Num(2), z, Num(1)});
  std::vector<ZELS3Node*> flattened = {z, Num(1)};
  for (ZELS3Node* f : factors) flattened.insert(flattened.end(), {f, Num(2)});
  EXPECT_EQ(ZELS3NodeTestAccess::SimplifyProd(outer), 1.0);
  EXPECT_EQ(ArgsOf(outer), flattened) << Show(outer);
}
