// Node builders and argument checks for the tests.
#ifndef ZELTAV_TEST_BUILDERS_H
#define ZELTAV_TEST_BUILDERS_H

#include <gtest/gtest.h>
#include <zeltav_support/Evaluator.h>

#include <algorithm>
#include <initializer_list>
#include <utility>
#include <vector>

#include "support/NodePrinter.h"
#include "support/PublicBuilders.h"
#include "support/TestAccess.h"

namespace zeltav_test {

using zeltav_support::Evaluate;
using zeltav_support::Point;

inline ZELS3Node* Un(ZELNodeType t, ZELS3Node* a) { return CreateUnaryOperation(t, a); }
inline ZELS3Node* Bin(ZELNodeType t, ZELS3Node* a, ZELS3Node* b) {
  return CreateBinaryOperation(t, a, b);
}
// Op(t, {...}) builds by type; By("+", {...}) by spelling.
inline ZELS3Node* Op(ZELNodeType t, Args args) {
  ZELICVectorImp_ZELS3Node v(8u, 8u);
  for (ZELS3Node* a : args) v.Add(a);
  return CreateOperation(t, v);
}
// Linear({{2, x}, {3, y}}): 2*x + 3*y
inline ZELS3Node* Linear(std::initializer_list<std::pair<double, ZELS3Node*>> terms) {
  ZELICVectorImp_ZELS3Node v(5u, 5u);
  for (const auto& t : terms) v.Add(By("*", {Num(t.first), t.second}));
  return CreateExpression(ZELString("+"), v);
}
// Link: n over the given arguments; Fresh: a new unregistered node of type t over them.
inline ZELS3Node* Link(ZELS3Node* n, Args args) {
  for (ZELS3Node* a : args) ZELS3NodeTestAccess::AddArg(n, a);
  return n;
}
inline ZELS3Node* Fresh(ZELNodeType t, Args args) { return Link(new ZELS3Node(t), args); }
// The (coefficient or base, term or exponent) pairs in pointer order.
using Pairs = std::vector<std::pair<ZELS3Node*, ZELS3Node*>>;
inline Pairs Sorted(Pairs p) {
  std::sort(p.begin(), p.end());
  return p;
}
inline Pairs PairsOf(const ZELS3Node* n) {
  Pairs p;
  for (unsigned i = 0; i + 1 < n->GetArgsNum(); i += 2) {
    p.emplace_back(n->GetArg(i), n->GetArg(i + 1));
  }
  return Sorted(p);
}
inline int ErrorCode() { return ZELSymbolicCalculatorTestAccess::ErrorCode(); }
inline void ResetError() { ZELSymbolicCalculatorTestAccess::ResetError(); }
inline unsigned Count(const ZELS3Node* n) { return n ? n->GetArgsNum() : 0u; }
inline ZELS3Node* Arg(ZELS3Node* n, unsigned i) { return i < Count(n) ? n->GetArg(i) : nullptr; }
inline std::vector<ZELS3Node*> ArgsOf(const ZELS3Node* n) {
  std::vector<ZELS3Node*> args;
  for (unsigned i = 0; i < Count(n); ++i) args.push_back(n->GetArg(i));
  return args;
}
// n is of type t (any type for Has) with exactly these arguments, in order;
// equal numbers are one shared node, so they can be given as Num(v).
inline ::testing::AssertionResult Is(const ZELS3Node* n, int t, Args args) {
  bool same = n && (t < 0 || n->GetNodeType() == t) && Count(n) == args.size();
  unsigned i = 0;
  for (const ZELS3Node* e : args) same = same && n->GetArg(i++) == e;
  if (same) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "type " << t << " expected, got " << Show(n);
}
inline ::testing::AssertionResult Has(const ZELS3Node* n, Args args) { return Is(n, -1, args); }

// Nodes made by hand, with their signatures computed (Raw and Keep: as
// they are); unlinked and deleted when the pool ends.
class HandMadeNodes {
  using A = ZELS3NodeTestAccess;
  std::vector<ZELS3Node*> nodes_;
  ZELS3Node* Sign(ZELS3Node* n) {
    A::CalculateSignature(n);
    return Keep(n);
  }

 public:
  HandMadeNodes() { ResetError(); }
  ~HandMadeNodes() {
    for (ZELS3Node* n : nodes_) A::RemoveAllArgs(n);
    for (ZELS3Node* n : nodes_) delete n;
    ResetError();
  }
  ZELS3Node* Keep(ZELS3Node* n) {
    nodes_.push_back(n);
    return n;
  }
  ZELS3Node* Var(unsigned long long id, unsigned char flag = 0) {
    return Sign(A::SetVariable(new ZELS3Node(NodeVariable), id, flag));
  }
  ZELS3Node* Const(double v) { return Sign(A::SetConstant(new ZELS3Node(NodeConstant), v)); }
  ZELS3Node* Bool(unsigned char b) { return Sign(A::SetBool(new ZELS3Node(NodeBoolConst), b)); }
  ZELS3Node* Op(ZELNodeType t, Args args) { return Sign(Fresh(t, args)); }
  ZELS3Node* Raw(ZELNodeType t, Args args) { return Keep(Fresh(t, args)); }
  ZELS3Node* Named(ZELNodeType t, const char* name, Args args) {
    return Sign(Link(new ZELS3Node(t, ZELString(name)), args));
  }
};
// A calculator for each test, and hand-made nodes that go before it.
struct WithCalculator : ::testing::Test {
  ZELSymbolicCalculator calc;
  HandMadeNodes pool;
};

}  // namespace zeltav_test

#endif
