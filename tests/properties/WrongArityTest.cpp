// Operations built by spelling with a number of arguments their type does not
// take ("sin" over two, "<" over three, "^" over three, ...). Whatever the
// library makes of them, nothing may read beyond the arguments a node has:
// not the signature, not equality, not evaluation, not differentiation, not
// intake or the output pass. Run under the asan preset this shows any such
// read; everywhere it checks that equal requests still share one node.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/Evaluator.h"
#include "support/NodePrinter.h"
#include "support/TestAccess.h"

namespace {

using zeltav_test::Show;

struct Request {
  const char* spelling;
  std::vector<unsigned> counts;  // argument counts the type does not take
};

const Request kRequests[] = {
    {"sin", {0, 2, 3}},  {"cos", {0, 2}},  {"tg", {0, 2}},     {"ctg", {0, 2}},   {"asin", {0, 2}},
    {"acos", {0, 2}},    {"atan", {0, 2}}, {"abs", {0, 2}},    {"sign", {0, 2}},  {"exp", {0, 2}},
    {"ln", {0, 2}},      {"sqrt", {0, 2}}, {"~", {0, 2}},      {"not", {0, 3}},   {"<", {0, 1, 3}},
    {"<=", {1, 3}},      {">", {1, 3}},    {">=", {1, 3}},     {"=", {0, 1, 3}},  {"<>", {1, 3}},
    {"<<>>", {0, 1, 3}}, {"==", {1}},      {"and", {0, 1, 3}}, {"or", {0, 1, 3}}, {"->", {0, 1, 3}},
    {"/", {0, 1, 3}},    {"^", {0, 1, 3}}, {"min", {0, 1}},    {"max", {0, 1}},   {"-", {0, 3}},
    {"+", {0, 1}},       {"*", {0, 1}}};

enum class Operands { Numbers, Variables, Booleans, Mixed };

ZELS3Node* Operand(Operands kind, unsigned i) {
  switch (kind) {
    case Operands::Numbers:
      return CreateExpression(0.5 + i);
    case Operands::Variables:
      return CreateExpression(1ULL + i, static_cast<unsigned char>(0));
    case Operands::Booleans:
      return CreateExpression(static_cast<unsigned char>(i % 2));
    case Operands::Mixed:
      break;
  }
  if (i == 1) return CreateExpression(2.0);
  if (i == 2) return CreateExpression(static_cast<unsigned char>(1));
  return CreateExpression(1ULL, static_cast<unsigned char>(0));
}

ZELS3Node* Make(const char* spelling, Operands kind, unsigned count) {
  ZELICVectorImp_ZELS3Node args(count, 5u);
  for (unsigned i = 0; i < count; ++i) args.Add(Operand(kind, i));
  return CreateExpression(ZELString(spelling), &args);
}

ZELS3Node* Make(const char* spelling, std::vector<ZELS3Node*> operands) {
  ZELICVectorImp_ZELS3Node args(static_cast<unsigned>(operands.size()), 5u);
  for (ZELS3Node* n : operands) args.Add(n);
  return CreateExpression(ZELString(spelling), &args);
}

// Reads every output equation down to its leaves, as a host would.
void ReadOutput(const ZELSymbolicCalculator& calc) {
  for (unsigned i = 0; i < calc.GetNumberOfEquations(); ++i) (void)Show(calc.GetEquation(i));
}

const Operands kKinds[] = {Operands::Numbers, Operands::Variables, Operands::Booleans,
                           Operands::Mixed};

TEST(WrongArity, EqualRequestsShareOneNodeWhateverTheArgumentCount) {
  for (const Request& r : kRequests)
    for (unsigned count : r.counts)
      for (Operands kind : kKinds) {
        ZELSymbolicCalculator calc;
        ZELS3Node* first = Make(r.spelling, kind, count);
        ZELS3Node* second = Make(r.spelling, kind, count);
        EXPECT_EQ(first, second) << r.spelling << " over " << count << ": " << Show(first)
                                 << " and " << Show(second);
        if (first) {
          EXPECT_TRUE(first->Equal(second)) << Show(first);
        }
      }
}

TEST(WrongArity, NodesWithWrongArgumentCountsEvaluateAndDifferentiateWithinTheirArguments) {
  for (const Request& r : kRequests)
    for (unsigned count : r.counts)
      for (Operands kind : kKinds) {
        ZELSymbolicCalculator calc;
        ZELS3Node* n = Make(r.spelling, kind, count);
        if (!n) continue;
        (void)zeltav_test::Evaluate(n, {{1, 0.25}, {2, -1.5}, {3, 2.0}});
        (void)n->Diff(1);
        (void)n->Diff(7);
        ZELS3Node* x = CreateExpression(1ULL, static_cast<unsigned char>(0));
        // As an operand of other operations, so the rules of those read it.
        for (const char* outer : {"+", "*", "/", "^", "sin", "min", "<", "and", "not", "f"}) {
          ZELS3Node* o = Make(outer, {n, x});
          if (o) (void)o->Diff(1);
          (void)Make(outer, {n});
          (void)Make(outer, {x, n, n});
        }
      }
}

TEST(WrongArity, IntakeAndOutputOfWrongArgumentCountsStayWithinTheArguments) {
  for (int options = 0; options < 4; ++options)
    for (const Request& r : kRequests)
      for (unsigned count : r.counts)
        for (Operands kind : kKinds) {
          ZELSymbolicCalculator calc;
          calc.SetGauss(options & 1);
          calc.SetTransfer((options >> 1) & 1);
          calc.SetSubst(1);
          ZELS3Node* x = CreateExpression(1ULL, static_cast<unsigned char>(0));
          ZELS3Node* n = Make(r.spelling, kind, count);
          calc.AddEquation(n);
          calc.AddEquation(Make("=", {n, x}));
          calc.AddEquation(Make("<", {Make("+", {n, x}), CreateExpression(3.0)}));
          calc.AddEquation(Make("=", {x, CreateExpression(2.0)}));
          calc.AddEquation(Make("f", {n, Make("and", {n, x})}));
          calc.Simplify();
          ReadOutput(calc);
        }
}

}  // namespace
