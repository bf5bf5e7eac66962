#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "build/BuildHelpers.h"
#include "node/NodeTypeTable.h"

using namespace zeltav_test;
using TA = ZELSymbolicCalculatorTestAccess;
using NA = ZELS3NodeTestAccess;

TEST(CalculatorConstruction, StartsCleanAndASecondOneBecomesCurrentWithItsOwnConstants) {
  ZELSymbolicCalculator::SetError(5);
  ZELSymbolicCalculator first;
  EXPECT_EQ(first.GetError(), 0);
  EXPECT_EQ(
      first.GetGauss() * 8 + first.GetDivReplace() * 4 + first.GetTransfer() * 2 + first.GetSubst(),
      6);
  EXPECT_EQ(first.GetNumberOfEquations(), 0u);
  EXPECT_EQ(first.GetEquation(0), nullptr);
  EXPECT_TRUE(GetMinesOne()->IsMinesOne());
  EXPECT_TRUE(GetTrue()->IsTrue());
  EXPECT_EQ(TA::TableSize(&first), 7u);
  first.SetGauss(7);
  EXPECT_EQ(first.GetGauss(), 7);
  ZELS3Node* firstOne = GetOne();
  ZELSymbolicCalculator::SetError(10001);
  {
    ZELSymbolicCalculator second;
    EXPECT_EQ(NA::Current(), &second);
    EXPECT_EQ(second.GetError(), 0);
    EXPECT_NE(GetOne(), firstOne);
    EXPECT_EQ(TA::TableSize(&first), 7u);
    ZELSymbolicCalculator::SetError(3);
  }
  EXPECT_EQ(first.GetError(), 0);  // the destructor resets the code
}

namespace {

// A variable node made by hand with a chosen signature, not yet registered.
ZELS3Node* LooseVariable(unsigned long long id, unsigned signature) {
  ZELS3Node* n = new ZELS3Node(NodeVariable);
  NA::SetVariable(n, id, 0);
  NA::SetSignature(n, signature);
  return n;
}

}  // namespace

TEST(NodeTable, SharesEqualNodesAndStripsTheFreshDuplicate) {
  ZELSymbolicCalculator calc;
  EXPECT_EQ(calc.AddNode(nullptr), nullptr);
  ZELS3Node* x = Var(1);
  ZELS3Node* s = CreateUnaryOperation(NodeSin, x);
  EXPECT_EQ(calc.AddNode(s), s);  // already registered: unchanged

  ZELS3Node* dup = new ZELS3Node(NodeSin);
  NA::AddArg(dup, x);
  NA::CalculateSignature(dup);
  const unsigned size = TA::TableSize(&calc);
  EXPECT_EQ(calc.AddNode(dup), s);
  EXPECT_EQ(dup->GetArgsNum(), 0u);
  EXPECT_EQ(NA::GetFathNum(x), 1u);
  EXPECT_EQ(NA::GetFath(x, 0), s);
  EXPECT_EQ(TA::TableSize(&calc), size);
  delete dup;
}

TEST(NodeTable, ChainsCollidingNodesInOrderOfRegistration) {
  ZELSymbolicCalculator calc;
  const unsigned buckets = TA::Buckets();
  ASSERT_EQ(buckets, 1013u);
  // Signatures 5 and 5 + 1013 share bucket 5; unequal nodes both stay.
  ZELS3Node* a = LooseVariable(100, 5);
  ZELS3Node* b = LooseVariable(200, 5 + buckets);
  ZELS3Node* c = LooseVariable(100, 5);  // equal to a
  const unsigned before = TA::ChainLength(&calc, 5);
  EXPECT_EQ(calc.AddNode(a), a);
  EXPECT_EQ(calc.AddNode(b), b);
  EXPECT_EQ(calc.AddNode(c), a);
  ASSERT_EQ(TA::ChainLength(&calc, 5), before + 2);
  EXPECT_EQ(TA::ChainNode(&calc, 5, before), a);
  EXPECT_EQ(TA::ChainNode(&calc, 5, before + 1), b);
  delete c;
}

namespace {

// A structural key that agrees with structural equality: order is ignored
// where equality ignores it (pairs of sums and products, min and max, the
// symmetric relations and connectives).
class KeyMaker {
 public:
  const std::string& Key(const ZELS3Node* n) {
    auto it = memo_.find(n);
    if (it != memo_.end()) return it->second;
    return memo_[n] = Make(n);
  }

