#include "support/Evaluator.h"

#include <cmath>
#include <limits>

namespace zeltav_test {

namespace {
const double kNaN = std::numeric_limits<double>::quiet_NaN();

double Arg(const ZELS3Node* n, unsigned i, const Point& at) {
  return i < n->GetArgsNum() ? Evaluate(n->GetArg(i), at) : kNaN;
}

// Functions of the first argument, and operations on the first two (the
// boolean relations alongside the numeric ones).
using Unary = double (*)(double);
using Binary = double (*)(double, double);
const std::map<int, Unary> kUnary = {
    {NodeNot, [](double a) -> double { return a == 0; }},
    {NodeAbs, [](double a) { return std::fabs(a); }},
    {NodeSign, [](double a) { return a > 0   ? 1.0
                                     : a < 0 ? -1.0
                                             : 0.0; }},
    {NodeExp, [](double a) { return std::exp(a); }},
    {NodeLn, [](double a) { return std::log(a); }},
    {NodeSqrt, [](double a) { return std::sqrt(a); }},
    {NodeSin, [](double a) { return std::sin(a); }},
    {NodeCos, [](double a) { return std::cos(a); }},
    {NodeTg, [](double a) { return std::tan(a); }},
    {NodeCtg, [](double a) { return 1.0 / std::tan(a); }},
    {NodeAsin, [](double a) { return std::asin(a); }},
    {NodeAcos, [](double a) { return std::acos(a); }},
    {NodeAtan, [](double a) { return std::atan(a); }}};
const Binary kEq = [](double a, double b) -> double { return a == b; };
const Binary kNe = [](double a, double b) -> double { return a != b; };
const Binary kLt = [](double a, double b) -> double { return a < b; };
const Binary kLe = [](double a, double b) -> double { return a <= b; };
const Binary kGt = [](double a, double b) -> double { return a > b; };
const Binary kGe = [](double a, double b) -> double { return a >= b; };
const std::map<int, Binary> kBinary = {
    {NodeEqual, kEq},
    {NodeBoolEqual, kEq},
    {NodeNotEqual, kNe},
    {NodeBoolNotEqual, kNe},
    {NodeLess, kLt},
    {NodeBoolLess, kLt},
    {NodeLessEqual, kLe},
    {NodeBoolLessEqual, kLe},
    {NodeGreater, kGt},
    {NodeBoolGreater, kGt},
    {NodeGreaterEqual, kGe},
    {NodeBoolGreaterEqual, kGe},
    {NodeAnd, [](double a, double b) -> double { return (a != 0) && (b != 0); }},
    {NodeOr, [](double a, double b) -> double { return (a != 0) || (b != 0); }},
    {NodeImplies, [](double a, double b) -> double { return (a == 0) || (b != 0); }},
    {NodeQuotient, [](double a, double b) { return a / b; }},
    {NodePower, [](double a, double b) { return std::pow(a, b); }}};
}  // namespace

double Evaluate(const ZELS3Node* n, const Point& at) {
  if (!n) return kNaN;
  const int t = n->GetNodeType();
  const unsigned count = n->GetArgsNum();
  if (t == NodeVariable) {
    auto it = at.find(n->GetVariableID());
    return it == at.end() ? kNaN : it->second;
  }
  if (t == NodeConstant) return n->GetConstant();
  if (t == NodeBoolConst) return n->GetBool() ? 1.0 : 0.0;
  const double a = Arg(n, 0, at), b = count > 1 ? Arg(n, 1, at) : kNaN;
  if (kUnary.count(t)) return kUnary.at(t)(a);
  if (kBinary.count(t)) return kBinary.at(t)(a, b);
  double r = t == NodeProduct ? 1.0 : t == NodeSum ? 0.0 : count ? a : kNaN;
  if (t == NodeMin || t == NodeMax)
    for (unsigned i = 1; i < count; ++i)
      r = t == NodeMin ? std::fmin(r, Arg(n, i, at)) : std::fmax(r, Arg(n, i, at));
  else if (t == NodeSum || t == NodeProduct)
    for (unsigned i = 0; i + 1 < count; i += 2)
      r = t == NodeSum ? r + Arg(n, i, at) * Arg(n, i + 1, at)
                       : r * std::pow(Arg(n, i, at), Arg(n, i + 1, at));
  else
    return kNaN;
  return r;
}

}  // namespace zeltav_test
