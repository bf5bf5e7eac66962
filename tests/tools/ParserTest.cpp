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

TEST(Parser, BindsPowerTightestAndToTheRight) {
  EXPECT_EQ(Tree("-x^2"), "(- (^ x 2))");
  EXPECT_EQ(Tree("x^y^z"), "(^ x (^ y z))");
  EXPECT_EQ(Tree("2^-x^2"), "(^ 2 (- (^ x 2)))");
  EXPECT_EQ(Tree("-a * b"), "(* (- a) b)");
}

// Division stays binary, as the library's quotient has two operands.
TEST(Parser, ReadsARunOfOneOperatorAsOneOperationAndNestsMixedRunsToTheLeft) {
  EXPECT_EQ(Tree("a - b - c"), "(- a b c)");
  EXPECT_EQ(Tree("a + b - c - d + e"), "(+ (- (+ a b) c d) e)");
  EXPECT_EQ(Tree("a / b / c * d * e"), "(* (/ (/ a b) c) d e)");
}

TEST(Parser, BindsLogicLooserThanRelationsAndKeepsTheSpellingWritten) {
  EXPECT_EQ(Tree("not a < b and c or d -> e -> f"), "(-> (or (and (not (< a b)) c) d) (-> e f))");
  EXPECT_EQ(Tree("a && b and c /\\ d"), "(/\\ (and (&& a b) c) d)");
  EXPECT_EQ(Tree("a || b \\/ c"), "(\\/ (|| a b) c)");
  EXPECT_EQ(Tree("x<-1"), "(< x (- 1))");
  for (const char* op : {"=", "==", "<>", "<", "<=", ">", ">=", "<<", "<==", ">>", ">==", "<<>>"}) {
    EXPECT_EQ(Tree(std::string("a ") + op + " b"), std::string("(") + op + " a b)") << op;
  }
}

TEST(Parser, ReadsNumbersAndCalls) {
  EXPECT_EQ(Tree("1e3 + .5 + 2.5E-1 + 7. + inf + nan"), "(+ 1000 0.5 0.25 7 inf nan)");
  EXPECT_EQ(Tree("1e-310 + 1"), "(+ 1e-310 1)");
  EXPECT_EQ(Tree("max(a, b + 1, c)"), "(max a (+ b 1) c)");
  EXPECT_EQ(Tree("true(x < 2)"), "(true (< x 2))");
}

// The examples syntax.zel and messages.zel show statements refused one by one
// with their positions, and the statements after them run.
TEST(Parser, RefusesMalformedInputAtTheRightColumn) {
  EXPECT_EQ(Tree("1e999"), "error 1: '1e999'");
  EXPECT_EQ(Tree("1e-999"), "error 1: '1e-999'");
  EXPECT_EQ(Tree("x + and"), "error 5: 'and'");
  EXPECT_EQ(Tree("f(x,)"), "error 5: ')'");
  EXPECT_EQ(Tree("x = \xC3\xA9"), "error 5: '\\xC3'");
  EXPECT_EQ(Tree(std::string("x = \0 1", 7)), "error 5: '\\x00'");
}

TEST(Parser, ReadsNoStatementFromBlankOrCommentedText) {
  EXPECT_TRUE(ParseProgram("").empty());
  EXPECT_TRUE(ParseProgram("# only a comment\n;;\n\n").empty());
}

}  // namespace
}  // namespace zelcalc
