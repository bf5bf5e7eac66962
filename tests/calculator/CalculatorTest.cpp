#include <malloc.h>

#include <memory>
#include <string>

#include "support/Builders.h"

using namespace zeltav_test;
using TA = ZELSymbolicCalculatorTestAccess;
using NA = ZELS3NodeTestAccess;

TEST(ErrorCode, KeepsTheFirstCodeSinceTheLastReset) {
  TA::ResetError();
  ZELSymbolicCalculator::SetError(10006);
  SetError(3);
  EXPECT_EQ(TA::ErrorCode(), 10006);
}

std::string Message(const ZELSymbolicCalculator& calc, int code) {
  std::unique_ptr<ZELUnicodeString> msg(calc.BuildErrorMsg(code));
  return msg ? msg->ToUtf8() : std::string("null");
}

TEST(ErrorMessages, LeaveTheErrorCodeAlone) {
  ZELSymbolicCalculator calc;
  SetError(6);
  Message(calc, 2);
  EXPECT_EQ(calc.GetError(), 6);
}

TEST(CalculatorConstruction, StartsWithNoErrorNoOutputAndTheSharedConstants) {
  SetError(3);
  ZELSymbolicCalculator calc;
  EXPECT_EQ(calc.GetError(), 0);
  EXPECT_EQ(calc.GetEquation(0), nullptr);
  EXPECT_EQ(TA::TableSize(&calc), 7u);
}

TEST(CalculatorConstruction, ASecondCalculatorIsCurrentWithItsOwnConstantsUntilItEnds) {
  ZELSymbolicCalculator first;
  ZELS3Node* firstOne = GetOne();
  SetError(10001);
  {
    ZELSymbolicCalculator second;
    EXPECT_EQ(NA::Current(), &second);
    EXPECT_EQ(second.GetError(), 0);
    EXPECT_NE(GetOne(), firstOne);
    EXPECT_EQ(TA::TableSize(&first), 7u);
    SetError(5);
    EXPECT_EQ(second.GetError(), 5);
  }
  EXPECT_EQ(first.GetError(), 0);  // the destructor resets the code
  EXPECT_EQ(NA::Current(), nullptr);
  EXPECT_EQ(CreateExpression(2.0), nullptr);
}

int gRecordsDeleted = 0;
struct CountedExact : ZELS3ExactVariable {
  CountedExact() : ZELS3ExactVariable(1, nullptr) {}
  ~CountedExact() override { ++gRecordsDeleted; }
};
struct CountedLinear : ZELS3LinearVariable {
  CountedLinear() : ZELS3LinearVariable(2, nullptr) {}
  ~CountedLinear() override { ++gRecordsDeleted; }
};

TEST(CalculatorConstruction, AnEndingCalculatorDeletesTheVariableRecordsItHolds) {
  gRecordsDeleted = 0;
  {
    ZELSymbolicCalculator calc;
    TA::PushExact(&calc, new CountedExact);
    TA::PushLinear(&calc, new CountedLinear);
    TA::PushLinear(&calc, new CountedLinear);
  }
  EXPECT_EQ(gRecordsDeleted, 3);
}

// Heap in use as the C library counts it (unchanged under a checker's malloc).
TEST(CalculatorConstruction, AnEndingCalculatorDeletesTheNodesItHolds) {
  const std::size_t before = mallinfo2().uordblks;
  {
    ZELSymbolicCalculator calc;
    for (unsigned i = 1; i <= 1000; ++i) Un(NodeSin, Var(i));
  }
  EXPECT_LT(mallinfo2().uordblks, before + 1000 * sizeof(ZELS3Node));
}

