// STUB
#include "ZELTavSymbolicCalculator/Calculator.h"
ZELS3Node* ZELSymbolicCalculator::ProcessGauss(ZELS3Node* e) { return e; }
ZELS3Node* ZELSymbolicCalculator::ReduceSum(ZELS3Node*, ZELS3Node*) { return nullptr; }
