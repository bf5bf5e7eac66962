// STUB
#include "ZELTavSymbolicCalculator/Calculator.h"
ZELS3Node* ZELS3Node::Diff(unsigned long long) const { return nullptr; }
