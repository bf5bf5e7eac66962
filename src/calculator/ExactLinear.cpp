// STUB
#include "ZELTavSymbolicCalculator/Calculator.h"
ZELS3ExactVariable* ZELSymbolicCalculator::AddExactVariable(unsigned long long, double) { return nullptr; }
void ZELSymbolicCalculator::AddLinearVariable(unsigned long long, ZELS3Node*) {}
