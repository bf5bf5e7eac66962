// STUB
#include "ZELTavSymbolicCalculator/Host.h"
ZELString::ZELString() : text_(nullptr) {}
ZELString::ZELString(const char*) : text_(nullptr) {}
ZELString::ZELString(const ZELString&) : text_(nullptr) {}
ZELString& ZELString::operator=(const ZELString&) { return *this; }
ZELString::~ZELString() {}
int ZELString::operator==(const ZELString&) const { return 0; }
int ZELString::operator==(const char*) const { return 0; }
ZELString::operator const char*() const { return ""; }
ZELString& ZELString::operator+=(const char*) { return *this; }
ZELUnicodeString::ZELUnicodeString() : utf8_(nullptr) {}
ZELUnicodeString::ZELUnicodeString(const ZELUnicodeString&) : utf8_(nullptr) {}
ZELUnicodeString& ZELUnicodeString::operator=(const ZELUnicodeString&) { return *this; }
ZELUnicodeString::~ZELUnicodeString() {}
void ZELUnicodeString::BuildFromNum(int, const char*) {}
std::string ZELUnicodeString::ToUtf8() const { return std::string(); }
ZELUnicodeString ZELMsgCatalog::BuildMessage(const ZELString&, const ZELString&, const ZELUnicodeString*, int, const ZELUnicodeString&) { return ZELUnicodeString(); }
void ZELMsgCatalog::SetMessage(const ZELString&, const ZELString&, const char*) {}
