#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "node/NodeTypeTable.h"
#include "support/Builders.h"

using namespace zeltav_test;
using TA = ZELSymbolicCalculatorTestAccess;
using NA = ZELS3NodeTestAccess;

TEST(CalculatorConstruction, StartsCleanAndASecondOneBecomesCurrentWithItsOwnConstants) {
  TA::ResetError();
  ZELSymbolicCalculator::SetError(10006);
  SetError(3);
  EXPECT_EQ(TA::ErrorCode(), 10006) << "the first code is kept";
  ZELSymbolicCalculator a;
  EXPECT_EQ(a.GetError(), 0);
  EXPECT_EQ(a.GetGauss() * 8 + a.GetDivReplace() * 4 + a.GetTransfer() * 2 + a.GetSubst(), 6);
  EXPECT_EQ(a.GetEquation(0), nullptr);
  EXPECT_EQ(TA::TableSize(&a), 7u);
  ZELS3Node* firstOne = GetOne();
  ZELSymbolicCalculator::SetError(10001);
  {
    ZELSymbolicCalculator b;
    EXPECT_EQ(NA::Current(), &b);
    EXPECT_EQ(b.GetError(), 0);
    EXPECT_NE(GetOne(), firstOne);
    EXPECT_EQ(TA::TableSize(&a), 7u);
    SetError(5);
    EXPECT_EQ(b.GetError(), 5);
  }
  EXPECT_EQ(a.GetError(), 0);  // the destructor resets the code
}

// A key that ignores argument order where structural equality ignores it.
using Memo = std::unordered_map<const ZELS3Node*, std::string>;
static std::string Key(const ZELS3Node* n, Memo& memo) {
  auto it = memo.find(n);
  if (it != memo.end()) return it->second;
  char buf[64];
  const ZELNodeType t = n->GetNodeType();
  if (t == NodeVariable) return "x" + std::to_string(n->GetVariableID());
  if (t == NodeBoolConst) return n->GetBool() ? "T" : "F";
  if (t == NodeConstant) return std::snprintf(buf, 64, "%.17g", n->GetConstant() + 0.0), buf;
  std::vector<std::string> parts;
  const auto* facts = zeltav::FactsOf(t);
  const bool pairs = facts && facts->shape == zeltav::ArgShape::Pairs;
  for (unsigned i = 0; i < n->GetArgsNum(); i += pairs ? 2 : 1)
    parts.push_back(pairs ? "[" + Key(n->GetArg(i), memo) + "," + Key(n->GetArg(i + 1), memo) + "]"
                          : Key(n->GetArg(i), memo));
  if (pairs || (facts && (facts->unordered || facts->shape == zeltav::ArgShape::List)))
    std::sort(parts.begin(), parts.end());
  std::string key = std::to_string(t) + static_cast<const char*>(n->GetOperName()) + "(";
  for (const auto& p : parts) key += p + ";";
  return memo[n] = key + ")";
}

// Equal keys give one object, different keys different objects; an unknown
// operation is never rewritten, so each new one adds exactly one table node.
TEST(NodeTable, StripsFreshDuplicatesAndAgreesWithAKeyMapOverRandomExpressions) {
  ZELSymbolicCalculator calc;
  EXPECT_EQ(calc.AddNode(nullptr), nullptr);
  ZELS3Node *x = Var(1), *s = CreateUnaryOperation(NodeSin, x), *dup = Fresh(NodeSin, {x});
  EXPECT_EQ(calc.AddNode(s), s);  // already registered: unchanged
  NA::CalculateSignature(dup);
  const unsigned size = TA::TableSize(&calc);
  EXPECT_EQ(calc.AddNode(dup), s);
  EXPECT_TRUE(dup->GetArgsNum() == 0u && NA::GetFathNum(x) == 1u && NA::GetFath(x, 0) == s);
  EXPECT_EQ(TA::TableSize(&calc), size);
  delete dup;
  std::mt19937 rng(20240611u);
  Memo memo;
  std::map<std::string, ZELS3Node*> byKey;
  std::map<const ZELS3Node*, bool> seen;
  std::vector<ZELS3Node*> pool;
  const double constants[] = {0.0, 1.0, 2.0, -1.0, 0.5, 3.0};
  auto pick = [&]() -> ZELS3Node* {
    const unsigned r = rng() % 10;
    if (r < 3 || pool.empty()) return Var(1 + rng() % 3);
    return r < 5 ? Num(constants[rng() % 6]) : pool[rng() % pool.size()];
  };
  const ZELNodeType binary[] = {NodeSum,  NodeDifference, NodeProduct, NodeQuotient,
                                NodeLess, NodeEqual,      NodeMin,     NodeMax};
  const ZELNodeType unary[] = {NodeSin, NodeCos, NodeAbs, NodeDifference};
  unsigned unknownOps = 0;
  for (int round = 0; round < 4000; ++round) {
    ZELS3Node *a = pick(), *b = pick(), *r = nullptr;
    unsigned kind = rng() % 5, before = 0;
    if (kind == 0) r = CreateUnaryOperation(unary[rng() % 4], a);
    if (kind == 1) r = CreateBinaryOperation(NodePower, a, rng() % 2 ? GetTwo() : Var(1));
    if (kind == 2) {
      ZELICVectorImp_ZELS3Node args(3u, 5u);
      for (unsigned i = rng() % 4; i > 0; --i) args.Add(pick());
      before = TA::TableSize(&calc);
      r = CreateExpression(ZELString(std::string(1, "fgh"[rng() % 3]).c_str()), args);
    }
    if (kind > 2 && (a->IsBool() || b->IsBool())) continue;
    if (kind > 2) r = CreateBinaryOperation(binary[rng() % 8], a, b);
    ASSERT_NE(r, nullptr) << "round " << round;
    const std::string k = Key(r, memo);
    const bool fresh = byKey.emplace(k, r).second;
    ASSERT_TRUE(fresh ? seen.emplace(r, true).second : byKey[k] == r) << k << "\n" << Show(r);
    unknownOps += kind == 2 && fresh;
    ASSERT_TRUE(kind != 2 || TA::TableSize(&calc) == before + fresh) << "round " << round << k;
    if (!r->IsBool() && r->GetArgsNum() < 12) pool.push_back(r);
  }
  EXPECT_GT(byKey.size(), 400u);
  EXPECT_GT(unknownOps, 200u);
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
// that agree in their low 32 bits share a signature; constant variables are
// never shared.
TEST(NodeTable, SharesVariablesByTheirWholeIdentifier) {
  ZELSymbolicCalculator calc;
  ZELS3Node* x = Var(7);
  ZELS3Node* high = Var(7 + (1ull << 32));
  EXPECT_EQ(Var(7), x);
  EXPECT_EQ(Var(7 + (1ull << 32)), high);
  EXPECT_NE(high, x);
  EXPECT_EQ(high->GetSignature(), x->GetSignature());
  EXPECT_NE(Var(7, 1), Var(7, 1));
}