 private:
  std::string Make(const ZELS3Node* n) {
    char buf[64];
    const ZELNodeType t = n->GetNodeType();
    if (t == NodeVariable) return "x" + std::to_string(n->GetVariableID());
    if (t == NodeConstant) {
      const double v = n->GetConstant();
      std::snprintf(buf, sizeof buf, "%.17g", v == 0.0 ? 0.0 : v);
      return buf;
    }
    if (t == NodeBoolConst) return n->GetBool() ? "T" : "F";
    std::vector<std::string> parts;
    const unsigned count = n->GetArgsNum();
    const auto* facts = zeltav::FactsOf(t);
    const bool pairs = facts != nullptr && facts->shape == zeltav::ArgShape::Pairs;
    for (unsigned i = 0; i < count; i += pairs ? 2 : 1) {
      std::string p = Key(n->GetArg(i));
      if (pairs) p = "[" + p + "," + Key(n->GetArg(i + 1)) + "]";
      parts.push_back(p);
    }
    if (pairs ||
        (facts != nullptr && (facts->unordered || facts->shape == zeltav::ArgShape::List))) {
      std::sort(parts.begin(), parts.end());
    }
    std::string key = std::to_string(t) + static_cast<const char*>(n->GetOperName()) + "(";
    for (const auto& p : parts) key += p + ";";
    return key + ")";
  }

  std::unordered_map<const ZELS3Node*, std::string> memo_;
};

}  // namespace

// Builds many random expressions and checks the table against a plain map
// from structural key to node: equal keys give one object, different keys
// different objects.
TEST(NodeTableStress, AgreesWithAReferenceMapOverRandomExpressions) {
  ZELSymbolicCalculator calc;
  std::mt19937 rng(20240611u);
  KeyMaker keys;
  std::map<std::string, ZELS3Node*> byKey;
  std::unordered_map<ZELS3Node*, std::string> byNode;
  std::vector<ZELS3Node*> pool;
  const double constants[] = {0.0, 1.0, 2.0, -1.0, 0.5, 3.0};
  auto pick = [&]() -> ZELS3Node* {
    const unsigned r = rng() % 10;
    if (r < 3 || pool.empty()) return Var(1 + rng() % 3);
    if (r < 5) return CreateExpression(constants[rng() % 6]);
    return pool[rng() % pool.size()];
  };
  const ZELNodeType binary[] = {NodeSum,  NodeDifference, NodeProduct, NodeQuotient,
                                NodeLess, NodeEqual,      NodeMin,     NodeMax};
  const ZELNodeType unary[] = {NodeSin, NodeCos, NodeAbs, NodeDifference};
  for (int round = 0; round < 3000; ++round) {
    ZELS3Node* a = pick();
    ZELS3Node* b = pick();
    ZELS3Node* r = nullptr;
    switch (rng() % 4) {
      case 0:
        r = CreateUnaryOperation(unary[rng() % 4], a);
        break;
      case 1:
        r = CreateBinaryOperation(NodePower, a, rng() % 2 ? GetTwo() : Var(1));
        break;
      default: {
        const ZELNodeType t = binary[rng() % 8];
        const bool relation = t == NodeLess || t == NodeEqual;
        if (relation && (a->IsBool() || b->IsBool())) continue;
        if (!relation && (a->IsBool() || b->IsBool())) continue;
        r = CreateBinaryOperation(t, a, b);
      }
    }
    ASSERT_NE(r, nullptr) << "round " << round;
    const std::string& k = keys.Key(r);
    auto found = byKey.find(k);
    if (found != byKey.end()) {
      ASSERT_EQ(found->second, r) << k << "\n" << Show(r);
    } else {
      auto known = byNode.find(r);
      ASSERT_TRUE(known == byNode.end()) << k << " vs " << known->second;
      byKey[k] = r;
      byNode[r] = k;
    }
    if (!r->IsBool() && r->GetArgsNum() < 12) pool.push_back(r);
  }
  EXPECT_GT(byKey.size(), 200u);
}

// Over operations that are never rewritten, the table grows by exactly one
// node per new key.
TEST(NodeTableStress, GrowsByOneNodePerNewExpression) {
  ZELSymbolicCalculator calc;
  std::mt19937 rng(77u);
  KeyMaker keys;
  std::map<std::string, ZELS3Node*> byKey;
  std::vector<ZELS3Node*> pool = {Var(1), Var(2), Var(3), CreateExpression(0.25)};
  unsigned expected = TA::TableSize(&calc);
  const char* names[] = {"f", "g", "h"};
  for (int round = 0; round < 2000; ++round) {
    ZELICVectorImp_ZELS3Node args(3u, 5u);
    const unsigned n = rng() % 4;
    for (unsigned i = 0; i < n; ++i) args.Add(pool[rng() % pool.size()]);
    ZELS3Node* r = CreateExpression(ZELString(names[rng() % 3]), args);
    ASSERT_NE(r, nullptr);
    const std::string& k = keys.Key(r);
    auto found = byKey.find(k);
    if (found == byKey.end()) {
      byKey[k] = r;
      pool.push_back(r);
      ++expected;
    } else {
      ASSERT_EQ(found->second, r) << k;
    }
    ASSERT_EQ(TA::TableSize(&calc), expected) << "round " << round << " " << k;
  }
}
