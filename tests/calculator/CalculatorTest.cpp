#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "node/NodeTypeTable.h"
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

TEST(CalculatorConstruction, StartsWithNoErrorTheDefaultOptionsAndTheSharedConstants) {
  SetError(3);
  ZELSymbolicCalculator calc;
  EXPECT_EQ(calc.GetError(), 0);
  EXPECT_EQ(calc.GetGauss(), 0);
  EXPECT_EQ(calc.GetDivReplace(), 1);
  EXPECT_EQ(calc.GetTransfer(), 1);
  EXPECT_EQ(calc.GetSubst(), 0);
  EXPECT_EQ(calc.GetEquation(0), nullptr);
  EXPECT_EQ(TA::TableSize(&calc), 7u);
}

TEST(CalculatorConstruction, ASecondCalculatorBecomesCurrentWithItsOwnConstants) {
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
}

TEST(NodeTable, StripsAFreshDuplicateAndHandsBackTheRegisteredNode) {
  ZELSymbolicCalculator calc;
  EXPECT_EQ(calc.AddNode(nullptr), nullptr);
  ZELS3Node* x = Var(1);
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

// A key that ignores argument order where structural equality ignores it.
using Memo = std::unordered_map<const ZELS3Node*, std::string>;
std::string Key(const ZELS3Node* n, Memo& memo) {
  auto it = memo.find(n);
  if (it != memo.end()) return it->second;
  const ZELNodeType t = n->GetNodeType();
  if (t == NodeVariable) return "x" + std::to_string(n->GetVariableID());
  if (t == NodeBoolConst) return n->GetBool() ? "T" : "F";
  if (t == NodeConstant) {
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.17g", n->GetConstant() + 0.0);
    return digits;
  }
  const auto* facts = zeltav::FactsOf(t);
  const bool pairs = facts && facts->shape == zeltav::ArgShape::Pairs;
  std::vector<std::string> parts;
  for (unsigned i = 0; i < n->GetArgsNum(); i += pairs ? 2 : 1) {
    if (pairs) {
      parts.push_back("[" + Key(n->GetArg(i), memo) + "," + Key(n->GetArg(i + 1), memo) + "]");
    } else {
      parts.push_back(Key(n->GetArg(i), memo));
    }
  }
  if (pairs || (facts && (facts->unordered || facts->shape == zeltav::ArgShape::List))) {
    std::sort(parts.begin(), parts.end());
  }
  std::string key = std::to_string(t) + static_cast<const char*>(n->GetOperName()) + "(";
  for (const auto& p : parts) key += p + ";";
  return memo[n] = key + ")";
}

// Equal keys give one object, different keys different objects; an unknown
// operation is never rewritten, so each new one adds exactly one table node.
TEST(NodeTable, SharesExactlyTheExpressionsThatAnOrderBlindKeyCallsEqual) {
  ZELSymbolicCalculator calc;
  std::mt19937 rng(20240611u);
  std::vector<ZELS3Node*> earlier;
  const double constants[] = {0.0, 1.0, 2.0, -1.0, 0.5, 3.0};
  auto pick = [&]() -> ZELS3Node* {
    const unsigned r = rng() % 10;
    if (r < 3 || earlier.empty()) return Var(1 + rng() % 3);
    return r < 5 ? Num(constants[rng() % 6]) : earlier[rng() % earlier.size()];
  };
  const ZELNodeType binary[] = {NodeSum,  NodeDifference, NodeProduct, NodeQuotient,
                                NodeLess, NodeEqual,      NodeMin,     NodeMax};
  const ZELNodeType unary[] = {NodeSin, NodeCos, NodeAbs, NodeDifference};
  Memo memo;
  std::map<std::string, ZELS3Node*> byKey;
  std::set<const ZELS3Node*> seen;
  unsigned unknownOps = 0;
  for (int round = 0; round < 4000; ++round) {
    ZELS3Node* a = pick();
    ZELS3Node* b = pick();
    const unsigned kind = rng() % 5;
    const unsigned before = TA::TableSize(&calc);
    ZELS3Node* r = nullptr;
    if (kind == 0) {
      r = CreateUnaryOperation(unary[rng() % 4], a);
    } else if (kind == 1) {
      r = CreateBinaryOperation(NodePower, a, rng() % 2 ? GetTwo() : Var(1));
    } else if (kind == 2) {
      ZELICVectorImp_ZELS3Node args(3u, 5u);
      for (unsigned i = rng() % 4; i > 0; --i) args.Add(pick());
      r = CreateExpression(ZELString(std::string(1, "fgh"[rng() % 3]).c_str()), args);
    } else if (a->IsBool() || b->IsBool()) {
      continue;
    } else {
      r = CreateBinaryOperation(binary[rng() % 8], a, b);
    }
    ASSERT_NE(r, nullptr) << "round " << round;
    const std::string key = Key(r, memo);
    const auto known = byKey.find(key);
    const bool fresh = known == byKey.end();
    if (fresh) {
      ASSERT_TRUE(seen.insert(r).second) << "one node for two keys: " << key << "\n" << Show(r);
      byKey.emplace(key, r);
    } else {
      ASSERT_EQ(r, known->second) << key;
    }
    if (kind == 2) {
      ASSERT_EQ(TA::TableSize(&calc), before + (fresh ? 1 : 0)) << "round " << round << key;
      unknownOps += fresh ? 1 : 0;
    }
    if (!r->IsBool() && r->GetArgsNum() < 12) earlier.push_back(r);
  }
  EXPECT_GT(byKey.size(), 400u);
  EXPECT_GT(unknownOps, 200u);
}
