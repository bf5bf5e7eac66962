// ZELUnicodeString: the stand-in holds its text as UTF-8; null means empty.
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "ZELTavSymbolicCalculator/Host.h"

namespace {

char* CopyOf(const char* text) {
  if (text == nullptr) return nullptr;
  const std::size_t n = std::strlen(text);
  char* copy = new (std::nothrow) char[n + 1];
  if (copy != nullptr) std::memcpy(copy, text, n + 1);
  return copy;
}

}  // namespace

ZELUnicodeString::ZELUnicodeString() : utf8_(nullptr) {}

ZELUnicodeString::ZELUnicodeString(const ZELUnicodeString& other) : utf8_(CopyOf(other.utf8_)) {}

ZELUnicodeString& ZELUnicodeString::operator=(const ZELUnicodeString& other) {
  if (this != &other) {
    char* copy = CopyOf(other.utf8_);
    delete[] utf8_;
    utf8_ = copy;
  }
  return *this;
}

ZELUnicodeString::~ZELUnicodeString() { delete[] utf8_; }

// BuildFromNum(42, "%d") -> "42". A null format means "%d".
void ZELUnicodeString::BuildFromNum(int number, const char* format) {
  const char* f = format != nullptr ? format : "%d";
  const int length = std::snprintf(nullptr, 0, f, number);
  if (length < 0) return;
  char* text = new (std::nothrow) char[static_cast<std::size_t>(length) + 1];
  if (text == nullptr) return;
  std::snprintf(text, static_cast<std::size_t>(length) + 1, f, number);
  delete[] utf8_;
  utf8_ = text;
}

std::string ZELUnicodeString::ToUtf8() const { return utf8_ != nullptr ? utf8_ : std::string(); }
