// The sticky error code and its messages. The first code since the last
// reset is kept; later ones leave no trace.
#include <new>

#include "ZELTavSymbolicCalculator/Calculator.h"

int ZELSymbolicCalculator::_Error = 0;

namespace {

// Key word of the message "Symbolic.<word>"; errors of use share "default".
const char* KeyWordOf(int code) {
  switch (code) {
    case 1:
      return "cantDiff";
    case 2:
      return "zeroDivide";
    case 3:
      return "domainLog";
    case 4:
      return "domainSqrt";
    case 5:
      return "domainAsin";
    case 6:
      return "domainAcos";
    case 101:
      return "inconSys";
    default:
      return "default";
  }
}

}  // namespace

void ZELSymbolicCalculator::SetError(int code) {
  if (_Error == 0) _Error = code;
}

int ZELSymbolicCalculator::GetError() const { return _Error; }

ZELUnicodeString* ZELSymbolicCalculator::BuildErrorMsg(int code) const {
  ZELUnicodeString* message = new (std::nothrow) ZELUnicodeString();
  if (message == nullptr) return nullptr;
  const ZELString catalog("OrbelinErrMessages");
  ZELString key("Symbolic.");
  key += KeyWordOf(code);
  ZELUnicodeString param;
  param.BuildFromNum(code, "%d");
  const ZELUnicodeString empty;
  *message = ZELMsgCatalog::BuildMessage(catalog, key, &param, 1, empty);
  return message;
}

void SetError(int code) { ZELSymbolicCalculator::SetError(code); }

extern "C" int ORVANE_KOSMA_FWK2_INTERNAL_ZELTavSymbolicCalculator() { return 1; }
