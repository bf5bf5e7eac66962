// Workloads W1, W4, W5, W6 and W7 on Z3's term manager and tactics, with the
// same data, sizes, repetitions and line format as zeltav_bench. Z3 shares
// structurally equal terms as they are made, as we do; its rewriter (the
// "simplify" tactic, or Z3_simplify on a term) and the "solve-eqs" tactic do
// the work of our intake and elimination. Every repetition uses a new context.
#include <z3++.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "bench_common.h"

namespace {

std::string Str(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.12g", v);
  return buf;
}

std::vector<z3::expr> Reals(z3::context& c, const char* prefix, int from, int to) {
  std::vector<z3::expr> v;
  v.reserve(static_cast<size_t>(to - from + 1));
  for (int i = from; i <= to; ++i) v.push_back(c.real_const((prefix + std::to_string(i)).c_str()));
  return v;
}

// A context sets up its rewriter at first use; that is not timed.
void WarmUp(z3::context& c) {
  const z3::expr w = c.real_const("w");
  (c.real_val(2) * w + w).simplify();
}

// The value of a term of numerals, sums, differences, products and powers in
// floating point, each shared subterm evaluated once; at gives the values of
// the constants. Anything else is NaN.
class Evaluator {
 public:
  explicit Evaluator(std::function<double(const z3::expr&)> at) : at_(std::move(at)) {}

  double operator()(const z3::expr& e) {
    auto it = memo_.find(e.id());
    if (it != memo_.end()) return it->second;
    const double v = Compute(e);
    memo_.emplace(e.id(), v);
    return v;
  }

 private:
  double Compute(const z3::expr& e) {
    if (e.is_numeral()) return e.as_double();
    if (!e.is_app()) return NAN;
    if (e.is_const()) return at_(e);
    const unsigned k = e.num_args();
    switch (e.decl().decl_kind()) {
      case Z3_OP_ADD: {
        double s = 0.0;
        for (unsigned i = 0; i < k; ++i) s += (*this)(e.arg(i));
        return s;
      }
      case Z3_OP_SUB: {
        double s = (*this)(e.arg(0));
        for (unsigned i = 1; i < k; ++i) s -= (*this)(e.arg(i));
        return s;
      }
      case Z3_OP_UMINUS:
        return -(*this)(e.arg(0));
      case Z3_OP_MUL: {
        double p = 1.0;
        for (unsigned i = 0; i < k; ++i) p *= (*this)(e.arg(i));
        return p;
      }
      case Z3_OP_POWER:
        return std::pow((*this)(e.arg(0)), (*this)(e.arg(1)));
      case Z3_OP_TO_REAL:
        return (*this)(e.arg(0));
      default:
        return NAN;
    }
  }

  std::function<double(const z3::expr&)> at_;
  std::unordered_map<unsigned, double> memo_;
};

// The derivative by x of a term of sums and products, built through the API
// (Z3 has no differentiation of its own), each shared subterm once.
class Derivative {
 public:
  Derivative(z3::context& c, const z3::expr& x) : c_(c), x_(x) {}

  z3::expr operator()(const z3::expr& e) {
    auto it = memo_.find(e.id());
    if (it != memo_.end()) return it->second;
    const z3::expr d = Compute(e);
    memo_.emplace(e.id(), d);
    return d;
  }

 private:
  z3::expr Compute(const z3::expr& e) {
    if (e.is_numeral() || !e.is_app()) return c_.real_val(0);
    if (e.is_const()) return c_.real_val(z3::eq(e, x_) ? 1 : 0);
    const unsigned k = e.num_args();
    z3::expr_vector terms(c_);
    switch (e.decl().decl_kind()) {
      case Z3_OP_ADD:
        for (unsigned i = 0; i < k; ++i) terms.push_back((*this)(e.arg(i)));
        return z3::sum(terms);
      case Z3_OP_MUL:  // sum over i of the other factors times d(factor i)
        for (unsigned i = 0; i < k; ++i) {
          z3::expr_vector factors(c_);
          for (unsigned j = 0; j < k; ++j) factors.push_back(j == i ? (*this)(e.arg(j)) : e.arg(j));
          terms.push_back(z3::expr(c_, Product(factors)));
        }
        return z3::sum(terms);
      default:
        return c_.real_val(0);
    }
  }

  Z3_ast Product(const z3::expr_vector& factors) {
    std::vector<Z3_ast> a;
    for (unsigned i = 0; i < factors.size(); ++i) a.push_back(factors[i]);
    return Z3_mk_mul(c_, static_cast<unsigned>(a.size()), a.data());
  }

