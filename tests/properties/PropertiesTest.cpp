#include <algorithm>
#include <cmath>
#include <map>
#include <random>

#include "support/Builders.h"
#include "support/NodePrinter.h"
#include "support/TestAccess.h"

namespace {

using namespace zeltav_test;
using testing::PrintToString;

struct Tree {  // as the host gives it: a spelling over operands, a variable (id > 0), a number
  std::string op;
  unsigned long long id = 0;
  double number = 0;
  std::vector<Tree> args;
};

const std::string kLogic[] = {"=", "<>", "<", "<=", ">", ">=", "and", "or", "->", "not"};
const char* const kArithmetic[] = {"+", "-", "*", "/", "^", "min", "max"};
double Cot(double x) { return 1 / std::tan(x); }
const std::map<std::string, double (*)(double)> kFunctions = {
    {"sin", ::sin}, {"cos", ::cos},   {"atan", ::atan}, {"abs", ::fabs},
    {"exp", ::exp}, {"ln", ::log},    {"sqrt", ::sqrt}, {"tg", ::tan},
    {"ctg", Cot},   {"asin", ::asin}, {"acos", ::acos}};

struct Value {  // and a magnitude >= |v| its error scales with; not finite: ill conditioned
  double v, mag;
};

Value Eval(const Tree& t, const Point& p) {
  if (t.op.empty()) return {t.id ? p.at(t.id) : t.number, std::fabs(t.id ? p.at(t.id) : t.number)};
  std::vector<double> v;
  double sum = 0, product = 1, lo = HUGE_VAL, hi = -HUGE_VAL, m = 0, bound = 1;  // m: magnitudes
  for (const Tree& arg : t.args) {
    const Value u = Eval(arg, p);
    v.push_back(u.v);
    sum += u.v;
    product *= u.v;
    lo = std::fmin(lo, u.v);
    hi = std::fmax(hi, u.v);
    m += u.mag;  // summed, and a bound for the product
    bound *= 1 + u.mag;
  }
  const double x = v[0], y = v.size() > 1 ? v[1] : 0, d = x - y, h = 1e-6 * (1 + std::fabs(x));
  auto unary = [&](auto f) {  // the slope from both sides: large at a pole, NaN past an edge
    const double r = f(x);
    return Value{r, std::fabs(r) + (std::fabs(f(x + h) - r) + std::fabs(r - f(x - h))) / h * m};
  };
  if (t.op == "+" || t.op == "-") return {t.op == "+" ? sum : v.size() == 1 ? -x : d, m};
  if (t.op == "*") return {product, bound};
  if (t.op == "/") return {x / y, m * (1 + std::fabs(x / y)) / std::fabs(y)};
  if (t.op == "min" || t.op == "max") return {t.op == "min" ? lo : hi, m};
  if (t.op == "^")  // y is a small integer; u^0 is not compared near u = 0
    return unary(
        [&](double u) { return y || std::fabs(u) > 1e-3 * (1 + m) ? std::pow(u, y) : NAN; });
  if (kFunctions.count(t.op)) return unary(kFunctions.at(t.op));
  const bool truth[] = {d == 0,           d != 0,           d<0, d <= 0, d> 0, d >= 0,
                        x != 0 && y != 0, x != 0 || y != 0, x == 0 || y != 0,  x == 0};
  const int i = std::find(kLogic, kLogic + 10, t.op) - kLogic;  // a relation for i < 6
  return {double(truth[i]), i > 5 ? m : std::fabs(d) > 1e-6 * (1 + m) ? 1 : HUGE_VAL};
}

struct Generator {  // of trees over the variables 1..3
  std::mt19937 rng;
  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
  Tree Leaf(unsigned long long id, double v) { return {"", id, v, {}}; }
  Tree Op(std::string op, std::vector<Tree> args) { return {std::move(op), 0, 0, std::move(args)}; }
  Tree Real(int depth, bool differentiable = false) {  // differentiable: no min or max
    if (!depth || Int(0, 9) < 3) return Int(0, 2) ? Leaf(Int(1, 3), 0) : Leaf(0, Int(-12, 12) / 4.);
    const int k = Int(0, differentiable ? 6 : 7), i = k < 5 ? k : k < 7 ? 7 : Int(5, 6);
    std::vector<Tree> args(i == 4 || i > 6 ? 1 : Int(1 + (i != 1), 2 + (i != 1 && i != 3)));
    for (Tree& a : args) a = Real(depth - 1, differentiable);
    if (i == 4) args.push_back(Leaf(0, Int(-2, 3)));
    return Op(i < 7 ? kArithmetic[i] : std::next(kFunctions.begin(), Int(0, 10))->first, args);
  }
  Tree Relation(int depth) { return Op(kLogic[Int(0, 5)], {Real(depth), Real(depth)}); }
  Tree Bool(int depth) {
    if (depth == 0 || Int(0, 2) == 0) return Relation(depth);
    if (Int(0, 3) == 0) return Op("not", {Bool(depth - 1)});
    return Op(kLogic[Int(6, 8)], {Bool(depth - 1), Bool(depth - 1)});
  }
};

ZELS3Node* Build(const Tree& t) {
  if (t.id) return CreateExpression(t.id, static_cast<unsigned char>(0));
  if (t.op.empty()) return CreateExpression(t.number);
  ZELICVectorImp_ZELS3Node args(static_cast<unsigned>(t.args.size()), 5u);
  for (const Tree& a : t.args) args.Add(Build(a));
  return CreateExpression(ZELString(t.op.c_str()), args);
}

struct Built {  // t built in a fresh calculator (no error code yet); null if building set one
  ZELSymbolicCalculator calc;
  ZELS3Node* node;
  explicit Built(const Tree& t) : node(Build(t)) { node = calc.GetError() ? nullptr : node; }
};

Value Slope(const Tree& t, const Point& p, int by) {  // d/dx<by> of t: a Richardson step
  auto at = [&](double dx) {
    Point q = p;
    q[by] += dx;
    const Value u = Eval(t, q);
    return u.mag < 1e6 ? u.v : NAN;  // NaN unless well conditioned
  };
  const double h = 1e-3 * (1 + std::fabs(p.at(by))), coarse = (at(h) - at(-h)) / (2 * h),
               fine = (at(h / 2) - at(-h / 2)) / h, want = (4 * fine - coarse) / 3;
  return {want,  // trusted where the two central differences agree
          std::fabs(coarse - fine) <= 1e-3 * (1 + std::fabs(fine)) ? std::fabs(want) : HUGE_VAL};
}

// Compares node with t (d/dx<by> of t if by > 0) at six random points; returns how many were used.
int Compare(Generator& gen, const Tree& t, const ZELS3Node* node, double tolerance, int by = 0) {
  std::uniform_real_distribution<double> r(-2.5, 2.5);
  int checked = 0;
  for (int k = 0; k < 6; ++k) {
    const Point p{{1, r(gen.rng)}, {2, r(gen.rng)}, {3, r(gen.rng)}};
    const Value want = by ? Slope(t, p, by) : Eval(t, p);
    const double got = Evaluate(node, p);
    if (!(want.mag < 1e12) || !std::isfinite(want.v) || !std::isfinite(got)) continue;
    ++checked;
    EXPECT_LE(std::fabs(got - want.v), tolerance * (1 + want.mag))
        << (by ? "derivative " : "") << Show(node) << " at " << PrintToString(p);
  }
  return checked;
}

TEST(Properties, CanonicalNodesAndRelationsThroughIntakeHaveTheValueOfTheirTree) {
  Generator gen{std::mt19937(20240611)};
  int values = 0, relations = 0;
  for (int e = 0; e < 2000 && !HasFailure(); ++e) {
    const Tree t = e % 3 == 0 ? gen.Real(4) : e % 3 == 1 ? gen.Bool(2) : gen.Relation(3);
    Built b(t);
    values += Compare(gen, t, b.node, 1e-9);
    if (e % 3 != 2 || !b.node) continue;  // a relation, through intake with Transfer on, Gauss off
    b.calc.SetTransferOn();
    b.calc.SetGaussOff();
    b.calc.AddEquation(b.node);
    const auto& stored = ZELSymbolicCalculatorTestAccess::Equations(&b.calc);
    if (b.calc.GetError() == 0 && stored.Count() == 1) relations += Compare(gen, t, stored[0], 0);
  }
  EXPECT_GT(values, 7000);
  EXPECT_GT(relations, 2400);
}

TEST(Properties, DerivativesAgreeWithCentralDifferences) {
  Generator gen{std::mt19937(77)};
  int checked = 0;
  for (int e = 0; e < 800 && !HasFailure(); ++e) {
    const Tree t = gen.Real(3, true);
    Built b(t);
    const int by = gen.Int(1, 3);
    ZELS3Node* d = b.node ? b.node->Diff(by) : nullptr;
    if (b.node != nullptr) {
      ASSERT_NE(d, nullptr) << "d/dx" << by << " " << Show(b.node);
      ASSERT_EQ(b.calc.GetError(), 0) << "d/dx" << by << " " << Show(b.node);
    }
    checked += Compare(gen, t, d, 1e-5, by);
  }
  EXPECT_GT(checked, 3000);
}

TEST(Properties, EliminationSolvesTwoHundredLinearSystemsWithAUniqueSolution) {
  Generator gen{std::mt19937(31337)};
  for (int s = 0; s < 200 && !HasFailure(); ++s) {
    const int n = gen.Int(2, 4);
    std::vector<std::vector<double>> a(n, std::vector<double>(n));
    for (int i = 0; i < n; ++i)  // diagonally dominant rows in a random order: a unique solution
      for (int j = 0; j < n; ++j)
        a[i][j] = i != j ? gen.Int(-4, 4) : gen.Int(13, 15) * (gen.Int(0, 1) ? 1 : -1);
    std::shuffle(a.begin(), a.end(), gen.rng);
    Point x;
    for (int i = 1; i <= n; ++i) x[i] = gen.Int(-10, 10) / 2.0;
    Built b(gen.Leaf(0, 0));
    b.calc.SetGaussOn();
    const std::string system = PrintToString(a) + " x = b at x = " + PrintToString(x);
    for (int i = 0; i < n; ++i) {  // each term stands on a random side
      Tree sides[2] = {gen.Op("+", {gen.Leaf(0, 0)}), gen.Op("+", {gen.Leaf(0, 0)})};
      for (int j = 0; j < n; ++j) {
        const bool moved = gen.Int(0, 2) == 0;
        sides[1].args[0].number += a[i][j] * x[j + 1];
        sides[moved].args.push_back(
            gen.Op("*", {gen.Leaf(0, moved ? -a[i][j] : a[i][j]), gen.Leaf(j + 1, 0)}));
      }
      b.calc.AddEquation(Build(gen.Op("=", {sides[0], sides[1]})));
    }
    ASSERT_EQ(b.calc.GetError(), 0) << system;
    b.calc.Simplify();
    for (unsigned i = 0; i < b.calc.GetNumberOfEquations(); ++i) {
      const ZELS3Node* out = b.calc.GetEquation(i);
      ASSERT_EQ(out->GetNodeType(), NodeEqual) << Show(out) << "\nfrom " << system;
      const double l = Evaluate(out->GetArg(0), x), r = Evaluate(out->GetArg(1), x);
      EXPECT_LE(std::fabs(l - r), 1e-9 * (1 + std::fabs(l) + std::fabs(r))) << Show(out) << system;
    }
    const auto& exact = ZELSymbolicCalculatorTestAccess::ExactVariables(&b.calc);
    for (unsigned i = 0; i < exact.Count(); ++i)
      EXPECT_NEAR(exact[i]->value->GetConstant(), x[exact[i]->id], 1e-9) << system;
  }
}

}  // namespace
