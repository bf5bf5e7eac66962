// Numeric value of a node graph at a point, for property tests: variables
// take their values from the map, booleans are 0 and 1, and anything that
// cannot be evaluated (an unknown operation, a missing variable) gives NaN.
#ifndef ZELTAV_EVALUATOR_H
#define ZELTAV_EVALUATOR_H

#include <map>

#include "ZELTavSymbolicCalculator.h"

namespace zeltav_test {

using Point = std::map<unsigned long long, double>;

double Evaluate(const ZELS3Node* n, const Point& at);

}  // namespace zeltav_test

#endif
