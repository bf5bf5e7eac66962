#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "Explain.h"
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

}  // namespace
}  // namespace zelcalc
