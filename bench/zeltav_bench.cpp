// Workloads W1..W11 on ZELTavSymbolicCalculator, through the public interface
// only (W8 runs the zelcalc program). Prints "<workload> <size> <metric>
// <value>" lines; --smoke runs every workload once at its smallest size with
// all the checks and exits non-zero when one fails.
#include <ZELTavSymbolicCalculator.h>
#include <sys/prctl.h>
#include <zeltav_support/Evaluator.h>

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

// The value of a node graph at the values that lookup gives to the variables,
// read through the public node interface. A relation between numbers gives
// its left side minus its right side, so a satisfied equation gives 0.
// Unsupported nodes and variables without a value give NaN, so a check that
// uses the value fails.
class Evaluator {
 public:
  explicit Evaluator(zeltav_support::Lookup lookup) : lookup_(std::move(lookup)) {}

  double operator()(const ZELS3Node* n) const {
    const int type = n != nullptr ? n->GetNodeType() : -1;
    if (type >= NodeEqual && type <= NodeGreaterEqual && n->GetArgsNum() == 2) {
      return zeltav_support::EvaluateBy(n->GetArg(0), lookup_) -
             zeltav_support::EvaluateBy(n->GetArg(1), lookup_);
    }
    return zeltav_support::EvaluateBy(n, lookup_);
  }

