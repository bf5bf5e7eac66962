#include <algorithm>
#include <vector>

#include "support/Builders.h"

using namespace zeltav_test;
using A = ZELS3NodeTestAccess;

namespace {

// exp(x_id): an operation, which keeps its fathers (leaves keep none).
ZELS3Node* Inner(HandMadeNodes& pool, unsigned long long id) {
  return pool.Op(NodeExp, {pool.Var(id)});
}

// n new fathers sin(x) of x, in the order they were linked.
std::vector<ZELS3Node*> Sines(HandMadeNodes& pool, ZELS3Node* x, int n) {
  std::vector<ZELS3Node*> made;
  for (int i = 0; i < n; ++i) made.push_back(pool.Op(NodeSin, {x}));
  return made;
}

}  // namespace

TEST(NodeLinks, RepeatedArgumentsTakeSlotsButAreLinkedAndUnlinkedOnce) {
  HandMadeNodes pool;
  ZELS3Node *x = Inner(pool, 1), *other = pool.Op(NodeSin, {x});
  ZELS3Node* sum = pool.Op(NodeSum, {x, x, nullptr});
  EXPECT_TRUE(Has(sum, {x, x, nullptr}));
  EXPECT_EQ(A::AddFath(x, sum), 1);
  EXPECT_EQ(A::GetFathNum(x), 2u);
  A::RemoveAllArgs(sum);
  ASSERT_EQ(A::GetFathNum(x), 1u);
  EXPECT_EQ(A::GetFath(x, 0), other);
}

// +(1, x1, 1, x2): 1 at position 0 is replaced by x3, then x1 is removed.
TEST(NodeLinks, ReplacingOrRemovingAnArgumentUnlinksItEvenWhenItStaysElsewhere) {
  HandMadeNodes pool;
  ZELS3Node *one = Inner(pool, 4), *x = Inner(pool, 1), *z = Inner(pool, 3);
  ZELS3Node* sum = pool.Op(NodeSum, {one, x, one, pool.Var(2)});
  EXPECT_EQ(A::ReplaceArg(sum, nullptr, 0), 0);
  EXPECT_EQ(A::ReplaceArg(sum, z, 0), 1);
  EXPECT_EQ(A::ReplaceArg(sum, z, 0), 1);
  EXPECT_EQ(Show(sum), "33:+(21:exp(x3), 21:exp(x1), 21:exp(x4), x2)");
  EXPECT_EQ(A::GetFathNum(one), 0u);
  EXPECT_EQ(A::GetFathNum(z), 1u);
  A::RemoveArg(sum, 1);
  EXPECT_EQ(Show(sum), "33:+(21:exp(x3), 21:exp(x4), x2)");
  EXPECT_EQ(A::GetFathNum(x), 0u);
}

// A variable, a number and a truth value under a sum and a product: the
// links cost them nothing and they keep no fathers.
TEST(NodeLinks, LeavesKeepNoFathers) {
  HandMadeNodes pool;
  ZELS3Node *x = pool.Var(1), *two = pool.Const(2), *yes = pool.Bool(1);
  ZELS3Node* sum = pool.Op(NodeSum, {two, x, two, pool.Op(NodeAnd, {yes, yes})});
  pool.Op(NodeProduct, {x, two});
  EXPECT_EQ(A::AddFath(x, sum), 1);
  EXPECT_EQ(A::GetFathNum(x), 0u);
  EXPECT_EQ(A::GetFathNum(two), 0u);
  EXPECT_EQ(A::GetFathNum(yes), 0u);
  A::RemoveAllArgs(sum);
  EXPECT_EQ(ErrorCode(), 0);
}

// Sums of 1 to 40 variables, each argument vector filled to a different point.
TEST(NodeLinks, ReadsNullAtTheArgumentCount) {
  HandMadeNodes pool;
  std::vector<ZELS3Node*> args;
  for (unsigned n = 1; n <= 40; ++n) {
    args.push_back(pool.Var(n));
    ZELS3Node* sum = pool.Raw(NodeSum, {});
    for (ZELS3Node* a : args) A::AddArg(sum, a);
    EXPECT_EQ(sum->GetArg(n), nullptr) << n;
  }
}