TEST(NodeTable, StripsAFreshDuplicateAndHandsBackTheRegisteredNode) {
  ZELSymbolicCalculator calc;
  EXPECT_EQ(calc.AddNode(nullptr), nullptr);
  ZELS3Node* x = Un(NodeExp, Var(1));
  ZELS3Node* sine = CreateUnaryOperation(NodeSin, x);
  EXPECT_EQ(calc.AddNode(sine), sine);
  ZELS3Node* duplicate = Fresh(NodeSin, {x});
  NA::CalculateSignature(duplicate);
  const unsigned size = TA::TableSize(&calc);
  EXPECT_EQ(calc.AddNode(duplicate), sine);
  EXPECT_EQ(duplicate->GetArgsNum(), 0u);
  ASSERT_EQ(NA::GetFathNum(x), 1u);
  EXPECT_EQ(NA::GetFath(x, 0), sine);
  EXPECT_EQ(TA::TableSize(&calc), size);
  delete duplicate;
}

// Equal reads a sum as the set of its pairs: +(1, x, 1, x, 1, y) matches
// +(1, x, 1, y, 1, y) when x and y sign alike, though the pairs' keys sum
// differently, so a sum that repeats a pair is found without its finer key.
TEST(NodeTable, FindsASumThatRepeatsAPairThroughEqualNotThroughItsFinerKey) {
  ZELSymbolicCalculator calc;
  ZELS3Node *x = Var(1), *one = GetOne();
  ZELS3Node* y = nullptr;
  for (unsigned long long id = 2; y == nullptr; ++id) {
    if (Var(id)->GetSignature() == x->GetSignature()) y = Var(id);
  }
  ZELS3Node* repeated = Fresh(NodeSum, {one, x, one, x, one, y});
  NA::CalculateSignature(repeated);
  ASSERT_EQ(calc.AddNode(repeated), repeated);
  ZELS3Node* other = Fresh(NodeSum, {one, x, one, y, one, y});
  NA::CalculateSignature(other);
  ASSERT_EQ(repeated->Equal(other), 1);
  EXPECT_EQ(calc.AddNode(other), repeated);
  delete other;
}

// Intake fixes x1 and rewrites the stored f(x1 = 3, x2) in place to f(x1, x2)
// under its old signature. Signed anew as an operand of h, it meets the
// fresh f(x1, x2): h gets the fresh node and the stored one keeps its
// arguments, so the output still reads f(x1, x2).
TEST(NodeTable, LeavesTheArgumentsOfARegisteredNodeThatMeetsAnEqualOne) {
  ZELSymbolicCalculator calc;
  ZELS3Node *x1 = Var(1), *x2 = Var(2);
  ZELS3Node* stored = By("f", {By("=", {x1, Num(3)}), x2});
  calc.AddEquation(stored);
  ZELS3Node* fresh = By("f", {x1, x2});
  ZELS3Node* h = By("h", {stored});
  EXPECT_NE(fresh, stored);
  EXPECT_TRUE(Has(h, {fresh}));
  EXPECT_TRUE(Has(stored, {x1, x2}));
  calc.Simplify();
  ASSERT_EQ(calc.GetNumberOfEquations(), 2u);
  EXPECT_TRUE(Has(calc.GetEquation(1), {x1, x2}));
  EXPECT_EQ(calc.GetError(), 0);
}

// With x1 = 383 the old and the new signature of the stored f differ by a
// multiple of the bucket count. Once signed anew, the stored node is found
// under its new signature: a fresh f(x1, x2) is that node.
TEST(NodeTable, FindsARegisteredNodeUnderTheSignatureItHasNow) {
  ZELSymbolicCalculator calc;
  ZELS3Node *x1 = Var(1), *x2 = Var(2);
  ZELS3Node* stored = By("f", {By("=", {x1, Num(383)}), x2});
  calc.AddEquation(stored);
  ZELS3Node* h = By("h", {stored});
  EXPECT_TRUE(Has(h, {stored}));
  EXPECT_EQ(By("f", {x1, x2}), stored);
}

// Variables are looked up by their whole identifier, although identifiers
// that agree in their low 32 bits share a signature.
TEST(NodeTable, SharesVariablesByTheirWholeIdentifier) {
  ZELSymbolicCalculator calc;
  ZELS3Node* x = Var(7);
  ZELS3Node* high = Var(7 + (1ull << 32));
  EXPECT_EQ(Var(7 + (1ull << 32)), high);
  EXPECT_NE(high, x);
  EXPECT_EQ(high->GetSignature(), x->GetSignature());
}

