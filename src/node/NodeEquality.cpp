// STUB
#include "ZELTavSymbolicCalculator/Calculator.h"
int ZELS3Node::operator==(const ZELS3Node& o) const { return this == &o; }
int ZELS3Node::Equal(const ZELS3Node*) const { return 0; }
