// Randomised properties over seeded random expressions: what the factories
// return has the value of the operator tree it was built from, derivatives
// agree with finite differences, intake keeps the truth of relations, and
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

// An operator tree as the host would describe it: a spelling over operands.
struct Tree {
  std::string op;             // empty for a leaf
  unsigned long long id = 0;  // leaf variable, or 0 for a number
  double number = 0;
  std::vector<Tree> args;
};

std::string Text(const Tree& t) {
  if (t.op.empty()) return t.id ? "x" + std::to_string(t.id) : std::to_string(t.number);
  std::string s = "(" + t.op;
  for (const Tree& a : t.args) s += " " + Text(a);
  return s + ")";
}

// A value with a bound on its rounding error (in units of the machine
// epsilon) and whether it is well conditioned: far from a pole, a domain edge
// or the boundary of a relation.
struct Value {
  double v;
  double scale;
  bool ok;
};

Value Eval(const Tree& t, const Point& p) {
  if (t.op.empty()) {
    double v = t.id ? p.at(t.id) : t.number;
    return {v, std::fabs(v), true};
  }
  std::vector<Value> a;
  bool ok = true;
  for (const Tree& arg : t.args) {
    a.push_back(Eval(arg, p));
    ok = ok && a.back().ok;
  }
  const std::string& op = t.op;
  auto far = [](const Value& x, double from) {
    return std::fabs(x.v - from) > 1e-3 * (1 + x.scale);
  };
  auto unary = [&](double v, double slope) {
    return Value{v, std::fabs(v) + std::fabs(slope) * a[0].scale, ok};
  };
  if (op == "+" || (op == "-" && a.size() > 1)) {
    Value r{0, 0, ok};
    for (size_t i = 0; i < a.size(); ++i) {
      r.v += (op == "-" && i > 0) ? -a[i].v : a[i].v;
      r.scale += a[i].scale;
    }
    return r;
  }
  if (op == "-") return {-a[0].v, a[0].scale, ok};
  if (op == "*") {
    Value r{1, 1, ok};
    for (const Value& x : a) r = {r.v * x.v, r.scale * x.scale + std::fabs(r.v * x.v), r.ok};
    return r;
  }
  if (op == "/")
    return {a[0].v / a[1].v,
            (a[0].scale + std::fabs(a[0].v / a[1].v) * a[1].scale) / std::fabs(a[1].v),
            ok && far(a[1], 0)};
  if (op == "^") {  // the exponent is a small integer
    // A zero factor makes a whole product 0, even to the power 0, where pow
    // gives 1: such points are not compared.
    double k = a[1].v, v = std::pow(a[0].v, k);
    double scale = k > 0 ? std::pow(std::fabs(a[0].v) + a[0].scale, k) * (1 + k)
                         : std::fabs(v) * (1 + std::fabs(k) * a[0].scale / std::fabs(a[0].v));
    return {v, scale, ok && (k > 0 || far(a[0], 0))};
  }
  double x = a.empty() ? 0 : a[0].v;
  if (op == "sin") return unary(std::sin(x), 1);
  if (op == "cos") return unary(std::cos(x), 1);
  if (op == "atan") return unary(std::atan(x), 1);
  if (op == "abs") return unary(std::fabs(x), 1);
  if (op == "exp") return unary(std::exp(x), std::exp(x));
  if (op == "ln") return {std::log(x), std::fabs(std::log(x)) + a[0].scale / x, ok && x > 1e-3};
  if (op == "sqrt") return {std::sqrt(x), std::sqrt(x) + a[0].scale / x, ok && x > 1e-3};
  if (op == "tg") {
    Value r = unary(std::tan(x), 1 / (std::cos(x) * std::cos(x)));
    r.ok = r.ok && std::fabs(std::cos(x)) > 1e-2;
    return r;
  }
  if (op == "min" || op == "max") {
    Value r = a[0];
    for (const Value& y : a) {
      r.v = op == "min" ? std::min(r.v, y.v) : std::max(r.v, y.v);
      r.scale = std::max(r.scale, y.scale);
    }
    r.ok = ok;
    return r;
  }
  // Relations and connectives: 1 true, 0 false.
  if (op == "and") return {double(a[0].v != 0 && a[1].v != 0), 1, ok};
  if (op == "or") return {double(a[0].v != 0 || a[1].v != 0), 1, ok};
  if (op == "not") return {double(a[0].v == 0), 1, ok};
  if (op == "->") return {double(a[0].v == 0 || a[1].v != 0), 1, ok};
  double d = a[0].v - a[1].v;
  ok = ok && std::fabs(d) > 1e-6 * (1 + a[0].scale + a[1].scale);
  bool r = op == "="    ? d == 0
           : op == "<>" ? d != 0
           : op == "<"  ? d < 0
           : op == "<=" ? d <= 0
           : op == ">"  ? d > 0
                        : d >= 0;
  return {double(r), 1, ok};
}

