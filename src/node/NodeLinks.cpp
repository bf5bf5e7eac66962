// STUB
#include "ZELTavSymbolicCalculator/Calculator.h"
ZELS3Node::~ZELS3Node() {}
int ZELS3Node::AddArg(ZELS3Node*) { return 0; }
int ZELS3Node::AddFath(ZELS3Node*) { return 0; }
void ZELS3Node::RemoveFath(ZELS3Node*) {}
int ZELS3Node::ReplaceArg(ZELS3Node*, unsigned int) { return 0; }
void ZELS3Node::RemoveArg(unsigned int) {}
void ZELS3Node::RemoveAllArgs() {}
ZELS3Node* ZELS3Node::GetArg(unsigned int) const { return nullptr; }
ZELS3Node* ZELS3Node::GetFath(unsigned int) const { return nullptr; }
unsigned int ZELS3Node::GetFathNum() const { return 0; }
