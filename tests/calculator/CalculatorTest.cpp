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

TEST(CalculatorConstruction, StartsCleanAndASecondOneBecomesCurrentWithItsOwnConstants) {
  TA::ResetError();
  ZELSymbolicCalculator::SetError(10006);
  SetError(3);
  EXPECT_EQ(TA::ErrorCode(), 10006) << "the first code is kept";
  ZELSymbolicCalculator first;
  EXPECT_EQ(first.GetError(), 0);
  EXPECT_EQ(
      first.GetGauss() * 8 + first.GetDivReplace() * 4 + first.GetTransfer() * 2 + first.GetSubst(),
      6);
  EXPECT_EQ(first.GetEquation(0), nullptr);
  EXPECT_EQ(TA::TableSize(&first), 7u);
  ZELS3Node* firstOne = GetOne();
  ZELSymbolicCalculator::SetError(10001);
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

TEST(NodeTable, SharesEqualNodesStripsTheFreshDuplicateAndChainsCollisionsInOrder) {
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
  // Hand-made variables with signatures 5 and 5 + 1013 share bucket 5.
  ASSERT_EQ(TA::Buckets(), 1013u);
  ZELS3Node* loose[3];
  for (int i = 0; i < 3; ++i) {
    loose[i] = new ZELS3Node(NodeVariable);
    NA::SetVariable(loose[i], i == 1 ? 200 : 100, 0);
    NA::SetSignature(loose[i], i == 1 ? 5 + 1013 : 5);
  }
  const unsigned before = TA::ChainLength(&calc, 5);
  EXPECT_EQ(calc.AddNode(loose[0]), loose[0]);
  EXPECT_EQ(calc.AddNode(loose[1]), loose[1]);
  EXPECT_EQ(calc.AddNode(loose[2]), loose[0]) << "equal to the first";
  ASSERT_EQ(TA::ChainLength(&calc, 5), before + 2);
  EXPECT_EQ(TA::ChainNode(&calc, 5, before), loose[0]);
  EXPECT_EQ(TA::ChainNode(&calc, 5, before + 1), loose[1]);
  delete loose[2];
}

namespace {

// A structural key that agrees with structural equality: order is ignored
// where equality ignores it (pairs, lists, the unordered operations).
struct KeyMaker {
  std::unordered_map<const ZELS3Node*, std::string> memo;
  const std::string& operator()(const ZELS3Node* n) {
    auto it = memo.find(n);
    return it != memo.end() ? it->second : memo[n] = Make(n);
  }
  std::string Make(const ZELS3Node* n) {
    char buf[64];
    const ZELNodeType t = n->GetNodeType();
    if (t == NodeVariable) return "x" + std::to_string(n->GetVariableID());
    if (t == NodeBoolConst) return n->GetBool() ? "T" : "F";
    if (t == NodeConstant)
      return std::snprintf(buf, sizeof buf, "%.17g", n->GetConstant() + 0.0), buf;
    std::vector<std::string> parts;
    const auto* facts = zeltav::FactsOf(t);
    const bool pairs = facts && facts->shape == zeltav::ArgShape::Pairs;
    for (unsigned i = 0; i < n->GetArgsNum(); i += pairs ? 2 : 1)
      parts.push_back(pairs ? "[" + (*this)(n->GetArg(i)) + "," + (*this)(n->GetArg(i + 1)) + "]"
                            : (*this)(n->GetArg(i)));
    if (pairs || (facts && (facts->unordered || facts->shape == zeltav::ArgShape::List)))
      std::sort(parts.begin(), parts.end());
    std::string key = std::to_string(t) + static_cast<const char*>(n->GetOperName()) + "(";
    for (const auto& p : parts) key += p + ";";
    return key + ")";
  }
};

}  // namespace

// Random expressions against a plain map from structural key to node: equal
// keys give one object, different keys different objects. Unknown operations
// are never rewritten, so each new one adds exactly one node to the table.
TEST(NodeTableStress, AgreesWithAReferenceMapOverRandomExpressions) {
  ZELSymbolicCalculator calc;
  std::mt19937 rng(20240611u);
  KeyMaker key;
  std::map<std::string, ZELS3Node*> byKey;
  std::set<ZELS3Node*> seen;
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
    const unsigned kind = rng() % 5;
    unsigned before = 0;
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
    const std::string& k = key(r);
    auto found = byKey.find(k);
    const bool fresh = found == byKey.end();
    ASSERT_TRUE(fresh ? seen.insert(r).second : found->second == r) << k << "\n" << Show(r);
    if (fresh) byKey[k] = r;
    if (kind == 2) {
      unknownOps += fresh;
      ASSERT_EQ(TA::TableSize(&calc), before + fresh) << "round " << round << " " << k;
    }
    if (!r->IsBool() && r->GetArgsNum() < 12) pool.push_back(r);
  }
  EXPECT_GT(byKey.size(), 400u);
  EXPECT_GT(unknownOps, 200u);
}
