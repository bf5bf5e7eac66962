// The library as a host uses it: only the public header, linked against the
// shared object.
#include <ZELTavSymbolicCalculator.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

namespace {

ZELS3Node* Var(unsigned long long id) {
  return CreateExpression(id, static_cast<unsigned char>(0));
}
ZELS3Node* Num(double v) { return CreateExpression(v); }

ZELS3Node* Build(const char* spelling, std::initializer_list<ZELS3Node*> args) {
  ZELICVectorImp_ZELS3Node v(2u, 5u);
  for (ZELS3Node* a : args) v.Add(a);
  return CreateExpression(ZELString(spelling), v);
}

TEST(PublicInterface, WorkedExampleEliminatesTheLargestCoefficientAndTransfers) {
  ZELSymbolicCalculator calc;
  calc.SetGaussOn();
  calc.SetTransferOn();
  // 2*x + 4*y = 6
  ZELS3Node* lhs = Build("+", {Build("*", {Num(2), Var(1)}), Build("*", {Num(4), Var(2)})});
  calc.AddEquation(Build("=", {lhs, Num(6)}));
  EXPECT_TRUE(calc.GetError() == 0 && calc.GetGauss() == 1);
  EXPECT_TRUE(calc.IsLinearVariable(2) && !calc.IsLinearVariable(1));
  calc.Simplify();
  ASSERT_EQ(calc.GetNumberOfEquations(), 1u);
  ZELS3Node* eq = calc.GetEquation(0);
  ASSERT_TRUE(eq && eq->GetNodeType() == NodeEqual && eq->GetOperName() == "=");
  // y + 0.5*x = 1.5: the right side is the number 1.5.
  EXPECT_TRUE(eq->GetArg(1) && eq->GetArg(1)->IsConstant() && eq->GetArg(1)->GetConstant() == 1.5);
  EXPECT_EQ(calc.GetEquation(1), nullptr);
}

TEST(PublicInterface, SharedConstantsAndSharingAreVisibleToTheHost) {
  ZELSymbolicCalculator calc;
  EXPECT_TRUE(Num(1) == GetOne() && GetOne() == ZELSymbolicCalculator::GetOne());
  EXPECT_EQ(CreateExpression(static_cast<unsigned char>(1)), GetTrue());
  EXPECT_EQ(Build("+", {Var(7), Var(8)}), Build("+", {Var(7), Var(8)}));
  EXPECT_EQ(ORVANE_KOSMA_FWK2_INTERNAL_ZELTavSymbolicCalculator(), 1);
}

TEST(PublicInterface, ErrorsAreStickyAndHaveMessages) {
  ZELSymbolicCalculator calc;
  Build("ln", {Num(-1)});
  EXPECT_EQ(calc.GetError(), 3);
  SetError(5);
  EXPECT_EQ(calc.GetError(), 3);
  std::unique_ptr<ZELUnicodeString> msg(calc.BuildErrorMsg(calc.GetError()));
  ASSERT_NE(msg, nullptr);
  EXPECT_NE(msg->ToUtf8().find('3'), std::string::npos) << msg->ToUtf8();
}

TEST(PublicInterface, DerivedVectorsOverrideThroughTheExportedVirtualTable) {
  struct Fixed : ZELICVectorImp_ZELS3Node {  // refuses to grow beyond its first allocation
    Fixed() : ZELICVectorImp_ZELS3Node(1u, 5u) {}
    int Resize(unsigned int) override { return 0; }
  };
  ZELSymbolicCalculator calc;
  Fixed v;
  EXPECT_TRUE(v.Add(GetOne()) == 1 && v.Add(GetTwo()) == 1);
  EXPECT_TRUE(v.Add(GetZero()) == 0 && v.Count() == 2u);
  ZELICVectorIteratorImp_ZELS3Node it(v);
  EXPECT_TRUE(it++ == GetOne() && it++ == GetTwo() && !static_cast<int>(it));
}

TEST(PublicInterface, DifferentiatesThroughTheSharedObject) {
  ZELSymbolicCalculator calc;
  ZELS3Node* d = Build("sin", {Var(1)})->Diff(1);
  EXPECT_TRUE(d && d->GetNodeType() == NodeCos);
  EXPECT_TRUE(Var(2)->Diff(1) == GetZero() && Var(1)->Diff(1) == GetOne());
}

}  // namespace
