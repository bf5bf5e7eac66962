#include "support/Evaluator.h"

#include <cmath>
#include <limits>

namespace zeltav_test {

namespace {
const double kNaN = std::numeric_limits<double>::quiet_NaN();

double Arg(const ZELS3Node* n, unsigned i, const Point& at) {
  return i < n->GetArgsNum() ? Evaluate(n->GetArg(i), at) : kNaN;
}
}  // namespace

double Evaluate(const ZELS3Node* n, const Point& at) {
  if (!n) return kNaN;
  const int t = n->GetNodeType();
  switch (t) {
    case NodeVariable: {
      auto it = at.find(n->GetVariableID());
      return it == at.end() ? kNaN : it->second;
    }
    case NodeConstant:
      return n->GetConstant();
    case NodeBoolConst:
      return n->GetBool() ? 1.0 : 0.0;
    default:
      break;
  }
  const double a = Arg(n, 0, at);
  const double b = n->GetArgsNum() > 1 ? Arg(n, 1, at) : kNaN;
  switch (t) {
    case NodeBoolEqual:
    case NodeEqual:
      return a == b;
    case NodeBoolNotEqual:
    case NodeNotEqual:
      return a != b;
    case NodeBoolLess:
    case NodeLess:
      return a < b;
    case NodeBoolLessEqual:
    case NodeLessEqual:
      return a <= b;
    case NodeBoolGreater:
    case NodeGreater:
      return a > b;
    case NodeBoolGreaterEqual:
    case NodeGreaterEqual:
      return a >= b;
    case NodeAnd:
      return (a != 0) && (b != 0);
    case NodeOr:
      return (a != 0) || (b != 0);
    case NodeNot:
      return a == 0;
    case NodeImplies:
      return (a == 0) || (b != 0);
    case NodeAbs:
      return std::fabs(a);
    case NodeSign:
      return a > 0 ? 1.0 : a < 0 ? -1.0 : 0.0;
    case NodeExp:
      return std::exp(a);
    case NodeLn:
      return std::log(a);
    case NodeSqrt:
      return std::sqrt(a);
    case NodeSin:
      return std::sin(a);
    case NodeCos:
      return std::cos(a);
    case NodeTg:
      return std::tan(a);
    case NodeCtg:
      return 1.0 / std::tan(a);
    case NodeAsin:
      return std::asin(a);
    case NodeAcos:
      return std::acos(a);
    case NodeAtan:
      return std::atan(a);
    case NodeMin:
    case NodeMax: {
      if (n->GetArgsNum() == 0) return kNaN;
      double r = a;
      for (unsigned i = 1; i < n->GetArgsNum(); ++i) {
        double v = Arg(n, i, at);
        r = t == NodeMin ? std::fmin(r, v) : std::fmax(r, v);
      }
      return r;
    }
    case NodeSum: {
      double s = 0;
      for (unsigned i = 0; i + 1 < n->GetArgsNum(); i += 2) s += Arg(n, i, at) * Arg(n, i + 1, at);
      return s;
    }
    case NodeProduct: {
      double p = 1;
      for (unsigned i = 0; i + 1 < n->GetArgsNum(); i += 2)
        p *= std::pow(Arg(n, i, at), Arg(n, i + 1, at));
      return p;
    }
    case NodeQuotient:
      return a / b;
    case NodePower:
      return std::pow(a, b);
    default:
      return kNaN;
  }
}

}  // namespace zeltav_test
