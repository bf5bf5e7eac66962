// The library as a host uses it: only the public header, linked against the
// shared object.
#include <ZELTavSymbolicCalculator.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/PublicBuilders.h"

namespace {

using namespace zeltav_test;

// 2x + 4y = 6 -> y + 0.5x = 1.5, with y recorded as linear.
TEST(PublicInterface, TheWorkedExampleEliminatesTheLargestCoefficientAndTransfers) {
  ZELSymbolicCalculator calc;
  calc.SetGaussOn();
  ZELS3Node* left = By("+", {By("*", {Num(2), Var(1)}), By("*", {Num(4), Var(2)})});
  calc.AddEquation(By("=", {left, Num(6)}));
  EXPECT_TRUE(calc.IsLinearVariable(2));
  calc.Simplify();
  ASSERT_EQ(calc.GetNumberOfEquations(), 1u);
  ZELS3Node* equation = calc.GetEquation(0);
  EXPECT_EQ(std::string(equation->GetOperName()), "=");
  EXPECT_EQ(equation->GetArg(1), Num(1.5));
  EXPECT_EQ(calc.GetError(), 0);
}

TEST(PublicInterface, TheHostSeesTheSharedConstantsAndSharedNodes) {
  ZELSymbolicCalculator calc;
  EXPECT_EQ(Num(1), ZELSymbolicCalculator::GetOne());
  EXPECT_EQ(Bool(1), GetTrue());
  EXPECT_EQ(By("+", {Var(7), Var(8)}), By("+", {Var(7), Var(8)}));
}

TEST(PublicInterface, ErrorsAreStickyAndHaveMessages) {
  ZELSymbolicCalculator calc;
  By("ln", {Num(-1)});
  EXPECT_EQ(calc.GetError(), 3);
  SetError(5);
  EXPECT_EQ(calc.GetError(), 3);
  std::unique_ptr<ZELUnicodeString> msg(calc.BuildErrorMsg(calc.GetError()));
  ASSERT_NE(msg, nullptr);
  EXPECT_NE(msg->ToUtf8().find('3'), std::string::npos) << msg->ToUtf8();
}

// Refuses to grow beyond its first allocation.
struct FixedVector : ZELICVectorImp_ZELS3Node {
  FixedVector() : ZELICVectorImp_ZELS3Node(1u, 5u) {}
  int Resize(unsigned int) override { return 0; }
};

TEST(PublicInterface, DerivedVectorsOverrideThroughTheExportedVirtualTable) {
  ZELSymbolicCalculator calc;
  FixedVector v;
  EXPECT_EQ(v.Add(GetOne()), 1);
  EXPECT_EQ(v.Add(GetTwo()), 1);
  EXPECT_EQ(v.Add(GetZero()), 0);
  EXPECT_EQ(v.Count(), 2u);
}

TEST(PublicInterface, DifferentiatesThroughTheSharedObject) {
  ZELSymbolicCalculator calc;
  ZELS3Node* derivative = By("sin", {Var(1)})->Diff(1);
  ASSERT_NE(derivative, nullptr);
  EXPECT_EQ(derivative->GetNodeType(), NodeCos);
  EXPECT_EQ(Var(1)->Diff(1), GetOne());
}

TEST(PublicInterface, TheMarkerExportReturnsOne) {
  EXPECT_EQ(ORVANE_KOSMA_FWK2_INTERNAL_ZELTavSymbolicCalculator(), 1);
}

}  // namespace
