#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>

#include "Options.h"
#include "SmtSession.h"
#include "SmtWriter.h"

namespace zelcalc {
namespace {

// zelcalc's standard output for an SMT-LIB script, written as SMT-LIB; the
// processing options off unless asked.
std::string Zelcalc(const std::string& script, bool process = false) {
  Settings settings;
  settings.smtOutput = true;
  settings.options.assign(OptionTable().size(), -1);
  if (!process)
    for (const char* name : {"gauss", "subst", "transfer"})
      settings.options[static_cast<size_t>(FindOption(name) - OptionTable().data())] = 0;
  std::ostringstream out;
  std::ostringstream err;
  RunSmt(script, "w.smt2", out, err, settings);
  return out.str();
}

TEST(SmtWriter, WritesNumbersAsTheShortestDecimalThatReadsBack) {
  const std::pair<double, const char*> cases[] = {
      {0.1, "0.1"},
      {3, "3.0"},
      {-2.5, "(- 2.5)"},
      {0, "0.0"},
      {1e21, "1000000000000000000000.0"},
      {1.5e-7, "0.00000015"},
      {123.456, "123.456"},
      {1.0 / 3, "0.3333333333333333"},
      {-0.0, "(- 0.0)"},
  };
  for (const auto& c : cases) EXPECT_EQ(SmtNumber(c.first), c.second) << c.second;
  for (double v : {0.1, 1.0 / 3, 6.02214076e23, 5e-324, 1.7976931348623157e308})
    EXPECT_EQ(std::strtod(SmtNumber(v).c_str(), nullptr), v) << v;
  // No SMT-LIB number is infinite: cot 0 is, without the error of (/ 1.0 0.0).
  EXPECT_EQ(SmtNumber(std::numeric_limits<double>::infinity()), "(cot 0.0)");
  EXPECT_EQ(SmtNumber(-std::numeric_limits<double>::infinity()), "(- (cot 0.0))");
  EXPECT_EQ(SmtNumber(std::nan("")), "(+ (cot 0.0) (- (cot 0.0)))");
}

// The examples smt-let.smt2 and smt-logic.smt2 show whole scripts written.
TEST(SmtWriter, LeavesOutUnusedDeclarationsAndNamesTheLogicUsed) {
  EXPECT_EQ(Zelcalc("(declare-fun x () Real) (declare-fun unused () Real) (assert (< x 1))"),
            "(set-logic QF_LRA)\n"
            "(declare-fun x () Real)\n"
            "(assert (< x 1.0))\n"
            "(check-sat)\n");
  // Without set-logic the logic follows from the operations used; Int
  // theories are named as their Real ones, difference logics as linear.
  EXPECT_EQ(Zelcalc("(declare-fun x () Real) (assert (> (sin x) 0))").substr(0, 19),
            "(set-logic QF_NRAT)");
  EXPECT_EQ(Zelcalc("(declare-fun x () Real) (assert (> (* x x) 0))").substr(0, 18),
            "(set-logic QF_NRA)");
  EXPECT_EQ(Zelcalc("(set-logic QF_LIA) (declare-fun i () Int) (assert (> i 0))").substr(0, 18),
            "(set-logic QF_LRA)");
  EXPECT_EQ(Zelcalc("(set-logic QF_NIRA) (declare-fun i () Int) (assert (> i 0))").substr(0, 18),
            "(set-logic QF_NRA)");
  EXPECT_EQ(Zelcalc("(set-logic QF_RDL) (declare-fun i () Real) (assert (> i 0))").substr(0, 18),
            "(set-logic QF_LRA)");
}

// The example smt-logic.smt2 shows distinct, =>, or and xor written back.
TEST(SmtWriter, MapsRelationAndFunctionNamesBack) {
  EXPECT_EQ(Zelcalc("(declare-fun x () Real) (declare-fun y () Real) (assert (not (<= x 1)))"
                    "(assert (= (tan x) (arctan (arcsin (arccos (cot y))))))"),
            "(set-logic QF_NRAT)\n"
            "(declare-fun x () Real)\n"
            "(declare-fun y () Real)\n"
            "(assert (> x 1.0))\n"
            "(assert (= (tan x) (arctan (arcsin (arccos (cot y))))))\n"
            "(check-sat)\n");
}

TEST(SmtWriter, DeclaresABoolVariableUsedAsANumberAsReal) {
  ZELSymbolicCalculator calc;
  ZELS3Node* p = CreateExpression(1ull, static_cast<unsigned char>(0));
  ZELICVectorImp_ZELS3Node sum(2u, 5u);
  sum.Add(p);
  sum.Add(CreateExpression(2.0));
  ZELICVectorImp_ZELS3Node rel(2u, 5u);
  rel.Add(CreateExpression(ZELString("+"), sum));
  rel.Add(CreateExpression(0.0));
  const ZELS3Node* root = CreateExpression(ZELString(">"), rel);
  EXPECT_EQ(WriteSmt({root}, {{1ull, "p"}}, {1ull}, "QF_LRA", 0),
            "(set-logic QF_LRA)\n"
            "(declare-fun p () Real)\n"
            "(assert (> (+ 2.0 p) 0.0))\n"
            "(check-sat)\n");
}

TEST(SmtWriter, RenamesBindingsThatAVariableNameTakes) {
  // The example smt-let.smt2 shows let and define-fun; a variable named like
  // a binding moves the bindings to other names.
  EXPECT_EQ(Zelcalc("(declare-fun t1 () Real) (assert (> (* (sin t1) (sin t1)) 1))"),
            "(set-logic QF_NRAT)\n"
            "(declare-fun t1 () Real)\n"
            "(assert (let ((_t1 (sin t1))) (> (* _t1 _t1) 1.0)))\n"
            "(check-sat)\n");
}

TEST(SmtWriter, WrittenScriptsReadBackToTheSameScript) {
  const char* const scripts[] = {
      ("(declare-fun x () Real) (declare-fun y () Real) (declare-fun z () Real)"
       "(assert (<= (+ (* 250 (exp (* (- 1.1) x))) (* 173 (exp (* (- 1.3) x))) (* 250 x) y) 297.5))"
       "(assert (> (* 2 (* x y) (* z z) (+ x 1)) (- (* 3 y) (* 0.5 z) x)))"),
      ("(declare-fun p () Bool) (declare-fun q () Bool) (declare-fun a () Real)"
       "(assert (or (and p (> a 1)) (not q) (= p q))) (assert (distinct a 1 2))"),
      "(declare-fun x () Real) (assert (< (/ 1 (* x x x)) (^ x 0.5) (sqrt (abs x))))",
      // Infinity, next to the division that sets the error.
      "(declare-fun x () Real) (assert (> (cot 0.0) (/ 1 0) x))",
      // Transfer makes 0 = y, which the calculator keeps and does not fix y.
      "(declare-fun y () Real) (assert (= (- y) 0)) (assert (= y 1))",
      // x >= 1 as a negation (named >==) and as itself: one node once read.
      "(declare-fun x () Real) (declare-fun p () Bool) (assert (or (not (< x 1)) p (>= x 1)))",
  };
  for (const char* s : scripts) {
    for (bool process : {false, true}) {
      const std::string once = Zelcalc(s, process);
      EXPECT_EQ(Zelcalc(once), once) << s;
    }
  }
}

}  // namespace
}  // namespace zelcalc
