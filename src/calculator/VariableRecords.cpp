// Records of what the calculator knows about a variable: a fixed value, or a
// linear definition kept also as a flat (coefficient, term) list.
#include "ZELTavSymbolicCalculator/Calculator.h"

ZELS3ExactVariable::ZELS3ExactVariable(unsigned long long i, ZELS3Node* v) : id(i), value(v) {}

ZELS3ExactVariable::~ZELS3ExactVariable() {}

ZELS3LinearVariable::ZELS3LinearVariable(unsigned long long i, ZELS3Node* e)
    : id(i), pairs(e != nullptr ? e->GetArgsNum() : 0u, 5u), expression(e) {
  FillPairs(e);
}

ZELS3LinearVariable::~ZELS3LinearVariable() {}

void ZELS3LinearVariable::SetExpression(ZELS3Node* e) {
  expression = e;
  pairs.Flush(0);
  FillPairs(e);
}

// A sum gives its own pairs; any other expression e stands as the pair (1, e).
void ZELS3LinearVariable::FillPairs(ZELS3Node* e) {
  if (e == nullptr) return;
  if (e->GetNodeType() == NodeSum) {
    const unsigned int count = e->GetArgsNum();
    for (unsigned int i = 0; i < count; ++i) pairs.Add(e->GetArg(i));
    return;
  }
  pairs.Add(ZELSymbolicCalculator::GetOne());
  pairs.Add(e);
}