 private:
  zeltav_support::Lookup lookup_;
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

bench::CaseResult Failed(const std::string& why) {
  bench::CaseResult r;
  r.Fail(why);
  return r;
}

void CheckNoError(const ZELSymbolicCalculator& calc, bench::CaseResult& r) {
  if (calc.GetError() != 0) r.Fail("error code " + std::to_string(calc.GetError()) + " set");
}

// --- W1: one n-ary sum over prebuilt terms, then the same sum again -------------

bench::CaseResult W1(const bench::Options& o, int n) {
  bench::CaseResult r;
  bool checked = false;
  auto best = bench::FastestEach(o.reps, 2, [&](double* t) {
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
  r.Time("build", best[0]);
  r.Time("rebuild", best[1]);
  return r;
}

// --- W2: s = s + c_i x_i ------------------------------------------------------

bench::CaseResult W2(const bench::Options& o, int n) {
  bench::CaseResult r;
  bool checked = false;
  auto best = bench::FastestEach(o.reps, 1, [&](double* t) {
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
  r.Time("build", best[0]);
  return r;
}

// --- W3: build sum sin(x y_i) exp(y_i x^2) / (1 + x^2 y_i), differentiate in x --------

bench::CaseResult W3(const bench::Options& o, int n) {
  bench::CaseResult r;
  bool checked = false;
  const ZELString sinS("sin"), expS("exp"), powS("^"), divS("/");
  auto best = bench::FastestEach(o.reps, 2, [&](double* t) {
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
  r.Time("build", best[0]);
  r.Time("diff", best[1]);
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
  auto best = bench::FastestEach(o.reps, 1, [&](double* t) {
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
  r.Time("solve", best[0]);
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
  const double t0 = bench::Now();
  for (int i = 1; i <= n; ++i) {
    ZELS3Node* xi = Var(static_cast<unsigned>(i));
    ZELS3Node* yi = Var(kY + static_cast<unsigned>(i));
    keep.push_back(Op(Plus(), {Op(sinS, {xi}), Op(Times(), {Num(i), yi})}));
  }
  const double seconds = bench::Now() - t0;
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
  r.Time("time", seconds);
  return r;
}

// --- W6: a shared graph e_0 = x, e_(k+1) = e_k * e_k + e_k --------------------

// e_d and de_d/dx at x, from the recurrence in plain floating point.
void W6Reference(int d, double x, double* e, double* de) {
  *e = x;
  *de = 1.0;
  for (int k = 0; k < d; ++k) {
    *de = (2.0 * *e + 1.0) * *de;
    *e = *e * *e + *e;
  }
}

// Each phase is reported as soon as it ends: the graph has 2d + 1 nodes but
// unfolds to a tree of about 2^d, so a phase that walks the tree runs past
// the cap, and the phases before it still count.
bench::CaseResult W6(const bench::Options& o, int d) {
  bench::CaseResult r;
  bool checked = false;
  const ZELString eqS("=");
  const std::vector<std::string> phases{"build", "intake", "output", "output2", "diff"};
  auto best = bench::FastestEach(o.reps, 5, [&](double* t) {
    auto calc = std::make_unique<ZELSymbolicCalculator>();
    ZELS3Node* x = Var(kX);
    const bool first = !checked;
    auto phase = [&](int i, double t0) {
      t[i] = bench::Now() - t0;
      if (first) bench::Report(phases[static_cast<size_t>(i)], t[i]);
    };
    double t0 = bench::Now();
    ZELS3Node* e = x;
    for (int k = 0; k < d; ++k) e = Op(Plus(), {Op(Times(), {e, e}), e});
    phase(0, t0);
    t0 = bench::Now();
    calc->AddEquation(Op(eqS, {e, Num(1.0)}));
    phase(1, t0);
    t0 = bench::Now();
    calc->Simplify();
    phase(2, t0);
    const unsigned int once = calc->GetNumberOfEquations();
    t0 = bench::Now();
    calc->Simplify();
    phase(3, t0);
    t0 = bench::Now();
    ZELS3Node* de = e == nullptr ? nullptr : e->Diff(kX);
    phase(4, t0);
    if (checked) return;
    checked = true;
    CheckNoError(*calc, r);
    if (e == nullptr || de == nullptr) return r.Fail("e_d or its derivative is null");
    if (once != 1 || calc->GetNumberOfEquations() != 2)
      return r.Fail("the output passes gave " + std::to_string(once) + " and " +
                    std::to_string(calc->GetNumberOfEquations() - once) +
                    " equations, expected 1 each");
    for (double at : {-0.5, -0.3}) {
      double fe = 0.0, fd = 0.0;
      W6Reference(d, at, &fe, &fd);
      Evaluator ev([at](unsigned long long) { return at; });
      const double ge = ev(e), gd = ev(de);
      if (!bench::Close(ge, fe, 1e-9))
        r.Fail("e_d evaluates to " + Str(ge) + ", expected " + Str(fe));
      if (!bench::Close(gd, fd, 1e-9))
        r.Fail("de_d/dx evaluates to " + Str(gd) + ", expected " + Str(fd));
      // The output equation is e_d = 1, up to moving terms across.
      for (unsigned int i = 0; i < 2; ++i) {
        const double gq = ev(calc->GetEquation(i));
        if (!bench::Close(std::fabs(gq), std::fabs(fe - 1.0), 1e-9))
          r.Fail("output equation " + std::to_string(i) + " evaluates to " + Str(gq) +
                 ", expected +-" + Str(fe - 1.0));
      }
    }
  });
  if (!r.failure.empty()) return r;
  for (size_t i = 0; i < phases.size(); ++i) r.Time(phases[i], best[i]);
  return r;
}

// --- W7: x + x + ... + x, n operands of one "+" --------------------------------

bench::CaseResult W7(const bench::Options& o, int n) {
  bench::CaseResult r;
  bool checked = false;
  auto best = bench::FastestEach(o.reps, 1, [&](double* t) {
    auto calc = std::make_unique<ZELSymbolicCalculator>();
    ZELS3Node* x = Var(kX);
    ZELICVectorImp_ZELS3Node terms(static_cast<unsigned int>(n), 2.0);
    for (int i = 0; i < n; ++i) terms.Add(x);
    const double t0 = bench::Now();
    ZELS3Node* s = CreateExpression(Plus(), terms);
    t[0] = bench::Now() - t0;
    if (checked) return;
    checked = true;
    CheckNoError(*calc, r);
    // The sum of one term is that term with coefficient n: the sum node (n, x).
    if (s == nullptr || s->GetNodeType() != 33 || s->GetArgsNum() != 2)
      return r.Fail("the sum is not one pair");
    if (s->GetArg(0)->GetNodeType() != 1 || s->GetArg(0)->GetConstant() != n || s->GetArg(1) != x)
      r.Fail("the sum is not (" + std::to_string(n) + ", x)");
  });
  if (!r.failure.empty()) return r;
  r.Time("build", best[0]);
  return r;
}

// --- W8: a large system read by zelcalc -----------------------------------------

#ifdef ZELTAV_BENCH_ZELCALC
// Writes statements of zelcalc's language to path until it holds at least
// bytes: relations over sums, products, powers and functions of variables
// v0..v(K-1), K = 4000 per MB. Returns the number of statements.
long WriteZelSystem(const std::string& path, long bytes) {
  std::FILE* f = std::fopen(path.c_str(), "w");
  if (f == nullptr) return -1;
  bench::Lcg lcg(4242);
  const int vars = static_cast<int>(std::max(1000L, 4000L * bytes / (1L << 20)));
  auto v = [&] { return "v" + std::to_string(lcg.Range(0, vars - 1)); };
  auto c = [&] { return std::to_string(lcg.Range(2, 9)); };
  auto k = [&] { return std::to_string(lcg.Range(-9, 9)); };
  const char* rel[] = {"<=", ">=", "<", ">", "="};
  long written = 0, statements = 0;
  std::fprintf(f, "# W8: a generated system\n");
  while (written < bytes) {
    std::string st;
    switch (lcg.Range(0, 6)) {
      case 0:
        st = c() + "*" + v() + " + " + v() + " - " + c() + "*" + v() + " + " + v();
        break;
      case 1:
        st = v() + "*" + v() + "*" + v() + " + " + v() + "^2";
        break;
      case 2:
        st = "sin(" + v() + "*" + v() + ") + exp(" + v() + " - " + v() + ")";
        break;
      case 3:
        st = "ln(1 + " + v() + "^2) - sqrt(" + v() + "^2 + " + c() + ")";
        break;
      case 4:
        st = v() + "*" + v() + " - " + c() + "*" + v() + "/" + c();
        break;
      case 5:
        st = "max(" + v() + ", " + v() + ") + min(" + v() + ", " + v() + ") + cos(" + v() + ")";
        break;
      default:
        st = "(" + v() + " + " + v() + ")*(" + v() + " - " + c() + "*" + v() + ") + " + v();
        break;
    }
    st += std::string(" ") + rel[lcg.Range(0, 4)] + " " + k() + "\n";
    std::fputs(st.c_str(), f);
    written += static_cast<long>(st.size());
    ++statements;
  }
  return std::fclose(f) == 0 ? statements : -1;
}

bench::CaseResult W8(const bench::Options& o, int megabytes) {
  bench::CaseResult r;
  char dir[] = "/tmp/zeltav-w8-XXXXXX";
  if (mkdtemp(dir) == nullptr) return Failed("cannot make a temporary directory");
  const std::string in = std::string(dir) + "/system.zel";
  const std::string out = std::string(dir) + "/out.txt";
  const std::string err = std::string(dir) + "/err.txt";
  const long statements = WriteZelSystem(in, static_cast<long>(megabytes) << 20);
  auto cleanup = [&] {
    std::remove(in.c_str());
    std::remove(out.c_str());
    std::remove(err.c_str());
    rmdir(dir);
  };
  if (statements < 0) {
    cleanup();
    return Failed("cannot write " + in);
  }
  bool checked = false;
  auto best = bench::FastestEach(o.reps, 1, [&](double* t) {
    const double t0 = bench::Now();
    const pid_t pid = fork();
    if (pid == 0) {
      // zelcalc dies with this process, so a case over the cap stops it too.
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      if (!std::freopen(out.c_str(), "w", stdout) || !std::freopen(err.c_str(), "w", stderr))
        _exit(127);
      execl(ZELTAV_BENCH_ZELCALC, "zelcalc", in.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    int status = 0;
    if (pid > 0) waitpid(pid, &status, 0);
    t[0] = bench::Now() - t0;
    if (checked) return;
    checked = true;
    if (pid < 0) return r.Fail("fork failed");
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
      return r.Fail("zelcalc ended with status " + std::to_string(status));
    std::ifstream e(err);
    std::string line;
    if (std::getline(e, line)) r.Fail("zelcalc reported: " + line);
    // Every statement is a relation between variables that nothing fixes,
    // so every one comes back as one line of the processed system.
    std::ifstream printed(out);
    long lines = 0;
    while (std::getline(printed, line)) lines += line.empty() || line[0] == '#' ? 0 : 1;
    if (lines != statements)
      r.Fail("zelcalc printed " + std::to_string(lines) + " lines for " +
             std::to_string(statements) + " statements");
  });
  cleanup();
  if (!r.failure.empty()) return r;
  r.Time("run", best[0]);
  r.Number("statements", static_cast<double>(statements));
  return r;
}
#endif

// --- W9: repeated output passes over expressions with a constant variable ------

// A constant variable equals nothing, not even itself, so every pass makes
// new copies of these equations that no earlier copy can stand for. Reports
// the mean time of the first ten passes and of the last ten.
bench::CaseResult W9(int passes) {
  bench::CaseResult r;
  const int kEquations = 20;
  const unsigned long long kA = 4000000ULL;
  const ZELString sinS("sin"), leS("<=");
  auto calc = std::make_unique<ZELSymbolicCalculator>();
  ZELS3Node* a = CreateExpression(kA, static_cast<unsigned char>(1));
  for (int i = 1; i <= kEquations; ++i) {
    ZELS3Node* xi = Var(static_cast<unsigned>(i));
    ZELS3Node* yi = Var(kY + static_cast<unsigned>(i));
    calc->AddEquation(
        Op(leS, {Op(Plus(), {Op(sinS, {Op(Times(), {a, xi})}), Op(Times(), {a, yi})}), Num(i)}));
  }
  std::vector<double> t;
  auto mean = [&t](size_t from, size_t to) {
    double s = 0.0;
    for (size_t i = from; i < to; ++i) s += t[i];
    return s / static_cast<double>(to - from);
  };
  const size_t m = std::min<size_t>(10, static_cast<size_t>(passes));
  for (int p = 0; p < passes; ++p) {
    const double t0 = bench::Now();
    calc->Simplify();
    t.push_back(bench::Now() - t0);
    if (t.size() == m) bench::Report("first", mean(0, m));
  }
  CheckNoError(*calc, r);
  const unsigned int perPass = calc->GetNumberOfEquations() / static_cast<unsigned>(passes);
  if (perPass == 0 || calc->GetNumberOfEquations() != perPass * static_cast<unsigned>(passes))
    return Failed("the passes gave " + std::to_string(calc->GetNumberOfEquations()) +
                  " equations in all");
  Evaluator ev(
      [](unsigned long long id) { return id == kA ? 2.0 : 0.1 * static_cast<double>(id % 97); });
  for (unsigned int i = 0; i < perPass; ++i) {
    const double v1 = ev(calc->GetEquation(i));
    const double vn = ev(calc->GetEquation(perPass * static_cast<unsigned>(passes - 1) + i));
    if (!(bench::Close(v1, vn, 1e-12)))
      r.Fail("equation " + std::to_string(i) + " of the last pass evaluates to " + Str(vn) +
             ", of the first to " + Str(v1));
  }
  r.Time("first", mean(0, m));
  r.Time("last", mean(t.size() - m, t.size()));
  return r;
}

// --- W10: one constraint repeated ---------------------------------------------

// x + 2y >= 1 given n times. Intake rewrites each stored relation in place,
// so none of them can stand for the next copy, and each copy is compared
// with every earlier one.
bench::CaseResult W10(const bench::Options& o, int n) {
  bench::CaseResult r;
  bool checked = false;
  auto best = bench::FastestEach(o.reps, 1, [&](double* t) {
    auto calc = std::make_unique<ZELSymbolicCalculator>();
    const ZELString geS(">=");
    ZELS3Node *x = Var(kX), *y = Var(kY);
    const double t0 = bench::Now();
    for (int i = 0; i < n; ++i)
      calc->AddEquation(Op(geS, {Op(Plus(), {x, Op(Times(), {Num(2.0), y})}), Num(1.0)}));
    t[0] = bench::Now() - t0;
    if (checked) return;
    checked = true;
    CheckNoError(*calc, r);
    calc->Simplify();
    if (calc->GetNumberOfEquations() != static_cast<unsigned>(n))
      r.Fail("the output holds " + std::to_string(calc->GetNumberOfEquations()) + " relations");
  });
  if (!r.failure.empty()) return r;
  r.Time("intake", best[0]);
  return r;
}

// --- W11: a named function over a shared graph ---------------------------------

// e_0 = g(x = 3), e_(k+1) = f(e_k, e_k): intake takes a named function's
// arguments in place, and e_d holds e_0 2^d times over.
bench::CaseResult W11(const bench::Options& o, int d) {
  bench::CaseResult r;
  bool checked = false;
  auto best = bench::FastestEach(o.reps, 1, [&](double* t) {
    auto calc = std::make_unique<ZELSymbolicCalculator>();
    const ZELString f("f"), g("g"), eq("==");
    ZELS3Node* e = Op(g, {Op(eq, {Var(kX), Num(3.0)})});
    for (int k = 0; k < d; ++k) e = Op(f, {e, e});
    const double t0 = bench::Now();
    calc->AddEquation(e);
    t[0] = bench::Now() - t0;
    if (checked) return;
    checked = true;
    CheckNoError(*calc, r);
    if (!calc->IsExactVariable(kX)) r.Fail("x is not fixed");
    calc->Simplify();
    // x == 3 and e_d
    if (calc->GetNumberOfEquations() != 2u)
      r.Fail("the output holds " + std::to_string(calc->GetNumberOfEquations()) + " equations");
  });
  if (!r.failure.empty()) return r;
  r.Time("intake", best[0]);
  return r;
}

}  // namespace

int main(int argc, char** argv) {
  const bench::Options o = bench::ParseOptions(argc, argv);
  bool ok = true;
  // W5 first: every case runs in a fresh process anyway.
  const int w5 = o.w5Count;
  ok &= bench::RunCase(o, "W5", w5, {"bytes", "nodes", "time"}, [&] { return W5(w5); });
  for (int n : o.smoke ? std::vector<int>{1000} : std::vector<int>{1000, 10000})
    ok &= bench::RunCase(o, "W1", n, {"build", "rebuild"}, [&] { return W1(o, n); });
  for (int n : o.smoke ? std::vector<int>{1000} : std::vector<int>{1000, 3000})
    ok &= bench::RunCase(o, "W2", n, {"build"}, [&] { return W2(o, n); });
  ok &= bench::RunCase(o, "W3", 1000, {"build", "diff"}, [&] { return W3(o, 1000); });
  for (int n : o.smoke ? std::vector<int>{20} : std::vector<int>{20, 50, 100})
    ok &= bench::RunCase(o, "W4", n, {"solve"}, [&] { return W4(o, n); });
  for (int d : o.smoke ? std::vector<int>{10} : std::vector<int>{10, 20, 40})
    ok &= bench::RunCase(o, "W6", d, {"build", "intake", "output", "output2", "diff"},
                         [&] { return W6(o, d); });
  for (int n : o.smoke ? std::vector<int>{1000} : std::vector<int>{1000, 4000, 16000})
    ok &= bench::RunCase(o, "W7", n, {"build"}, [&] { return W7(o, n); });
#ifdef ZELTAV_BENCH_ZELCALC
  for (int mb : o.smoke ? std::vector<int>{1} : std::vector<int>{1, 4, 16})
    ok &= bench::RunCase(o, "W8", mb, {"run", "statements"}, [&] { return W8(o, mb); });
#else
  if (bench::Selected(o, "W8")) std::fprintf(stderr, "W8: zelcalc was not built, skipped\n");
#endif
  for (int p : o.smoke ? std::vector<int>{50} : std::vector<int>{100, 400})
    ok &= bench::RunCase(o, "W9", p, {"first", "last"}, [&] { return W9(p); });
  for (int n : o.smoke ? std::vector<int>{1000} : std::vector<int>{1000, 4000, 16000})
    ok &= bench::RunCase(o, "W10", n, {"intake"}, [&] { return W10(o, n); });
  for (int d : o.smoke ? std::vector<int>{50} : std::vector<int>{50, 100, 200})
    ok &= bench::RunCase(o, "W11", d, {"intake"}, [&] { return W11(o, d); });
  return ok ? 0 : 1;
}
