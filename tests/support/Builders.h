// Short node builders for the tests: registered nodes through the public
// factories, and hand-made nodes outside any calculator.
#ifndef ZELTAV_TEST_BUILDERS_H
#define ZELTAV_TEST_BUILDERS_H

#include <algorithm>
#include <initializer_list>
#include <utility>
#include <vector>

#include "support/NodePrinter.h"
#include "support/TestAccess.h"

namespace zeltav_test {

using Args = std::initializer_list<ZELS3Node*>;
inline ZELS3Node* Var(unsigned long long id, unsigned char constFlag = 0) {
  return CreateExpression(id, constFlag);
}
inline ZELS3Node* Num(double v) { return CreateExpression(v); }
inline ZELS3Node* Bool(unsigned char b) { return CreateExpression(b); }
// By("+", {a, b}): the operation spelled "+" over a and b.
inline ZELS3Node* By(const char* spelling, Args args) {
  ZELICVectorImp_ZELS3Node v(5u, 5u);
  for (ZELS3Node* a : args) v.Add(a);
  return CreateExpression(ZELString(spelling), v);
}
// Linear({{2, x}, {3, y}}): 2*x + 3*y
inline ZELS3Node* Linear(std::initializer_list<std::pair<double, ZELS3Node*>> terms) {
  ZELICVectorImp_ZELS3Node v(5u, 5u);
  for (const auto& t : terms) v.Add(By("*", {Num(t.first), t.second}));
  return CreateExpression(ZELString("+"), v);
}
// A fresh, unregistered node of type t over the given arguments.
inline ZELS3Node* Fresh(ZELNodeType t, Args args) {
  ZELS3Node* n = new ZELS3Node(t);
  for (ZELS3Node* a : args) ZELS3NodeTestAccess::AddArg(n, a);
  return n;
}
// The (coefficient or base, term or exponent) pairs in pointer order.
using Pairs = std::vector<std::pair<ZELS3Node*, ZELS3Node*>>;
inline Pairs Sorted(Pairs p) { return std::sort(p.begin(), p.end()), p; }
inline Pairs PairsOf(const ZELS3Node* n) {
  Pairs p;
  for (unsigned i = 0; i + 1 < n->GetArgsNum(); i += 2)
    p.emplace_back(n->GetArg(i), n->GetArg(i + 1));
  return Sorted(p);
}
inline int ErrorCode() { return ZELSymbolicCalculatorTestAccess::ErrorCode(); }

// Nodes made by hand with their signatures computed; unlinked and deleted
// when the pool ends.
class HandMadeNodes {
  using A = ZELS3NodeTestAccess;
  std::vector<ZELS3Node*> nodes_;
  ZELS3Node* Link(ZELS3Node* n, Args args) {
    for (ZELS3Node* a : args) A::AddArg(n, a);
    return A::CalculateSignature(Keep(n)), n;
  }

 public:
  HandMadeNodes() { ZELSymbolicCalculatorTestAccess::ResetError(); }
  ~HandMadeNodes() {
    for (ZELS3Node* n : nodes_) A::RemoveAllArgs(n);
    for (ZELS3Node* n : nodes_) delete n;
  }
  ZELS3Node* Keep(ZELS3Node* n) { return nodes_.push_back(n), n; }
  ZELS3Node* Var(unsigned long long id, unsigned char flag = 0) {
    ZELS3Node* n = new ZELS3Node(NodeVariable);
    return A::SetVariable(n, id, flag), Link(n, {});
  }
  ZELS3Node* Const(double v) {
    ZELS3Node* n = new ZELS3Node(NodeConstant);
    return A::SetConstant(n, v), Link(n, {});
  }
  ZELS3Node* Bool(unsigned char b) {
    ZELS3Node* n = new ZELS3Node(NodeBoolConst);
    return A::SetBool(n, b), Link(n, {});
  }
  ZELS3Node* Op(ZELNodeType t, Args args) { return Link(new ZELS3Node(t), args); }
  ZELS3Node* Named(ZELNodeType t, const char* name, Args args) {
    return Link(new ZELS3Node(t, ZELString(name)), args);
  }
};

}  // namespace zeltav_test

#endif
