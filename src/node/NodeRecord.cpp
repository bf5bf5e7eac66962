// STUB
#include "ZELTavSymbolicCalculator/Calculator.h"
ZELSymbolicCalculator* ZELS3Node::scalc = nullptr;
ZELS3Node::ZELS3Node(ZELNodeType t) : type(t), value(), constVar(0), args(5u, 5u), fathers(5u, 5u), name(), signature(0), apiNode(nullptr), sdNode(nullptr) {}
ZELS3Node::ZELS3Node(ZELNodeType t, const ZELString& n) : type(t), value(), constVar(0), args(5u, 5u), fathers(5u, 5u), name(n), signature(0), apiNode(nullptr), sdNode(nullptr) {}
ZELNodeType ZELS3Node::GetNodeType() const { return type; }
ZELNodeType ZELS3Node::GetOperation() const { return type; }
ZELString ZELS3Node::GetOperName() const { return name; }
unsigned int ZELS3Node::GetSignature() const { return signature; }
unsigned int ZELS3Node::GetArgsNum() const { return args.Count(); }
unsigned long long ZELS3Node::GetVariableID() const { return value.id; }
double ZELS3Node::GetConstant() const { return value.constant; }
int ZELS3Node::GetBool() const { return value.boolean; }
ZORYASubdefiniteNode* ZELS3Node::GetAPINode() const { return apiNode; }
void ZELS3Node::SetAPINode(ZORYASubdefiniteNode* n) { apiNode = n; }
ZELSubdefiniteTerm* ZELS3Node::GetSDNode() const { return sdNode; }
void ZELS3Node::SetSDNode(ZELSubdefiniteTerm* t) { sdNode = t; }
int ZELS3Node::IsVariable() const { return 0; }
int ZELS3Node::IsNonConstVariable() const { return 0; }
int ZELS3Node::IsConstant() const { return 0; }
int ZELS3Node::IsBoolConst() const { return 0; }
int ZELS3Node::IsBool() const { return 0; }
int ZELS3Node::IsOperation() const { return 0; }
int ZELS3Node::IsUnknown() const { return 0; }
int ZELS3Node::IsTrue() const { return 0; }
int ZELS3Node::IsFalse() const { return 0; }
int ZELS3Node::IsZero() const { return 0; }
int ZELS3Node::IsOne() const { return 0; }
int ZELS3Node::IsMinesOne() const { return 0; }
int ZELS3Node::IsExactVariable() const { return 0; }
int ZELS3Node::IsLinearVariable() const { return 0; }
