// Workloads W1..W5 on ZELTavSymbolicCalculator, through the public interface
// only. Prints "<workload> <size> <metric> <value>" lines; --smoke runs every
// workload once at its smallest size with all the checks and exits non-zero
// when one fails.
#include <ZELTavSymbolicCalculator.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "bench_common.h"

namespace {

// Variable identifiers: x_i is i, y_i is kY + i, u_j is kU + j, x is kX.
const unsigned long long kY = 1000000ULL;
const unsigned long long kU = 2000000ULL;
const unsigned long long kX = 3000000ULL;

ZELS3Node* Var(unsigned long long id) {
  return CreateExpression(id, static_cast<unsigned char>(0));
}
ZELS3Node* Num(double v) { return CreateExpression(v); }

ZELS3Node* Op(const ZELString& spelling, std::initializer_list<ZELS3Node*> args) {
  ZELICVectorImp_ZELS3Node v(static_cast<unsigned int>(args.size()), 4u);
  for (ZELS3Node* a : args) v.Add(a);
  return CreateExpression(spelling, v);
}

const ZELString& Plus() {
  static const ZELString s("+");
  return s;
}
const ZELString& Times() {
  static const ZELString s("*");
  return s;
}

// --- a numeric evaluator of node graphs -----------------------------------

// Evaluates a node graph at the values that lookup gives to the variables.
// Relations evaluate to left side minus right side. Unsupported nodes and
// variables without a value give NaN, so a check that uses the value fails.
class Evaluator {
 public:
  explicit Evaluator(std::function<double(unsigned long long)> lookup)
      : lookup_(std::move(lookup)) {}

  double operator()(const ZELS3Node* n) {
    if (n == nullptr) return NAN;
    auto it = memo_.find(n);
    if (it != memo_.end()) return it->second;
    const double v = Compute(n);
    memo_.emplace(n, v);
    return v;
  }

 private:
  double Arg(const ZELS3Node* n, unsigned int i) { return (*this)(n->GetArg(i)); }

  double Compute(const ZELS3Node* n) {
    const unsigned int k = n->GetArgsNum();
    switch (static_cast<int>(n->GetNodeType())) {
      case 0:
        return lookup_(n->GetVariableID());
      case 1:
        return n->GetConstant();
      case 2:
        return n->GetBool();
      case 9:
      case 10:
      case 11:
      case 12:
      case 13:
      case 14:
        return k == 2 ? Arg(n, 0) - Arg(n, 1) : NAN;
      case 19:
        return std::fabs(Arg(n, 0));
      case 20: {
        const double a = Arg(n, 0);
        return a > 0 ? 1.0 : (a < 0 ? -1.0 : 0.0);
      }
      case 21:
        return std::exp(Arg(n, 0));
      case 22:
        return std::log(Arg(n, 0));
      case 23:
        return std::sqrt(Arg(n, 0));
      case 24:
      case 25: {
        double r = Arg(n, 0);
        for (unsigned int i = 1; i < k; ++i)
          r = n->GetNodeType() == 24 ? std::fmin(r, Arg(n, i)) : std::fmax(r, Arg(n, i));
        return r;
      }
      case 26:
        return std::sin(Arg(n, 0));
      case 27:
        return std::cos(Arg(n, 0));
      case 28:
        return std::tan(Arg(n, 0));
      case 29:
        return 1.0 / std::tan(Arg(n, 0));
      case 30:
        return std::asin(Arg(n, 0));
      case 31:
        return std::acos(Arg(n, 0));
      case 32:
        return std::atan(Arg(n, 0));
      case 33: {  // (coefficient, term) pairs
        if (k % 2) return NAN;
        double s = 0.0;
        for (unsigned int i = 0; i < k; i += 2) s += Arg(n, i) * Arg(n, i + 1);
        return s;
      }
      case 35: {  // (factor, exponent) pairs
        if (k % 2) return NAN;
        double p = 1.0;
        for (unsigned int i = 0; i < k; i += 2) p *= std::pow(Arg(n, i), Arg(n, i + 1));
        return p;
      }
      case 36:
        return k == 2 ? Arg(n, 0) / Arg(n, 1) : NAN;
      case 37:
        return k == 2 ? std::pow(Arg(n, 0), Arg(n, 1)) : NAN;
      default:
        return NAN;
    }
  }

