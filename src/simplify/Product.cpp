// STUB
#include "ZELTavSymbolicCalculator/Calculator.h"
double ZELS3Node::SimplifyProd() { return 1.0; }
