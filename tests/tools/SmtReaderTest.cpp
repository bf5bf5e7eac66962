#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "SmtReader.h"
#include "SmtSession.h"

namespace zelcalc {
namespace {

// A session with x, y (Real), n (Int), p, q (Bool) declared; terms are built
// one at a time and shown in infix, or the message that refused them.
class SmtReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    session_.SetFileName("t.smt2");
    reader_.Read(
        "(declare-fun x () Real) (declare-const y Real) (declare-const n Int)"
        "(declare-fun p () Bool) (declare-fun q () Bool)");
    err_.str("");
  }

  std::string Show(const std::string& term) {
    ZELS3Node* n = reader_.Term(term);
    std::string message = err_.str();
    err_.str("");
    return n != nullptr ? session_.printer().Infix(n) : message;
  }

  // Reads a script with a reader of its own; returns the messages.
  std::string Script(const std::string& text) {
    session_.SetFileName("s.smt2");
    SmtReader reader(session_);
    reader.Read(text);
    session_.SetFileName("t.smt2");
    std::string message = err_.str();
    err_.str("");
    return message;
  }

  std::ostringstream out_;
  std::ostringstream err_;
  Session session_{out_, err_, Settings()};
  ZELSymbolicCalculator& calc_ = session_.calculator();
  SmtReader reader_{session_};
};

int Height(const ZELS3Node* n) {
  int h = 0;
  for (unsigned i = 0; n->IsOperation() && i < n->GetArgsNum(); ++i)
    h = std::max(h, Height(n->GetArg(i)));
  return h + 1;
}

// The example smt-arith.smt2 shows the other operations and functions read.
TEST_F(SmtReaderTest, MapsArithmeticAndFunctionsToTheLibrarysSpellings) {
  EXPECT_EQ(Show("(- x)"), "-x");
  EXPECT_EQ(Show("(- x y 2)"), "-2 + x - y");
  EXPECT_EQ(Show("(/ x y 2)"), "0.5*(x/y)");
  EXPECT_EQ(Show("1.50"), "1.5");
  EXPECT_EQ(Show("(cot x)"), "ctg(x)");
  EXPECT_EQ(Show("(sec x)"), "1/cos(x)");
}

// The example smt-logic.smt2 shows chains, distinct and the connectives read.
TEST_F(SmtReaderTest, MapsRelationsChainsAndConnectives) {
  const char* const cases[][2] = {
      {"(= x y 1)", "x = y and y = 1"},
      {"(>= x y)", "x >= y"},
      {"(and)", "true"},
      {"(or)", "false"},
      {"(not (< x 1))", "x >== 1"},
  };
  for (const auto& c : cases) EXPECT_EQ(Show(c[0]), c[1]) << c[0];
}

TEST_F(SmtReaderTest, ReadsABoolVariableAsTheRelationPEqualsOne) {
  EXPECT_EQ(Show("p"), "p = 1");
  EXPECT_EQ(Show("(not p)"), "p <<>> 1");
}

// The example smt-let.smt2 shows parallel and shadowing bindings.
TEST_F(SmtReaderTest, BindsLetNamesInParallelWithShadowingAndSharesTheirNodes) {
  EXPECT_EQ(Show("(let ((z 1)) (+ (let ((z 2)) z) z))"), "3");
  ZELS3Node* shared = reader_.Term("(let ((e (sin x))) (+ e (* 2 e e)))");
  ASSERT_NE(shared, nullptr);
  EXPECT_EQ(shared->GetArg(1), shared->GetArg(3)->GetArg(0));
}

TEST_F(SmtReaderTest, ExpandsDefinedFunctionsAndConstantsWhereUsed) {
  reader_.Read(
      "(define-fun sq ((a Real)) Real (* a a)) (define-fun k () Real 3)"
      "(define-fun pos ((a Real) (b Bool)) Bool (and b (> a 0)))");
  EXPECT_EQ(err_.str(), "");
  EXPECT_EQ(Show("(pos x p)"), "p = 1 and x > 0");
  EXPECT_EQ(Show("(let ((a y)) (sq a))"), "y^2");
  EXPECT_EQ(Show("(! (> x 1) :named big)"), "x > 1");
  EXPECT_EQ(Show("(not big)"), "x <== 1");
}

TEST_F(SmtReaderTest, BuildsLongConjunctionsAsBalancedTrees) {
  std::string conj = "(and";
  std::string disj = "(or";
  for (int i = 0; i < 4096; ++i) {
    conj += " (< x " + std::to_string(i) + ")";
    disj += " (> y " + std::to_string(i) + ")";
  }
  ZELS3Node* a = reader_.Term(conj + ")");
  ZELS3Node* o = reader_.Term(disj + ")");
  ASSERT_NE(a, nullptr);
  ASSERT_NE(o, nullptr);
  EXPECT_EQ(Height(a), 14);
  EXPECT_EQ(Height(o), 14);
}

