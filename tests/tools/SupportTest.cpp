// zeltav_support: number text, node text and the evaluator that zelcalc, the
// tests and the benchmarks share.
#include <gtest/gtest.h>
#include <zeltav_support/Evaluator.h>
#include <zeltav_support/NodeText.h>
#include <zeltav_support/NumberFormat.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <utility>

#include "Session.h"

namespace zeltav_support {
namespace {

TEST(NumberFormat, WritesTheShortestTextThatReadsBackExactly) {
  const std::pair<double, const char*> cases[] = {{0.1, "0.1"},
                                                  {1.0 / 3, "0.3333333333333333"},
                                                  {1e21, "1e+21"},
                                                  {1000, "1000"},
                                                  {1e-7, "1e-07"},
                                                  {-0.0, "-0"},
                                                  {-HUGE_VAL, "-inf"},
                                                  {NAN, "nan"},
                                                  {123456789012345680.0, "1.2345678901234568e+17"}};
  for (const auto& c : cases) EXPECT_EQ(FormatNumber(c.first), c.second) << c.second;
  std::mt19937_64 random(11);
  for (int i = 0; i < 2000; ++i) {
    uint64_t bits = random();
    double d;
    std::memcpy(&d, &bits, sizeof d);
    if (!std::isfinite(d)) continue;
    EXPECT_EQ(std::strtod(FormatNumber(d).c_str(), nullptr), d) << FormatNumber(d);
  }
}

class WithSession : public ::testing::Test {
 protected:
  std::ostringstream out, err;
  zelcalc::Session session{out, err, zelcalc::Settings{}};
  ZELS3Node* x = session.Build("x");
  ZELS3Node* y = session.Build("y");
  Point At(double vx, double vy) { return {{x->GetVariableID(), vx}, {y->GetVariableID(), vy}}; }
};

TEST_F(WithSession, NodeTextShowsTypeNameAndArgumentsWithTheCallersNames) {
  EXPECT_EQ(NodeText(session.Build("x - 2*y")), "33:-(1, x1, -2, x2)");
  NodeTextStyle style;
  style.variable = [](const ZELS3Node*) { return std::string("v"); };
  EXPECT_EQ(NodeText(session.Build("sin(x)^2"), style), "35:^(26:sin(v), 2)");
  style.maxDepth = 0;
  EXPECT_EQ(NodeText(session.Build("sin(x)^2"), style), "35:^(..., ...)");
  style.maxNodes = 2;
  EXPECT_EQ(NodeText(session.Build("x + y + 1"), style), "<expression too large to print>");
  EXPECT_EQ(NodeText(nullptr), "null");
}

TEST_F(WithSession, EvaluatorGivesTheValueAndNamesTheFirstDomainProblem) {
  EXPECT_DOUBLE_EQ(Evaluate(session.Build("x^2 + y/2 - max(x, y, 0)"), At(1.5, -2)),
                   2.25 - 1 - 1.5);
  EXPECT_DOUBLE_EQ(Evaluate(session.Build("x < y or not y > 0"), At(1, 2)), 1.0);
  // The cli test eval.zel shows the problems of ln, sqrt and division.
  const std::pair<const char*, const char*> problems[] = {
      {"asin(y)", "asin of a number outside [-1, 1]: asin(-2)"},
      {"f(x)", "the unknown operation 'f' has no value"},
      {"y^0.5", "a negative number to a power that is not a whole number: (-2)^0.5"},
      {"x + z", "a variable without a value"}};
  for (const auto& p : problems)
    EXPECT_EQ(EvaluateChecked(session.Build(p.first), At(1, -2)).problem, p.second) << p.first;
  EXPECT_EQ(EvaluateChecked(session.Build("ln(x)"), At(1, -2)).problem, "");
}

TEST_F(WithSession, EvaluatorVisitsASharedNodeOnce) {
  // n -> sin(n) + cos(n), sixty times: 2^60 paths through 180 nodes.
  auto apply = [](const char* name, std::initializer_list<ZELS3Node*> operands) {
    ZELICVectorImp_ZELS3Node args(2u, 2u);
    for (ZELS3Node* a : operands) args.Add(a);
    return CreateExpression(ZELString(name), args);
  };
  ZELS3Node* n = x;
  double expected = 0.5;
  for (int i = 0; i < 60; ++i) {
    n = apply("+", {apply("sin", {n}), apply("cos", {n})});
    expected = std::sin(expected) + std::cos(expected);
  }
  EXPECT_DOUBLE_EQ(Evaluate(n, At(0.5, 0)), expected);
}

}  // namespace
}  // namespace zeltav_support
