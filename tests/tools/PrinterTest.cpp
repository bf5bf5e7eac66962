#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
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
  std::ostringstream out, err;
  Session session{out, err, Settings{}};
};

// The examples' golden outputs check whole printed programs; these check that
// printed text reads back to the very node it came from.
TEST_F(PrinterTest, PrintedTextReadsBackToTheSameSharedNode) {
  // clang-format off
  const char* const cases[] = {
      "x + y", "x - y", "3*x + y", "x*y^2", "x^2", "x/y", "sin(x) + cos(y)", "max(x, y)",
      "f(x, y) + 1", "g(x) - y - z", "(g(x) - y) - z", "g(x)^2^y", "x < y and y < 2", "x <== y",
      "x <<>> y", "a && b || c", "not x < 1", "p -> q -> r", "(p -> q) -> r", "true(x < 2)",
      "2*x - 3*y + 1", "x*y*x", "(x + 1)^2", "x^-1 + y", "x/(y + 1) - x/y", "-x^2",
      "2^x*3", "max(x, y, 1) + min(x, 2)", "x/y/z", "x^y^z", "(-2)^z + 0.1*x", "2*(x/y)", "-(x/y)*z",
      "(3*x)^2"};
  // clang-format on
  for (const char* text : cases) {
    ZELS3Node* first = session.Build(text);
    ASSERT_NE(first, nullptr) << text;
    std::string printed = session.printer().Infix(first);
    EXPECT_EQ(session.Build(printed), first) << text << " printed as " << printed;
  }
  EXPECT_EQ(session.calculator().GetError(), 0);
}

TEST_F(PrinterTest, GraphDrawsASharedNodeOnceWithAnEdgePerUse) {
  const ZELS3Node* root = session.Build("sin(x) + x*sin(x)");
  std::ostringstream dot;
  WriteDot(dot, {root, nullptr}, session.printer());
  const std::string text = dot.str();
  size_t at = text.find("label=\"sin\\n26\"");
  ASSERT_NE(at, std::string::npos) << text;
  EXPECT_EQ(text.find("label=\"sin\\n26\"", at + 1), std::string::npos) << text;
  const std::string id =
      text.substr(text.rfind("\n  n", at) + 3,
                  text.find(' ', text.rfind("\n  n", at) + 3) - text.rfind("\n  n", at) - 3);
  size_t edges = 0;
  for (size_t p = text.find("-> " + id + " "); p != std::string::npos;
       p = text.find("-> " + id + " ", p + 1))
    ++edges;
  EXPECT_EQ(edges, 2u) << text;
  EXPECT_EQ(text.find("equation 2"), std::string::npos);
}

}  // namespace
}  // namespace zelcalc
