// STUB
#include "ZELTavSymbolicCalculator/Calculator.h"
ZELS3Node* CreateExpression(const ZELString&, const ZELICVectorImp_ZELS3Node&) { return nullptr; }
ZELS3Node* CreateExpression(const ZELString& s, const ZELICVectorImp_ZELS3Node* a) { return CreateExpression(s, *a); }
