// Harness shared by the benchmark programs: the seeded linear system, a
// floating-point reference solver, timing with the fastest of a few repetitions,
// resident-memory readings and one forked process per case.
//
// Every program prints one line per measurement:
//   <workload> <size> <metric> <value>
// where value is seconds for time metrics, bytes or a count for W5, or one of
// the words "timeout" (the case hit its time cap) and "FAIL" (a check failed).
#ifndef ZELTAV_BENCH_COMMON_H
#define ZELTAV_BENCH_COMMON_H

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace bench {

// --- workload data -----------------------------------------------------------

// Coefficient of x_i in W1 and W2.
inline int SumCoefficient(int i) { return (i % 7) + 1; }

// A sparse n x n system: row i has the diagonal entry and three more
// distinct columns, all with coefficients in -9..-1, 1..9, and a right-hand
// side in -9..9.
struct LinearSystem {
  struct Entry {
    int column;
    int coefficient;
  };
  int n = 0;
  std::vector<std::vector<Entry>> rows;
  std::vector<int> rhs;
};

// The 64-bit LCG that generates the W4 system. The seed is the initial state;
// every draw first advances the state and then takes its upper 31 bits.
class Lcg {
 public:
  explicit Lcg(std::uint64_t seed) : s_(seed) {}
  std::uint64_t Draw() {
    s_ = s_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return s_ >> 33;
  }
  int Range(int lo, int hi) {
    return lo + static_cast<int>(Draw() % static_cast<std::uint64_t>(hi - lo + 1));
  }
  int Coefficient() {
    const int v = Range(1, 18);
    return v <= 9 ? v - 10 : v - 9;
  }

 private:
  std::uint64_t s_;
};

inline LinearSystem MakeLinearSystem(int n) {
  LinearSystem sys;
  sys.n = n;
  Lcg lcg(12345);
  for (int i = 0; i < n; ++i) {
    std::vector<LinearSystem::Entry> row;
    row.push_back({i, lcg.Coefficient()});
    for (int k = 0; k < 3; ++k) {
      int column = lcg.Range(0, n - 1);
      auto taken = [&row](int c) {
        return std::any_of(row.begin(), row.end(),
                           [c](const LinearSystem::Entry& e) { return e.column == c; });
      };
      while (taken(column)) column = lcg.Range(0, n - 1);
      row.push_back({column, lcg.Coefficient()});
    }
    sys.rows.push_back(row);
    sys.rhs.push_back(lcg.Range(-9, 9));
  }
  return sys;
}

// Dense Gaussian elimination with partial pivoting; the reference solution.
inline std::vector<double> SolveReference(const LinearSystem& sys) {
  const int n = sys.n;
  std::vector<std::vector<double>> a(n, std::vector<double>(n + 1, 0.0));
  for (int i = 0; i < n; ++i) {
    for (const auto& e : sys.rows[i]) a[i][e.column] = e.coefficient;
    a[i][n] = sys.rhs[i];
  }
  for (int k = 0; k < n; ++k) {
    int p = k;
    for (int i = k + 1; i < n; ++i)
      if (std::fabs(a[i][k]) > std::fabs(a[p][k])) p = i;
    std::swap(a[k], a[p]);
    for (int i = k + 1; i < n; ++i) {
      const double f = a[i][k] / a[k][k];
      if (f == 0.0) continue;
      for (int j = k; j <= n; ++j) a[i][j] -= f * a[k][j];
    }
  }
  std::vector<double> x(n, 0.0);
  for (int i = n - 1; i >= 0; --i) {
    double s = a[i][n];
    for (int j = i + 1; j < n; ++j) s -= a[i][j] * x[j];
    x[i] = s / a[i][i];
  }
  return x;
}

// Rank of a dense matrix (rows of equal length), by elimination with
// partial pivoting; entries below tol times the largest magnitude count as 0.
inline int Rank(std::vector<std::vector<double>> a, double tol) {
  if (a.empty()) return 0;
  const size_t cols = a[0].size();
  double big = 0.0;
  for (const auto& row : a)
    for (double v : row) big = std::max(big, std::fabs(v));
  const double eps = tol * std::max(big, 1.0);
  int rank = 0;
  size_t r = 0;
  for (size_t c = 0; c < cols && r < a.size(); ++c) {
    size_t p = r;
    for (size_t i = r + 1; i < a.size(); ++i)
      if (std::fabs(a[i][c]) > std::fabs(a[p][c])) p = i;
    if (std::fabs(a[p][c]) <= eps) continue;
    std::swap(a[r], a[p]);
    for (size_t i = r + 1; i < a.size(); ++i) {
      const double f = a[i][c] / a[r][c];
      for (size_t j = c; j < cols; ++j) a[i][j] -= f * a[r][j];
    }
    ++r;
    ++rank;
  }
  return rank;
}

// The sum of the solution of the seeded system, for the sizes we run.
inline bool ExpectedSolutionSum(int n, double* sum) {
  switch (n) {
    case 20:
      *sum = -7.61252491144;
      return true;
    case 50:
      *sum = 15.9835498173;
      return true;
    case 100:
      *sum = 86.109293438;
      return true;
    default:
      return false;
  }
}

// The W3 summand f(x, y) = sin(x y) exp(y x^2) / (1 + x^2 y) and its x-derivative,
// in plain floating point: the reference for the symbolic results.
inline double W3Term(double x, double y) {
  return std::sin(x * y) * std::exp(y * x * x) / (1.0 + x * x * y);
}
inline double W3TermDx(double x, double y) {
  const double s = std::sin(x * y), c = std::cos(x * y), e = std::exp(y * x * x);
  const double d = 1.0 + x * x * y;
  return (y * c * e + s * e * 2.0 * x * y) / d - s * e * 2.0 * x * y / (d * d);
}
// Values at which the symbolic results are evaluated.
inline double W3X() { return 0.7; }
inline double W3Y(int i) { return 0.25 + 0.05 * (i % 13); }
inline double W1X(int i) { return 1.0 / (1.0 + (i % 17)); }

// |a - b| within rel of the larger magnitude (and at least rel absolutely).
inline bool Close(double a, double b, double rel) {
  const double scale = std::max({1.0, std::fabs(a), std::fabs(b)});
  return std::fabs(a - b) <= rel * scale;
}

// --- measuring ---------------------------------------------------------------

inline double Now() {
  using Clock = std::chrono::steady_clock;
  return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
}

// Resident set size of this process in bytes (VmRSS), or -1.
inline long long ResidentBytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.compare(0, 6, "VmRSS:") == 0) return std::atoll(line.c_str() + 6) * 1024LL;
  }
  return -1;
}

