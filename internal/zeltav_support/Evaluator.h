// The numeric value of a node graph at a point, read through the public node
// interface: variables take their values from the point, booleans are 0 and 1.
// Nothing is built and no error code is set, so evaluating changes nothing.
#ifndef ZELTAV_SUPPORT_EVALUATOR_H
#define ZELTAV_SUPPORT_EVALUATOR_H

#include <ZELTavSymbolicCalculator.h>

#include <functional>
#include <map>
#include <string>

namespace zeltav_support {

using Point = std::map<unsigned long long, double>;
// The value of each variable by identifier; NaN for a variable without one.
using Lookup = std::function<double(unsigned long long)>;

struct Evaluation {
  double value = 0.0;
  // The first problem met, in words ("ln of a number that is not positive: ln(-1)"),
  // and the node where it was met; empty and null when there was none.
  std::string problem;
  const ZELS3Node* where = nullptr;
};

// The value of n, with the first domain problem (ln or sqrt out of range,
// asin or acos outside [-1, 1], division by zero) or missing value (a
// variable not in the point, an unknown operation) reported. Shared nodes are
// evaluated once.
Evaluation EvaluateChecked(const ZELS3Node* n, const Point& at);
Evaluation EvaluateCheckedBy(const ZELS3Node* n, const Lookup& at);

// The value alone: NaN wherever no number can be given.
double Evaluate(const ZELS3Node* n, const Point& at);
double EvaluateBy(const ZELS3Node* n, const Lookup& at);

}  // namespace zeltav_support

#endif
