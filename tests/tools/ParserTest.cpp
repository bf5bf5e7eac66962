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

TEST(Parser, PowerIsRightAssociativeAndBindsTighterThanUnaryMinus) {
  EXPECT_EQ(Tree("-x^2"), "(- (^ x 2))");
  EXPECT_EQ(Tree("x^y^z"), "(^ x (^ y z))");
  EXPECT_EQ(Tree("2^-x^2"), "(^ 2 (- (^ x 2)))");
  EXPECT_EQ(Tree("- -x"), "(- (- x))");
  EXPECT_EQ(Tree("+x"), "(+ x)");
  EXPECT_EQ(Tree("a + b * c ^ d"), "(+ a (* b (^ c d)))");
  EXPECT_EQ(Tree("-a * b"), "(* (- a) b)");
}

TEST(Parser, RunsOfOneOperatorBecomeOneOperationAndMixedRunsNestToTheLeft) {
  EXPECT_EQ(Tree("a + b + c"), "(+ a b c)");
  EXPECT_EQ(Tree("a - b - c"), "(- a b c)");
  EXPECT_EQ(Tree("a + b - c - d + e"), "(+ (- (+ a b) c d) e)");
  EXPECT_EQ(Tree("a * b * c"), "(* a b c)");
  // Division stays binary: the library's quotient has exactly two operands.
  EXPECT_EQ(Tree("a / b / c * d * e"), "(* (/ (/ a b) c) d e)");
  EXPECT_EQ(Tree("(a + b) + c"), "(+ (+ a b) c)");
}

TEST(Parser, LogicBindsLooserThanRelationsAndKeepsTheSpellingWritten) {
  EXPECT_EQ(Tree("not a < b and c or d -> e -> f"), "(-> (or (and (not (< a b)) c) d) (-> e f))");
  EXPECT_EQ(Tree("a && b and c /\\ d"), "(/\\ (and (&& a b) c) d)");
  EXPECT_EQ(Tree("a || b \\/ c"), "(\\/ (|| a b) c)");
  EXPECT_EQ(Tree("~ ~ x = 1"), "(~ (~ (= x 1)))");
  EXPECT_EQ(Tree("x<-1"), "(< x (- 1))");
  EXPECT_EQ(Tree("a->b"), "(-> a b)");
  for (const char* op : {"=", "==", "<>", "<", "<=", ">", ">=", "<<", "<==", ">>", ">==", "<<>>"})
    EXPECT_EQ(Tree(std::string("a ") + op + " b"), std::string("(") + op + " a b)") << op;
  EXPECT_EQ(Tree("true -> false"), "(-> true false)");
}

TEST(Parser, ReadsNumbersCallsAndConstantsWrappedInCalls) {
  EXPECT_EQ(Tree("1e3 + .5 + 2.5E-1 + 7. + inf + nan"), "(+ 1000 0.5 0.25 7 inf nan)");
  EXPECT_EQ(Tree("max(a, b + 1, c)"), "(max a (+ b 1) c)");
  EXPECT_EQ(Tree("f()"), "(f)");
  EXPECT_EQ(Tree("true(x < 2)"), "(true (< x 2))");
  EXPECT_EQ(Tree("1e-400"), "0");  // underflow is a number, not an error
}

TEST(Parser, RefusesMalformedInputAtTheRightColumn) {
  EXPECT_EQ(Tree("a < b < c"), "error 7: '<'");
  EXPECT_EQ(Tree("2x + 1"), "error 1: '2x'");
  EXPECT_EQ(Tree("1e999"), "error 1: '1e999'");
  EXPECT_EQ(Tree("1e+"), "error 1: '1e+'");
  EXPECT_EQ(Tree("x + and"), "error 5: 'and'");
  EXPECT_EQ(Tree("f(x,)"), "error 5: ')'");
  EXPECT_EQ(Tree("(x"), "error 3: end of input");
  EXPECT_EQ(Tree(std::string("x = \0 1", 7)), "error 5: '\\x00'");
  EXPECT_EQ(Tree("x = \xC3\xA9"), "error 5: '\\xC3'");
  EXPECT_EQ(Tree("a & b"), "error 3: '&'");
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
  EXPECT_TRUE(items[0].ok);
  EXPECT_FALSE(items[1].ok);
  EXPECT_EQ(items[1].error.pos.line, 2);
  EXPECT_EQ(items[1].error.pos.column, 9);
  EXPECT_EQ(items[1].error.found, "end of line");
  EXPECT_EQ(items[1].error.expected, "an expression");
  EXPECT_FALSE(items[2].ok);
  EXPECT_EQ(items[2].error.pos.line, 4);
  EXPECT_EQ(items[2].error.pos.column, 7);
  EXPECT_TRUE(items[3].ok);  // w = 5 after the ';'
  EXPECT_FALSE(items[4].ok);
  EXPECT_EQ(items[4].error.found, "'maybe'");
  EXPECT_FALSE(items[5].ok);
  EXPECT_EQ(items[5].error.pos.column, 10);

  const Statement& param = items[6].statement;
  EXPECT_EQ(param.kind, Statement::Kind::Param);
  EXPECT_EQ(param.names, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(items[7].statement.kind, Statement::Kind::Option);
  EXPECT_EQ(items[7].statement.option, "transfer");
  EXPECT_FALSE(items[7].statement.on);
  EXPECT_EQ(items[8].statement.kind, Statement::Kind::Check);
  EXPECT_EQ(items[9].statement.kind, Statement::Kind::Show);
  EXPECT_EQ(items[10].statement.kind, Statement::Kind::Diff);
  EXPECT_EQ(items[10].statement.by, "b");

  EXPECT_TRUE(ParseProgram("").empty());
  EXPECT_TRUE(ParseProgram("# only a comment\n;;\n\n").empty());
}

TEST(Parser, DeepNestingIsASyntaxErrorNotACrash) {
  const size_t n = 100000;
  for (const std::string& unit : {std::string("("), std::string("-"), std::string("not "),
                                  std::string("x^"), std::string("f("), std::string("a -> ")}) {
    std::string text;
    for (size_t i = 0; i < n; ++i) text += unit;
    std::vector<Item> items = ParseProgram(text + "x");
    ASSERT_EQ(items.size(), 1u) << unit;
    EXPECT_FALSE(items[0].ok) << unit;
  }
  // Long left-nested chains are refused by height; flat runs are fine.
  std::string chain = "a";
  for (size_t i = 0; i < 5000; ++i) chain += " and a";
  EXPECT_FALSE(ParseProgram(chain)[0].ok);
  std::string run = "a";
  for (size_t i = 0; i < n; ++i) run += " + a";
  EXPECT_TRUE(ParseProgram(run)[0].ok);
  std::string nested = "x";
  for (int i = 0; i < kMaxNesting - 10; ++i) nested = "(" + nested + ")";
  EXPECT_TRUE(ParseProgram(nested)[0].ok);
}

}  // namespace
}  // namespace zelcalc
