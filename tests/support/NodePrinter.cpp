#include "support/NodePrinter.h"

#include <zeltav_support/NodeText.h>

namespace zeltav_test {

std::string Show(const ZELS3Node* n) {
  zeltav_support::NodeTextStyle style;
  style.maxDepth = 64;
  return zeltav_support::NodeText(n, style);
}

}  // namespace zeltav_test

void PrintTo(const ZELS3Node& n, std::ostream* os) { *os << zeltav_test::Show(&n); }