// Seeded generator of real-valued and boolean trees over the variables 1..3.
class Generator {
 public:
  explicit Generator(unsigned seed) : rng_(seed) {}

  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  double Real(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng_); }

  Tree Number(double v) {
    Tree t;
    t.number = v;
    return t;
  }
  Tree Variable(unsigned long long id) {
    Tree t;
    t.id = id;
    return t;
  }
  Tree Op(std::string op, std::vector<Tree> args) {
    Tree t;
    t.op = std::move(op);
    t.args = std::move(args);
    return t;
  }

  // differentiable: no min and max, whose derivative is refused.
  Tree RealTree(int depth, bool differentiable = false) {
    if (depth == 0 || Int(0, 9) < 3)
      return Int(0, 2) ? Variable(Int(1, 3)) : Number(Int(-12, 12) / 4.0);
    static const char* const kFunctions[] = {"sin", "cos", "atan", "abs",
                                             "exp", "ln",  "sqrt", "tg"};
    switch (Int(0, differentiable ? 6 : 7)) {
      case 0:
        return Op("+", Operands(Int(2, 3), depth, differentiable));
      case 1:
        return Op("-", Operands(Int(1, 2), depth, differentiable));
      case 2:
        return Op("*", Operands(Int(2, 3), depth, differentiable));
      case 3:
        return Op("/", Operands(2, depth, differentiable));
      case 4:
        return Op("^", {RealTree(depth - 1, differentiable), Number(Int(-2, 3))});
      case 5:
      case 6:
        return Op(kFunctions[Int(0, 7)], Operands(1, depth, differentiable));
      default:
        return Op(Int(0, 1) ? "min" : "max", Operands(Int(2, 3), depth, false));
    }
  }

  Tree Relation(int depth) {
    static const char* const kRelations[] = {"=", "<>", "<", "<=", ">", ">="};
    return Op(kRelations[Int(0, 5)], {RealTree(depth), RealTree(depth)});
  }

  Tree BoolTree(int depth) {
    if (depth == 0 || Int(0, 2) == 0) return Relation(depth);
    static const char* const kConnectives[] = {"and", "or", "->"};
    if (Int(0, 3) == 0) return Op("not", {BoolTree(depth - 1)});
    return Op(kConnectives[Int(0, 2)], {BoolTree(depth - 1), BoolTree(depth - 1)});
  }

  Point RandomPoint() { return {{1, Real(-2.5, 2.5)}, {2, Real(-2.5, 2.5)}, {3, Real(-2.5, 2.5)}}; }

 private:
  std::vector<Tree> Operands(int n, int depth, bool differentiable) {
    std::vector<Tree> v;
    for (int i = 0; i < n; ++i) v.push_back(RealTree(depth - 1, differentiable));
    return v;
  }

  std::mt19937 rng_;
};

ZELS3Node* Build(const Tree& t) {
  if (t.op.empty())
    return t.id ? CreateExpression(t.id, static_cast<unsigned char>(0))
                : CreateExpression(t.number);
  ZELICVectorImp_ZELS3Node args(static_cast<unsigned>(t.args.size()), 5u);
  for (const Tree& a : t.args) args.Add(Build(a));
  return CreateExpression(ZELString(t.op.c_str()), args);
}

// Builds t in a fresh calculator; null when building set an error code (a
// domain error folded into a constant, for instance).
struct Built {
  std::unique_ptr<ZELSymbolicCalculator> calc{new ZELSymbolicCalculator};
  ZELS3Node* node = nullptr;
  explicit Built(const Tree& t) {
    ZELSymbolicCalculatorTestAccess::ResetError();
    node = Build(t);
    if (calc->GetError() != 0) node = nullptr;
  }
};

bool Close(double a, double b, double tolerance) { return std::fabs(a - b) <= tolerance; }

TEST(Properties, CanonicalNodesHaveTheValueOfTheTreeTheyWereBuiltFrom) {
  Generator gen(20240611);
  int checked = 0;
  for (int e = 0; e < 1200; ++e) {
    Tree t = e % 3 == 2 ? gen.BoolTree(2) : gen.RealTree(4);
    Built b(t);
    if (!b.node) continue;
    for (int k = 0; k < 6; ++k) {
      Point p = gen.RandomPoint();
      Value want = Eval(t, p);
      double got = zeltav_test::Evaluate(b.node, p);
      if (!want.ok || !std::isfinite(want.v) || !std::isfinite(got)) continue;
      ++checked;
      ASSERT_TRUE(Close(got, want.v, 1e-9 * (1 + std::fabs(want.v) + want.scale)))
          << Text(t) << "\n built as " << Show(b.node) << "\n at x1=" << p[1] << " x2=" << p[2]
          << " x3=" << p[3] << ": " << got << " instead of " << want.v;
    }
  }
  RecordProperty("points", checked);
  EXPECT_GT(checked, 3000);
}

