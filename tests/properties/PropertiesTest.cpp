// Randomised properties over seeded random expressions: what the factories
// return has the value of the operator tree it was built from, derivatives
// agree with central differences, intake keeps the truth of relations, and
// elimination solves linear systems. Every run uses the same seeds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "support/Evaluator.h"
#include "support/NodePrinter.h"
#include "support/TestAccess.h"

namespace {

using zeltav_test::Point;
using zeltav_test::Show;

// An operator tree as the host would describe it: a spelling over operands;
// a leaf is a variable (id > 0) or a number.
struct Tree {
  std::string op;
  unsigned long long id = 0;
  double number = 0;
  std::vector<Tree> args;
};

std::string Text(const Tree& t) {
  if (t.op.empty()) return t.id ? "x" + std::to_string(t.id) : std::to_string(t.number);
  std::string s = "(" + t.op;
  for (const Tree& a : t.args) s += " " + Text(a);
  return s + ")";
}

std::string At(const Point& p) {
  return " at x1=" + std::to_string(p.at(1)) + " x2=" + std::to_string(p.at(2)) +
         " x3=" + std::to_string(p.at(3));
}

// The tree's own value, with a bound on its rounding error (in units of the
// machine epsilon) and whether it is well conditioned: far from a pole, a
// domain edge or the boundary of a relation.
const std::string kRelations[] = {"=", "<>", "<", "<=", ">", ">="};

struct Value {
  double v, scale;
  bool ok;
};

Value Eval(const Tree& t, const Point& p) {
  if (t.op.empty()) {
    double v = t.id ? p.at(t.id) : t.number;
    return {v, std::fabs(v), true};
  }
  std::vector<Value> a;
  bool ok = true;
  for (const Tree& arg : t.args) a.push_back(Eval(arg, p)), ok = ok && a.back().ok;
  const std::string& op = t.op;
  const double x = a[0].v, s = a[0].scale;
  auto far = [](const Value& u) { return std::fabs(u.v) > 1e-3 * (1 + u.scale); };
  auto unary = [&](double v, double slope, bool inside) {
    return Value{v, std::fabs(v) + std::fabs(slope) * s, ok && inside};
  };
  if (op == "+" || (op == "-" && a.size() > 1)) {
    Value r{0, 0, ok};
    for (size_t i = 0; i < a.size(); ++i)
      r.v += (op == "-" && i > 0) ? -a[i].v : a[i].v, r.scale += a[i].scale;
    return r;
  }
  if (op == "-") return {-x, s, ok};
  if (op == "*") {
    Value r{1, 1, ok};
    for (const Value& u : a) r = {r.v * u.v, r.scale * u.scale + std::fabs(r.v * u.v), r.ok};
    return r;
  }
  if (op == "/")
    return {x / a[1].v, (s + std::fabs(x / a[1].v) * a[1].scale) / std::fabs(a[1].v),
            ok && far(a[1])};
  if (op == "^") {  // a small integer exponent; 0^0 (pow gives 1) is not compared
    double k = a[1].v, v = std::pow(x, k);
    double scale = k > 0 ? std::pow(std::fabs(x) + s, k) * (1 + k)
                         : std::fabs(v) * (1 + std::fabs(k) * s / std::fabs(x));
    return {v, scale, ok && (k > 0 || far(a[0]))};
  }
  if (op == "sin") return unary(std::sin(x), 1, true);
  if (op == "cos") return unary(std::cos(x), 1, true);
  if (op == "atan") return unary(std::atan(x), 1, true);
  if (op == "abs") return unary(std::fabs(x), 1, true);
  if (op == "exp") return unary(std::exp(x), std::exp(x), true);
  if (op == "ln") return unary(std::log(x), 1 / x, x > 1e-3);
  if (op == "sqrt") return unary(std::sqrt(x), 1 / x, x > 1e-3);
  if (op == "tg")
    return unary(std::tan(x), 1 / (std::cos(x) * std::cos(x)), std::fabs(std::cos(x)) > 1e-2);
  if (op == "ctg")
    return unary(1 / std::tan(x), 1 / (std::sin(x) * std::sin(x)), std::fabs(std::sin(x)) > 1e-2);
  if (op == "asin" || op == "acos")
    return unary(op == "asin" ? std::asin(x) : std::acos(x), 1 / std::sqrt(std::fabs(1 - x * x)),
                 std::fabs(x) < 0.99);
  if (op == "min" || op == "max") {
    Value r = a[0];
    for (const Value& u : a)
      r.v = op == "min" ? std::min(r.v, u.v) : std::max(r.v, u.v),
      r.scale = std::max(r.scale, u.scale);
    return {r.v, r.scale, ok};
  }
  // Relations and connectives: 1 true, 0 false.
  if (op == "and") return {double(x != 0 && a[1].v != 0), 1, ok};
  if (op == "or") return {double(x != 0 || a[1].v != 0), 1, ok};
  if (op == "not") return {double(x == 0), 1, ok};
  if (op == "->") return {double(x == 0 || a[1].v != 0), 1, ok};
  double d = x - a[1].v;
  const bool truth[] = {d == 0, d != 0, d<0, d <= 0, d> 0, d >= 0};
  ok = ok && std::fabs(d) > 1e-6 * (1 + s + a[1].scale);
  return {double(truth[std::find(kRelations, kRelations + 6, op) - kRelations]), 1, ok};
}

// Seeded generator of real-valued and boolean trees over the variables 1..3.
struct Generator {
  std::mt19937 rng;
  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
  Tree Leaf(unsigned long long id, double v) { return {"", id, v, {}}; }
  Tree Op(std::string op, std::vector<Tree> args) { return {std::move(op), 0, 0, std::move(args)}; }
  std::vector<Tree> Operands(int n, int depth, bool differentiable) {
    std::vector<Tree> v;
    for (int i = 0; i < n; ++i) v.push_back(Real(depth - 1, differentiable));
    return v;
  }
  // differentiable: no min and max, whose derivative is refused.
  Tree Real(int depth, bool differentiable = false) {
    if (depth == 0 || Int(0, 9) < 3)
      return Int(0, 2) ? Leaf(Int(1, 3), 0) : Leaf(0, Int(-12, 12) / 4.0);
    static const char* const kOps[] = {"+", "-", "*", "/"};
    static const char* const kFunctions[] = {"sin",  "cos", "atan", "abs",  "exp", "ln",
                                             "sqrt", "tg",  "ctg",  "asin", "acos"};
    const int k = Int(0, differentiable ? 6 : 7);
    if (k < 4)
      return Op(kOps[k],
                Operands(k == 3 ? 2 : Int(k == 1 ? 1 : 2, k == 1 ? 2 : 3), depth, differentiable));
    if (k == 4) return Op("^", {Real(depth - 1, differentiable), Leaf(0, Int(-2, 3))});
    if (k < 7) return Op(kFunctions[Int(0, 10)], Operands(1, depth, differentiable));
    return Op(Int(0, 1) ? "min" : "max", Operands(Int(2, 3), depth, false));
  }
  Tree Relation(int depth) { return Op(kRelations[Int(0, 5)], {Real(depth), Real(depth)}); }
  Tree Bool(int depth) {
    if (depth == 0 || Int(0, 2) == 0) return Relation(depth);
    if (Int(0, 3) == 0) return Op("not", {Bool(depth - 1)});
    static const char* const kConnectives[] = {"and", "or", "->"};
    return Op(kConnectives[Int(0, 2)], {Bool(depth - 1), Bool(depth - 1)});
  }
  Point RandomPoint() {
    std::uniform_real_distribution<double> r(-2.5, 2.5);
    return {{1, r(rng)}, {2, r(rng)}, {3, r(rng)}};
  }
};

ZELS3Node* Build(const Tree& t) {
  if (t.op.empty())
    return t.id ? CreateExpression(t.id, static_cast<unsigned char>(0))
                : CreateExpression(t.number);
  ZELICVectorImp_ZELS3Node args(static_cast<unsigned>(t.args.size()), 5u);
  for (const Tree& a : t.args) args.Add(Build(a));
  return CreateExpression(ZELString(t.op.c_str()), args);
}

// t built in a fresh calculator; null when building set an error code (a
// domain error folded into a constant, for instance).
struct Built {
  std::unique_ptr<ZELSymbolicCalculator> calc{new ZELSymbolicCalculator};
  ZELS3Node* node;
  explicit Built(const Tree& t) {
    ZELSymbolicCalculatorTestAccess::ResetError();
    node = Build(t);
    if (calc->GetError() != 0) node = nullptr;
  }
};

bool Close(double a, double b, double tolerance) { return std::fabs(a - b) <= tolerance; }

TEST(Properties, CanonicalNodesHaveTheValueOfTheTreeTheyWereBuiltFrom) {
  Generator gen{std::mt19937(20240611)};
  int checked = 0;
  for (int e = 0; e < 1200; ++e) {
    Tree t = e % 3 == 2 ? gen.Bool(2) : gen.Real(4);
    Built b(t);
    for (int k = 0; b.node && k < 6; ++k) {
      Point p = gen.RandomPoint();
      Value want = Eval(t, p);
      double got = zeltav_test::Evaluate(b.node, p);
      if (!want.ok || !std::isfinite(want.v) || !std::isfinite(got)) continue;
      ++checked;
      ASSERT_TRUE(Close(got, want.v, 1e-9 * (1 + std::fabs(want.v) + want.scale)))
          << Text(t) << "\n built as " << Show(b.node) << At(p) << ": " << got << " instead of "
          << want.v;
    }
  }
  EXPECT_GT(checked, 3000);
}

TEST(Properties, DerivativesAgreeWithCentralDifferences) {
  Generator gen{std::mt19937(77)};
  int checked = 0;
  for (int e = 0; e < 800; ++e) {
    Tree t = gen.Real(3, true);
    Built b(t);
    if (!b.node) continue;
    const unsigned long long by = gen.Int(1, 3);
    ZELS3Node* d = b.node->Diff(by);
    ASSERT_NE(d, nullptr) << "no derivative of " << Show(b.node) << " by x" << by;
    ASSERT_EQ(b.calc->GetError(), 0) << Show(b.node);
    for (int k = 0; k < 4; ++k) {
      Point p = gen.RandomPoint();
      auto slope = [&](double h) {
        Point lo = p, hi = p;
        lo[by] -= h, hi[by] += h;
        Value a = Eval(t, lo), c = Eval(t, hi);
        return Value{(c.v - a.v) / (2 * h), a.scale + c.scale, a.ok && c.ok && Eval(t, p).ok};
      };
      const double h = 1e-3 * (1 + std::fabs(p[by]));
      Value coarse = slope(h), fine = slope(h / 2);
      double got = zeltav_test::Evaluate(d, p);
      if (!coarse.ok || !fine.ok || !std::isfinite(coarse.v + fine.v + got)) continue;
      // Only where the difference quotient can be trusted (Richardson step).
      if (!Close(coarse.v, fine.v, 1e-3 * (1 + std::fabs(fine.v)))) continue;
      double want = (4 * fine.v - coarse.v) / 3;
      ++checked;
      ASSERT_TRUE(Close(got, want, 1e-5 * (1 + std::fabs(want)) + 1e-11 * fine.scale / h))
          << "d/dx" << by << " " << Text(t) << "\n built as " << Show(b.node) << "\n derivative "
          << Show(d) << At(p) << ": " << got << " instead of " << want;
    }
  }
  EXPECT_GT(checked, 1000);
}

TEST(Properties, TransferredRelationsKeepTheirTruthValueAwayFromTheBoundary) {
  Generator gen{std::mt19937(5150)};
  int checked = 0;
  for (int e = 0; e < 800; ++e) {
    Tree t = gen.Relation(3);
    Built b(t);
    if (!b.node || b.node->GetNodeType() < NodeBoolEqual ||
        b.node->GetNodeType() > NodeGreaterEqual)
      continue;  // decided while building
    b.calc->SetTransferOn();
    b.calc->SetGaussOff();
    b.calc->AddEquation(b.node);
    const auto& stored = ZELSymbolicCalculatorTestAccess::Equations(b.calc.get());
    if (b.calc->GetError() != 0 || stored.Count() != 1) continue;  // consumed or refused
    for (int k = 0; k < 6; ++k) {
      Point p = gen.RandomPoint();
      Value want = Eval(t, p);
      double got = zeltav_test::Evaluate(stored[0], p);
      if (!want.ok || std::isnan(got)) continue;
      ++checked;
      ASSERT_EQ(got, want.v) << Text(t) << "\n built as " << Show(b.node) << "\n stored as "
                             << Show(stored[0]) << At(p);
    }
  }
  EXPECT_GT(checked, 1500);
}

TEST(Properties, EliminationSolvesLinearSystemsWithAUniqueSolution) {
  Generator gen{std::mt19937(31337)};
  int systems = 0;
  for (int s = 0; s < 300; ++s) {
    const int n = gen.Int(2, 4);
    std::vector<std::vector<double>> a(n, std::vector<double>(n)), m;
    for (auto& row : a)
      for (double& c : row) c = gen.Int(-4, 4);
    m = a;  // the determinant by elimination; a zero pivot skips the system
    double det = 1;
    for (int c = 0; c < n && (det *= m[c][c]) != 0; ++c)
      for (int r = c + 1; r < n; ++r)
        for (int k = n - 1; k >= c; --k) m[r][k] -= m[r][c] / m[c][c] * m[c][k];
    if (std::fabs(det) < 0.5) continue;
    Point solution;
    for (int i = 1; i <= n; ++i) solution[i] = gen.Int(-10, 10) / 2.0;
    ZELSymbolicCalculator calc;
    ZELSymbolicCalculatorTestAccess::ResetError();
    calc.SetGaussOn();
    std::string system;
    for (int i = 0; i < n; ++i) {  // each term stands on a random side
      Tree left = gen.Op("+", {}), right = gen.Op("+", {});
      double rhs = 0;
      for (int j = 0; j < n; ++j) {
        rhs += a[i][j] * solution[j + 1];
        bool moved = gen.Int(0, 2) == 0;
        if (a[i][j] != 0)
          (moved ? right : left)
              .args.push_back(
                  gen.Op("*", {gen.Leaf(0, moved ? -a[i][j] : a[i][j]), gen.Leaf(j + 1, 0)}));
      }
      right.args.push_back(gen.Leaf(0, rhs));
      left.args.push_back(gen.Leaf(0, 0));
      Tree eq = gen.Op("=", {left, right});
      system += Text(eq) + "\n";
      calc.AddEquation(Build(eq));
    }
    ASSERT_EQ(calc.GetError(), 0) << system;
    calc.Simplify();
    ++systems;
    for (unsigned i = 0; i < calc.GetNumberOfEquations(); ++i) {
      const ZELS3Node* out = calc.GetEquation(i);
      ASSERT_EQ(out->GetNodeType(), NodeEqual) << Show(out) << "\nfrom\n" << system;
      double l = zeltav_test::Evaluate(out->GetArg(0), solution);
      double r = zeltav_test::Evaluate(out->GetArg(1), solution);
      EXPECT_TRUE(Close(l, r, 1e-9 * (1 + std::fabs(l) + std::fabs(r))))
          << Show(out) << " does not hold at the solution of\n"
          << system;
    }
    const auto& exact = ZELSymbolicCalculatorTestAccess::ExactVariables(&calc);
    for (unsigned i = 0; i < exact.Count(); ++i)
      EXPECT_NEAR(exact[i]->value->GetConstant(), solution[exact[i]->id], 1e-9)
          << "x" << exact[i]->id << " of\n"
          << system;
  }
  EXPECT_GT(systems, 150);
}

}  // namespace
