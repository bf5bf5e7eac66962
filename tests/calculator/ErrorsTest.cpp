#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/TestAccess.h"

std::string Message(const ZELSymbolicCalculator& calc, int code) {
  std::unique_ptr<ZELUnicodeString> msg(calc.BuildErrorMsg(code));
  return msg ? msg->ToUtf8() : std::string("null");
}

TEST(ErrorMessages, UseTheKeyOfTheCodeOrTheDefaultKey) {
  ZELSymbolicCalculator calc;
  const ZELString catalog("OrbelinErrMessages");
  ZELMsgCatalog::SetMessage(catalog, "Symbolic.zeroDivide", "zd %1");
  ZELMsgCatalog::SetMessage(catalog, "Symbolic.inconSys", "is %1");
  ZELMsgCatalog::SetMessage(catalog, "Symbolic.default", "df %1");
  EXPECT_EQ(Message(calc, 2), "zd 2");
  EXPECT_EQ(Message(calc, 101), "is 101");
  EXPECT_EQ(Message(calc, 10008), "df 10008");
  EXPECT_EQ(Message(calc, 7), "df 7");
}

TEST(ErrorMessages, LeaveTheErrorCodeAlone) {
  ZELSymbolicCalculator calc;
  SetError(6);
  Message(calc, 2);
  EXPECT_EQ(calc.GetError(), 6);
}
