#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <sstream>
#include <string>

#include "DotWriter.h"
#include "NumberFormat.h"
#include "Parser.h"
#include "Printer.h"
#include "Session.h"

namespace zelcalc {
namespace {

// Numeric meaning of the text, independent of the library: booleans are 1/0,
// operations the library does not know give NaN.
double Eval(const Expr& e, const std::map<std::string, double>& at) {
  switch (e.kind) {
    case Expr::Kind::Number:
      return e.number;
    case Expr::Kind::Boolean:
      return e.boolean ? 1 : 0;
    case Expr::Kind::Name:
      return at.at(e.text);
    case Expr::Kind::Apply:
      break;
  }
  std::vector<double> v;
  for (const ExprPtr& a : e.args) v.push_back(Eval(*a, at));
  const std::string& op = e.text;
  const size_t n = v.size();
  auto fold = [&](double start, auto f) {
    for (double x : v) start = f(start, x);
    return start;
  };
  if (op == "+") return fold(0.0, [](double a, double b) { return a + b; });
  if (op == "*") return fold(1.0, [](double a, double b) { return a * b; });
  if (op == "-")
    return n == 1 ? -v[0] : 2 * v[0] - fold(0.0, [](double a, double b) { return a + b; });
  if (op == "/") return v[0] / v[1];
  if (op == "^") return std::pow(v[0], v[1]);
  if (op == "min") return fold(HUGE_VAL, [](double a, double b) { return std::fmin(a, b); });
  if (op == "max") return fold(-HUGE_VAL, [](double a, double b) { return std::fmax(a, b); });
  if (op == "=" || op == "==") return v[0] == v[1];
  if (op == "<>" || op == "<<>>") return v[0] != v[1];
  if (op == "<" || op == "<<") return v[0] < v[1];
  if (op == "<=" || op == "<==") return v[0] <= v[1];
  if (op == ">" || op == ">>") return v[0] > v[1];
  if (op == ">=" || op == ">==") return v[0] >= v[1];
  if (op == "and" || op == "&&" || op == "/\\") return v[0] != 0 && v[1] != 0;
  if (op == "or" || op == "||" || op == "\\/") return v[0] != 0 || v[1] != 0;
  if (op == "not" || op == "~") return v[0] == 0;
  if (op == "->") return v[0] == 0 || v[1] != 0;
  const std::map<std::string, double (*)(double)> functions = {
      {"abs", std::fabs},  {"exp", std::exp},  {"ln", std::log}, {"sqrt", std::sqrt},
      {"sin", std::sin},   {"cos", std::cos},  {"tg", std::tan}, {"asin", std::asin},
      {"acos", std::acos}, {"atan", std::atan}};
  if (op == "sign") return (v[0] > 0) - (v[0] < 0);
  if (op == "ctg") return 1 / std::tan(v[0]);
  auto f = functions.find(op);
  return f != functions.end() ? f->second(v[0]) : NAN;
}

double Eval(const std::string& text, const std::map<std::string, double>& at) {
  SyntaxError error;
  ExprPtr e = ParseExpression(text, &error);
  EXPECT_TRUE(e) << text << ": " << error.found << ", expected " << error.expected;
  return e ? Eval(*e, at) : NAN;
}

class PrinterTest : public ::testing::Test {
 protected:
  std::ostringstream out, err;
  Session session{out, err, Settings{}};

