// Nodes registered as they were built, without rewriting (the output form:
// coefficients moved into products, exponents into powers). The rules would
// rewrite such a node in place when it comes back as an operand, which would
// change every expression that holds it, so the driver rewrites a copy.
#ifndef ZELTAV_KEPT_AS_BUILT_H
#define ZELTAV_KEPT_AS_BUILT_H

#include <unordered_set>

class ZELS3Node;

namespace zeltav {

std::unordered_set<const ZELS3Node*>& KeptAsBuilt();

}  // namespace zeltav

#endif