TEST_F(SmtReaderTest, RefusesConstructsOutsideTheAlgebraAtTheirPosition) {
  const char* const cases[][2] = {
      {"(exists ((z Real)) (> z 0))", "t.smt2:1:2: unsupported: quantifier 'exists'\n"},
      {"(mod n 2)", "t.smt2:1:2: unsupported: integer operation 'mod'\n"},
      {"(+ x w)", "t.smt2:1:6: unsupported: unknown symbol 'w'\n"},
      {"((_ extract 1 0) x)",
       "t.smt2:1:2: unsupported: indexed or qualified identifier '(_ ...)'\n"},
      {"(+ x #b101)", "t.smt2:1:6: unsupported: bit-vector literal '#b101'\n"},
      {"(+ x \"s\")", "t.smt2:1:6: unsupported: string literal\n"},
      {"(+ x p)", "t.smt2:1:6: error: expected a Real operand of '+'\n"},
      {"(and p x)", "t.smt2:1:8: error: expected a Bool operand of 'and'\n"},
      {"(sin x y)", "t.smt2:1:2: error: 'sin' takes one operand\n"},
      {"(< x)", "t.smt2:1:2: error: '<' needs at least 2 operands\n"},
      {"(let ((z)) z)", "t.smt2:1:7: error: expected a binding (name term)\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(Show(c[0]), c[1]) << c[0];
}

TEST_F(SmtReaderTest, RefusesCommandsAndSortsButKeepsTheOtherAssertions) {
  // The example smt-refused.smt2 shows the other refused commands and sorts.
  EXPECT_EQ(Script("(reset)\n(declare-sort U 0)\n"
                   "(set-option :produce-models true) (set-info :status sat) (check-sat) (exit)\n"),
            "s.smt2:1:1: unsupported: command 'reset'\n"
            "s.smt2:2:1: unsupported: command 'declare-sort'\n");
  SmtReader reader(session_);
  reader.Read(
      "(declare-fun a () Real) (assert (< a 1)) (assert (ite true true false))\n"
      "(check-sat-assuming ((> a 0) (ite true true false))) (assert (> a (- 1)))");
  calc_.Simplify();
  EXPECT_EQ(reader.assertions(), 3);
  EXPECT_EQ(reader.refused(), 2);
  EXPECT_EQ(calc_.GetNumberOfEquations(), 3u);
}

TEST_F(SmtReaderTest, ReportsMalformedTextAndGoesOnAtTheNextCommand) {
  EXPECT_EQ(Script("(declare-fun a () Real) (assert (< a 1 ()))\n"
                   "(assert (< a 2x))\n"
                   ")\n"
                   "(assert (< a |quoted (|))\n"
                   "(declare-fun a () Real)\n"
                   "(assert (> a 0)"),
            "s.smt2:1:40: error: expected a term, found ()\n"
            "s.smt2:2:14: syntax error: unexpected '2x', expected a number or a symbol\n"
            "s.smt2:3:1: syntax error: unexpected ')', expected '(' or an atom\n"
            "s.smt2:4:14: unsupported: unknown symbol 'quoted ('\n"
            "s.smt2:5:14: error: 'a' is already declared\n"
            "s.smt2:6:16: syntax error: unexpected end of input, expected ')'\n");
  std::string deep(6000, '(');
  EXPECT_EQ(Script("(assert " + deep + ")\n(declare-fun b () Real)"),
            "s.smt2:1:5008: syntax error: unexpected '(', expected at most 5000 nested lists\n");
}

TEST_F(SmtReaderTest, NotesIntOnceAndWarnsOfDivisionByZeroPerAssertion) {
  EXPECT_EQ(Script("(declare-fun i () Int) (declare-fun j () Int)\n"
                   "(assert (> (/ i 0) 1)) (assert (< (/ j 0.0) 1))"),
            "s.smt2:1:19: note: Int is read as Real: integrality is not kept\n"
            "s.smt2:2:13: warning: division by zero (the calculator sets error 2); the "
            "assertion is kept\n"
            "s.smt2:2:36: warning: division by zero (the calculator sets error 2); the "
            "assertion is kept\n");
  EXPECT_EQ(calc_.GetError(), 2);
}

// As for .zel input, the message names the term that set the error code.
TEST(SmtReader, ExplainsTheFirstErrorByTheTermThatSetIt) {
  auto why = [](const std::string& script) {
    std::ostringstream out, err;
    RunSmt("(declare-fun x () Real)\n" + script, "e.smt2", out, err, Settings());
    const std::string e = err.str();
    return e.substr(e.find("by '") + 3);
  };
  EXPECT_EQ(why("(assert (> (sqrt (- 4)) x))"),
            "'(assert (> (sqrt (- 4)) x))': sqrt needs a number that is not negative; here "
            "it is given -4, in '(sqrt (- 4))' at 2:13\n");
  EXPECT_EQ(why("(assert (< x (let ((a (arccos 2))) a)))"),
            "'(assert (< x (let ((a (arccos 2))) a)))': arccos needs a number from -1 to 1; "
            "here it is given 2, in '(arccos 2)' at 2:24\n");
  EXPECT_EQ(why("(define-fun k () Real (/ x 0))"),
            "'(define-fun k () Real (/ x 0))': division by zero in '(/ x 0)' at 2:24\n");
  EXPECT_EQ(why("(assert (= x 1))\n(assert (and (< x 3) (= x 2)))"),
            "'(assert (and (< x 3) (= x 2)))': x is already fixed at 1 by '(assert (= x 1))' "
            "(e.smt2:2:1): the system is inconsistent\n");
  EXPECT_EQ(why("(assert (and (< x 3) false))"),
            "'(assert (and (< x 3) false))': a conjunct of the assertion is false: the system "
            "is inconsistent\n");
}

}  // namespace
}  // namespace zelcalc
