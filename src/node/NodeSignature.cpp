// STUB
#include "ZELTavSymbolicCalculator/Calculator.h"
void ZELS3Node::CalculateSignature() {}
