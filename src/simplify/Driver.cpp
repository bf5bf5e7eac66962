// STUB
#include "ZELTavSymbolicCalculator/Calculator.h"
ZELS3Node* ZELS3Node::Simplify(ZELNodeType) { return this; }
ZELS3Node* ZELS3Node::Check(ZELS3Node* n, ZELNodeType) { return n; }
ZELS3Node* ZELS3Node::SimplifySimple() { return this; }
ZELS3Node* ZELS3Node::CheckSimple(ZELS3Node* n) { return n; }
