// STUB
#include "ZELTavSymbolicCalculator/Calculator.h"
void ZELSymbolicCalculator::AddEquation(ZELS3Node*) {}
ZELS3Node* ZELS3Node::ProcessEquation(int) { return nullptr; }
void ZELS3Node::ChangeEqSign() {}
