// Workloads W1..W7 on GiNaC, with the same data, sizes, repetitions and line
// format as zeltav_bench (W6 without intake and output passes, which GiNaC
// does not have).
#include <ginac/ginac.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_common.h"

namespace {

using GiNaC::ex;
using GiNaC::exmap;
using GiNaC::exvector;
using GiNaC::symbol;

std::vector<symbol> Symbols(const char* prefix, int from, int to) {
  std::vector<symbol> s;
  s.reserve(static_cast<size_t>(to - from + 1));
  for (int i = from; i <= to; ++i) s.emplace_back(prefix + std::to_string(i));
  return s;
}

double ToDouble(const ex& e) {
  const ex v = GiNaC::evalf(e);
  if (!GiNaC::is_a<GiNaC::numeric>(v)) return NAN;
  return GiNaC::ex_to<GiNaC::numeric>(v).to_double();
}

std::string Str(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.12g", v);
  return buf;
}

// Value of sum c_i x_i at x_i = W1X(i), and GiNaC's value of s there.
void CheckSum(const ex& s, const std::vector<symbol>& x, int n, bench::CaseResult& r) {
  exmap at;
  double expect = 0.0;
  for (int i = 1; i <= n; ++i) {
    at[x[static_cast<size_t>(i - 1)]] = GiNaC::numeric(bench::W1X(i));
    expect += bench::SumCoefficient(i) * bench::W1X(i);
  }
  const double got = ToDouble(s.subs(at));
  if (!bench::Close(got, expect, 1e-12))
    r.Fail("sum evaluates to " + Str(got) + ", expected " + Str(expect));
}

bench::CaseResult W1(const bench::Options& o, int n) {
  bench::CaseResult r;
  const std::vector<symbol> x = Symbols("x", 1, n);
  bool checked = false;
  auto best = bench::FastestEach(o.reps, 2, [&](double* t) {
    exvector terms;
    terms.reserve(static_cast<size_t>(n));
    for (int i = 1; i <= n; ++i)
      terms.push_back(bench::SumCoefficient(i) * x[static_cast<size_t>(i - 1)]);
    double t0 = bench::Now();
    ex first = GiNaC::dynallocate<GiNaC::add>(terms);
    t[0] = bench::Now() - t0;
    t0 = bench::Now();
    ex second = GiNaC::dynallocate<GiNaC::add>(terms);
    t[1] = bench::Now() - t0;
    if (checked) return;
    checked = true;
    if (first.nops() != static_cast<size_t>(n))
      r.Fail("the sum has " + std::to_string(first.nops()) + " terms");
    if (!first.is_equal(second)) r.Fail("the second build differs");
    CheckSum(first, x, n, r);
  });
  if (!r.failure.empty()) return r;
  r.Time("build", best[0]);
  r.Time("rebuild", best[1]);
  return r;
}

bench::CaseResult W2(const bench::Options& o, int n) {
  bench::CaseResult r;
  const std::vector<symbol> x = Symbols("x", 1, n);
  bool checked = false;
  auto best = bench::FastestEach(o.reps, 1, [&](double* t) {
    const double t0 = bench::Now();
    ex s = 0;
    for (int i = 1; i <= n; ++i) s = s + bench::SumCoefficient(i) * x[static_cast<size_t>(i - 1)];
    t[0] = bench::Now() - t0;
    if (checked) return;
    checked = true;
    if (s.nops() != static_cast<size_t>(n))
      r.Fail("the sum has " + std::to_string(s.nops()) + " terms");
    CheckSum(s, x, n, r);
  });
  if (!r.failure.empty()) return r;
  r.Time("build", best[0]);
  return r;
}

bench::CaseResult W3(const bench::Options& o, int n) {
  bench::CaseResult r;
  const symbol x("x");
  const std::vector<symbol> y = Symbols("y", 1, n);
  bool checked = false;
  auto best = bench::FastestEach(o.reps, 2, [&](double* t) {
    double t0 = bench::Now();
    exvector terms;
    terms.reserve(static_cast<size_t>(n));
    for (int i = 1; i <= n; ++i) {
      const ex& yi = y[static_cast<size_t>(i - 1)];
      const ex x2 = GiNaC::pow(x, 2);
      terms.push_back(GiNaC::sin(x * yi) * GiNaC::exp(yi * x2) / (1 + x2 * yi));
    }
    ex e = GiNaC::dynallocate<GiNaC::add>(terms);
    t[0] = bench::Now() - t0;
    t0 = bench::Now();
    ex d = e.diff(x);
    t[1] = bench::Now() - t0;
    if (checked) return;
    checked = true;
    exmap at;
    at[x] = GiNaC::numeric(bench::W3X());
    double fe = 0.0, fd = 0.0;
    for (int i = 1; i <= n; ++i) {
      at[y[static_cast<size_t>(i - 1)]] = GiNaC::numeric(bench::W3Y(i));
      fe += bench::W3Term(bench::W3X(), bench::W3Y(i));
      fd += bench::W3TermDx(bench::W3X(), bench::W3Y(i));
    }
    const double ge = ToDouble(e.subs(at)), gd = ToDouble(d.subs(at));
    if (!bench::Close(ge, fe, 1e-9)) r.Fail("E evaluates to " + Str(ge) + ", expected " + Str(fe));
    if (!bench::Close(gd, fd, 1e-9))
      r.Fail("dE/dx evaluates to " + Str(gd) + ", expected " + Str(fd));
  });
  if (!r.failure.empty()) return r;
  r.Time("build", best[0]);
  r.Time("diff", best[1]);
  return r;
}

bench::CaseResult W4(const bench::Options& o, int n) {
  bench::CaseResult r;
  const bench::LinearSystem sys = bench::MakeLinearSystem(n);
  const std::vector<symbol> u = Symbols("u", 0, n - 1);
  bool checked = false;
  auto best = bench::FastestEach(o.reps, 1, [&](double* t) {
    const double t0 = bench::Now();
    GiNaC::lst eqs, vars;
    for (const symbol& s : u) vars.append(s);
    for (int i = 0; i < n; ++i) {
      exvector terms;
      for (const auto& e : sys.rows[static_cast<size_t>(i)])
        terms.push_back(e.coefficient * u[static_cast<size_t>(e.column)]);
      eqs.append(GiNaC::dynallocate<GiNaC::add>(terms) == sys.rhs[static_cast<size_t>(i)]);
    }
    const ex sol = GiNaC::lsolve(eqs, vars);
    t[0] = bench::Now() - t0;
    if (checked) return;
    checked = true;
    if (sol.nops() != static_cast<size_t>(n))
      return r.Fail("lsolve gave " + std::to_string(sol.nops()) + " values");
    double sum = 0.0;
    for (size_t i = 0; i < sol.nops(); ++i) sum += ToDouble(sol.op(i).rhs());
    double expect = 0.0;
    if (bench::ExpectedSolutionSum(n, &expect) && !bench::Close(sum, expect, 1e-9))
      r.Fail("solution sum " + Str(sum) + ", expected " + Str(expect));
  });
  if (!r.failure.empty()) return r;
  r.Time("solve", best[0]);
  return r;
}

bench::CaseResult W5(int n) {
  bench::CaseResult r;
  std::vector<ex> keep;
  keep.reserve(static_cast<size_t>(n));
  const long long before = bench::ResidentBytes();
  const double t0 = bench::Now();
  for (int i = 1; i <= n; ++i) {
    const symbol xi("x" + std::to_string(i)), yi("y" + std::to_string(i));
    keep.push_back(GiNaC::sin(xi) + i * yi);
  }
  const double seconds = bench::Now() - t0;
  const long long after = bench::ResidentBytes();
  if (keep.back().nops() != 2) r.Fail("the last expression is not a sum of two terms");
  r.Number("bytes", static_cast<double>(after - before) / n);
  r.Time("time", seconds);
  return r;
}

// W6: e_0 = x, e_(k+1) = e_k * e_k + e_k. GiNaC shares the subexpressions as
// built, so the build is linear; diff recurses into every occurrence of a
// shared subexpression, and each phase is reported as it ends. There is no
// equation intake or output pass to time.
bench::CaseResult W6(const bench::Options& o, int d) {
  bench::CaseResult r;
  const symbol x("x");
  bool checked = false;
  auto best = bench::FastestEach(o.reps, 2, [&](double* t) {
    const bool first = !checked;
    double t0 = bench::Now();
    ex e = x;
    for (int k = 0; k < d; ++k) e = e * e + e;
    t[0] = bench::Now() - t0;
    if (first) bench::Report("build", t[0]);
    t0 = bench::Now();
    const ex de = e.diff(x);
    t[1] = bench::Now() - t0;
    if (first) bench::Report("diff", t[1]);
    if (checked) return;
    checked = true;
    const double at = -0.5;
    double fe = at, fd = 1.0;
    for (int k = 0; k < d; ++k) {
      fd = (2.0 * fe + 1.0) * fd;
      fe = fe * fe + fe;
    }
    // Evaluating by substitution walks the tree, so only the small cases
    // are checked that way.
    if (d > 12) return;
    exmap m;
    m[x] = GiNaC::numeric(at);
    const double ge = ToDouble(e.subs(m)), gd = ToDouble(de.subs(m));
    if (!bench::Close(ge, fe, 1e-9))
      r.Fail("e_d evaluates to " + Str(ge) + ", expected " + Str(fe));
    if (!bench::Close(gd, fd, 1e-9))
      r.Fail("de_d/dx evaluates to " + Str(gd) + ", expected " + Str(fd));
  });
  if (!r.failure.empty()) return r;
  r.Time("build", best[0]);
  r.Time("diff", best[1]);
  return r;
}

// W7: x + x + ... + x, one sum of n operands.
bench::CaseResult W7(const bench::Options& o, int n) {
  bench::CaseResult r;
  const symbol x("x");
  bool checked = false;
  auto best = bench::FastestEach(o.reps, 1, [&](double* t) {
    const exvector terms(static_cast<size_t>(n), x);
    const double t0 = bench::Now();
    const ex s = GiNaC::dynallocate<GiNaC::add>(terms);
    t[0] = bench::Now() - t0;
    if (checked) return;
    checked = true;
    if (!s.is_equal(n * x)) r.Fail("the sum is not " + std::to_string(n) + " x");
  });
  if (!r.failure.empty()) return r;
  r.Time("build", best[0]);
  return r;
}

}  // namespace

