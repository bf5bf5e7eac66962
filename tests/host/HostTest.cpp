// The host stand-in: string value semantics and the message catalog.
#include <gtest/gtest.h>

#include <string>

#include "ZELTavSymbolicCalculator/Host.h"

namespace {

std::string Message(const char* catalog, const char* key, int code, const char* dflt = "") {
  ZELUnicodeString param;
  ZELUnicodeString fallback;
  param.BuildFromNum(code, "%d");
  ZELMsgCatalog::SetMessage("HostTestDefaults", "d", dflt);
  if (*dflt) fallback = ZELMsgCatalog::BuildMessage("HostTestDefaults", "d", nullptr, 0, fallback);
  return ZELMsgCatalog::BuildMessage(catalog, key, &param, 1, fallback).ToUtf8();
}

}  // namespace

TEST(HostString, HoldsItsOwnCopyAndComparesByTextWithNullAsEmpty) {
  char text[] = "sin";
  ZELString s(text);
  text[0] = 'c';
  ZELString copy(s);
  copy += "h";
  EXPECT_STREQ(static_cast<const char*>(s), "sin");
  EXPECT_STREQ(static_cast<const char*>(copy), "sinh");
  EXPECT_FALSE(s == "si");
  EXPECT_TRUE(ZELString(nullptr) == "");
  s = copy;
  EXPECT_TRUE(s == copy);
}

// Texts of up to six bytes live in the string itself, longer ones on the
// heap; copying, assigning and appending work across that line.
TEST(HostString, KeepsShortAndLongTextsAcrossCopiesAndAppends) {
  ZELString shortText("sinh12");
  ZELString longText("sinh123");
  ZELString grown(shortText);
  grown += "3";
  EXPECT_STREQ(static_cast<const char*>(grown), "sinh123");
  EXPECT_TRUE(grown == longText);
  ZELString self("ab");
  self += static_cast<const char*>(self);
  self += static_cast<const char*>(self);
  EXPECT_STREQ(static_cast<const char*>(self), "abababab");
  longText = shortText;
  EXPECT_STREQ(static_cast<const char*>(longText), "sinh12");
  shortText = ZELString("a much longer text");
  EXPECT_STREQ(static_cast<const char*>(ZELString(shortText)), "a much longer text");
  EXPECT_STREQ(static_cast<const char*>(ZELString()), "");
}

TEST(HostUnicodeString, StartsEmptyAndBuildsFromANumber) {
  ZELUnicodeString n;
  EXPECT_EQ(n.ToUtf8(), "");
  n.BuildFromNum(-10001, "%d");
  EXPECT_EQ(ZELUnicodeString(n).ToUtf8(), "-10001");
  n.BuildFromNum(7, "");
  EXPECT_EQ(n.ToUtf8(), "");
}

TEST(HostCatalog, FallsBackToTheDefaultMessageOrNamesTheMissingKey) {
  EXPECT_EQ(Message("OrbelinErrMessages", "Symbolic.nothing", 3, "fallback %1"), "fallback 3");
  EXPECT_EQ(Message("NoSuchCatalog", "Some.key", 42),
            "message 'Some.key' of catalog 'NoSuchCatalog' (parameters: 42)");
}

TEST(HostCatalog, FillsTheFirstParameterAndTakesTheLatestMessage) {
  ZELMsgCatalog::SetMessage("HostTest", "k", "first %1, then %2");
  EXPECT_EQ(Message("HostTest", "k", 5), "first 5, then %2");
  ZELMsgCatalog::SetMessage("HostTest", "k", "replaced");
  EXPECT_EQ(Message("HostTest", "k", 5), "replaced");
}
