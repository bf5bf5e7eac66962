// Test-only access to the private members of the node and the calculator.
#ifndef ZELTAV_TEST_ACCESS_H
#define ZELTAV_TEST_ACCESS_H

#include "ZELTavSymbolicCalculator.h"

class ZELS3NodeTestAccess {
 public:
  static int AddArg(ZELS3Node* n, ZELS3Node* a) { return n->AddArg(a); }
  static int AddFath(ZELS3Node* n, ZELS3Node* f) { return n->AddFath(f); }
  static void RemoveFath(ZELS3Node* n, ZELS3Node* f) { n->RemoveFath(f); }
  static int ReplaceArg(ZELS3Node* n, ZELS3Node* a, unsigned i) { return n->ReplaceArg(a, i); }
  static void RemoveArg(ZELS3Node* n, unsigned i) { n->RemoveArg(i); }
  static void RemoveAllArgs(ZELS3Node* n) { n->RemoveAllArgs(); }
  static ZELS3Node* GetFath(const ZELS3Node* n, unsigned i) { return n->GetFath(i); }
  static unsigned GetFathNum(const ZELS3Node* n) { return n->GetFathNum(); }
  static void CalculateSignature(ZELS3Node* n) { n->CalculateSignature(); }
  static void SetSignature(ZELS3Node* n, unsigned s) { n->signature = s; }
  static ZELS3Node* Simplify(ZELS3Node* n, ZELNodeType ctx) { return n->Simplify(ctx); }
  static ZELS3Node* Check(ZELS3Node* n, ZELNodeType ctx) { return ZELS3Node::Check(n, ctx); }
  static ZELS3Node* SimplifySimple(ZELS3Node* n) { return n->SimplifySimple(); }
  static ZELS3Node* CheckSimple(ZELS3Node* n) { return ZELS3Node::CheckSimple(n); }
  static ZELS3Node* Evaluate(ZELS3Node* n, double* number) { return n->Simplify(number); }
  static void SimplifyMinMax(ZELS3Node* n) { n->SimplifyMinMax(); }
  static void SimplifySum(ZELS3Node* n) { n->SimplifySum(); }
  static double SimplifyProd(ZELS3Node* n) { return n->SimplifyProd(); }
  static double EvaluateFunction(ZELNodeType t, double x) {
    return ZELS3Node::EvaluateFunction(t, x);
  }
  static ZELS3Node* CompareConstants(ZELNodeType t, double a, double b) {
    return ZELS3Node::CompareConstants(t, a, b);
  }
  static ZELS3Node* EvaluateBoolConstants(ZELNodeType t, unsigned char p, unsigned char q) {
    return ZELS3Node::EvaluateBoolConstants(t, p, q);
  }
  static ZELS3Node* EvaluateBoolLeft(ZELNodeType t, unsigned char p, ZELS3Node* y) {
    return ZELS3Node::EvaluateBoolLeft(t, p, y);
  }
  static ZELS3Node* EvaluateBoolRight(ZELNodeType t, ZELS3Node* x, unsigned char q) {
    return ZELS3Node::EvaluateBoolRight(t, x, q);
  }
  static void ChangeEqSign(ZELS3Node* n) { n->ChangeEqSign(); }
  static ZELS3Node* ProcessEquation(ZELS3Node* n, int top) { return n->ProcessEquation(top); }
  static ZELS3Node* Transfer(ZELNodeType t, ZELS3Node* a, ZELS3Node* b) {
    return ZELS3Node::Transfer(t, a, b);
  }
  static ZELSymbolicCalculator* Current() { return ZELS3Node::scalc; }
  static void SetCurrent(ZELSymbolicCalculator* c) { ZELS3Node::scalc = c; }
  // Leaf fields, for nodes made by hand with the constructors.
  static void SetVariable(ZELS3Node* n, unsigned long long id, unsigned char flag) {
    n->value.id = id;
    n->constVar = flag;
  }
  static void SetConstant(ZELS3Node* n, double v) { n->value.constant = v; }
  static void SetBool(ZELS3Node* n, unsigned char b) { n->value.boolean = b; }
  static ZELICVectorImp_ZELS3Node& Args(ZELS3Node* n) { return n->args; }
};

class ZELSymbolicCalculatorTestAccess {
 public:
  static ZELS3Node* ReduceSum(ZELSymbolicCalculator* c, ZELS3Node* s, ZELS3Node* o) {
    return c->ReduceSum(s, o);
  }
  static ZELS3Node* RebuildForOutput(ZELS3Node* n) {
    return ZELSymbolicCalculator::RebuildForOutput(n);
  }
  static unsigned Buckets() { return ZELSymbolicCalculator::kBuckets; }
  // Nodes of bucket b, in chain order.
  static unsigned ChainLength(const ZELSymbolicCalculator* c, unsigned b) {
    return c->table ? c->table[b].count : 0;
  }
  static ZELS3Node* ChainNode(const ZELSymbolicCalculator* c, unsigned b, unsigned k) {
    return k < ChainLength(c, b) ? c->table[b].cells[k].node : nullptr;
  }
  static unsigned TableSize(const ZELSymbolicCalculator* c) {
    unsigned n = 0;
    for (unsigned b = 0; b < ZELSymbolicCalculator::kBuckets; ++b) n += ChainLength(c, b);
    return n;
  }
  static const ZELICVectorImp_ZELS3Node& Equations(const ZELSymbolicCalculator* c) {
    return c->equations;
  }
  static const ZELICVectorImp_ZELS3Node& ConstVariables(const ZELSymbolicCalculator* c) {
    return c->constVars;
  }
  static const ZELICVectorImp_ZELS3ExactVariable& ExactVariables(const ZELSymbolicCalculator* c) {
    return c->exactVars;
  }
  static const ZELICVectorImp_ZELS3LinearVariable& LinearVariables(const ZELSymbolicCalculator* c) {
    return c->linearVars;
  }
  // Records pushed straight into the calculator's lists, which own them.
  static void PushExact(ZELSymbolicCalculator* c, ZELS3ExactVariable* r) { c->exactVars.Add(r); }
  static void PushLinear(ZELSymbolicCalculator* c, ZELS3LinearVariable* r) { c->linearVars.Add(r); }
  static int ErrorCode() { return ZELSymbolicCalculator::_Error; }
  static void ResetError() { ZELSymbolicCalculator::_Error = 0; }
};

#endif
