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
  // n has exactly these arguments, in order (and is of type t); equal
  // numbers are one shared node, so they can be given as N(v).
  static ::testing::AssertionResult Has(const ZELS3Node* n,
                                        std::initializer_list<const ZELS3Node*> args) {
    bool same = Count(n) == args.size();
    unsigned i = 0;
    for (const ZELS3Node* e : args) same = same && Arg(n, i++) == e;
    if (same) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got " << zeltav_test::Show(n);
  }
  static ::testing::AssertionResult Is(const ZELS3Node* n, ZELNodeType t,
                                       std::initializer_list<const ZELS3Node*> args) {
    if (n && n->GetNodeType() == t) return Has(n, args);
    return ::testing::AssertionFailure()
           << "type " << t << " expected, got " << zeltav_test::Show(n);
  }
  static ::testing::AssertionResult IsNum(const ZELS3Node* n, double v) {
    if (n && n->GetNodeType() == NodeConstant && n->GetConstant() == v)
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << v << " expected, got " << zeltav_test::Show(n);
  }

  ZELSymbolicCalculator calc;

 private:
  std::vector<ZELS3Node*> raw_;
};

}  // namespace zeltav_test

#endif
