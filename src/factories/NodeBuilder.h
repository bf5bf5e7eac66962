// The steps every factory shares: make a node for the current calculator,
// link operands, finish through the simplifier, discard a node that lost.
#ifndef ZELTAV_NODE_BUILDER_H
#define ZELTAV_NODE_BUILDER_H

#include <vector>

#include "ZELTavSymbolicCalculator/Calculator.h"
#include "calculator/NodeTable.h"
#include "collections/InPlaceList.h"

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
  // Finishes a sum that its rule would give back as it is (the caller knows
  // it, see FoldNumbers and SumPairsCheck): signed and entered as the driver
  // enters what the rule left, and settled when it is new and settles
  // (SumLeftAsIs(n), which the caller tells). n is deleted when another
  // node stands for it.
  static ZELS3Node* FinishLeftAsIs(ZELS3Node* n, bool settles);
  // The operation of type over ops[0..count), each linked in the context of
  // type, then finished: CreateOperation without an argument vector.
  static ZELS3Node* Operation(ZELNodeType type, ZELS3Node* const* ops, unsigned int count);
  // Unlinks a partly built node from its arguments and deletes it.
  static void Discard(ZELS3Node* n);

  // The sums met among the operands of a new sum. The sum's rule takes each
  // apart when the new sum is finished,
  //   +(1, a, 2, +(3, x, 4, y)) -> +(1, a, 6, x, 8, y)
  // so linking it first, only to unlink it again, is wasted work on a long
  // sum (and on the shared coefficient 1, linked to thousands of sums). Such
  // pairs are kept aside and their pieces linked once, in the order and with
  // the coefficients the rule would give them.
  // A long operation asked for again (see RepeatedBuilds): the node the
  // same request gave before, found without building anything.
  class Repeat {
   public:
    // spelling: the request's place in the spelling table; -1 keeps nothing.
    Repeat(int spelling, const ZELICVectorImp_ZELS3Node& args);
    // The node kept for this request, or null.
    ZELS3Node* Recalled() const;
    // Keeps result for the next such request when it may stand for it.
    ZELS3Node* Keep(ZELS3Node* result) const;

   private:
    RepeatedBuilds* builds_ = nullptr;  // null: the request is not kept
    std::vector<std::uintptr_t> operands_;
    RepeatedBuilds::Key key_{};
    std::uint64_t changes_ = 0;
  };

  class NestedSums {
   public:
    // operands: how many operands the build links, at most; a long sum of
    // sums then keeps its pairs aside without copying them as they come.
    explicit NestedSums(unsigned int operands) : operands_(operands) {}
    // Links the pair (coefficient, x) to the new sum n, x simplified in the
    // context of the request; a pair whose x simplifies to a sum is kept
    // aside instead. False when x simplifies to nothing.
    bool LinkPair(ZELS3Node* n, ZELS3Node* coefficient, ZELS3Node* x, ZELNodeType context);
    // Before n is finished: the pieces of the sums kept aside are appended,
    // those of the last sum first. When the rule would not take them apart
    // exactly so (n or a kept sum is no longer a sum, or some term is a
    // sum), the pairs go back where they stood and the rule does the work.
    // True when the rule would then give n back as it is (SumPairsCheck).
    bool Settle(ZELS3Node* n);
    // Finishes n as Settle found it.
    static ZELS3Node* Finish(ZELS3Node* n, ZELNodeType requested, bool leftAsIs) {
      return leftAsIs ? FinishLeftAsIs(n, true) : NodeBuilder::Finish(n, requested);
    }

   private:
    struct Pair {
      unsigned int at;  // the argument count when the pair was met
      ZELS3Node* coefficient;
      ZELS3Node* sum;
    };
    bool TakesApart(const ZELS3Node* n) const;
    InPlaceList<Pair, 4> pairs_;  // a build meets few sums
    unsigned int operands_;
  };
};

}  // namespace zeltav

#endif
