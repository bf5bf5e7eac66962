// The steps every factory shares: make a node for the current calculator,
// link operands, finish through the simplifier, discard a node that lost.
#ifndef ZELTAV_NODE_BUILDER_H
#define ZELTAV_NODE_BUILDER_H

#include "ZELTavSymbolicCalculator/Calculator.h"
#include "calculator/NodeTable.h"

namespace zeltav {

class NodeBuilder {
 public:
  // A fresh node, or null when there is no current calculator.
  static ZELS3Node* New(ZELNodeType type);
  static ZELS3Node* New(ZELNodeType type, const ZELString& name);
  static void SetType(ZELS3Node* n, ZELNodeType type) {
    NoteChanged(n);
    n->type = type;
  }
  // Makes room for count arguments at once: a long sum would otherwise grow
  // its argument vector a few slots at a time, copying it each time.
  static void Reserve(ZELS3Node* n, unsigned int count) {
    if (count > n->args.Limit()) n->args.Resize(count);
  }
  // Appends a coefficient or exponent as it is, without simplifying it.
  static void Insert(ZELS3Node* n, ZELS3Node* constant) { n->AddArg(constant); }
  // Appends operand x after simplifying it in the context of the request;
  // false when there is nothing to append.
  static bool Link(ZELS3Node* n, ZELS3Node* x, ZELNodeType context);
  // Simplifies n as a whole; when another node stands for it, n is deleted.
  static ZELS3Node* Finish(ZELS3Node* n, ZELNodeType requested);
  // Unlinks a partly built node from its arguments and deletes it.
  static void Discard(ZELS3Node* n);
};

}  // namespace zeltav

#endif
