// Prints a node graph for test failure messages:
//   33:+(1, x1, -1, x2)   sum of x1 minus x2
//   35:*(x1, 2)           x1 squared
// Leaves print as numbers, x<id> (c<id> for constant variables), true/false.
#ifndef ZELTAV_NODE_PRINTER_H
#define ZELTAV_NODE_PRINTER_H

#include <ostream>
#include <string>

#include "ZELTavSymbolicCalculator.h"

namespace zeltav_test {

std::string Show(const ZELS3Node* n);

}  // namespace zeltav_test

// Lets gtest print nodes in assertion messages.
void PrintTo(const ZELS3Node& n, std::ostream* os);

#endif
