// Test-only access to the private members of the node and the calculator.
#ifndef ZELTAV_TEST_ACCESS_H
#define ZELTAV_TEST_ACCESS_H

#include "ZELTavSymbolicCalculator.h"
#include "calculator/NodeTable.h"

class ZELS3NodeTestAccess {
 public:
  static int AddArg(ZELS3Node* n, ZELS3Node* a) { return n->AddArg(a); }
  static int AddFath(ZELS3Node* n, ZELS3Node* f) { return n->AddFath(f); }
  static int ReplaceArg(ZELS3Node* n, ZELS3Node* a, unsigned i) { return n->ReplaceArg(a, i); }
  static void RemoveArg(ZELS3Node* n, unsigned i) { n->RemoveArg(i); }
  static void RemoveAllArgs(ZELS3Node* n) { n->RemoveAllArgs(); }
  static ZELS3Node* GetFath(const ZELS3Node* n, unsigned i) { return n->GetFath(i); }
  static unsigned GetFathNum(const ZELS3Node* n) { return n->GetFathNum(); }
  static ZELICVectorImp_ZELS3Node& Fathers(ZELS3Node* n) { return n->fathers; }
  static void CalculateSignature(ZELS3Node* n) { n->CalculateSignature(); }
  static void SetSignature(ZELS3Node* n, unsigned s) { n->signature = s; }
  static ZELS3Node* Simplify(ZELS3Node* n, ZELNodeType ctx) { return n->Simplify(ctx); }
  static ZELS3Node* Evaluate(ZELS3Node* n, double* number) { return n->Simplify(number); }
  static void SimplifyMinMax(ZELS3Node* n) { n->SimplifyMinMax(); }
  static void SimplifySum(ZELS3Node* n) { n->SimplifySum(); }
  static double SimplifyProd(ZELS3Node* n) { return n->SimplifyProd(); }
  // The static members, as they are.
  static constexpr auto Check = &ZELS3Node::Check;
  static constexpr auto CheckSimple = &ZELS3Node::CheckSimple;
  static constexpr auto Transfer = &ZELS3Node::Transfer;
  static ZELSymbolicCalculator* Current() { return ZELS3Node::scalc; }
  static void SetCurrent(ZELSymbolicCalculator* c) { ZELS3Node::scalc = c; }
  // Leaf fields, for nodes made by hand with the constructors.
  static ZELS3Node* SetVariable(ZELS3Node* n, unsigned long long id, unsigned char flag) {
    n->value.id = id;
    n->constVar = flag;
    return n;
  }
  static ZELS3Node* SetConstant(ZELS3Node* n, double v) {
    n->value.constant = v;
    return n;
  }
  static ZELS3Node* SetBool(ZELS3Node* n, unsigned char b) {
    n->value.boolean = b;
    return n;
  }
};

class ZELSymbolicCalculatorTestAccess {
  using Calc = const ZELSymbolicCalculator*;

 public:
  static unsigned TableSize(Calc c) { return c->table ? c->table->Entries() : 0; }
  static const ZELICVectorImp_ZELS3Node& Equations(Calc c) { return c->equations; }
  static const ZELICVectorImp_ZELS3Node& ConstVariables(Calc c) { return c->constVars; }
  static const ZELICVectorImp_ZELS3ExactVariable& ExactVariables(Calc c) { return c->exactVars; }
  // Records pushed straight into the calculator's lists, which own them.
  static void PushExact(ZELSymbolicCalculator* c, ZELS3ExactVariable* r) { c->exactVars.Add(r); }
  static void PushLinear(ZELSymbolicCalculator* c, ZELS3LinearVariable* r) { c->linearVars.Add(r); }
  static bool Settled(Calc c, const ZELS3Node* n) { return c->table && c->table->Settled(n); }
  static bool KnownEqualToItself(Calc c, const ZELS3Node* n) {
    return c->table && c->table->KnownEqualToItself(n);
  }
  static int ErrorCode() { return ZELSymbolicCalculator::_Error; }
  static void ResetError() { ZELSymbolicCalculator::_Error = 0; }
};

#endif
