// STUB
#include "ZELTavSymbolicCalculator/Calculator.h"
int ZELSymbolicCalculator::_Error = 0;
void ZELSymbolicCalculator::SetError(int code) { if (_Error == 0) _Error = code; }
int ZELSymbolicCalculator::GetError() const { return _Error; }
ZELUnicodeString* ZELSymbolicCalculator::BuildErrorMsg(int) const { return nullptr; }
void SetError(int code) { ZELSymbolicCalculator::SetError(code); }
extern "C" int ORVANE_KOSMA_FWK2_INTERNAL_ZELTavSymbolicCalculator() { return 1; }
