#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "Explain.h"
#include "JsonWriter.h"
#include "Session.h"

namespace zelcalc {
namespace {

TEST(Explain, SuggestsTheLibraryFunctionANameIsOneEditFrom) {
  const char* const cases[][2] = {{"Sin", "sin"},  {"sinn", "sin"},  {"SQRT", "sqrt"},
                                  {"sqr", "sqrt"}, {"atna", "atan"}, {"expp", "exp"},
                                  {"sin", ""},     {"f", ""},        {"ab", ""},
                                  {"length", ""},  {"cosh", "cos"}};
  for (const auto& c : cases) EXPECT_EQ(LookalikeFunction(c[0]), c[1]) << c[0];
}

class WithSession : public ::testing::Test {
 protected:
  std::ostringstream out, err;
  Session session{out, err, Settings{}};
};

TEST_F(WithSession, FalseRelationsBetweenNumbersAreFoundAndOthersAreNot) {
  for (const char* text : {"2 = 3", "1 > 2", "true = false", "0 <> 0"})
    EXPECT_TRUE(IsFalseBetweenNumbers(session.Build(text))) << text;
  for (const char* text : {"2 = 2", "x = 3", "1 < 2", "x", "f(1) = 2"})
    EXPECT_FALSE(IsFalseBetweenNumbers(session.Build(text))) << text;
}

TEST_F(WithSession, JsonDefinesEachNodeOnceAndRefersToItAfterwards) {
  JsonWriter json(session.printer());
  std::ostringstream text;
  json.Write(text, "show", {}, session.Build("sin(x) + x*sin(x)"));
  json.Write(text, "show", {}, session.Build("sin(x)"));
  const std::string lines = text.str();
  const std::string sin = "\"name\":\"sin\"";
  ASSERT_NE(lines.find(sin), std::string::npos) << lines;
  EXPECT_EQ(lines.find(sin, lines.find(sin) + 1), std::string::npos) << lines;
  EXPECT_NE(lines.find("{\"result\":\"show\",\"nodes\":[],\"value\":"), std::string::npos) << lines;
}

}  // namespace
}  // namespace zelcalc
