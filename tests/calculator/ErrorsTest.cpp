#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/TestAccess.h"

TEST(ErrorMessages, UseTheSymbolicKeyOfEachCodeWithTheCodeAsParameter) {
  ZELSymbolicCalculator calc;
  SetError(6);
  auto text = [&calc](int code) {
    std::unique_ptr<ZELUnicodeString> msg(calc.BuildErrorMsg(code));
    return msg ? msg->ToUtf8() : std::string("null");
  };
  for (int code : {1, 2, 3, 4, 5, 6, 101, 10001, 10020, -7}) {
    std::string message = text(code);
    EXPECT_NE(message.find(std::to_string(code)), std::string::npos) << code << ": " << message;
  }
  const ZELString catalog("OrbelinErrMessages");
  ZELMsgCatalog::SetMessage(catalog, "Symbolic.zeroDivide", "zd %1");
  ZELMsgCatalog::SetMessage(catalog, "Symbolic.inconSys", "is %1");
  ZELMsgCatalog::SetMessage(catalog, "Symbolic.default", "df %1");
  EXPECT_EQ(text(2) + "|" + text(101) + "|" + text(10008) + "|" + text(7),
            "zd 2|is 101|df 10008|df 7");
  EXPECT_EQ(calc.GetError(), 6) << "building a message leaves the code alone";
  EXPECT_EQ(ORVANE_KOSMA_FWK2_INTERNAL_ZELTavSymbolicCalculator(), 1);
}
