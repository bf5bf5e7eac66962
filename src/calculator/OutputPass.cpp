// STUB
#include "ZELTavSymbolicCalculator/Calculator.h"
void ZELSymbolicCalculator::Simplify() {}
ZELS3Node* ZELSymbolicCalculator::RebuildForOutput(ZELS3Node* n) { return n; }
