// The exact structure of a node graph as text, one form for every reader:
//   33:+(1, x, -1, y)   type number, name, arguments in order
//   35:*(x, 2)          x squared
// Leaves print as numbers, true/false and the variable names the caller gives.
#ifndef ZELTAV_SUPPORT_NODETEXT_H
#define ZELTAV_SUPPORT_NODETEXT_H

#include <ZELTavSymbolicCalculator.h>

#include <functional>
#include <string>

namespace zeltav_support {

struct NodeTextStyle {
  // The text of a variable leaf; by default x<id>, or c<id> for a constant variable.
  std::function<std::string(const ZELS3Node*)> variable;
  // Deeper nodes print as "...".
  int maxDepth = 1 << 30;
  // When a graph's tree form has more nodes than this, the whole text is
  // replaced by "<expression too large to print>" (shared nodes count once per use).
  long maxNodes = 4000000;
};

// The structure of n; "null" for a null node.
std::string NodeText(const ZELS3Node* n, const NodeTextStyle& style = NodeTextStyle());

// A leaf as text (variable, number, true/false); empty for an operation.
std::string LeafText(const ZELS3Node* n, const NodeTextStyle& style = NodeTextStyle());

// Node types 3 to 38 carry arguments; reading them from other types sets an error.
inline bool IsOperationType(int type) { return type >= NodeBoolEqual && type <= NodeUnknown; }

}  // namespace zeltav_support

#endif
