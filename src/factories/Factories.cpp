// The factories: leaves, and operations over existing operands in the
// argument layout the library works on (sums as (coefficient, term) pairs,
// products as (factor, exponent) pairs). Each one finishes by simplifying the
// new node, so what comes back is the one shared node for the expression.
#include <new>

#include "ZELTavSymbolicCalculator/Calculator.h"
#include "calculator/ScopedOption.h"
#include "factories/NodeBuilder.h"
#include "node/NodeTypeTable.h"
#include "simplify/ArgAccess.h"
#include "simplify/Sum.h"

namespace zeltav {

// The operation of type over ops[0], ..., ops[count - 1], each linked in the
// context of type, then finished.
template <class Operands>
ZELS3Node* LinkedOperation(ZELNodeType type, const Operands& ops, unsigned int count) {
  ZELS3Node* n = NodeBuilder::New(type);
  if (n == nullptr) return nullptr;
  NodeBuilder::Reserve(n, count);
  for (unsigned int i = 0; i < count; ++i) {
    if (!NodeBuilder::Link(n, ops[i], type)) {
      NodeBuilder::Discard(n);
      return nullptr;
    }
  }
  return NodeBuilder::Finish(n, type);
}

namespace {

// Memory for a record from the current table's pool, or null: the record
// then comes from the heap.
void* PoolRecord() {
  NodeTable* const table = CurrentTable();
  return table != nullptr ? table->RecordMemory() : nullptr;
}

}  // namespace

ZELS3Node* NodeBuilder::New(ZELNodeType type) {
  if (ZELS3Node::scalc == nullptr) return nullptr;
  void* cell = PoolRecord();
  return cell != nullptr ? new (cell) ZELS3Node(type) : new (std::nothrow) ZELS3Node(type);
}

ZELS3Node* NodeBuilder::New(ZELNodeType type, const ZELString& name) {
  if (ZELS3Node::scalc == nullptr) return nullptr;
  void* cell = PoolRecord();
  return cell != nullptr ? new (cell) ZELS3Node(type, name)
                         : new (std::nothrow) ZELS3Node(type, name);
}

bool NodeBuilder::Link(ZELS3Node* n, ZELS3Node* x, ZELNodeType context) {
  ZELS3Node* simplified = x != nullptr ? x->Simplify(context) : nullptr;
  if (simplified == nullptr) return false;
  n->AddArg(simplified);
  return true;
}

ZELS3Node* NodeBuilder::Finish(ZELS3Node* n, ZELNodeType requested) {
  ZELS3Node* result = n->Simplify(requested);
  if (result != n) Discard(n);
  return result;
}

// The driver's steps after the rule (Driver.cpp) for a new sum: a sum
// entered as itself is settled when it settles and nothing registered
// changed meanwhile.
ZELS3Node* NodeBuilder::FinishLeftAsIs(ZELS3Node* n, bool settles) {
  ZELSymbolicCalculator* const calc = ZELS3Node::scalc;
  if (calc == nullptr) return nullptr;
  NodeTable* const table = CurrentTable();
  const std::uint64_t changes = table != nullptr ? table->Changes() : 0;
  n->CalculateSignature();
  ZELS3Node* const registered = calc->AddNode(n);
  if (registered == n && table != nullptr && table->Changes() == changes && settles) {
    table->Settle(n);
  }
  if (registered != n) Discard(n);
  return registered;
}

ZELS3Node* NodeBuilder::Operation(ZELNodeType type, ZELS3Node* const* ops, unsigned int count) {
  return LinkedOperation(type, ops, count);
}

void NodeBuilder::Discard(ZELS3Node* n) {
  const unsigned int count = n->args.Count();
  for (unsigned int i = 0; i < count; ++i) {
    ZELS3Node* a = n->args[i];
    if (a != nullptr) a->RemoveFath(n);
  }
  n->args.Flush(0);
  DeleteNode(n);
}

NodeBuilder::Repeat::Repeat(int spelling, const ZELICVectorImp_ZELS3Node& args) {
  ZELSymbolicCalculator* const calc = ZELS3Node::scalc;
  NodeTable* const table = CurrentTable();
  const unsigned int count = args.Count();
  if (spelling < 0 || calc == nullptr || table == nullptr || count < RepeatedBuilds::kFrom) return;
  RepeatedBuilds& builds = table->Repeated();
  // A build that starts with the error set may set it unseen.
  if (!builds.Keeping() || calc->GetError() != 0) return;
  operands_.reserve(count);
  // A build makes its operands fathers of the result: only the operands
  // whose rules read that are known by it.
  const bool anyKept = table->KeepsAnyAsBuilt();
  std::uint64_t hash = static_cast<std::uint64_t>(spelling);
  for (unsigned int i = 0; i < count; ++i) {
    const ZELS3Node* a = args[i];
    const bool reads = anyKept || WaitsForFather(a->type);
    const std::uintptr_t word =
        reinterpret_cast<std::uintptr_t>(a) | (reads && a->fathers.Count() == 0 ? 1u : 0u);
    operands_.push_back(word);
    hash = (hash ^ word) * 0x9e3779b97f4a7c15ull;
  }
  key_ =
      RepeatedBuilds::Key{static_cast<unsigned int>(spelling), OptionBits(calc), hash, &operands_};
  changes_ = builds.Changes();
  builds_ = &builds;
}

ZELS3Node* NodeBuilder::Repeat::Recalled() const {
  return builds_ != nullptr ? builds_->Find(key_) : nullptr;
}

ZELS3Node* NodeBuilder::Repeat::Keep(ZELS3Node* result) const {
  ZELSymbolicCalculator* const calc = ZELS3Node::scalc;
  NodeTable* const table = CurrentTable();
  // Kept only when the same request must give result again: nothing set
  // the error or changed a registered node while it was built, and result
  // is registered and Equal to itself (no copy of it is ever made instead).
  if (builds_ != nullptr && result != nullptr && calc != nullptr && table != nullptr &&
      calc->GetError() == 0 && builds_->Changes() == changes_ && table->Holds(result) &&
      table->KnownEqualToItself(result)) {
    builds_->Keep(key_, result);
  }
  return result;
}

bool NodeBuilder::NestedSums::LinkPair(ZELS3Node* n, ZELS3Node* coefficient, ZELS3Node* x,
                                       ZELNodeType context) {
  ZELS3Node* simplified = x != nullptr ? x->Simplify(context) : nullptr;
  if (simplified == nullptr) return false;
  if (n->type == NodeSum && simplified->type == NodeSum) {
    if (pairs_.Empty()) pairs_.Reserve(operands_);
    pairs_.Push(Pair{n->args.Count(), coefficient, simplified});
    return true;
  }
  NodeBuilder::Insert(n, coefficient);
  n->AddArg(simplified);
  return true;
}

// The rule expands every pair whose term is a sum and leaves the pieces it
// appends as they are, so the pieces may hold no sum, and n no other.
bool NodeBuilder::NestedSums::TakesApart(const ZELS3Node* n) const {
  auto isSum = [](const ZELS3Node* t) { return t != nullptr && t->type == NodeSum; };
  if (n->type != NodeSum) return false;
  for (unsigned int i = 1; i < n->args.Count(); i += 2) {
    if (isSum(n->args[i])) return false;
  }
  const NodeTable* table = CurrentTable();
  for (const Pair& p : pairs_) {
    if (!isSum(p.sum)) return false;
    // A settled sum holds no sum: its terms are read once, when appended.
    if (table != nullptr && table->Settled(p.sum)) continue;
    for (unsigned int j = 1; j < p.sum->args.Count(); j += 2) {
      if (isSum(p.sum->args[j])) return false;
    }
  }
  return true;
}

bool NodeBuilder::NestedSums::Settle(ZELS3Node* n) {
  if (pairs_.Empty()) return false;
  if (!TakesApart(n)) {
    for (unsigned int i = 0; i < pairs_.Size(); ++i) {
      const unsigned int at = pairs_[i].at + 2 * i;
      ZELS3Node* const pair[] = {pairs_[i].coefficient, pairs_[i].sum};
      for (unsigned int j = 0; j < 2; ++j) {
        if (!n->args.AddAt(pair[j], at + j)) ZELSymbolicCalculator::SetError(10007);
        if (pair[j] != nullptr) pair[j]->AddFath(n);
      }
    }
    pairs_.Clear();
    return false;
  }
  unsigned int count = n->args.Count();
  for (const Pair& p : pairs_) count += p.sum->args.Count() & ~1u;
  Reserve(n, count);
  // The pairs are checked as they are appended, while they are at hand.
  SumPairsCheck check(CurrentTable(), (count + 1) / 2);
  const unsigned int before = n->args.Count();
  for (unsigned int i = 0; i < before; i += 2) {
    check.Add(n->args[i], i + 1 < before ? n->args[i + 1] : nullptr);
  }
  // +(c, +(c1, t1, c2, t2)) -> +(c1*c, t1, c2*c, t2), the last sum first.
  for (const Pair* p = pairs_.end(); p != pairs_.begin();) {
    --p;
    const double outer = NumberOrZero(p->coefficient);
    ZELS3Node* t = p->sum;
    for (unsigned int j = 0; j + 1 < t->args.Count(); j += 2) {
      ZELS3Node* const c = ScaledCoefficient(t->args[j], outer);
      n->AddArg(c);
      n->AddArg(t->args[j + 1]);
      check.Add(c, t->args[j + 1]);
    }
  }
  pairs_.Clear();
  return check.LeftAsIs();
}

}  // namespace zeltav

