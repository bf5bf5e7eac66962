// A calculator for each test, leaves and operations through the factories,
// and raw operation nodes (not yet simplified) for running one rule or pass
// on its own. Raw nodes are unlinked and deleted before the calculator goes.
#ifndef ZELTAV_TEST_SIMPLIFY_TESTING_H
#define ZELTAV_TEST_SIMPLIFY_TESTING_H

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "support/NodePrinter.h"
#include "support/TestAccess.h"

namespace zeltav_test {

class SimplifyTest : public ::testing::Test {
 protected:
  using A = ZELS3NodeTestAccess;

  SimplifyTest() { ZELSymbolicCalculatorTestAccess::ResetError(); }
  ~SimplifyTest() override {
    for (ZELS3Node* n : raw_) A::RemoveAllArgs(n);
    for (ZELS3Node* n : raw_) delete n;
    ZELSymbolicCalculatorTestAccess::ResetError();
  }

  static int Error() { return ZELSymbolicCalculatorTestAccess::ErrorCode(); }
  static void ResetError() { ZELSymbolicCalculatorTestAccess::ResetError(); }

  static ZELS3Node* X(unsigned long long id) { return CreateExpression(id, 0); }
  static ZELS3Node* N(double v) { return CreateExpression(v); }
  static ZELS3Node* B(bool b) { return CreateExpression(static_cast<unsigned char>(b ? 1 : 0)); }
  static ZELS3Node* Op(ZELNodeType t, std::initializer_list<ZELS3Node*> args) {
    ZELICVectorImp_ZELS3Node v(8u, 8u);
    for (ZELS3Node* a : args) v.Add(a);
    return CreateOperation(t, v);
  }
  static ZELS3Node* Un(ZELNodeType t, ZELS3Node* a) { return CreateUnaryOperation(t, a); }
  static ZELS3Node* Bin(ZELNodeType t, ZELS3Node* a, ZELS3Node* b) {
    return CreateBinaryOperation(t, a, b);
  }

  // A fresh operation node over args, linked but neither simplified nor registered.
  ZELS3Node* Raw(ZELNodeType t, std::initializer_list<ZELS3Node*> args) {
    ZELS3Node* n = new ZELS3Node(t);
    raw_.push_back(n);
    for (ZELS3Node* a : args) A::AddArg(n, a);
    return n;
  }

  static unsigned Count(const ZELS3Node* n) { return n ? n->GetArgsNum() : 0u; }
  static ZELS3Node* Arg(const ZELS3Node* n, unsigned i) {
    return i < Count(n) ? A::Args(const_cast<ZELS3Node*>(n))[i] : nullptr;
  }
  static bool IsNum(const ZELS3Node* n, double v) {
    return n && n->GetNodeType() == NodeConstant && n->GetConstant() == v;
  }
  static bool IsType(const ZELS3Node* n, ZELNodeType t) { return n && n->GetNodeType() == t; }
  // Whether n's arguments are exactly these nodes, in order; numbers can be
  // given as N(v), since equal constants are one shared node.
  static bool ArgsAre(const ZELS3Node* n, std::initializer_list<const ZELS3Node*> expected) {
    if (Count(n) != expected.size()) return false;
    unsigned i = 0;
    for (const ZELS3Node* e : expected)
      if (Arg(n, i++) != e) return false;
    return true;
  }

  ZELSymbolicCalculator calc;

 private:
  std::vector<ZELS3Node*> raw_;
};

}  // namespace zeltav_test

#endif
