// Nodes made by hand outside any calculator; the pool unlinks and deletes
// them when the test ends.
#ifndef ZELTAV_TEST_HAND_MADE_NODES_H
#define ZELTAV_TEST_HAND_MADE_NODES_H

#include <initializer_list>
#include <vector>

#include "support/TestAccess.h"

namespace zeltav_test {

class HandMadeNodes {
 public:
  using A = ZELS3NodeTestAccess;
  HandMadeNodes() { ZELSymbolicCalculatorTestAccess::ResetError(); }
  ~HandMadeNodes() {
    for (ZELS3Node* n : nodes_) A::RemoveAllArgs(n);
    for (ZELS3Node* n : nodes_) delete n;
  }
  ZELS3Node* Var(unsigned long long id, unsigned char flag = 0) {
    ZELS3Node* n = Keep(new ZELS3Node(NodeVariable));
    A::SetVariable(n, id, flag);
    return Link(n, {});
  }
  ZELS3Node* Const(double v) {
    ZELS3Node* n = Keep(new ZELS3Node(NodeConstant));
    A::SetConstant(n, v);
    return Link(n, {});
  }
  ZELS3Node* Bool(unsigned char b) {
    ZELS3Node* n = Keep(new ZELS3Node(NodeBoolConst));
    A::SetBool(n, b);
    return Link(n, {});
  }
  ZELS3Node* Op(ZELNodeType t, std::initializer_list<ZELS3Node*> args) {
    return Link(Keep(new ZELS3Node(t)), args);
  }
  ZELS3Node* Named(ZELNodeType t, const char* name, std::initializer_list<ZELS3Node*> args) {
    return Link(Keep(new ZELS3Node(t, ZELString(name))), args);
  }
  ZELS3Node* Keep(ZELS3Node* n) {
    nodes_.push_back(n);
    return n;
  }

 private:
  // Links the arguments and computes the signature.
  static ZELS3Node* Link(ZELS3Node* n, std::initializer_list<ZELS3Node*> args) {
    for (ZELS3Node* a : args) A::AddArg(n, a);
    A::CalculateSignature(n);
    return n;
  }
  std::vector<ZELS3Node*> nodes_;
};

inline int ErrorCode() { return ZELSymbolicCalculatorTestAccess::ErrorCode(); }

}  // namespace zeltav_test

#endif
