// Argument and father links. Arguments are ordered and may repeat; a node
// appears at most once among the fathers of each argument. Neither vector
// owns the nodes it points to.
#include "ZELTavSymbolicCalculator/Calculator.h"
#include "node/NodeTypeTable.h"

// Members are destroyed in reverse order: name, fathers, arguments. No other
// node is touched; a node deleted on its own has no arguments left.
ZELS3Node::~ZELS3Node() {}

int ZELS3Node::AddArg(ZELS3Node* arg) {
  int stored = args.Add(arg);
  if (arg != nullptr && arg->fathers.Find(this) > arg->fathers.Count()) {
    if (!arg->fathers.Add(this)) ZELSymbolicCalculator::SetError(10006);
  }
  if (!stored) ZELSymbolicCalculator::SetError(10007);
  return stored;
}

int ZELS3Node::AddFath(ZELS3Node* father) {
  if (fathers.Find(father) < fathers.Count()) return 1;
  int stored = fathers.Add(father);
  if (!stored) {
    ZELSymbolicCalculator::SetError(10006);
    return 0;
  }
  return stored;
}

void ZELS3Node::RemoveFath(ZELS3Node* father) { fathers.Detach(father, 0); }

// (a, c).ReplaceArg(b, 0) -> (b, c). The old argument forgets this father
// even when it still stands at another position of this node.
int ZELS3Node::ReplaceArg(ZELS3Node* arg, unsigned int i) {
  if (arg == nullptr) return 0;
  ZELS3Node* old = i < args.Count() ? args[i] : nullptr;
  if (old != nullptr) old->fathers.Detach(this, 0);
  args.DetachAt(i, 1, 0);
  args.AddAt(arg, i);
  if (arg->fathers.Find(this) < arg->fathers.Count()) return 1;
  if (!arg->fathers.Add(this)) {
    ZELSymbolicCalculator::SetError(10006);
    return 0;
  }
  return 1;
}

void ZELS3Node::RemoveArg(unsigned int i) {
  ZELS3Node* old = i < args.Count() ? args[i] : nullptr;
  if (old != nullptr) old->fathers.Detach(this, 0);
  args.DetachAt(i, 1, 0);
}

// An argument standing at several positions is detached once per position;
// only the first finds this node among its fathers.
void ZELS3Node::RemoveAllArgs() {
  for (unsigned int i = 0; i < args.Count(); ++i) {
    if (!zeltav::TakesArguments(type)) {
      ZELSymbolicCalculator::SetError(10008);
      continue;
    }
    ZELS3Node* a = args[i];
    if (a != nullptr) a->fathers.Detach(this, 0);
  }
  args.Flush(0);
}

// Positions at or past the argument count read as null, so a node built
// with too few arguments is never read beyond them.
ZELS3Node* ZELS3Node::GetArg(unsigned int i) const {
  if (!zeltav::TakesArguments(type)) {
    ZELSymbolicCalculator::SetError(10008);
    return nullptr;
  }
  return i < args.Count() ? args[i] : nullptr;
}

ZELS3Node* ZELS3Node::GetFath(unsigned int i) const { return fathers[i]; }
unsigned int ZELS3Node::GetFathNum() const { return fathers.Count(); }