// How many repetitions a case runs: at most maxReps, at least minReps unless
// one repetition is already slow, and no more once the budget is spent.
struct RepPolicy {
  int maxReps = 9;
  int minReps = 3;
  double budgetSeconds = 3.0;  // stop after minReps once this much is spent
  double slowSeconds = 20.0;   // a repetition this slow ends the case at once
};

inline bool MoreReps(const RepPolicy& p, int done, double spent, double last) {
  if (done >= p.maxReps) return false;
  if (done >= 1 && last >= p.slowSeconds) return false;
  if (done >= p.minReps && spent >= p.budgetSeconds) return false;
  return true;
}

// In a case's child process, the pipe to the parent; -1 elsewhere.
inline int& CaseChannel() {
  static int fd = -1;
  return fd;
}

// Sends "metric value" to the parent at once, so that the phases a case has
// finished are reported even when a later phase runs past the cap. A value
// sent again (the fastest, at the end) replaces the earlier one.
inline void Report(const std::string& metric, double v) {
  if (CaseChannel() < 0) return;
  char buf[160];
  const int len = std::snprintf(buf, sizeof buf, "%s %.6g\n", metric.c_str(), v);
  if (len > 0 && write(CaseChannel(), buf, static_cast<size_t>(len)) < 0) return;
}

// The result of one case: named values to print, or a failed check.
struct CaseResult {
  std::vector<std::pair<std::string, std::string>> values;  // metric, value
  std::string failure;                                      // empty when all checks held
  void Time(const std::string& metric, double seconds) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6g", seconds);
    values.emplace_back(metric, buf);
  }
  void Number(const std::string& metric, double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6g", v);
    values.emplace_back(metric, buf);
  }
  void Fail(const std::string& why) {
    if (failure.empty()) failure = why;
  }
};

struct Options {
  bool smoke = false;
  int capSeconds = 300;
  std::vector<std::string> only;  // workload names; empty means all
  int w5Count = 100000;           // live expressions in W5
  RepPolicy reps;
};

inline Options ParseOptions(int argc, char** argv) {
  Options o;
  bool w5Given = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--smoke") {
      // Checks only: one repetition, and W5 with fewer expressions unless
      // --w5 says otherwise.
      o.smoke = true;
      if (!w5Given) o.w5Count = 10000;
      o.reps.maxReps = 1;
      o.reps.minReps = 1;
    } else if (a == "--cap" && i + 1 < argc) {
      o.capSeconds = std::atoi(argv[++i]);
    } else if (a == "--reps" && i + 1 < argc) {
      o.reps.maxReps = std::max(1, std::atoi(argv[++i]));
      o.reps.minReps = std::min(o.reps.minReps, o.reps.maxReps);
    } else if (a == "--w5" && i + 1 < argc) {
      o.w5Count = std::max(1, std::atoi(argv[++i]));
      w5Given = true;
    } else if (a == "--only" && i + 1 < argc) {
      o.only.push_back(argv[++i]);
    } else {
      std::fprintf(
          stderr,
          "usage: %s [--smoke] [--cap SECONDS] [--reps N] [--w5 COUNT] [--only W1|...|W10]...\n",
          argv[0]);
      std::exit(2);
    }
  }
  return o;
}

inline bool Selected(const Options& o, const std::string& workload) {
  return o.only.empty() || std::find(o.only.begin(), o.only.end(), workload) != o.only.end();
}