TEST(Properties, DerivativesAgreeWithCentralDifferences) {
  Generator gen(77);
  int checked = 0;
  for (int e = 0; e < 800; ++e) {
    Tree t = gen.RealTree(3, true);
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
        lo[by] -= h;
        hi[by] += h;
        Value a = Eval(t, lo), c = Eval(t, hi);
        return Value{(c.v - a.v) / (2 * h), a.scale + c.scale, a.ok && c.ok && Eval(t, p).ok};
      };
      const double h = 1e-3 * (1 + std::fabs(p[by]));
      Value coarse = slope(h), fine = slope(h / 2);
      double got = zeltav_test::Evaluate(d, p);
      if (!coarse.ok || !fine.ok || !std::isfinite(coarse.v) || !std::isfinite(fine.v) ||
          !std::isfinite(got))
        continue;
      // Smooth enough for the difference quotient to be trusted?
      if (!Close(coarse.v, fine.v, 1e-3 * (1 + std::fabs(fine.v)))) continue;
      double want = (4 * fine.v - coarse.v) / 3;
      ++checked;
      ASSERT_TRUE(Close(got, want, 1e-5 * (1 + std::fabs(want)) + 1e-11 * fine.scale / h))
          << "d/dx" << by << " " << Text(t) << "\n built as " << Show(b.node) << "\n derivative "
          << Show(d) << "\n at x1=" << p[1] << " x2=" << p[2] << " x3=" << p[3] << ": " << got
          << " instead of " << want;
    }
  }
  RecordProperty("points", checked);
  EXPECT_GT(checked, 1000);
}

TEST(Properties, TransferredRelationsKeepTheirTruthValueAwayFromTheBoundary) {
  Generator gen(5150);
  int checked = 0;
  for (int e = 0; e < 800; ++e) {
    Tree t = gen.Relation(3);
    Built b(t);
    if (!b.node) continue;
    const int type = b.node->GetNodeType();
    if (type < NodeBoolEqual || type > NodeGreaterEqual) continue;  // decided while building
    b.calc->SetTransferOn();
    b.calc->SetGaussOff();
    b.calc->AddEquation(b.node);
    const auto& stored = ZELSymbolicCalculatorTestAccess::Equations(b.calc.get());
    if (b.calc->GetError() != 0 || stored.Count() != 1) continue;  // consumed or refused
    const ZELS3Node* kept = stored[0];
    for (int k = 0; k < 6; ++k) {
      Point p = gen.RandomPoint();
      Value want = Eval(t, p);
      double got = zeltav_test::Evaluate(kept, p);
      if (!want.ok || std::isnan(got)) continue;
      ++checked;
      ASSERT_EQ(got, want.v) << Text(t) << "\n built as " << Show(b.node) << "\n stored as "
                             << Show(kept) << "\n at x1=" << p[1] << " x2=" << p[2]
                             << " x3=" << p[3];
    }
  }
  RecordProperty("points", checked);
  EXPECT_GT(checked, 1500);
}

TEST(Properties, EliminationSolvesLinearSystemsWithAUniqueSolution) {
  Generator gen(31337);
  int systems = 0;
  for (int s = 0; s < 300; ++s) {
    const int n = gen.Int(2, 4);
    std::vector<std::vector<int>> a(n, std::vector<int>(n));
    for (auto& row : a)
      for (int& c : row) c = gen.Int(-4, 4);
    // Determinant by elimination in doubles; skip singular systems.
    std::vector<std::vector<double>> m(n);
    for (int i = 0; i < n; ++i) m[i].assign(a[i].begin(), a[i].end());
    double det = 1;
    for (int c = 0; c < n; ++c) {
      int pivot = c;
      for (int r = c; r < n; ++r)
        if (std::fabs(m[r][c]) > std::fabs(m[pivot][c])) pivot = r;
      std::swap(m[c], m[pivot]);
      det *= m[c][c];
      for (int r = c + 1; r < n && m[c][c] != 0; ++r)
        for (int k = n - 1; k >= c; --k) m[r][k] -= m[r][c] / m[c][c] * m[c][k];
    }
    if (std::fabs(det) < 0.5) continue;

    Point solution;
    for (int i = 1; i <= n; ++i) solution[i] = gen.Int(-10, 10) / 2.0;
    ZELSymbolicCalculator calc;
    ZELSymbolicCalculatorTestAccess::ResetError();
    calc.SetGaussOn();
    std::string system;
    for (int i = 0; i < n; ++i) {
      // Each term stands on a random side, as the host may write it.
      Tree left = gen.Op("+", {}), right = gen.Op("+", {});
      double rhs = 0;
      for (int j = 0; j < n; ++j) {
        rhs += a[i][j] * solution[j + 1];
        if (a[i][j] == 0) continue;
        bool moved = gen.Int(0, 2) == 0;
        (moved ? right : left)
            .args.push_back(
                gen.Op("*", {gen.Number(moved ? -a[i][j] : a[i][j]), gen.Variable(j + 1)}));
      }
      right.args.push_back(gen.Number(rhs));
      left.args.push_back(gen.Number(0));
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
  RecordProperty("systems", systems);
  EXPECT_GT(systems, 150);
}

}  // namespace