namespace {

using zeltav::NodeBuilder;

// Links the operands in order, each optionally preceded by a coefficient or
// followed by an exponent, then finishes the node.
ZELS3Node* LinkAndFinish(ZELS3Node* n, ZELNodeType requested, ZELS3Node* const* ops,
                         unsigned int count, ZELS3Node* coefficient, ZELS3Node* exponent) {
  NodeBuilder::NestedSums nested(count);
  for (unsigned int i = 0; i < count; ++i) {
    const bool linked = coefficient != nullptr ? nested.LinkPair(n, coefficient, ops[i], requested)
                                               : NodeBuilder::Link(n, ops[i], requested);
    if (!linked) {
      NodeBuilder::Discard(n);
      return nullptr;
    }
    if (exponent != nullptr) NodeBuilder::Insert(n, exponent);
  }
  const bool leftAsIs = nested.Settle(n);
  return NodeBuilder::NestedSums::Finish(n, requested, leftAsIs);
}

}  // namespace

ZELS3Node* CreateExpression(unsigned long long id, unsigned char constFlag) {
  ZELS3Node* n = NodeBuilder::New(NodeVariable);
  if (n == nullptr) return nullptr;
  n->value.id = id;
  n->constVar = constFlag;
  // A constant variable is never equal to another node, so it always
  // survives finishing and its list entry stays valid.
  if (constFlag != 0) ZELS3Node::scalc->AddConstVariable(n);
  return NodeBuilder::Finish(n, NodeVariable);
}