  std::function<double(unsigned long long)> lookup_;
  std::unordered_map<const ZELS3Node*, double> memo_;
};

// Adds every node reachable from n to seen.
void Reach(const ZELS3Node* n, std::unordered_set<const ZELS3Node*>& seen) {
  std::vector<const ZELS3Node*> stack{n};
  while (!stack.empty()) {
    const ZELS3Node* m = stack.back();
    stack.pop_back();
    if (m == nullptr || !seen.insert(m).second) continue;
    if (m->IsOperation() || m->IsUnknown())
      for (unsigned int i = 0; i < m->GetArgsNum(); ++i) stack.push_back(m->GetArg(i));
  }
}

void CollectVariables(const ZELS3Node* n, std::unordered_set<unsigned long long>& ids) {
  std::unordered_set<const ZELS3Node*> seen;
  Reach(n, seen);
  for (const ZELS3Node* m : seen)
    if (m->GetNodeType() == 0) ids.insert(m->GetVariableID());
}

std::string Str(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.12g", v);
  return buf;
}

void CheckNoError(const ZELSymbolicCalculator& calc, bench::CaseResult& r) {
  if (calc.GetError() != 0) r.Fail("error code " + std::to_string(calc.GetError()) + " set");
}

// --- W1: one n-ary sum over prebuilt terms, then the same sum again -------------

bench::CaseResult W1(const bench::Options& o, int n) {
  bench::CaseResult r;
  bool checked = false;
  auto med = bench::MedianEach(o.reps, 2, [&](double* t) {
    auto calc = std::make_unique<ZELSymbolicCalculator>();
    ZELICVectorImp_ZELS3Node terms(static_cast<unsigned int>(n), 2.0);
    for (int i = 1; i <= n; ++i)
      terms.Add(Op(Times(), {Num(bench::SumCoefficient(i)), Var(static_cast<unsigned>(i))}));
    double t0 = bench::Now();
    ZELS3Node* first = CreateExpression(Plus(), terms);
    t[0] = bench::Now() - t0;
    t0 = bench::Now();
    ZELS3Node* second = CreateExpression(Plus(), terms);
    t[1] = bench::Now() - t0;
    if (checked) return;
    checked = true;
    CheckNoError(*calc, r);
    if (first == nullptr) return r.Fail("the sum is null");
    if (first->GetNodeType() != 33) r.Fail("the sum is not a sum node");
    if (first->GetArgsNum() != 2u * static_cast<unsigned>(n))
      r.Fail("the sum has " + std::to_string(first->GetArgsNum()) + " arguments, expected " +
             std::to_string(2 * n));
    if (second != first) r.Fail("the second build is not the shared node of the first");
    double expect = 0.0;
    for (int i = 1; i <= n; ++i) expect += bench::SumCoefficient(i) * bench::W1X(i);
    Evaluator ev([](unsigned long long id) { return bench::W1X(static_cast<int>(id)); });
    const double got = ev(first);
    if (!bench::Close(got, expect, 1e-12))
      r.Fail("sum evaluates to " + Str(got) + ", expected " + Str(expect));
  });
  if (!r.failure.empty()) return r;
  r.Time("build", med[0]);
  r.Time("rebuild", med[1]);
  return r;
}

// --- W2: s = s + c_i x_i ------------------------------------------------------

bench::CaseResult W2(const bench::Options& o, int n) {
  bench::CaseResult r;
  bool checked = false;
  auto med = bench::MedianEach(o.reps, 1, [&](double* t) {
    auto calc = std::make_unique<ZELSymbolicCalculator>();
    std::vector<ZELS3Node*> x(static_cast<size_t>(n) + 1);
    for (int i = 1; i <= n; ++i) x[static_cast<size_t>(i)] = Var(static_cast<unsigned>(i));
    const double t0 = bench::Now();
    ZELS3Node* s = Num(0.0);
    for (int i = 1; i <= n; ++i)
      s = Op(Plus(), {s, Op(Times(), {Num(bench::SumCoefficient(i)), x[static_cast<size_t>(i)]})});
    t[0] = bench::Now() - t0;
    if (checked) return;
    checked = true;
    CheckNoError(*calc, r);
    if (s == nullptr) return r.Fail("the sum is null");
    // Canonical form: the running sum is the node of the sum built in one go.
    ZELICVectorImp_ZELS3Node terms(static_cast<unsigned int>(n), 2.0);
    for (int i = 1; i <= n; ++i)
      terms.Add(Op(Times(), {Num(bench::SumCoefficient(i)), x[static_cast<size_t>(i)]}));
    if (CreateExpression(Plus(), terms) != s)
      r.Fail("the running sum is not the shared node of the n-ary sum");
    double expect = 0.0;
    for (int i = 1; i <= n; ++i) expect += bench::SumCoefficient(i) * bench::W1X(i);
    Evaluator ev([](unsigned long long id) { return bench::W1X(static_cast<int>(id)); });
    const double got = ev(s);
    if (!bench::Close(got, expect, 1e-12))
      r.Fail("sum evaluates to " + Str(got) + ", expected " + Str(expect));
  });
  if (!r.failure.empty()) return r;
  r.Time("build", med[0]);
  return r;
}

// --- W3: build sum sin(x y_i) exp(y_i x^2) / (1 + x^2 y_i), differentiate in x --------

bench::CaseResult W3(const bench::Options& o, int n) {
  bench::CaseResult r;
  bool checked = false;
  const ZELString sinS("sin"), expS("exp"), powS("^"), divS("/");
  auto med = bench::MedianEach(o.reps, 2, [&](double* t) {
    auto calc = std::make_unique<ZELSymbolicCalculator>();
    ZELS3Node* x = Var(kX);
    std::vector<ZELS3Node*> y(static_cast<size_t>(n) + 1);
    for (int i = 1; i <= n; ++i) y[static_cast<size_t>(i)] = Var(kY + static_cast<unsigned>(i));
    double t0 = bench::Now();
    ZELICVectorImp_ZELS3Node terms(static_cast<unsigned int>(n), 2.0);
    for (int i = 1; i <= n; ++i) {
      ZELS3Node* yi = y[static_cast<size_t>(i)];
      ZELS3Node* x2 = Op(powS, {x, Num(2.0)});
      ZELS3Node* num =
          Op(Times(), {Op(sinS, {Op(Times(), {x, yi})}), Op(expS, {Op(Times(), {yi, x2})})});
      ZELS3Node* den = Op(Plus(), {Num(1.0), Op(Times(), {x2, yi})});
      terms.Add(Op(divS, {num, den}));
    }
    ZELS3Node* e = CreateExpression(Plus(), terms);
    t[0] = bench::Now() - t0;
    t0 = bench::Now();
    ZELS3Node* d = e == nullptr ? nullptr : e->Diff(kX);
    t[1] = bench::Now() - t0;
    if (checked) return;
    checked = true;
    CheckNoError(*calc, r);
    if (e == nullptr || d == nullptr) return r.Fail("the expression or its derivative is null");
    double fe = 0.0, fd = 0.0;
    for (int i = 1; i <= n; ++i) {
      fe += bench::W3Term(bench::W3X(), bench::W3Y(i));
      fd += bench::W3TermDx(bench::W3X(), bench::W3Y(i));
    }
    Evaluator ev([](unsigned long long id) {
      return id == kX ? bench::W3X() : bench::W3Y(static_cast<int>(id - kY));
    });
    const double ge = ev(e), gd = ev(d);
    if (!bench::Close(ge, fe, 1e-9)) r.Fail("E evaluates to " + Str(ge) + ", expected " + Str(fe));
    if (!bench::Close(gd, fd, 1e-9))
      r.Fail("dE/dx evaluates to " + Str(gd) + ", expected " + Str(fd));
  });
  if (!r.failure.empty()) return r;
  r.Time("build", med[0]);
  r.Time("diff", med[1]);
  return r;
}

// --- W4: Gauss elimination of the seeded sparse system -------------------------

void CheckW4Output(const ZELSymbolicCalculator& calc, const bench::LinearSystem& sys,
                   bench::CaseResult& r) {
  const int n = sys.n;
  const std::vector<double> sol = bench::SolveReference(sys);
  double sum = 0.0, expect = 0.0;
  for (double v : sol) sum += v;
  if (bench::ExpectedSolutionSum(n, &expect) && !bench::Close(sum, expect, 1e-9))
    return r.Fail("the generated system is not the reference one: solution sum " + Str(sum) +
                  ", expected " + Str(expect));
  CheckNoError(calc, r);

  auto lookup = [&](unsigned long long id) {
    return id >= kU && id < kU + static_cast<unsigned>(n) ? sol[static_cast<size_t>(id - kU)] : NAN;
  };
  // The output lists the exact variables first (variable = number), then the
  // stored equations; all must hold at the reference solution, and together
  // they must mention every unknown.
  const unsigned int count = calc.GetNumberOfEquations();
  std::unordered_set<unsigned long long> seen;
  for (unsigned int i = 0; i < count; ++i) {
    const ZELS3Node* eq = calc.GetEquation(i);
    if (eq == nullptr || eq->GetNodeType() != 9 || eq->GetArgsNum() != 2)
      return r.Fail("output equation " + std::to_string(i) + " is not an equation");
    const ZELS3Node* a = eq->GetArg(0);
    const ZELS3Node* b = eq->GetArg(1);
    Evaluator ev(lookup);
    const double va = ev(a), vb = ev(b);
    if (a->GetNodeType() == 0 && b->GetNodeType() == 1) {  // an exact variable
      const unsigned long long id = a->GetVariableID();
      if (!bench::Close(b->GetConstant(), lookup(id), 1e-9))
        return r.Fail("exact variable u" + std::to_string(id - kU) + " = " + Str(b->GetConstant()) +
                      ", solution " + Str(lookup(id)));
    }
    if (!(bench::Close(va, vb, 1e-9)))
      return r.Fail("output equation " + std::to_string(i) + " does not hold: " + Str(va) + " vs " +
                    Str(vb));
    CollectVariables(eq, seen);
  }
  if (seen.size() != static_cast<size_t>(n))
    return r.Fail("the output mentions " + std::to_string(seen.size()) + " variables, expected " +
                  std::to_string(n));

  // The output must still pin the solution down: its equations are linear in
  // the unknowns, so their gradients (exact differences at the solution)
  // must have rank n.
  std::vector<std::vector<double>> grad;
  for (unsigned int i = 0; i < count; ++i) {
    const ZELS3Node* eq = calc.GetEquation(i);
    auto residual = [&](int bumped) {
      Evaluator ev([&](unsigned long long id) {
        return lookup(id) + (static_cast<long long>(id - kU) == bumped ? 1.0 : 0.0);
      });
      return ev(eq);
    };
    const double base = residual(-1);
    std::vector<double> g(static_cast<size_t>(n));
    for (int j = 0; j < n; ++j) g[static_cast<size_t>(j)] = residual(j) - base;
    grad.push_back(g);
  }
  if (bench::Rank(grad, 1e-9) != n) r.Fail("the output equations no longer determine the solution");
}

bench::CaseResult W4(const bench::Options& o, int n) {
  bench::CaseResult r;
  bool checked = false;
  const bench::LinearSystem sys = bench::MakeLinearSystem(n);
  const ZELString eqS("=");
  auto med = bench::MedianEach(o.reps, 1, [&](double* t) {
    auto calc = std::make_unique<ZELSymbolicCalculator>();
    calc->SetGaussOn();
    calc->SetTransferOn();
    std::vector<ZELS3Node*> u(static_cast<size_t>(n));
    for (int j = 0; j < n; ++j) u[static_cast<size_t>(j)] = Var(kU + static_cast<unsigned>(j));
    const double t0 = bench::Now();
    for (int i = 0; i < n; ++i) {
      const auto& row = sys.rows[static_cast<size_t>(i)];
      ZELICVectorImp_ZELS3Node terms(static_cast<unsigned int>(row.size()), 4u);
      for (const auto& e : row)
        terms.Add(Op(Times(), {Num(e.coefficient), u[static_cast<size_t>(e.column)]}));
      calc->AddEquation(
          Op(eqS, {CreateExpression(Plus(), terms), Num(sys.rhs[static_cast<size_t>(i)])}));
    }
    calc->Simplify();
    t[0] = bench::Now() - t0;
    if (checked) return;
    checked = true;
    CheckW4Output(*calc, sys, r);
  });
  if (!r.failure.empty()) return r;
  r.Time("solve", med[0]);
  return r;
}

// --- W5: memory of 100000 live expressions sin(x_i) + i y_i ---------------------

bench::CaseResult W5(int n) {
  bench::CaseResult r;
  auto calc = std::make_unique<ZELSymbolicCalculator>();
  const ZELString sinS("sin");
  std::vector<ZELS3Node*> keep;
  keep.reserve(static_cast<size_t>(n));
  const long long before = bench::ResidentBytes();
  for (int i = 1; i <= n; ++i) {
    ZELS3Node* xi = Var(static_cast<unsigned>(i));
    ZELS3Node* yi = Var(kY + static_cast<unsigned>(i));
    keep.push_back(Op(Plus(), {Op(sinS, {xi}), Op(Times(), {Num(i), yi})}));
  }
  const long long after = bench::ResidentBytes();
  CheckNoError(*calc, r);
  std::unordered_set<const ZELS3Node*> seen;
  for (ZELS3Node* e : keep) {
    if (e == nullptr) {
      r.Fail("an expression is null");
      return r;
    }
    Reach(e, seen);
  }
  for (int i : {1, 2, 777, n}) {
    Evaluator ev([](unsigned long long id) {
      return id >= kY ? 0.5 + 1e-6 * static_cast<double>(id - kY) : 0.1 * static_cast<double>(id);
    });
    const double expect = std::sin(0.1 * i) + i * (0.5 + 1e-6 * i);
    const double got = ev(keep[static_cast<size_t>(i - 1)]);
    if (!bench::Close(got, expect, 1e-12))
      r.Fail("expression " + std::to_string(i) + " evaluates to " + Str(got));
  }
  r.Number("bytes", static_cast<double>(after - before) / n);
  r.Number("nodes", static_cast<double>(seen.size()) / n);
  return r;
}

}  // namespace

int main(int argc, char** argv) {
  const bench::Options o = bench::ParseOptions(argc, argv);
  bool ok = true;
  // W5 first: every case runs in a fresh process anyway.
  const int w5 = o.w5Count;
  ok &= bench::RunCase(o, "W5", w5, {"bytes", "nodes"}, [&] { return W5(w5); });
  for (int n : o.smoke ? std::vector<int>{1000} : std::vector<int>{1000, 10000})
    ok &= bench::RunCase(o, "W1", n, {"build", "rebuild"}, [&] { return W1(o, n); });
  for (int n : o.smoke ? std::vector<int>{1000} : std::vector<int>{1000, 3000})
    ok &= bench::RunCase(o, "W2", n, {"build"}, [&] { return W2(o, n); });
  ok &= bench::RunCase(o, "W3", 1000, {"build", "diff"}, [&] { return W3(o, 1000); });
  for (int n : o.smoke ? std::vector<int>{20} : std::vector<int>{20, 50, 100})
    ok &= bench::RunCase(o, "W4", n, {"solve"}, [&] { return W4(o, n); });
  return ok ? 0 : 1;
}
