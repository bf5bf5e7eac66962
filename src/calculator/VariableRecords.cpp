// STUB
#include "ZELTavSymbolicCalculator/Calculator.h"
ZELS3ExactVariable::ZELS3ExactVariable(unsigned long long i, ZELS3Node* v) : id(i), value(v) {}
ZELS3ExactVariable::~ZELS3ExactVariable() {}
ZELS3LinearVariable::ZELS3LinearVariable(unsigned long long i, ZELS3Node* e) : id(i), pairs(2u, 5u), expression(e) {}
ZELS3LinearVariable::~ZELS3LinearVariable() {}
void ZELS3LinearVariable::SetExpression(ZELS3Node* e) { expression = e; }
void ZELS3LinearVariable::FillPairs(ZELS3Node*) {}