// A leaf accepts an argument, but removing it is reported and y keeps x among its fathers.
TEST(NodeLinks, LeavesReportReadingOrRemovingArguments) {
  HandMadeNodes pool;
  ZELS3Node *x = pool.Var(1), *y = Inner(pool, 2);
  EXPECT_EQ(x->GetArg(0), nullptr);
  EXPECT_EQ(ErrorCode(), 10008);
  ResetError();
  EXPECT_EQ(pool.Named(NodeUnknown, "f", {y})->GetArg(0), y);
  A::AddArg(x, y);
  A::RemoveAllArgs(x);
  EXPECT_EQ(ErrorCode(), 10008);
  EXPECT_EQ(x->GetArgsNum(), 0u);
  EXPECT_EQ(A::GetFathNum(y), 2u);
}

// x's fathers, by address: their order carries no meaning.
std::vector<ZELS3Node*> FathersOf(const ZELS3Node* x) {
  std::vector<ZELS3Node*> fathers;
  for (unsigned i = 0; i < A::GetFathNum(x); ++i) fathers.push_back(A::GetFath(x, i));
  std::sort(fathers.begin(), fathers.end());
  return fathers;
}

std::vector<ZELS3Node*> Sorted(std::vector<ZELS3Node*> nodes) {
  std::sort(nodes.begin(), nodes.end());
  return nodes;
}

// x under 600 fathers, past the count where the calculator mirrors them as
// pairs in a table and past the count where that table grows. Every other
// father goes; the others are still known to be fathers.
TEST(NodeLinks, ANodeWithManyFathersListsEachOnceAndForgetsTheOnesRemoved) {
  ZELSymbolicCalculator calc;
  HandMadeNodes pool;
  ZELS3Node* x = Inner(pool, 1);
  std::vector<ZELS3Node*> fathers = Sines(pool, x, 600), kept;
  EXPECT_EQ(A::AddFath(x, fathers[0]), 1);
  EXPECT_EQ(A::AddFath(x, fathers[599]), 1);
  A::AddArg(fathers[5], x);
  EXPECT_EQ(FathersOf(x), Sorted(fathers));
  for (int i = 0; i < 600; i += 2) A::RemoveAllArgs(fathers[i]);
  for (int i = 1; i < 600; i += 2) kept.push_back(fathers[i]);
  for (ZELS3Node* f : kept) EXPECT_EQ(A::AddFath(x, f), 1);
  EXPECT_EQ(FathersOf(x), Sorted(kept));
}

// A father removed and linked again comes back once.
TEST(NodeLinks, AFatherLinkedAgainAfterItsRemovalIsListedOnceMore) {
  HandMadeNodes pool;
  ZELS3Node* x = Inner(pool, 1);
  std::vector<ZELS3Node*> fathers = Sines(pool, x, 40);
  ZELS3Node* again = fathers[3];
  A::RemoveAllArgs(again);
  A::AddArg(again, x);
  A::AddArg(again, x);
  fathers.erase(fathers.begin() + 3);
  fathers.push_back(again);
  EXPECT_EQ(FathersOf(x), Sorted(fathers));
}

// The node made last answers for its own links: linked again to an argument
// with many fathers, after another father, it is listed once, and it goes
// and comes back with its arguments.
TEST(NodeLinks, ANodeJustMadeIsListedOnceAmongManyFathersAndLeavesWithItsArguments) {
  ZELSymbolicCalculator calc;
  HandMadeNodes pool;
  ZELS3Node* x = Inner(pool, 1);
  ZELS3Node* first = pool.Op(NodeSin, {x});
  Sines(pool, x, 40);
  ZELS3Node* sum = pool.Op(NodeSum, {x});
  A::RemoveAllArgs(first);
  A::AddArg(first, x);
  A::AddArg(sum, x);
  EXPECT_EQ(A::GetFathNum(x), 42u);
  A::RemoveAllArgs(sum);
  EXPECT_EQ(A::GetFathNum(x), 41u);
  A::AddArg(sum, x);
  EXPECT_EQ(A::GetFathNum(x), 42u);
}

