#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>

#include "DotWriter.h"
#include "Printer.h"
#include "Session.h"

namespace zelcalc {
namespace {

class PrinterTest : public ::testing::Test {
 protected:
  std::ostringstream out;
  std::ostringstream err;
  Session session{out, err, Settings{}};

  // The text, built, printed and built again, gives the very node it came from.
  void ExpectReadsBack(const char* text) {
    ZELS3Node* first = session.Build(text);
    ASSERT_NE(first, nullptr) << text;
    const std::string printed = session.printer().Infix(first);
    EXPECT_EQ(session.Build(printed), first) << text << " printed as " << printed;
    EXPECT_EQ(session.calculator().GetError(), 0) << text;
  }
};

// The examples' golden outputs check whole printed programs; these check that
// printed text reads back to the very node it came from.
TEST_F(PrinterTest, PrintsSumsWithTheirSignsAndCoefficients) {
  ExpectReadsBack("x - y");
  ExpectReadsBack("2*x - 3*y + 1");
  ExpectReadsBack("(-2)^z + 0.1*x");
}

TEST_F(PrinterTest, PrintsProductsPowersAndQuotientsWithTheParenthesesTheyNeed) {
  ExpectReadsBack("(x + 1)^2");
  ExpectReadsBack("g(x)^2^y");
  ExpectReadsBack("x/(y + 1) - x/y");
  ExpectReadsBack("-(x/y)*z");
  ExpectReadsBack("(3*x)^2");
  ExpectReadsBack("2^x*3");
  ExpectReadsBack("2*(x/y)");
}

TEST_F(PrinterTest, PrintsCallsRelationsAndConnectives) {
  ExpectReadsBack("max(x, y, 1) + min(x, 2)");
  ExpectReadsBack("x <<>> y");
  ExpectReadsBack("a && b || c");
  ExpectReadsBack("(p -> q) -> r");
}

TEST_F(PrinterTest, GraphDrawsASharedNodeOnceWithAnEdgePerUse) {
  const ZELS3Node* root = session.Build("sin(x) + x*sin(x)");
  std::ostringstream dot;
  WriteDot(dot, {root, nullptr}, session.printer());
  const std::string text = dot.str();
  size_t at = text.find("label=\"sin\\n26\"");
  ASSERT_NE(at, std::string::npos) << text;
  EXPECT_EQ(text.find("label=\"sin\\n26\"", at + 1), std::string::npos) << text;
  const size_t start = text.rfind("\n  n", at) + 3;
  const std::string id = text.substr(start, text.find(' ', start) - start);
  size_t edges = 0;
  for (size_t p = text.find("-> " + id + " "); p != std::string::npos;
       p = text.find("-> " + id + " ", p + 1)) {
    ++edges;
  }
  EXPECT_EQ(edges, 2u) << text;
  EXPECT_EQ(text.find("equation 2"), std::string::npos);
}

}  // namespace
}  // namespace zelcalc
