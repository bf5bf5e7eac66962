// ZELString: an 8-bit string holding its own zero-terminated copy. A text of
// up to six bytes (an operator's name, a variable's empty one) is kept in the
// string's own word: a first byte no heap address has, then the text. A
// longer text is a new'd copy. A null text is the empty string; a failed
// allocation gives the empty string too.
#include <cstring>
#include <new>

#include "ZELTavSymbolicCalculator/Host.h"

namespace {

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
// The lowest byte of an address comes first; a heap address is even.
const bool kTextInWord = true;
#else
const bool kTextInWord = false;
#endif
const char kInWord = 1;
const std::size_t kWordText = sizeof(char*) - 2;  // between the mark and the terminator

bool InWord(const char* word) {
  char first = 0;
  std::memcpy(&first, &word, 1);
  return kTextInWord && first == kInWord;
}

// The text of the string whose word is word.
const char* TextOf(char* const& word) {
  if (InWord(word)) return reinterpret_cast<const char*>(&word) + 1;
  return word != nullptr ? word : "";
}

// The word of a string holding a followed by b; null (the empty string)
// when memory is short.
char* Join(const char* a, const char* b) {
  const std::size_t la = a != nullptr ? std::strlen(a) : 0;
  const std::size_t lb = b != nullptr ? std::strlen(b) : 0;
  if (kTextInWord && la + lb <= kWordText) {
    char bytes[sizeof(char*)] = {kInWord};
    if (la != 0) std::memcpy(bytes + 1, a, la);
    if (lb != 0) std::memcpy(bytes + 1 + la, b, lb);
    char* word = nullptr;
    std::memcpy(&word, bytes, sizeof word);
    return word;
  }
  char* copy = new (std::nothrow) char[la + lb + 1];
  if (copy == nullptr) return nullptr;
  if (la != 0) std::memcpy(copy, a, la);
  if (lb != 0) std::memcpy(copy + la, b, lb);
  copy[la + lb] = '\0';
  return copy;
}

void Free(char* word) {
  if (!InWord(word)) delete[] word;
}

}  // namespace

ZELString::ZELString() : text_(Join(nullptr, nullptr)) {}

ZELString::ZELString(const char* text) : text_(Join(text, nullptr)) {}

ZELString::ZELString(const ZELString& other) : text_(Join(TextOf(other.text_), nullptr)) {}

ZELString& ZELString::operator=(const ZELString& other) {
  if (this != &other) {
    char* copy = Join(TextOf(other.text_), nullptr);
    Free(text_);
    text_ = copy;
  }
  return *this;
}

ZELString::~ZELString() { Free(text_); }

int ZELString::operator==(const ZELString& other) const {
  return std::strcmp(TextOf(text_), TextOf(other.text_)) == 0 ? 1 : 0;
}

int ZELString::operator==(const char* text) const {
  return std::strcmp(TextOf(text_), text != nullptr ? text : "") == 0 ? 1 : 0;
}

ZELString::operator const char*() const { return TextOf(text_); }

// "Symbolic." += "cantDiff" -> "Symbolic.cantDiff"; on a failed allocation
// the string keeps its old text.
ZELString& ZELString::operator+=(const char* text) {
  char* joined = Join(TextOf(text_), text);
  if (joined != nullptr) {
    Free(text_);
    text_ = joined;
  }
  return *this;
}
