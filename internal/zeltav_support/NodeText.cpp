#include "zeltav_support/NodeText.h"

#include "zeltav_support/NumberFormat.h"

namespace zeltav_support {
namespace {

struct TooLarge {};

class Writer {
 public:
  explicit Writer(const NodeTextStyle& style) : style_(style), budget_(style.maxNodes) {}

  void Write(const ZELS3Node* n, int depth) {
    if (n == nullptr) {
      out += "null";
      return;
    }
    if (--budget_ < 0) throw TooLarge();
    if (depth > style_.maxDepth) {
      out += "...";
      return;
    }
    const int type = n->GetNodeType();
    if (!IsOperationType(type)) {
      const std::string leaf = LeafText(n, style_);
      out += leaf.empty() ? "type" + std::to_string(type) : leaf;
      return;
    }
    out += std::to_string(type) + ":" + static_cast<const char*>(n->GetOperName()) + "(";
    for (unsigned i = 0; i < n->GetArgsNum(); ++i) {
      if (i > 0) out += ", ";
      Write(n->GetArg(i), depth + 1);
    }
    out += ")";
  }

  std::string out;

 private:
  const NodeTextStyle& style_;
  long budget_;
};

}  // namespace

std::string LeafText(const ZELS3Node* n, const NodeTextStyle& style) {
  switch (n->GetNodeType()) {
    case NodeVariable:
      if (style.variable) return style.variable(n);
      return (n->IsNonConstVariable() ? "x" : "c") + std::to_string(n->GetVariableID());
    case NodeConstant:
      return FormatNumber(n->GetConstant());
    case NodeBoolConst: {
      // Only 1 and 0 are made by the factories; any other byte is shown as it is.
      const int b = n->GetBool();
      return b == 1 ? "true" : b == 0 ? "false" : "bool(" + std::to_string(b) + ")";
    }
    default:
      return std::string();
  }
}

std::string NodeText(const ZELS3Node* n, const NodeTextStyle& style) {
  Writer w(style);
  try {
    w.Write(n, 0);
  } catch (const TooLarge&) {
    return "<expression too large to print>";
  }
  return w.out;
}

}  // namespace zeltav_support