// Runs one case in a child process, so that every case starts from a fresh
// heap (W5 reads the resident size) and a case that runs past the cap is
// killed instead of hanging the run. metrics names the lines the case prints,
// used for the "timeout" and "FAIL" lines when the child does not finish.
// Returns false when the case failed a check or crashed, or timed out in a
// smoke run.
inline bool RunCase(const Options& o, const std::string& workload, int size,
                    const std::vector<std::string>& metrics,
                    const std::function<CaseResult()>& body) {
  if (!Selected(o, workload)) return true;
  std::fflush(stdout);
  std::fflush(stderr);
  int fds[2];
  if (pipe(fds) != 0) {
    std::perror("pipe");
    return false;
  }
  const pid_t pid = fork();
  if (pid < 0) {
    std::perror("fork");
    return false;
  }
  if (pid == 0) {
    close(fds[0]);
    CaseChannel() = fds[1];
    alarm(static_cast<unsigned>(o.capSeconds));  // default action: terminate
    CaseResult r = body();
    std::string out;
    for (const auto& v : r.values) out += v.first + " " + v.second + "\n";
    if (!r.failure.empty()) out = "!" + r.failure + "\n";
    const char* p = out.data();
    size_t left = out.size();
    while (left > 0) {
      const ssize_t w = write(fds[1], p, left);
      if (w <= 0) break;
      p += w;
      left -= static_cast<size_t>(w);
    }
    close(fds[1]);
    std::fflush(stdout);
    _exit(0);
  }
  close(fds[1]);
  std::string got;
  char buf[4096];
  ssize_t n;
  while ((n = read(fds[0], buf, sizeof buf)) > 0) got.append(buf, static_cast<size_t>(n));
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);

  // Lines "metric value", the last value of a metric winning, in the order
  // metrics first appeared; a line "!why" is a failed check.
  std::vector<std::pair<std::string, std::string>> values;
  std::string failure;
  for (size_t start = 0; start < got.size();) {
    size_t end = got.find('\n', start);
    if (end == std::string::npos) end = got.size();
    const std::string line = got.substr(start, end - start);
    start = end + 1;
    if (line.empty()) continue;
    if (line[0] == '!') {
      if (failure.empty()) failure = line.substr(1) + "\n";
      continue;
    }
    const size_t space = line.find(' ');
    const std::string metric = line.substr(0, space);
    const std::string value = space == std::string::npos ? "" : line.substr(space + 1);
    auto same = [&metric](const std::pair<std::string, std::string>& v) {
      return v.first == metric;
    };
    auto it = std::find_if(values.begin(), values.end(), same);
    if (it == values.end())
      values.emplace_back(metric, value);
    else
      it->second = value;
  }
  const bool finished = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  const bool failed = !failure.empty();
  if (finished && !failed) {
    for (const auto& v : values)
      std::printf("%s %d %s %s\n", workload.c_str(), size, v.first.c_str(), v.second.c_str());
    std::fflush(stdout);
    return true;
  }
  const char* word = "FAIL";
  if (WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM) {
    word = "timeout";
    std::fprintf(stderr, "%s %d: no result within %d s\n", workload.c_str(), size, o.capSeconds);
  } else if (failed) {
    std::fprintf(stderr, "%s %d: check failed: %s", workload.c_str(), size, failure.c_str());
  } else if (WIFSIGNALED(status)) {
    std::fprintf(stderr, "%s %d: killed by signal %d\n", workload.c_str(), size, WTERMSIG(status));
  } else {
    std::fprintf(stderr, "%s %d: exited with status %d\n", workload.c_str(), size,
                 WEXITSTATUS(status));
  }
  // A timed-out case keeps the phases it finished.
  for (const auto& m : metrics) {
    auto it =
        std::find_if(values.begin(), values.end(),
                     [&m](const std::pair<std::string, std::string>& v) { return v.first == m; });
    const bool keep = !failed && std::string(word) == "timeout" && it != values.end();
    std::printf("%s %d %s %s\n", workload.c_str(), size, m.c_str(),
                keep ? it->second.c_str() : word);
  }
  std::fflush(stdout);
  // Over the cap is a result of a full run (the slow cases are capped on
  // purpose), but a smoke run must finish everything.
  return !o.smoke && !failed && std::string(word) == "timeout";
}

// Repeats a case: once(times) runs one repetition, does its own untimed
// setup and teardown and writes the k measured times into times[0..k-1].
// Returns the fastest of each of the k times over the repetitions: on a
// shared machine a repetition is slowed, never sped up, by what else runs
// (one process here ran the same W3 build at 11 ms, then at 5.4 ms).
inline std::vector<double> FastestEach(const RepPolicy& p, int k,
                                       const std::function<void(double*)>& once) {
  std::vector<double> best(static_cast<size_t>(k), 0.0);
  std::vector<double> t(static_cast<size_t>(k));
  double spent = 0.0, last = 0.0;
  int done = 0;
  while (MoreReps(p, done, spent, last)) {
    std::fill(t.begin(), t.end(), 0.0);
    once(t.data());
    last = 0.0;
    for (size_t j = 0; j < best.size(); ++j) {
      if (done == 0 || t[j] < best[j]) best[j] = t[j];
      last += t[j];
    }
    spent += last;
    ++done;
  }
  return best;
}

}  // namespace bench

#endif
