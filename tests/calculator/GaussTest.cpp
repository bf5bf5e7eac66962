#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "calculator/ConstraintBuilders.h"
#include "support/Evaluator.h"
#include "support/NodePrinter.h"
#include "support/TestAccess.h"

using namespace zeltav_test;

namespace {

// The coefficient of term in a sum node, NaN when absent.
double CoefficientOf(const ZELS3Node* sum, const ZELS3Node* term) {
  for (unsigned i = 0; sum->GetNodeType() == NodeSum && i + 1 < sum->GetArgsNum(); i += 2)
    if (sum->GetArg(i + 1) == term) return sum->GetArg(i)->GetConstant();
  return NAN;
}

}  // namespace

TEST(GaussElimination, SolvesTheWorkedExampleForTheLargestCoefficient) {
  ZELSymbolicCalculator calc;
  calc.SetGaussOn();
  ZELS3Node* x = Var(1);
  ZELS3Node* y = Var(2);
  calc.AddEquation(Op("==", {Linear({{2, x}, {4, y}}), Num(6)}));
  EXPECT_TRUE(calc.IsLinearVariable(2) && !calc.IsLinearVariable(1));
  ASSERT_EQ(ZELSymbolicCalculatorTestAccess::Equations(&calc).Count(), 1u);
  ZELS3Node* eq = ZELSymbolicCalculatorTestAccess::Equations(&calc)[0];  // y + 0.5x = 1.5
  EXPECT_TRUE(eq->GetNodeType() == NodeEqual && eq->GetOperName() == "=") << Show(eq);
  EXPECT_EQ(CoefficientOf(eq->GetArg(0), y), 1.0) << Show(eq);
  EXPECT_EQ(CoefficientOf(eq->GetArg(0), x), 0.5) << Show(eq);
  EXPECT_EQ(eq->GetArg(1)->GetConstant(), 1.5) << Show(eq);
}

TEST(GaussElimination, PicksAUnitCoefficientFirstThenTheLastOfTheLargest) {
  ZELSymbolicCalculator calc;
  calc.SetGaussOn();
  ZELS3Node* tie = Linear({{3, Var(1)}, {3, Var(2)}});
  calc.AddEquation(Op("==", {tie, Var(3)}));
  const ZELS3Node* last = tie->GetArg(3);
  EXPECT_TRUE(last->IsLinearVariable()) << Show(tie);
  EXPECT_FALSE(tie->GetArg(1)->IsLinearVariable()) << Show(tie);
  calc.AddEquation(Op("==", {Linear({{1, Var(4)}, {5, Var(5)}}), Num(1)}));
  EXPECT_TRUE(calc.IsLinearVariable(4) && !calc.IsLinearVariable(5));
  calc.AddEquation(Op("==", {Linear({{-1, Var(6)}, {2, Var(7)}}), Num(0)}));
  EXPECT_TRUE(calc.IsLinearVariable(6) && !calc.IsLinearVariable(7));
  // c = y + z: a constant variable never qualifies, the right side is solved.
  calc.AddEquation(Op("==", {Var(8, 1), Op("+", {Var(9), Var(10)})}));
  EXPECT_TRUE(calc.IsLinearVariable(9) || calc.IsLinearVariable(10));
  // Inequalities, single scaled terms and malformed equations stay as they are.
  for (ZELS3Node* e :
       {Op("<", {Var(11), Op("+", {Var(12), Var(13)})}),
        Op("==", {Op("*", {Num(2), Var(11)}), Num(3)}), Op("==", {Var(11), Num(1), Num(2)})})
    EXPECT_EQ(calc.ProcessGauss(e), e) << Show(e);
  EXPECT_FALSE(calc.IsLinearVariable(11));
}

TEST(GaussElimination, OutputOfRandomRegularSystemsHoldsAtTheirSolution) {
  for (unsigned seed = 1; seed <= 12; ++seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> coef(-3, 3);
    const unsigned n = 2 + seed % 2;
    std::vector<std::vector<double>> a(n, std::vector<double>(n));
    for (auto& row : a)
      for (auto& c : row) c = coef(rng);
    const double det = n == 2 ? a[0][0] * a[1][1] - a[0][1] * a[1][0]
                              : a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) -
                                    a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
                                    a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
    if (det == 0) continue;
    Point solution;
    for (unsigned j = 0; j < n; ++j) solution[10 + j] = coef(rng);

    ZELSymbolicCalculator calc;
    calc.SetGaussOn();
    for (unsigned i = 0; i < n; ++i) {
      ZELICVectorImp_ZELS3Node terms(n, 5u);
      double rhs = 0;
      for (unsigned j = 0; j < n; ++j) {
        terms.Add(Op("*", {Num(a[i][j]), Var(10 + j)}));
        rhs += a[i][j] * solution[10 + j];
      }
      calc.AddEquation(Op("==", {CreateExpression(ZELString("+"), terms), Num(rhs)}));
    }
    calc.Simplify();
    EXPECT_EQ(calc.GetError(), 0) << "seed " << seed;
    ASSERT_GT(calc.GetNumberOfEquations(), 0u) << "seed " << seed;
    for (unsigned k = 0; k < calc.GetNumberOfEquations(); ++k) {
      ZELS3Node* eq = calc.GetEquation(k);
      ASSERT_EQ(eq->GetNodeType(), NodeEqual) << Show(eq);
      const double l = Evaluate(eq->GetArg(0), solution);
      const double r = Evaluate(eq->GetArg(1), solution);
      EXPECT_NEAR(l, r, 1e-9 * std::max({1.0, std::fabs(l), std::fabs(r)}))
          << "seed " << seed << ": " << Show(eq);
    }
    for (const auto& [id, value] : solution)
      if (calc.IsExactVariable(id)) {
        EXPECT_NEAR(calc.GetExactVariable(id)->GetConstant(), value, 1e-9);
      }
  }
}
