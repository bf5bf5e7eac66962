// Equation intake: each constraint is split, consumed, eliminated or
// transferred before it is stored in the calculator's equation list.
//   and(x = 1, y < 2)  ->  x fixed at 1, y < 2 stored
#include <cstdint>

#include "ZELTavSymbolicCalculator/Calculator.h"
#include "calculator/FlatMap.h"
#include "calculator/NodeTable.h"
#include "calculator/ScopedOption.h"
#include "collections/ListAppend.h"
#include "node/NodeTypeTable.h"

namespace {

// What the intake of a named function's argument reads besides the nodes
// below it, and all it can change besides the function's argument: the
// in-place changes of registered nodes and the variable records (counted
// together), the nodes entered in the table (a new node links its
// arguments, whose fathers some rules read), the stored equations (true(c)
// stores c), the options and the error code.
struct IntakeState {
  std::uint64_t changes;
  unsigned int entries;
  unsigned int equations;
  unsigned int constants;
  unsigned int options;
  int error;
  bool operator==(const IntakeState& o) const {
    return changes == o.changes && entries == o.entries && equations == o.equations &&
           constants == o.constants && options == o.options && error == o.error;
  }
};

// The arguments of named functions whose last intake, in this constraint,
// changed nothing and gave the argument back, with the state it ran in. In
// the same state the intake would do the same again, so a shared argument
// met again is not taken in again: f(e, e) nested 60 deep is 2^60
// occurrences of its innermost e.
using QuietArguments = zeltav::FlatMap<const ZELS3Node*, IntakeState, zeltav::NodeHash>;
QuietArguments* quiet = nullptr;

}  // namespace

void ZELSymbolicCalculator::AddEquation(ZELS3Node* e) {
  if (!e) return;
  // The outermost call keeps the quiet arguments; and(...) and true(...)
  // take their parts in through nested calls.
  QuietArguments arguments;
  QuietArguments* const outer = quiet;
  if (outer == nullptr) quiet = &arguments;
  struct Restore {
    QuietArguments* outer;
    ~Restore() { quiet = outer; }
  } restore{outer};
  ZELS3Node* r = e->ProcessEquation(1);
  if (!r) return;
  r->ChangeEqSign();
  r->SetSDNode(e->GetSDNode());
  if (r->IsTrue()) return;      // holds trivially
  if (r->IsVariable()) return;  // consumed: an exact variable was recorded
  zeltav::AppendDoubling(equations, r);
}

