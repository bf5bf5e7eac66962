// ZELString: an 8-bit string holding its own zero-terminated copy. A null
// text or a failed allocation gives the empty string.
#include <cstring>
#include <new>

#include "ZELTavSymbolicCalculator/Host.h"

namespace {

// A new'd copy of a followed by b, or null when memory is short.
char* Concatenate(const char* a, const char* b) {
  const std::size_t la = a != nullptr ? std::strlen(a) : 0;
  const std::size_t lb = b != nullptr ? std::strlen(b) : 0;
  char* copy = new (std::nothrow) char[la + lb + 1];
  if (copy == nullptr) return nullptr;
  if (la != 0) std::memcpy(copy, a, la);
  if (lb != 0) std::memcpy(copy + la, b, lb);
  copy[la + lb] = '\0';
  return copy;
}

const char* OrEmpty(const char* text) { return text != nullptr ? text : ""; }

}  // namespace

ZELString::ZELString() : text_(Concatenate(nullptr, nullptr)) {}

ZELString::ZELString(const char* text) : text_(Concatenate(text, nullptr)) {}

ZELString::ZELString(const ZELString& other) : text_(Concatenate(other.text_, nullptr)) {}

ZELString& ZELString::operator=(const ZELString& other) {
  if (this != &other) {
    char* copy = Concatenate(other.text_, nullptr);
    delete[] text_;
    text_ = copy;
  }
  return *this;
}

ZELString::~ZELString() { delete[] text_; }

int ZELString::operator==(const ZELString& other) const {
  return std::strcmp(OrEmpty(text_), OrEmpty(other.text_)) == 0 ? 1 : 0;
}

int ZELString::operator==(const char* text) const {
  return std::strcmp(OrEmpty(text_), OrEmpty(text)) == 0 ? 1 : 0;
}

ZELString::operator const char*() const { return OrEmpty(text_); }

// "Symbolic." += "cantDiff" -> "Symbolic.cantDiff"; on a failed allocation
// the string keeps its old text.
ZELString& ZELString::operator+=(const char* text) {
  char* joined = Concatenate(text_, text);
  if (joined != nullptr) {
    delete[] text_;
    text_ = joined;
  }
  return *this;
}
