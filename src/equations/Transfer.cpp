// STUB
#include "ZELTavSymbolicCalculator/Calculator.h"
ZELS3Node* ZELS3Node::Transfer(ZELNodeType, ZELS3Node*, ZELS3Node*) { return nullptr; }
