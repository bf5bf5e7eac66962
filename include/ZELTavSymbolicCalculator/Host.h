// The host's string and message-catalog classes. This build ships a small
// stand-in library (ZELTavHost); a real host links its own implementation of
// the same classes instead.
#ifndef ZELTAV_HOST_H
#define ZELTAV_HOST_H

#include <string>

#if defined(__GNUC__) || defined(__clang__)
#define ZELHOST_API __attribute__((visibility("default")))
#else
#define ZELHOST_API
#endif

// 8-bit string with value semantics.
class ZELHOST_API ZELString {
 public:
  ZELString();
  ZELString(const char* text);
  ZELString(const ZELString& other);
  ZELString& operator=(const ZELString& other);
  ~ZELString();

  int operator==(const ZELString& other) const;
  int operator==(const char* text) const;
  operator const char*() const;
  ZELString& operator+=(const char* text);

 private:
  char* text_;
};

// Unicode string; held as UTF-8 by the stand-in.
class ZELHOST_API ZELUnicodeString {
 public:
  ZELUnicodeString();
  ZELUnicodeString(const ZELUnicodeString& other);
  ZELUnicodeString& operator=(const ZELUnicodeString& other);
  ~ZELUnicodeString();

  // Writes number into the string with a printf-style format ("%d").
  void BuildFromNum(int number, const char* format);
  std::string ToUtf8() const;

 private:
  friend class ZELMsgCatalog;
  char* utf8_;
};

// Message catalog: (catalog, key, parameters) -> text.
class ZELHOST_API ZELMsgCatalog {
 public:
  static ZELUnicodeString BuildMessage(const ZELString& catalog, const ZELString& key,
                                       const ZELUnicodeString* params, int count,
                                       const ZELUnicodeString& defaultMessage);
  // Adds or replaces the text of catalog/key. "%1" .. "%9" in the text stand
  // for the parameters.
  static void SetMessage(const ZELString& catalog, const ZELString& key, const char* text);
};

#endif