// x under 40 fathers, asked about the first, then under 30 more: a father
// linked before the question, one linked long after it and one linked
// nearly last go; the others are still fathers and the three gone are not.
TEST(NodeLinks, FathersLinkedBeforeAndAfterAQuestionAreFoundAndRemovedAlike) {
  ZELSymbolicCalculator calc;
  HandMadeNodes pool;
  ZELS3Node* x = Inner(pool, 1);
  std::vector<ZELS3Node*> fathers = Sines(pool, x, 40);
  EXPECT_EQ(A::AddFath(x, fathers[0]), 1);
  for (ZELS3Node* f : Sines(pool, x, 30)) fathers.push_back(f);
  ZELS3Node *early = fathers[10], *late = fathers[55], *latest = fathers[67];
  A::RemoveAllArgs(latest);
  A::RemoveAllArgs(late);
  A::RemoveAllArgs(early);
  fathers.erase(fathers.begin() + 67);
  fathers.erase(fathers.begin() + 55);
  fathers.erase(fathers.begin() + 10);
  for (ZELS3Node* f : fathers) EXPECT_EQ(A::AddFath(x, f), 1);
  EXPECT_EQ(FathersOf(x), Sorted(fathers));
  A::AddArg(late, x);
  A::AddArg(latest, x);
  A::AddFath(x, early);
  EXPECT_EQ(A::GetFathNum(x), 70u);
}

// x falls from 40 fathers to 5, then gathers 40 new ones: of the fathers
// it lost it knows none.
TEST(NodeLinks, ANodeThatFallsToFewFathersAndGathersManyAgainKnowsOnlyItsOwn) {
  ZELSymbolicCalculator calc;
  HandMadeNodes pool;
  ZELS3Node* x = Inner(pool, 1);
  std::vector<ZELS3Node*> lost = Sines(pool, x, 40);
  A::AddFath(x, lost[0]);
  for (int i = 0; i < 35; ++i) A::RemoveAllArgs(lost[i]);
  Sines(pool, x, 40);
  for (int i = 0; i < 35; ++i) EXPECT_EQ(A::AddFath(x, lost[i]), 1);
  EXPECT_EQ(A::GetFathNum(x), 80u);
}

// x is destroyed with 40 of its 50 fathers mirrored, the last 10 not yet;
// a node made after it (where it was, as allocators tend to) shares 20 of
// them and is linked to the rest anew.
TEST(NodeLinks, ANodeDestroyedWithPartOfItsFathersMirroredLeavesNoneBehind) {
  ZELSymbolicCalculator calc;
  HandMadeNodes pool;
  std::vector<ZELS3Node*> fathers;
  for (int i = 0; i < 70; ++i) fathers.push_back(pool.Var(i + 2));
  ZELS3Node* x = new ZELS3Node(NodeExp);
  for (int i = 20; i < 60; ++i) A::AddFath(x, fathers[i]);
  A::AddFath(x, fathers[20]);
  for (int i = 60; i < 70; ++i) A::AddFath(x, fathers[i]);
  delete x;
  ZELS3Node* y = pool.Keep(new ZELS3Node(NodeExp));
  for (int i = 0; i < 40; ++i) A::AddFath(y, fathers[i]);
  A::AddFath(y, fathers[0]);
  for (int i = 40; i < 70; ++i) A::AddFath(y, fathers[i]);
  EXPECT_EQ(A::GetFathNum(y), 70u);
}

// Stops a vector growing.
struct FixedSlots : ZELICVectorImp_ZELS3Node {
  static void Fix(ZELICVectorImp_ZELS3Node& v) {
    v.*(&FixedSlots::delta) = 0;
    v.*(&FixedSlots::factor) = 0.0;
  }
};

// x's 64 fathers fill its vector, which then cannot grow: linking the node
// being built, or one made before, is reported each time and links nothing.
TEST(NodeLinks, ALinkThatCannotBeStoredIsReportedEachTimeAndLinksNothing) {
  ZELSymbolicCalculator calc;
  HandMadeNodes pool;
  ZELS3Node* x = Inner(pool, 1);
  Sines(pool, x, 64);
  ZELS3Node* older = pool.Var(2);
  ZELS3Node* sum = pool.Raw(NodeSum, {});
  FixedSlots::Fix(A::Fathers(x));
  A::AddArg(sum, x);
  EXPECT_EQ(ErrorCode(), 10006);
  ResetError();
  EXPECT_EQ(A::AddFath(x, sum), 0);
  EXPECT_EQ(A::AddFath(x, older), 0);
  EXPECT_EQ(A::AddFath(x, older), 0);
  EXPECT_EQ(ErrorCode(), 10006);
  EXPECT_EQ(A::GetFathNum(x), 64u);
}
