// Operations built by spelling with a number of arguments their type does not
// take ("sin" over two, "<" over three, ...). Whatever the library makes of
// them, equal requests share one node and nothing reads beyond the arguments
// a node has: not equality, evaluation, differentiation, intake or output.
// Under the sanitizers this shows any such read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/Builders.h"
#include "support/NodePrinter.h"
#include "support/TestAccess.h"

namespace {

using zeltav_test::Show;

const struct {
  const char* spelling;
  std::vector<unsigned> counts;  // argument counts the type does not take
} kRequests[] = {{"sin", {0, 2, 3}},  {"cos", {0, 2}},  {"tg", {0, 2}},     {"ctg", {0, 2}},
                 {"asin", {0, 2}},    {"acos", {0, 2}}, {"atan", {0, 2}},   {"abs", {0, 2}},
                 {"sign", {0, 2}},    {"exp", {0, 2}},  {"ln", {0, 2}},     {"sqrt", {0, 2}},
                 {"~", {0, 2}},       {"not", {0, 3}},  {"<", {0, 1, 3}},   {"<=", {1, 3}},
                 {">", {1, 3}},       {">=", {1, 3}},   {"=", {0, 1, 3}},   {"<>", {1, 3}},
                 {"<<>>", {0, 1, 3}}, {"==", {1}},      {"and", {0, 1, 3}}, {"or", {0, 1, 3}},
                 {"->", {0, 1, 3}},   {"/", {0, 1, 3}}, {"^", {0, 1, 3}},   {"min", {0, 1}},
                 {"max", {0, 1}},     {"-", {0, 3}},    {"+", {0, 1}},      {"*", {0, 1}}};

ZELS3Node* X() { return CreateExpression(1ULL, static_cast<unsigned char>(0)); }

ZELS3Node* Make(const char* spelling, std::vector<ZELS3Node*> operands) {
  ZELICVectorImp_ZELS3Node args(static_cast<unsigned>(operands.size()), 5u);
  for (ZELS3Node* n : operands) args.Add(n);
  return CreateExpression(ZELString(spelling), &args);
}

// Operands of kind 0 numbers, 1 variables, 2 booleans, 3 mixed.
ZELS3Node* Make(const char* spelling, int kind, unsigned count) {
  std::vector<ZELS3Node*> v;
  for (unsigned i = 0; i < count; ++i) {
    const int k = kind < 3 ? kind : static_cast<int>(i % 3);
    v.push_back(k == 0   ? CreateExpression(0.5 + i)
                : k == 1 ? CreateExpression(1ULL + i, static_cast<unsigned char>(0))
                         : CreateExpression(static_cast<unsigned char>(i % 2)));
  }
  return Make(spelling, v);
}

TEST(WrongArity, NodesWithWrongArgumentCountsAreSharedAndStayWithinTheirArgumentsEverywhere) {
  for (const auto& r : kRequests)
    for (unsigned count : r.counts)
      for (int kind = 0; kind < 4; ++kind) {
        const std::string what = std::string(r.spelling) + " over " + std::to_string(count);
        {
          ZELSymbolicCalculator calc;
          ZELS3Node *n = Make(r.spelling, kind, count), *again = Make(r.spelling, kind, count);
          ASSERT_EQ(n, again) << what << ": " << Show(n) << " and " << Show(again);
          EXPECT_TRUE(!n || n->Equal(again)) << Show(n);
          (void)zeltav_test::Evaluate(n, {{1, 0.25}, {2, -1.5}, {3, 2.0}});
          if (n) (void)n->Diff(1), (void)n->Diff(7);
          // As an operand of other operations, so the rules of those read it.
          for (const char* outer : {"+", "*", "/", "^", "sin", "min", "<", "and", "not", "f"}) {
            if (!n) break;
            if (ZELS3Node* o = Make(outer, {n, X()})) (void)o->Diff(1);
            (void)Make(outer, {n}), (void)Make(outer, {X(), n, n});
          }
        }
        for (int options = 0; options < 4; ++options) {
          ZELSymbolicCalculator calc;
          calc.SetGauss(options & 1);
          calc.SetTransfer((options >> 1) & 1);
          calc.SetSubst(1);
          ZELS3Node* n = Make(r.spelling, kind, count);
          calc.AddEquation(n);
          calc.AddEquation(Make("=", {n, X()}));
          calc.AddEquation(Make("<", {Make("+", {n, X()}), CreateExpression(3.0)}));
          calc.AddEquation(Make("=", {X(), CreateExpression(2.0)}));
          calc.AddEquation(Make("f", {n, Make("and", {n, X()})}));
          calc.Simplify();
          for (unsigned i = 0; i < calc.GetNumberOfEquations(); ++i)
            (void)Show(calc.GetEquation(i));  // the output read down to its leaves
        }
      }
}

}  // namespace