  std::string Show(const std::string& text) { return session.printer().Infix(session.Build(text)); }
};

TEST_F(PrinterTest, PrintedCanonicalFormsReadBackToTheSameValue) {
  const char* const cases[] = {"x + y",
                               "2*x - 3*y + 1",
                               "x*y*x",
                               "(x + 1)^2",
                               "x^-1 + y",
                               "sin(x)^2 + cos(x)^2",
                               "x/(y + 1) - x/y",
                               "-(x*y)",
                               "-x^2",
                               "2^x*3",
                               "sqrt(x) + ln(y) - exp(-x)",
                               "max(x, y, 1) + min(x, 2)",
                               "atan(x/y)",
                               "x - (y - z)",
                               "-(x - y)",
                               "(x - y)*(x + y)",
                               "x/y/z",
                               "x^y^z",
                               "abs(x - y) + sign(y - x)",
                               "(-2)^z + 0.1*x",
                               "2*(x/y)",
                               "-(x/y)*z",
                               "x < y and y <= 2",
                               "not x = y or x > 1 -> y >= 1",
                               "x^(y + 1)*x^2",
                               "(3*x)^2"};
  std::mt19937 random(7);
  std::uniform_real_distribution<double> value(0.5, 2.0);
  for (const char* text : cases) {
    std::string printed = Show(text);
    ASSERT_NE(session.Build(printed), nullptr) << text << " printed as " << printed;
    for (int k = 0; k < 5; ++k) {
      std::map<std::string, double> at = {
          {"x", value(random)}, {"y", value(random)}, {"z", value(random)}};
      double a = Eval(text, at), b = Eval(printed, at);
      if (std::isnan(a) && std::isnan(b)) continue;
      EXPECT_NEAR(a, b, 1e-9 * (1 + std::fabs(a))) << text << " printed as " << printed;
    }
  }
}

TEST_F(PrinterTest, TextThatFixesTheOperatorNamesReadsBackToTheSameSharedNode) {
  const char* const cases[] = {"x + y",
                               "x - y",
                               "3*x + y",
                               "x*y^2",
                               "x^2",
                               "x/y",
                               "sin(x) + cos(y)",
                               "max(x, y)",
                               "f(x, y) + 1",
                               "g(x) - y - z",
                               "(g(x) - y) - z",
                               "g(x)^2^y",
                               "x < y and y < 2",
                               "x <== y",
                               "x <<>> y",
                               "a && b || c",
                               "not x < 1",
                               "p -> q -> r",
                               "(p -> q) -> r",
                               "true(x < 2)"};
  for (const char* text : cases) {
    ZELS3Node* first = session.Build(text);
    ASSERT_NE(first, nullptr) << text;
    std::string printed = Show(text);
    EXPECT_EQ(session.Build(printed), first) << text << " printed as " << printed;
  }
  EXPECT_EQ(session.calculator().GetError(), 0);
}

TEST_F(PrinterTest, WritesSignsPowersAndParenthesesOnlyWhereTheyMatter) {
  EXPECT_EQ(Show("x - y"), "x - y");
  EXPECT_EQ(Show("-x + 2*y - 3"), "-3 + 2*y - x");
  EXPECT_EQ(Show("x^-1"), "x^-1");
  EXPECT_EQ(Show("(-2)^x"), "(-2)^x");
  EXPECT_EQ(Show("2*(x/y)"), "2*(x/y)");
  EXPECT_EQ(Show("(g(x)^y)^z"), "(g(x)^y)^z");
  EXPECT_EQ(Show("-(x*y)"), "-x*y");
  EXPECT_EQ(Show("2*x*y"), "2*x*y");
  EXPECT_EQ(Show("g(x) - (y - z)"), "g(x) - (y - z)");
  EXPECT_EQ(Show("(a or b) and c"), "(a or b) and c");
  EXPECT_EQ(Show("(g(x) + 1) * y"), "(g(x) + 1)*y");
  EXPECT_EQ(Show("0.1 + x"), "0.1 + x");
  EXPECT_EQ(session.printer().Raw(session.Build("x - y")), "33:-(1, x, -1, y)");
  EXPECT_EQ(session.printer().Raw(session.Build("f(x, 2)")), "38:f(x, 2)");
  EXPECT_EQ(session.printer().Infix(nullptr), "null");
}

TEST(NumberFormat, WritesTheShortestTextThatReadsBackExactly) {
  EXPECT_EQ(FormatNumber(0.1), "0.1");
  EXPECT_EQ(FormatNumber(1.0 / 3), "0.3333333333333333");
  EXPECT_EQ(FormatNumber(1e21), "1e+21");
  EXPECT_EQ(FormatNumber(-0.0), "-0");
  EXPECT_EQ(FormatNumber(-HUGE_VAL), "-inf");
  EXPECT_EQ(FormatNumber(NAN), "nan");
  std::mt19937_64 random(11);
  for (int i = 0; i < 2000; ++i) {
    uint64_t bits = random();
    double d;
    std::memcpy(&d, &bits, sizeof d);
    if (!std::isfinite(d)) continue;
    EXPECT_EQ(std::strtod(FormatNumber(d).c_str(), nullptr), d) << FormatNumber(d);
  }
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