ZELS3Node* ZELS3Node::ProcessEquation(int top) {
  ZELSymbolicCalculator* calc = scalc;
  if (!calc) return nullptr;
  switch (type) {
    case NodeBoolConst:
      if (value.boolean) return this;
      ZELSymbolicCalculator::SetError(101);
      return nullptr;
    case NodeVariable:
    case NodeConstant:
      return this;
    case NodeBoolEqual:
    case NodeBoolNotEqual:
    case NodeBoolLess:
    case NodeBoolLessEqual:
    case NodeBoolGreater:
    case NodeBoolGreaterEqual:
    case NodeEqual:
    case NodeNotEqual:
    case NodeLess:
    case NodeLessEqual:
    case NodeGreater:
    case NodeGreaterEqual: {
      if (GetArgsNum() != 2) return nullptr;
      ZELS3Node* a = GetArg(0);
      ZELS3Node* b = GetArg(1);
      if (!a || !b) return nullptr;
      // x = 5 or 5 = x fixes x whatever the options; the variable says "consumed".
      if (type == NodeEqual) {
        if (a->IsNonConstVariable() && b->IsConstant()) {
          calc->AddExactVariable(a->GetVariableID(), b->GetConstant());
          return a;
        }
        if (b->IsNonConstVariable() && a->IsConstant()) {
          calc->AddExactVariable(b->GetVariableID(), a->GetConstant());
          return b;
        }
      }
      if (calc->GetGauss()) {
        // The solved equation goes on with Gauss off; Gauss is then set to 1.
        ZELS3Node* r = calc->ProcessGauss(this);
        zeltav::ScopedOption noGauss(calc, &ZELSymbolicCalculator::SetGauss, 0, 1);
        return r ? r->ProcessEquation(top) : nullptr;
      }
      if (!calc->GetTransfer()) return this;
      // A constant variable counts as an expression here, not as a variable.
      if (a->IsNonConstVariable() && b->IsNonConstVariable()) {
        if (a->GetVariableID() != b->GetVariableID()) return this;
        return (type == NodeEqual || type == NodeBoolEqual) ? ZELSymbolicCalculator::GetTrue()
                                                            : this;
      }
      if (a->IsNonConstVariable() && b->IsConstant()) return this;
      if (a->IsConstant() && b->IsNonConstVariable()) return this;
      return Transfer(type, a, b);
    }
    case NodeAnd:
      // Split only at the top: and(p, q) -> p, q as constraints of their own.
      if (!top) return this;
      for (unsigned int i = 0; i < GetArgsNum(); ++i) {
        ZELS3Node* arg = GetArg(i);
        ZELS3Node* conjunct = arg ? arg->Simplify(NodeAnd) : nullptr;
        if (conjunct) calc->AddEquation(conjunct);
      }
      return nullptr;
    case NodeOr:
    case NodeNot:
    case NodeImplies:
    case NodeAbs:
    case NodeSign:
    case NodeExp:
    case NodeLn:
    case NodeSqrt:
    case NodeMin:
    case NodeMax:
    case NodeSin:
    case NodeCos:
    case NodeTg:
    case NodeCtg:
    case NodeAsin:
    case NodeAcos:
    case NodeAtan:
    case NodeSum:
    case NodeDifference:
    case NodeProduct:
    case NodeQuotient:
    case NodePower:
      return this;
    case NodeUnknown:
      if (name == "true") {
        // true(c): c is a constraint of its own; the wrapper is dropped.
        ZELS3Node* arg = GetArgsNum() > 0 ? GetArg(0) : nullptr;
        ZELS3Node* inner = arg ? arg->Simplify(NodeUnknown) : nullptr;
        if (inner) calc->AddEquation(inner);
        return nullptr;
      }
      // f(x = 3, y) -> f(x, y) with x fixed: arguments processed in place.
      auto now = [calc] {
        const zeltav::NodeTable* table = calc->table;
        return IntakeState{table != nullptr ? table->Changes() : 0,
                           table != nullptr ? table->Entries() : 0,
                           calc->equations.Count(),
                           calc->constVars.Count(),
                           zeltav::OptionBits(calc),
                           calc->GetError()};
      };
      for (unsigned int i = 0; i < GetArgsNum(); ++i) {
        ZELS3Node* arg = GetArg(i);
        const IntakeState before = now();
        const IntakeState* last = arg != nullptr && quiet != nullptr ? quiet->Get(arg) : nullptr;
        ZELS3Node* inner = arg;
        if (last == nullptr || !(*last == before)) {
          inner = arg ? arg->Simplify(NodeUnknown) : nullptr;
          if (inner) inner = inner->ProcessEquation(0);
          if (inner != nullptr && inner == arg && quiet != nullptr && before.error == 0 &&
              now() == before) {
            quiet->Put(arg, before, false);
          }
        }
        // An argument put back in its place moves this node to the end of
        // its fathers, where some rules look; nothing else changes.
        if (inner != nullptr && inner == arg && zeltav::RelinkKeepsFathers(arg, this)) continue;
        if (inner) ReplaceArg(inner, i);
      }
      return this;
  }
  return this;
}

// ==(x, y) -> =(x, y): a relation takes the host's spelling of its sign.
void ZELS3Node::ChangeEqSign() {
  const zeltav::NodeTypeFacts* facts = zeltav::FactsOf(type);
  if (facts == nullptr || facts->outputName == nullptr) return;
  name = facts->outputName;
  // A stored relation is found under its new name from now on.
  if (scalc != nullptr && scalc->table != nullptr) scalc->table->Renamed(this);
}
