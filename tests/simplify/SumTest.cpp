#include <utility>
#include <vector>

#include "support/Builders.h"

using namespace zeltav_test;
using A = ZELS3NodeTestAccess;
using SumNormalisation = WithCalculator;

std::vector<ZELS3Node*> ArgsOf(ZELS3Node* n) {
  std::vector<ZELS3Node*> args;
  for (unsigned i = 0; i < Count(n); ++i) args.push_back(Arg(n, i));
  return args;
}

TEST_F(SumNormalisation, FlattensNestedSumsMergesEqualTermsGathersNumbersAndFoldsWhatCancels) {
  ZELS3Node *a = Var(1), *b = Var(2), *c = Var(3), *d = Var(4), *x = Var(5), *y = Var(6);
  ZELS3Node *s1 = Bin(NodeSum, a, b), *s2 = Op(NodeSum, {Num(2), c, Num(3), d});
  auto R = [&](Args args) { return pool.Raw(NodeSum, args); };  // normalised by SimplifySum
  auto S = [](Args args) { return Op(NodeSum, args); };         // normalised by the factory
  ZELS3Node* odd = R({Num(1), x, Num(2)});
  // Nested sums flatten after the survivors, the later one first; the last of three equal terms
  // folds into the middle one first (0.1 + (0.2 + 0.3) differs from (0.1 + 0.2) + 0.3 in the last
  // bit); numbers gather in one front pair; odd ends are never read; a pair without a number:
  // 10003.
  // clang-format off
  const struct { bool raw; ZELS3Node* sum; std::vector<ZELS3Node*> args; int error; } cases[] = {
      {true, R({Num(1), s1, Num(1), x, Num(5), s2}), {Num(1), x, Num(10), c, Num(15), d, Num(1), a, Num(1), b}, 0},
      {true, R({Num(0.1), x, Num(1), y, Num(0.2), x, Num(0.3), x}), {Num(0.1 + (0.2 + 0.3)), x, Num(1), y}, 0},
      {true, R({Num(1), Num(2), Num(1), x, Num(1), Num(-2)}), {Num(1), x}, 0}, {true, odd, {Num(1), x, Num(2)}, 0},
      {true, R({Num(1), x, Num(1), odd}), {Num(2), x}, 0}, {true, R({y, x, Num(1), y}), {Num(1), y}, 10003},
      {false, S({Num(3), x, Num(2), S({Num(1), y, Num(4), c})}), {Num(3), x, Num(2), y, Num(8), c}, 0},
      {false, S({Num(1), a, Num(1), b, Num(1), a, Num(1), b}), {Num(2), a, Num(2), b}, 0},
      {false, S({Num(1), Num(2), Num(1), x, Num(2), Num(3)}), {Num(1), Num(8), Num(1), x}, 0}, {false, S({Num(3), x}), {Num(3), x}, 0}};
  const std::pair<ZELS3Node*, ZELS3Node*> folds[] = {{S({Num(1), Num(2), Num(1), x, Num(1), Num(-2)}), x},
      {S({Num(1), Num(2), Num(1), Num(3)}), Num(5)}, {S({Num(0), x, Num(1), y}), y}, {S({Num(1), x, Num(-1), x, Num(1), Num(4), Num(-2), Num(2)}), GetZero()}};
  // clang-format on
  EXPECT_EQ(ErrorCode(), 0);  // nothing the factories built was refused
  for (const auto& [raw, sum, args, error] : cases) {
    ResetError();
    if (raw) A::SimplifySum(sum);
    EXPECT_TRUE(sum->GetNodeType() == NodeSum && ArgsOf(sum) == args && ErrorCode() == error)
        << Show(sum) << ", code " << ErrorCode();
  }
  for (const auto& [sum, folded] : folds) EXPECT_EQ(sum, folded) << Show(sum);
  // The nested sums keep their arguments and only lose the flattened sum as a father.
  EXPECT_TRUE(Has(s1, {Num(1), a, Num(1), b}) && A::GetFathNum(s2) == 0u) << Show(s1);
}
