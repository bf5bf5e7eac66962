// STUB
#include "ZELTavSymbolicCalculator/Calculator.h"
ZELS3Node* ZELS3Node::Simplify(double*) { return nullptr; }
ZELS3Node* ZELS3Node::SimplifyNot() { return nullptr; }
double ZELS3Node::EvaluateFunction(ZELNodeType, double) { return 0.0; }
ZELS3Node* ZELS3Node::CompareConstants(ZELNodeType, double, double) { return nullptr; }
ZELS3Node* ZELS3Node::EvaluateBoolConstants(ZELNodeType, unsigned char, unsigned char) { return nullptr; }
ZELS3Node* ZELS3Node::EvaluateBoolLeft(ZELNodeType, unsigned char, ZELS3Node*) { return nullptr; }
ZELS3Node* ZELS3Node::EvaluateBoolRight(ZELNodeType, ZELS3Node*, unsigned char) { return nullptr; }
double ZELS3Node::DivideConstants(ZELNodeType, double, double) { return 0.0; }