  z3::context& c_;
  z3::expr x_;
  std::unordered_map<unsigned, z3::expr> memo_;
};

// --- W1: one n-ary sum over prebuilt terms, simplified; then the same again ----

bench::CaseResult W1(const bench::Options& o, int n) {
  bench::CaseResult r;
  bool checked = false;
  auto best = bench::FastestEach(o.reps, 2, [&](double* t) {
    z3::context c;
    const std::vector<z3::expr> x = Reals(c, "x", 1, n);
    z3::expr_vector terms(c);
    for (int i = 1; i <= n; ++i)
      terms.push_back(c.real_val(bench::SumCoefficient(i)) * x[static_cast<size_t>(i - 1)]);
    WarmUp(c);
    double t0 = bench::Now();
    const z3::expr first = z3::sum(terms).simplify();
    t[0] = bench::Now() - t0;
    t0 = bench::Now();
    const z3::expr second = z3::sum(terms).simplify();
    t[1] = bench::Now() - t0;
    if (checked) return;
    checked = true;
    if (first.num_args() != static_cast<unsigned>(n))
      r.Fail("the sum has " + std::to_string(first.num_args()) + " terms");
    if (!z3::eq(first, second)) r.Fail("the second build is not the shared term of the first");
    std::unordered_map<unsigned, double> at;
    double expect = 0.0;
    for (int i = 1; i <= n; ++i) {
      at[x[static_cast<size_t>(i - 1)].id()] = bench::W1X(i);
      expect += bench::SumCoefficient(i) * bench::W1X(i);
    }
    Evaluator ev([&at](const z3::expr& e) {
      auto it = at.find(e.id());
      return it == at.end() ? NAN : it->second;
    });
    const double got = ev(first);
    if (!bench::Close(got, expect, 1e-12))
      r.Fail("sum evaluates to " + Str(got) + ", expected " + Str(expect));
  });
  if (!r.failure.empty()) return r;
  r.Time("build", best[0]);
  r.Time("rebuild", best[1]);
  return r;
}

// --- W4: the seeded system as a goal, then (then simplify solve-eqs) ----------

bench::CaseResult W4(const bench::Options& o, int n) {
  bench::CaseResult r;
  const bench::LinearSystem sys = bench::MakeLinearSystem(n);
  bool checked = false;
  auto best = bench::FastestEach(o.reps, 1, [&](double* t) {
    z3::context c;
    const std::vector<z3::expr> u = Reals(c, "u", 0, n - 1);
    const z3::tactic tactic = z3::tactic(c, "simplify") & z3::tactic(c, "solve-eqs");
    const double t0 = bench::Now();
    z3::goal g(c);
    for (int i = 0; i < n; ++i) {
      z3::expr_vector terms(c);
      for (const auto& e : sys.rows[static_cast<size_t>(i)])
        terms.push_back(c.real_val(e.coefficient) * u[static_cast<size_t>(e.column)]);
      g.add(z3::sum(terms) == c.real_val(sys.rhs[static_cast<size_t>(i)]));
    }
    const z3::apply_result result = tactic(g);
    t[0] = bench::Now() - t0;
    if (checked) return;
    checked = true;
    if (result.size() != 1)
      return r.Fail("the tactic gave " + std::to_string(result.size()) + " goals");
    // Whatever solve-eqs left is solved by the solver; the goal's model
    // converter then gives every unknown its value.
    z3::solver s(c);
    s.add(result[0].as_expr());
    if (s.check() != z3::sat) return r.Fail("the remaining goal is not satisfiable");
    const z3::model m = result[0].convert_model(s.get_model());
    double sum = 0.0;
    for (const z3::expr& v : u) sum += m.eval(v, true).as_double();
    double expect = 0.0;
    if (bench::ExpectedSolutionSum(n, &expect) && !bench::Close(sum, expect, 1e-9))
      r.Fail("solution sum " + Str(sum) + ", expected " + Str(expect));
  });
  if (!r.failure.empty()) return r;
  r.Time("solve", best[0]);
  return r;
}

// --- W5: 100000 live terms sin(x_i) + i y_i, sin uninterpreted -----------------

bench::CaseResult W5(int n) {
  bench::CaseResult r;
  z3::context c;
  const z3::func_decl sinf = c.function("sin", c.real_sort(), c.real_sort());
  std::vector<z3::expr> keep;
  keep.reserve(static_cast<size_t>(n));
  const long long before = bench::ResidentBytes();
  const double t0 = bench::Now();
  for (int i = 1; i <= n; ++i) {
    const z3::expr xi = c.real_const(("x" + std::to_string(i)).c_str());
    const z3::expr yi = c.real_const(("y" + std::to_string(i)).c_str());
    keep.push_back(sinf(xi) + c.real_val(i) * yi);
  }
  const double seconds = bench::Now() - t0;
  const long long after = bench::ResidentBytes();
  if (keep.back().num_args() != 2) r.Fail("the last term is not a sum of two terms");
  r.Number("bytes", static_cast<double>(after - before) / n);
  r.Time("time", seconds);
  return r;
}

// --- W6: e_0 = x, e_(k+1) = e_k * e_k + e_k -------------------------------------

// build: the shared terms; intake: the goal e_d = 1 through "simplify";
// diff: the derivative written above. Z3 has no output pass.
bench::CaseResult W6(const bench::Options& o, int d) {
  bench::CaseResult r;
  bool checked = false;
  auto best = bench::FastestEach(o.reps, 3, [&](double* t) {
    z3::context c;
    const z3::expr x = c.real_const("x");
    const z3::tactic simplify(c, "simplify");
    const bool first = !checked;
    WarmUp(c);
    double t0 = bench::Now();
    z3::expr e = x;
    for (int k = 0; k < d; ++k) e = e * e + e;
    t[0] = bench::Now() - t0;
    if (first) bench::Report("build", t[0]);
    t0 = bench::Now();
    z3::goal g(c);
    g.add(e == c.real_val(1));
    const z3::apply_result result = simplify(g);
    t[1] = bench::Now() - t0;
    if (first) bench::Report("intake", t[1]);
    t0 = bench::Now();
    const z3::expr de = Derivative(c, x)(e);
    t[2] = bench::Now() - t0;
    if (first) bench::Report("diff", t[2]);
    if (checked) return;
    checked = true;
    if (result.size() != 1 || result[0].size() != 1)
      return r.Fail("simplify did not keep one goal");
    const double at = -0.5;
    double fe = at, fd = 1.0;
    for (int k = 0; k < d; ++k) {
      fd = (2.0 * fe + 1.0) * fd;
      fe = fe * fe + fe;
    }
    Evaluator ev([at](const z3::expr&) { return at; });
    const double ge = ev(e), gd = ev(de);
    if (!bench::Close(ge, fe, 1e-9))
      r.Fail("e_d evaluates to " + Str(ge) + ", expected " + Str(fe));
    if (!bench::Close(gd, fd, 1e-9))
      r.Fail("de_d/dx evaluates to " + Str(gd) + ", expected " + Str(fd));
  });
  if (!r.failure.empty()) return r;
  r.Time("build", best[0]);
  r.Time("intake", best[1]);
  r.Time("diff", best[2]);
  return r;
}

// --- W7: x + x + ... + x, one sum of n operands, simplified ------------------------

bench::CaseResult W7(const bench::Options& o, int n) {
  bench::CaseResult r;
  bool checked = false;
  auto best = bench::FastestEach(o.reps, 1, [&](double* t) {
    z3::context c;
    const z3::expr x = c.real_const("x");
    z3::expr_vector terms(c);
    for (int i = 0; i < n; ++i) terms.push_back(x);
    WarmUp(c);
    const double t0 = bench::Now();
    const z3::expr s = z3::sum(terms).simplify();
    t[0] = bench::Now() - t0;
    if (checked) return;
    checked = true;
    if (!z3::eq(s, (c.real_val(n) * x).simplify()))
      r.Fail("the sum is not " + std::to_string(n) + " x");
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
  for (int n : o.smoke ? std::vector<int>{20} : std::vector<int>{20, 50, 100})
    ok &= bench::RunCase(o, "W4", n, {"solve"}, [&] { return W4(o, n); });
  for (int d : o.smoke ? std::vector<int>{10} : std::vector<int>{10, 20, 40})
    ok &= bench::RunCase(o, "W6", d, {"build", "intake", "diff"}, [&] { return W6(o, d); });
  for (int n : o.smoke ? std::vector<int>{1000} : std::vector<int>{1000, 4000, 16000})
    ok &= bench::RunCase(o, "W7", n, {"build"}, [&] { return W7(o, n); });
  return ok ? 0 : 1;
}