int main(int argc, char** argv) {
  const bench::Options o = bench::ParseOptions(argc, argv);
  bool ok = true;
  const int w5 = o.w5Count;
  ok &= bench::RunCase(o, "W5", w5, {"bytes", "time"}, [&] { return W5(w5); });
  for (int n : o.smoke ? std::vector<int>{1000} : std::vector<int>{1000, 10000})
    ok &= bench::RunCase(o, "W1", n, {"build", "rebuild"}, [&] { return W1(o, n); });
  for (int n : o.smoke ? std::vector<int>{1000} : std::vector<int>{1000, 3000})
    ok &= bench::RunCase(o, "W2", n, {"build"}, [&] { return W2(o, n); });
  ok &= bench::RunCase(o, "W3", 1000, {"build", "diff"}, [&] { return W3(o, 1000); });
  for (int n : o.smoke ? std::vector<int>{20} : std::vector<int>{20, 50, 100})
    ok &= bench::RunCase(o, "W4", n, {"solve"}, [&] { return W4(o, n); });
  for (int d : o.smoke ? std::vector<int>{10} : std::vector<int>{10, 20, 40})
    ok &= bench::RunCase(o, "W6", d, {"build", "diff"}, [&] { return W6(o, d); });
  for (int n : o.smoke ? std::vector<int>{1000} : std::vector<int>{1000, 4000, 16000})
    ok &= bench::RunCase(o, "W7", n, {"build"}, [&] { return W7(o, n); });
  return ok ? 0 : 1;
}