ZELS3Node* CreateExpression(unsigned char boolean) {
  ZELS3Node* n = NodeBuilder::New(NodeBoolConst);
  if (n == nullptr) return nullptr;
  n->value.boolean = boolean;
  return NodeBuilder::Finish(n, NodeBoolConst);
}

ZELS3Node* CreateExpression(double value) {
  ZELS3Node* n = NodeBuilder::New(NodeConstant);
  if (n == nullptr) return nullptr;
  n->value.constant = value;
  return NodeBuilder::Finish(n, NodeConstant);
}

ZELS3Node* CreateOperation(ZELNodeType type, const ZELICVectorImp_ZELS3Node& args) {
  // Read through the vector's own operator[]: a host's vector may store its
  // slots elsewhere.
  return zeltav::LinkedOperation(type, args, args.Count());
}

// -(a) -> +(-1, a)
ZELS3Node* CreateUnaryOperation(ZELNodeType type, ZELS3Node* a) {
  if (a == nullptr) return nullptr;
  ZELS3Node* n = NodeBuilder::New(type);
  if (n == nullptr) return nullptr;
  ZELS3Node* const ops[] = {a};
  if (type != NodeDifference) return LinkAndFinish(n, type, ops, 1, nullptr, nullptr);
  NodeBuilder::SetType(n, NodeSum);
  return LinkAndFinish(n, type, ops, 1, ZELSymbolicCalculator::GetMinesOne(), nullptr);
}

// +(a, b) -> +(1, a, 1, b)    -(a, b) -> +(1, a, -1, b)
// *(a, b) -> *(a, 1, b, 1)    ^(a, b) -> *(a, b)
ZELS3Node* CreateBinaryOperation(ZELNodeType type, ZELS3Node* a, ZELS3Node* b) {
  if (a == nullptr || b == nullptr) return nullptr;
  ZELS3Node* n = NodeBuilder::New(type);
  if (n == nullptr) return nullptr;
  ZELS3Node* const one = ZELSymbolicCalculator::GetOne();
  ZELS3Node* const ops[] = {a, b};
  if (type == NodeSum) return LinkAndFinish(n, type, ops, 2, one, nullptr);
  if (type == NodeProduct) return LinkAndFinish(n, type, ops, 2, nullptr, one);
  if (type == NodePower) NodeBuilder::SetType(n, NodeProduct);
  if (type != NodeDifference) return LinkAndFinish(n, type, ops, 2, nullptr, nullptr);

  NodeBuilder::SetType(n, NodeSum);
  NodeBuilder::NestedSums nested(2);
  if (nested.LinkPair(n, one, a, type) &&
      nested.LinkPair(n, ZELSymbolicCalculator::GetMinesOne(), b, type)) {
    const bool leftAsIs = nested.Settle(n);
    return NodeBuilder::NestedSums::Finish(n, type, leftAsIs);
  }
  NodeBuilder::Discard(n);
  return nullptr;
}

// +(a, b, c) -> +(1, a, 1, b, 1, c)    *(a, b, c) -> *(a, 1, b, 1, c, 1)
ZELS3Node* CreateTernaryOperation(ZELNodeType type, ZELS3Node* a, ZELS3Node* b, ZELS3Node* c) {
  if (a == nullptr || b == nullptr || c == nullptr) return nullptr;
  ZELS3Node* n = NodeBuilder::New(type);
  if (n == nullptr) return nullptr;
  ZELS3Node* const one = ZELSymbolicCalculator::GetOne();
  ZELS3Node* const ops[] = {a, b, c};
  if (type == NodeSum) return LinkAndFinish(n, type, ops, 3, one, nullptr);
  if (type == NodeProduct) return LinkAndFinish(n, type, ops, 3, nullptr, one);
  return LinkAndFinish(n, type, ops, 3, nullptr, nullptr);
}
