#include <gtest/gtest.h>

#include <string>

#include "Parser.h"

namespace zelcalc {
namespace {

std::string Tree(const std::string& text) {
  SyntaxError error;
  ExprPtr e = ParseExpression(text, &error);
  if (!e) return "error " + std::to_string(error.pos.column) + ": " + error.found;
  return ToSExpr(*e);
}

TEST(Parser, ReadsPrecedenceAssociativityAndSpellingsIntoTheRightTree) {
  // clang-format off
  const char* const cases[][2] = {
      // Power is right-associative and binds tighter than unary minus.
      {"-x^2", "(- (^ x 2))"}, {"x^y^z", "(^ x (^ y z))"}, {"2^-x^2", "(^ 2 (- (^ x 2)))"},
      {"- -x", "(- (- x))"}, {"+x", "(+ x)"}, {"a + b * c ^ d", "(+ a (* b (^ c d)))"},
      {"-a * b", "(* (- a) b)"},
      // Runs of one operator are one operation; mixed runs nest to the left;
      // division stays binary, as the library's quotient has two operands.
      {"a + b + c", "(+ a b c)"}, {"a - b - c", "(- a b c)"}, {"a * b * c", "(* a b c)"},
      {"a + b - c - d + e", "(+ (- (+ a b) c d) e)"}, {"(a + b) + c", "(+ (+ a b) c)"},
      {"a / b / c * d * e", "(* (/ (/ a b) c) d e)"},
      // Logic binds looser than relations and keeps the spelling written.
      {"not a < b and c or d -> e -> f", "(-> (or (and (not (< a b)) c) d) (-> e f))"},
      {"a && b and c /\\ d", "(/\\ (and (&& a b) c) d)"}, {"a || b \\/ c", "(\\/ (|| a b) c)"},
      {"~ ~ x = 1", "(~ (~ (= x 1)))"}, {"x<-1", "(< x (- 1))"}, {"a->b", "(-> a b)"},
      {"true -> false", "(-> true false)"},
      // Numbers, calls, constants wrapped in calls.
      {"1e3 + .5 + 2.5E-1 + 7. + inf + nan", "(+ 1000 0.5 0.25 7 inf nan)"},
      {"max(a, b + 1, c)", "(max a (+ b 1) c)"}, {"f()", "(f)"}, {"true(x < 2)", "(true (< x 2))"},
      {"1e-310 + 1", "(+ 1e-310 1)"},
      // Malformed input is refused at the right column.
      {"a < b < c", "error 7: '<'"}, {"2x + 1", "error 1: '2x'"}, {"1e999", "error 1: '1e999'"}, {"1e-999", "error 1: '1e-999'"},
      {"1e+", "error 1: '1e+'"}, {"x + and", "error 5: 'and'"}, {"f(x,)", "error 5: ')'"},
      {"(x", "error 3: end of input"}, {"x = \xC3\xA9", "error 5: '\\xC3'"},
      {"a & b", "error 3: '&'"}};
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(Tree(c[0]), c[1]) << c[0];
  EXPECT_EQ(Tree(std::string("x = \0 1", 7)), "error 5: '\\x00'");
  for (const char* op : {"=", "==", "<>", "<", "<=", ">", ">=", "<<", "<==", ">>", ">==", "<<>>"})
    EXPECT_EQ(Tree(std::string("a ") + op + " b"), std::string("(") + op + " a b)") << op;
}

TEST(Parser, ReportsEachBadStatementAndGoesOnWithTheNext) {
  std::vector<Item> items = ParseProgram(
      "x = 1  # fine\n"
      "y = (2 +\n"
      "\n"
      "z = 3 $ 4; w = 5\n"
      "option gauss maybe\n"
      "diff x^2 x\n"
      "param a, b; option transfer off; check; show a; diff a*b by b\n");
  ASSERT_EQ(items.size(), 11u);
  auto where = [](const Item& i) {
    if (i.ok) return std::string("ok");
    return std::to_string(i.error.pos.line) + ":" + std::to_string(i.error.pos.column) + " " +
           i.error.found;
  };
  const char* const expected[] = {"ok", "2:9 end of line", "4:7 '$'",
                                  "ok", "5:14 'maybe'",    "6:10 'x'"};
  for (int k = 0; k < 6; ++k) EXPECT_EQ(where(items[k]), expected[k]) << "statement " << k;
  EXPECT_EQ(items[1].error.expected, "an expression");

  for (const char* t : {"", "# only a comment\n;;\n\n"}) EXPECT_TRUE(ParseProgram(t).empty());
}

}  // namespace
}  // namespace zelcalc
