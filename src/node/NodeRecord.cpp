// The node record: construction, typed accessors and the type predicates.
#include "ZELTavSymbolicCalculator/Calculator.h"
#include "calculator/NodeTable.h"
#include "node/NodeTypeTable.h"

ZELSymbolicCalculator* ZELS3Node::scalc = nullptr;

namespace {

// The name the constructor by type stores; types 38 and above, and negative
// ones, get "" and are reported.
const char* OperNameOf(ZELNodeType t) {
  const zeltav::NodeTypeFacts* facts = zeltav::FactsOf(t);
  if (facts == nullptr || t == NodeUnknown) {
    ZELSymbolicCalculator::SetError(10001);
    return "";
  }
  return facts->operName;
}

// A node's argument and father vectors get their slot array only with their
// first element (most leaves never take an argument, and a node that loses
// in the table never gains a father), and then double: 1, 2, 4, 8 slots,
// the sizes its calculator's slot arena keeps without a heap block each.
struct LazySlots : ZELICVectorImp_ZELS3Node {
  static void GrowByDoubling(ZELICVectorImp_ZELS3Node& v) { v.*(&LazySlots::factor) = 1.0; }
};

}  // namespace

// The value field and the signature are written later (by the factory and by
// CalculateSignature); they start cleared so that nothing reads garbage.
ZELS3Node::ZELS3Node(ZELNodeType t)
    : type(t),
      value(),
      constVar(0),
      args(),
      fathers(),
      name(OperNameOf(t)),
      signature(0),
      apiNode(nullptr),
      sdNode(nullptr) {
  LazySlots::GrowByDoubling(args);
  LazySlots::GrowByDoubling(fathers);
  zeltav::NoteMade(this);
}

ZELS3Node::ZELS3Node(ZELNodeType t, const ZELString& n)
    : type(t),
      value(),
      constVar(0),
      args(),
      fathers(),
      name(n),
      signature(0),
      apiNode(nullptr),
      sdNode(nullptr) {
  LazySlots::GrowByDoubling(args);
  LazySlots::GrowByDoubling(fathers);
  zeltav::NoteMade(this);
}

ZELNodeType ZELS3Node::GetNodeType() const { return type; }

ZELNodeType ZELS3Node::GetOperation() const {
  if (IsOperation()) return type;
  ZELSymbolicCalculator::SetError(10005);
  return NodeUnknown;
}

ZELString ZELS3Node::GetOperName() const { return name; }
unsigned int ZELS3Node::GetSignature() const { return signature; }
unsigned int ZELS3Node::GetArgsNum() const { return args.Count(); }

unsigned long long ZELS3Node::GetVariableID() const {
  if (IsVariable()) return value.id;
  ZELSymbolicCalculator::SetError(10002);
  return 0;
}

double ZELS3Node::GetConstant() const {
  if (IsConstant()) return value.constant;
  ZELSymbolicCalculator::SetError(10003);
  return 0.0;
}

int ZELS3Node::GetBool() const {
  if (IsBoolConst()) return value.boolean;
  ZELSymbolicCalculator::SetError(10004);
  return 0;
}

ZORYASubdefiniteNode* ZELS3Node::GetAPINode() const { return apiNode; }
void ZELS3Node::SetAPINode(ZORYASubdefiniteNode* n) { apiNode = n; }
ZELSubdefiniteTerm* ZELS3Node::GetSDNode() const { return sdNode; }
void ZELS3Node::SetSDNode(ZELSubdefiniteTerm* t) { sdNode = t; }

// Predicates read the fields directly so that they never set an error.
int ZELS3Node::IsVariable() const { return type == NodeVariable; }
int ZELS3Node::IsNonConstVariable() const { return type == NodeVariable && constVar == 0; }
int ZELS3Node::IsConstant() const { return type == NodeConstant; }
int ZELS3Node::IsBoolConst() const { return type == NodeBoolConst; }
int ZELS3Node::IsBool() const { return zeltav::IsBoolValuedType(type); }
int ZELS3Node::IsOperation() const { return zeltav::IsOperationType(type); }
int ZELS3Node::IsUnknown() const { return type == NodeUnknown; }
int ZELS3Node::IsTrue() const { return type == NodeBoolConst && value.boolean == 1; }
int ZELS3Node::IsFalse() const { return type == NodeBoolConst && value.boolean == 0; }
int ZELS3Node::IsZero() const { return type == NodeConstant && value.constant == 0.0; }
int ZELS3Node::IsOne() const { return type == NodeConstant && value.constant == 1.0; }
int ZELS3Node::IsMinesOne() const { return type == NodeConstant && value.constant == -1.0; }

int ZELS3Node::IsExactVariable() const {
  return scalc != nullptr && IsNonConstVariable() && scalc->IsExactVariable(value.id) ? 1 : 0;
}

int ZELS3Node::IsLinearVariable() const {
  return scalc != nullptr && IsNonConstVariable() && scalc->IsLinearVariable(value.id) ? 1 : 0;
}
