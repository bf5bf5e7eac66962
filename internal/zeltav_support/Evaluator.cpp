#include "zeltav_support/Evaluator.h"

#include <cmath>
#include <limits>
#include <unordered_map>

#include "zeltav_support/NodeText.h"
#include "zeltav_support/NumberFormat.h"

namespace zeltav_support {
namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

double Sign(double a) { return a > 0 ? 1.0 : a < 0 ? -1.0 : 0.0; }

class Evaluator {
 public:
  explicit Evaluator(const Lookup& at) : at_(at) {}

  double Value(const ZELS3Node* n) {
    if (n == nullptr) return Problem(n, "a null node has no value");
    auto known = memo_.find(n);
    if (known != memo_.end()) return known->second;
    const double v = Compute(n);
    memo_.emplace(n, v);
    return v;
  }

  Evaluation result;

 private:
  // Records the first problem; the value goes on as the math library gives it.
  double Problem(const ZELS3Node* n, const std::string& what) {
    if (result.problem.empty()) {
      result.problem = what;
      result.where = n;
    }
    return kNaN;
  }

  double Arg(const ZELS3Node* n, unsigned i) {
    return i < n->GetArgsNum() ? Value(n->GetArg(i)) : kNaN;
  }

  // One-argument functions, with their domains checked.
  double Function(const ZELS3Node* n, int type, double a) {
    auto shown = [a] { return FormatNumber(a); };
    switch (type) {
      case NodeAbs:
        return std::fabs(a);
      case NodeSign:
        return Sign(a);
      case NodeExp:
        return std::exp(a);
      case NodeLn:
        if (a <= 0) Problem(n, "ln of a number that is not positive: ln(" + shown() + ")");
        return std::log(a);
      case NodeSqrt:
        if (a < 0) Problem(n, "sqrt of a negative number: sqrt(" + shown() + ")");
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
        if (a < -1 || a > 1)
          return Problem(n, "asin of a number outside [-1, 1]: asin(" + shown() + ")");
        return std::asin(a);
      case NodeAcos:
        if (a < -1 || a > 1)
          return Problem(n, "acos of a number outside [-1, 1]: acos(" + shown() + ")");
        return std::acos(a);
      case NodeAtan:
        return std::atan(a);
      default:
        return kNaN;
    }
  }

  double Relation(int type, double a, double b) {
    switch (type) {
      case NodeEqual:
      case NodeBoolEqual:
        return a == b;
      case NodeNotEqual:
      case NodeBoolNotEqual:
        return a != b;
      case NodeLess:
      case NodeBoolLess:
        return a < b;
      case NodeLessEqual:
      case NodeBoolLessEqual:
        return a <= b;
      case NodeGreater:
      case NodeBoolGreater:
        return a > b;
      case NodeGreaterEqual:
      case NodeBoolGreaterEqual:
        return a >= b;
      case NodeAnd:
        return (a != 0) && (b != 0);
      case NodeOr:
        return (a != 0) || (b != 0);
      case NodeImplies:
        return (a == 0) || (b != 0);
      default:
        return kNaN;
    }
  }

  double Compute(const ZELS3Node* n) {
    const int type = n->GetNodeType();
    if (type == NodeVariable) {
      const double v = at_(n->GetVariableID());
      if (std::isnan(v)) return Problem(n, "a variable without a value");
      return v;
    }
    if (type == NodeConstant) return n->GetConstant();
    if (type == NodeBoolConst) return n->GetBool() ? 1.0 : 0.0;
    if (!IsOperationType(type)) return Problem(n, "a node of unknown type " + std::to_string(type));
    const unsigned count = n->GetArgsNum();
    if (type == NodeUnknown)
      return Problem(n, std::string("the unknown operation '") +
                            static_cast<const char*>(n->GetOperName()) + "' has no value");
    if (type == NodeSum || type == NodeProduct) {
      // (coefficient, term) and (factor, exponent) pairs
      double r = type == NodeSum ? 0.0 : 1.0;
      for (unsigned i = 0; i + 1 < count; i += 2)
        r = type == NodeSum ? r + Arg(n, i) * Arg(n, i + 1)
                            : r * Power(n, Arg(n, i), Arg(n, i + 1));
      return r;
    }
    if (type == NodeMin || type == NodeMax) {
      if (count == 0) return kNaN;
      double r = Arg(n, 0);
      for (unsigned i = 1; i < count; ++i)
        r = type == NodeMin ? std::fmin(r, Arg(n, i)) : std::fmax(r, Arg(n, i));
      return r;
    }
    // Functions read their first argument, the other operations their first two.
    const double a = Arg(n, 0);
    if (type == NodeNot) return a == 0;
    if (type >= NodeAbs && type <= NodeAtan) return Function(n, type, a);
    const double b = Arg(n, 1);
    if (type == NodeQuotient) {
      if (b == 0) Problem(n, "division by zero");
      return a / b;
    }
    if (type == NodePower) return Power(n, a, b);
    return Relation(type, a, b);
  }

  double Power(const ZELS3Node* n, double base, double exponent) {
    if (base == 0 && exponent < 0) Problem(n, "division by zero: 0 to a negative power");
    if (base < 0 && std::isfinite(exponent) && exponent != std::floor(exponent))
      Problem(n, "a negative number to a power that is not a whole number: (" + FormatNumber(base) +
                     ")^" + FormatNumber(exponent));
    return std::pow(base, exponent);
  }

  const Lookup& at_;
  std::unordered_map<const ZELS3Node*, double> memo_;
};

}  // namespace

Evaluation EvaluateCheckedBy(const ZELS3Node* n, const Lookup& at) {
  Evaluator e(at);
  const double v = e.Value(n);
  e.result.value = v;
  return e.result;
}

Evaluation EvaluateChecked(const ZELS3Node* n, const Point& at) {
  return EvaluateCheckedBy(n, [&at](unsigned long long id) {
    auto it = at.find(id);
    return it == at.end() ? kNaN : it->second;
  });
}

double Evaluate(const ZELS3Node* n, const Point& at) { return EvaluateChecked(n, at).value; }

double EvaluateBy(const ZELS3Node* n, const Lookup& at) { return EvaluateCheckedBy(n, at).value; }

}  // namespace zeltav_support