// Variables 1 and 268 share a signature: sin(x1), and cos(c1) over a
// constant variable (equal to no node), rewritten in place into sin(x268)
// and cos(x268), are the nodes a new sin(x268) and cos(x268) find.
TEST(NodeTable, FindsANodeRewrittenInPlaceByItsNewArguments) {
  ZELSymbolicCalculator calc;
  ZELS3Node* x268 = Var(268);
  ZELS3Node* sine = Un(NodeSin, Var(1));
  ZELS3Node* cosine = Un(NodeCos, Var(1, 1));
  NA::ReplaceArg(sine, x268, 0);
  NA::ReplaceArg(cosine, x268, 0);
  EXPECT_EQ(Un(NodeSin, x268), sine);
  EXPECT_EQ(Un(NodeCos, x268), cosine);
}

// x1 >= x2 built by type is named ">==", by spelling ">=": two nodes. Intake
// renames the older one ">=", and from then on it is the first of the two a
// new ">=" node finds, while a new ">==" node finds neither.
TEST(NodeTable, FindsARelationRenamedAtIntakeBeforeALaterEqualOne) {
  ZELSymbolicCalculator calc;
  ZELS3Node *x1 = Var(1), *x2 = Var(2);
  ZELS3Node* typed = Bin(NodeGreaterEqual, x1, x2);
  ZELS3Node* spelt = By(">=", {x1, x2});
  EXPECT_NE(spelt, typed);
  calc.AddEquation(typed);
  EXPECT_EQ(By(">=", {x1, x2}), typed);
  ZELS3Node* retyped = Bin(NodeGreaterEqual, x1, x2);
  EXPECT_NE(retyped, typed);
  EXPECT_NE(retyped, spelt);
}

// The same with the older node rewritten in place first (x1 and x268 share
// a signature), so that it is searched among the loose entries.
TEST(NodeTable, FindsARewrittenRelationRenamedAtIntakeBeforeALaterEqualOne) {
  ZELSymbolicCalculator calc;
  ZELS3Node *x1 = Var(1), *x268 = Var(268), *y = Var(2);
  ZELS3Node* typed = Bin(NodeGreaterEqual, x1, y);
  NA::ReplaceArg(typed, x268, 0);
  ZELS3Node* spelt = By(">=", {x268, y});
  EXPECT_NE(spelt, typed);
  calc.AddEquation(typed);
  EXPECT_EQ(By(">=", {x268, y}), typed);
}

// sin(x1) rewritten in place into sin(x268) (x1 and x268 share a signature)
// has no finer key, so exp over it is entered without one. Given to the
// table again, sin(x268) has a key once more, and a new exp(sin(x268)),
// searched under a finer key, finds the older exp all the same.
TEST(NodeTable, FindsAnOperationEnteredWithoutAFinerKeyOnceItsOperandHasOneAgain) {
  ZELSymbolicCalculator calc;
  ZELS3Node* sine = Un(NodeSin, Var(1));
  NA::ReplaceArg(sine, Var(268), 0);
  ZELS3Node* outer = Fresh(NodeExp, {sine});
  NA::CalculateSignature(outer);
  ASSERT_EQ(calc.AddNode(outer), outer);
  EXPECT_EQ(calc.AddNode(sine), sine);
  EXPECT_EQ(Un(NodeExp, sine), outer);
}

// s * s -> *(s, 2) drops the pair that linked s to the product, which is
// known to be Equal to itself all the same. Rewritten in place over a
// constant variable, s equals nothing any more, and neither does the
// product, which s does not list among its fathers.
TEST(NodeTable, ForgetsWhatItKnewOfANodeWhoseArgumentLostTheLinkAndChanged) {
  ZELSymbolicCalculator calc;
  ZELS3Node* sine = Un(NodeSin, Var(1));
  ZELS3Node* square = Bin(NodeProduct, sine, sine);
  ASSERT_EQ(square->GetArgsNum(), 2u);
  ASSERT_EQ(NA::GetFathNum(sine), 0u);
  EXPECT_TRUE(TA::KnownEqualToItself(&calc, square));
  NA::ReplaceArg(sine, Var(9, 1), 0);
  EXPECT_FALSE(TA::KnownEqualToItself(&calc, square));
  EXPECT_EQ(sine->Equal(sine), 0);
  EXPECT_EQ(square->Equal(square), 0);
}

