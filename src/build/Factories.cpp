// STUB
#include "ZELTavSymbolicCalculator/Calculator.h"
ZELS3Node* CreateExpression(unsigned long long, unsigned char) { return nullptr; }
ZELS3Node* CreateExpression(unsigned char) { return nullptr; }
ZELS3Node* CreateExpression(double) { return nullptr; }
ZELS3Node* CreateOperation(ZELNodeType, const ZELICVectorImp_ZELS3Node&) { return nullptr; }
ZELS3Node* CreateUnaryOperation(ZELNodeType, ZELS3Node*) { return nullptr; }
ZELS3Node* CreateBinaryOperation(ZELNodeType, ZELS3Node*, ZELS3Node*) { return nullptr; }
ZELS3Node* CreateTernaryOperation(ZELNodeType, ZELS3Node*, ZELS3Node*, ZELS3Node*) { return nullptr; }
