// The simplification driver: substitutes recorded variables, applies the
// type's own rule, then signs the node and offers it to the node table.
#include <cstdint>
#include <new>

#include "ZELTavSymbolicCalculator/Calculator.h"
#include "calculator/NodeTable.h"
#include "factories/NodeBuilder.h"
#include "node/NodeTypeTable.h"
#include "simplify/ArgAccess.h"
#include "simplify/Product.h"
#include "simplify/Sum.h"

namespace {

// sin(x) -> sin(x): a function's rule changes only a function of a number.
bool FunctionLeftAsIs(const ZELS3Node* f) {
  const zeltav::NodeTypeFacts* facts = zeltav::FactsOf(f->GetNodeType());
  return facts != nullptr && facts->cls == zeltav::TypeClass::Function && f->GetArgsNum() == 1 &&
         f->GetArg(0) != nullptr && !zeltav::IsNumber(f->GetArg(0));
}

// Whether a node of type t is marked when its rule leaves it as it is.
bool Settles(ZELNodeType t) {
  return t == NodeSum || t == NodeProduct || zeltav::FactsOf(t)->cls == zeltav::TypeClass::Function;
}

}  // namespace

ZELS3Node* ZELS3Node::Simplify(ZELNodeType contextType) {
  ZELSymbolicCalculator* const calc = scalc;
  if (calc == nullptr) return nullptr;
  std::uint64_t changes = 0;

  if (type == NodeVariable && constVar == 0) {
    // x -> its fixed value anywhere; x -> its linear definition inside sums.
    ZELS3Node* by = nullptr;
    if (calc->ReplacesVariable(value.id, contextType, &by)) return by;
  } else if (zeltav::IsOperationType(type)) {
    // Nodes registered as they were built, without rewriting (the output
    // form: coefficients moved into products, exponents into powers). The
    // rules would rewrite such a node in place when it comes back as an
    // operand, which would change every expression that holds it.
    if (calc->table != nullptr && calc->table->IsKeptAsBuilt(this)) {
      // *(2, 1, x, 1) from the output pass stays as it is; its copy becomes 2*x.
      ZELS3Node* copy = zeltav::NodeBuilder::New(type, name);
      if (copy == nullptr) return this;
      for (unsigned int i = 0; i < args.Count(); ++i) copy->AddArg(args[i]);
      // The rules that wait for a father (relations between constants,
      // connectives with a constant side) see this node's fathers through
      // the copy: \/(true, y) used a second time -> true, as a stored node.
      const bool borrowed = GetFathNum() != 0 && copy->AddFath(this) != 0;
      ZELS3Node* result = Check(copy, contextType);
      if (borrowed && result == copy) copy->RemoveFath(this);
      return result;
    }
    // The rule would give a settled sum, product or function back as it is.
    if (Settles(type) && calc->table != nullptr && calc->table->Settled(this)) {
      return this;
    }
    if (calc->table != nullptr) changes = calc->table->Changes();
    double number = 0.0;
    ZELS3Node* replacement = nullptr;
    {
      zeltav::RuleWatch watch(calc->table, this);
      replacement = Simplify(&number);
    }
    if (replacement != nullptr && replacement != this) {
      // A registered node may stand inside other expressions: it stays whole
      // and only the replacement is handed back.
      if (!calc->Holds(this)) RemoveAllArgs();
      return replacement;
    }
    if (replacement == nullptr && args.Count() == 0) {
      // Every argument folded away: +() -> 0, and the rule's number otherwise.
      RemoveAllArgs();
      return CreateExpression(number);
    }
  }

  // A registered leaf stands for itself: its value never changes, and an
  // earlier Equal leaf would have been handed back for it when it came.
  if (zeltav::IsLeafType(type) && calc->Holds(this)) return this;
  CalculateSignature();
  ZELS3Node* const registered = calc->AddNode(this);
  // Settled only when no registered node changed while the rule ran: what
  // Equal said of two terms or factors when they were merged still holds.
  if (registered == this && calc->table != nullptr && calc->table->Changes() == changes &&
      ((type == NodeSum && zeltav::SumLeftAsIs(this)) ||
       (type == NodeProduct && zeltav::ProductLeftAsIs(this)) || FunctionLeftAsIs(this))) {
    calc->table->Settle(this);
  }
  return registered;
}

ZELS3Node* ZELS3Node::Check(ZELS3Node* node, ZELNodeType contextType) {
  if (node == nullptr) return nullptr;
  ZELS3Node* result = node->Simplify(contextType);
  if (result != node) {
    if (scalc == nullptr || !scalc->Holds(node)) {
      if (node->args.Count() != 0) node->RemoveAllArgs();
      zeltav::DeleteNode(node);
    }
  }
  return result;
}

ZELS3Node* ZELS3Node::SimplifySimple() {
  if (!zeltav::TakesArguments(type)) return this;
  if (scalc == nullptr) return nullptr;
  CalculateSignature();
  ZELS3Node* registered = scalc->AddNode(this);
  if (registered == this && zeltav::IsOperationType(type) && scalc->table != nullptr) {
    scalc->table->KeepAsBuilt(this);
  }
  return registered;
}

ZELS3Node* ZELS3Node::CheckSimple(ZELS3Node* node) {
  if (node == nullptr) return nullptr;
  ZELS3Node* result = node->SimplifySimple();
  if (result != node) {
    if (node->args.Count() != 0) node->RemoveAllArgs();
    zeltav::DeleteNode(node);
  }
  return result;
}