// sin(x1) rewritten in place into sin(x268) (x1 and x268 share a signature)
// and given to the table again, which gives it a finer key once more; then
// sin(x268) * sin(x268) built anew, searched under the key this gives it.
ZELS3Node* SquareOfChangedSine(ZELSymbolicCalculator& calc, ZELS3Node* sine) {
  NA::ReplaceArg(sine, Var(268), 0);
  EXPECT_EQ(calc.AddNode(sine), sine);
  return Bin(NodeProduct, sine, sine);
}

// sin(x1) * sin(x1) -> *(sin(x1), 2), which sin(x1) does not list among its
// fathers; the new square after the change is the older product all the
// same.
TEST(NodeTable, FindsANodeWhoseArgumentLostTheLinkAndChangedByItsNewFinerKey) {
  ZELSymbolicCalculator calc;
  ZELS3Node* sine = Un(NodeSin, Var(1));
  ZELS3Node* square = Bin(NodeProduct, sine, sine);
  ASSERT_EQ(square->GetArgsNum(), 2u);
  EXPECT_EQ(SquareOfChangedSine(calc, sine), square);
}

// The same for a registered product whose own rule merged the pairs:
// *(sin(x1), 1, sin(x1), 1) rewritten in place -> *(sin(x1), 2).
TEST(NodeTable, FindsANodeThatLostTheLinkInItsOwnRuleOnceItsArgumentChanged) {
  ZELSymbolicCalculator calc;
  ZELS3Node* sine = Un(NodeSin, Var(1));
  ZELS3Node* square = Bin(NodeProduct, sine, Var(5));
  NA::ReplaceArg(square, sine, 2);
  ASSERT_EQ(NA::Simplify(square, NodeProduct), square);
  ASSERT_EQ(square->GetArgsNum(), 2u);
  EXPECT_EQ(SquareOfChangedSine(calc, sine), square);
}

// Hundreds of keys: the index has grown since x1 and sin(x1) were entered.
TEST(NodeTable, FindsEarlyNodesAfterManyOthers) {
  ZELSymbolicCalculator calc;
  ZELS3Node* x = Var(1);
  ZELS3Node* sine = Un(NodeSin, x);
  for (unsigned i = 2; i < 400; ++i) Un(NodeSin, Var(i));
  EXPECT_EQ(Var(1), x);
  EXPECT_EQ(Un(NodeSin, x), sine);
}

// sin(exp(x)) over an exp(x) not registered has no finer key, so it is
// searched by its key alone, among entries that joined that index late:
// the registered sin(exp(x)) stands for it, and so does cos(exp(y)) for a
// copy, entered once the index is complete.
TEST(NodeTable, FindsAnOperationEnteredUnderAFinerKeyBySearchingItsKeyAlone) {
  ZELSymbolicCalculator calc;
  ZELS3Node* sine = Un(NodeSin, Un(NodeExp, Var(1)));
  ZELS3Node* cosine = nullptr;
  for (ZELNodeType type : {NodeSin, NodeCos}) {
    ZELS3Node* inner = Fresh(NodeExp, {Var(type == NodeSin ? 1 : 2)});
    ZELS3Node* copy = Fresh(type, {inner});
    NA::CalculateSignature(inner);
    NA::CalculateSignature(copy);
    if (type == NodeCos) cosine = Un(NodeCos, Un(NodeExp, Var(2)));
    EXPECT_EQ(calc.AddNode(copy), type == NodeSin ? sine : cosine);
    delete copy;
    NA::RemoveAllArgs(inner);
    delete inner;
  }
}
