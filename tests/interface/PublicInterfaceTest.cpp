// The library as a host uses it: only the public header, linked against the
// shared object.
#include <ZELTavSymbolicCalculator.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

ZELS3Node* Var(unsigned long long id) {
  return CreateExpression(id, static_cast<unsigned char>(0));
}

ZELS3Node* Build(const char* spelling, ZELS3Node* a, ZELS3Node* b) {
  ZELICVectorImp_ZELS3Node args(2u, 5u);
  args.Add(a);
  args.Add(b);
  return CreateExpression(ZELString(spelling), args);
}

TEST(PublicInterface, WorkedExampleEliminatesTheLargestCoefficientAndTransfers) {
  ZELSymbolicCalculator calc;
  calc.SetGaussOn();
  calc.SetTransferOn();
  ZELS3Node* x = Var(1);
  ZELS3Node* y = Var(2);
  // 2*x + 4*y = 6
  ZELS3Node* lhs =
      Build("+", Build("*", CreateExpression(2.0), x), Build("*", CreateExpression(4.0), y));
  calc.AddEquation(Build("=", lhs, CreateExpression(6.0)));
  EXPECT_EQ(calc.GetError(), 0);
  EXPECT_TRUE(calc.IsLinearVariable(2));
  EXPECT_FALSE(calc.IsLinearVariable(1));
  EXPECT_EQ(calc.GetGauss(), 1);

  calc.Simplify();
  ASSERT_EQ(calc.GetNumberOfEquations(), 1u);
  ZELS3Node* eq = calc.GetEquation(0);
  ASSERT_NE(eq, nullptr);
  EXPECT_EQ(eq->GetNodeType(), NodeEqual);
  EXPECT_TRUE(eq->GetOperName() == "=");
  // y + 0.5*x = 1.5: the right side is the number 1.5.
  ASSERT_NE(eq->GetArg(1), nullptr);
  EXPECT_TRUE(eq->GetArg(1)->IsConstant());
  EXPECT_EQ(eq->GetArg(1)->GetConstant(), 1.5);
  EXPECT_EQ(calc.GetEquation(1), nullptr);
}

TEST(PublicInterface, SharedConstantsAndSharingAreVisibleToTheHost) {
  ZELSymbolicCalculator calc;
  EXPECT_EQ(CreateExpression(1.0), GetOne());
  EXPECT_EQ(GetOne(), ZELSymbolicCalculator::GetOne());
  EXPECT_EQ(CreateExpression(static_cast<unsigned char>(1)), GetTrue());
  ZELS3Node* s1 = Build("+", Var(7), Var(8));
  ZELS3Node* s2 = Build("+", Var(7), Var(8));
  EXPECT_EQ(s1, s2);
  EXPECT_EQ(ORVANE_KOSMA_FWK2_INTERNAL_ZELTavSymbolicCalculator(), 1);
}

TEST(PublicInterface, ErrorsAreStickyAndHaveMessages) {
  ZELSymbolicCalculator calc;
  ZELICVectorImp_ZELS3Node one(1u, 5u);
  one.Add(CreateExpression(-1.0));
  CreateExpression(ZELString("ln"), one);
  EXPECT_EQ(calc.GetError(), 3);
  SetError(5);
  EXPECT_EQ(calc.GetError(), 3);
  std::unique_ptr<ZELUnicodeString> msg(calc.BuildErrorMsg(calc.GetError()));
  ASSERT_NE(msg, nullptr);
  EXPECT_NE(msg->ToUtf8().find('3'), std::string::npos) << msg->ToUtf8();
}

TEST(PublicInterface, DerivedVectorsOverrideThroughTheExportedVirtualTable) {
  // A vector that refuses to grow beyond its first allocation.
  struct Fixed : ZELICVectorImp_ZELS3Node {
    Fixed() : ZELICVectorImp_ZELS3Node(1u, 5u) {}
    int Resize(unsigned int) override { return 0; }
  };
  ZELSymbolicCalculator calc;
  Fixed v;
  EXPECT_EQ(v.Add(GetOne()), 1);
  EXPECT_EQ(v.Add(GetTwo()), 1);
  EXPECT_EQ(v.Add(GetZero()), 0);
  EXPECT_EQ(v.Count(), 2u);
  ZELICVectorIteratorImp_ZELS3Node it(v);
  EXPECT_EQ(it++, GetOne());
  EXPECT_EQ(it++, GetTwo());
  EXPECT_FALSE(static_cast<int>(it));
}

TEST(PublicInterface, DifferentiatesThroughTheSharedObject) {
  ZELSymbolicCalculator calc;
  ZELS3Node* x = Var(1);
  ZELICVectorImp_ZELS3Node a(1u, 5u);
  a.Add(x);
  ZELS3Node* sinx = CreateExpression(ZELString("sin"), a);
  ZELS3Node* d = sinx->Diff(1);
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(d->GetNodeType(), NodeCos);
  EXPECT_EQ(Var(2)->Diff(1), GetZero());
  EXPECT_EQ(x->Diff(1), GetOne());
}

}  // namespace
