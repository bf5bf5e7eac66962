// Identity and structural equality. Equal filters on the signature first,
// then compares type, leaf values or name and argument count, and the
// arguments by the shape of the type: in order, either order for unordered
// pairs of operands, or by inclusion for min, max, sums and products.
//
// Nodes built by name with a wrong argument count are compared only at the
// positions they have (counts are equal by then): a null slot matches a null
// slot and nothing else, and positions the rule would not read are compared
// in order, so the extra arguments of e.g. "^"(x, y, z) still count.
#include "ZELTavSymbolicCalculator/Calculator.h"
#include "calculator/NodeTable.h"
#include "node/NodeTypeTable.h"

namespace {

bool Match(const ZELS3Node* x, const ZELS3Node* y) {
  if (x == nullptr || y == nullptr) return x == y;
  return x->Equal(y) != 0;
}

// Argument i, or null when the node has no such position.
const ZELS3Node* ArgAt(const ZELS3Node* n, unsigned int i) {
  return i < n->GetArgsNum() ? n->GetArg(i) : nullptr;
}

bool MatchInOrder(const ZELS3Node* a, const ZELS3Node* b, unsigned int from) {
  for (unsigned int i = from; i < a->GetArgsNum(); ++i) {
    if (!Match(ArgAt(a, i), ArgAt(b, i))) return false;
  }
  return true;
}

// min(x, x, y) == min(x, y, y): every argument of a has a match in b.
bool ArgsIncluded(const ZELS3Node* a, const ZELS3Node* b) {
  const unsigned int n = a->GetArgsNum();
  for (unsigned int i = 0; i < n; ++i) {
    bool found = false;
    for (unsigned int j = 0; j < n && !found; ++j) found = Match(ArgAt(a, i), ArgAt(b, j));
    if (!found) return false;
  }
  return true;
}

// +(1, x, 2, y) == +(2, y, 1, x): every pair of a has a matching pair in b.
// An odd trailing element is compared in place.
bool PairsIncluded(const ZELS3Node* a, const ZELS3Node* b) {
  const unsigned int n = a->GetArgsNum();
  unsigned int k = 0;
  auto pairMatches = [&](unsigned int k, unsigned int j) {
    return Match(ArgAt(a, k), ArgAt(b, j)) && Match(ArgAt(a, k + 1), ArgAt(b, j + 1));
  };
  for (; k + 1 < n; k += 2) {
    // Equal nodes usually list their pairs in the same order: try the same
    // position before searching (the answer does not depend on the order).
    bool found = pairMatches(k, k);
    for (unsigned int j = 0; j + 1 < n && !found; j += 2) found = j != k && pairMatches(k, j);
    if (!found) return false;
  }
  return MatchInOrder(a, b, k);
}

int CompareArgs(const ZELS3Node* a, const ZELS3Node* b, const zeltav::NodeTypeFacts& facts) {
  const unsigned int count = a->GetArgsNum();
  switch (facts.shape) {
    case zeltav::ArgShape::None:
      break;
    case zeltav::ArgShape::One:
    case zeltav::ArgShape::Named:
      return MatchInOrder(a, b, 0);
    case zeltav::ArgShape::Two:
      // x = y == y = x; the swap is tried only for the unordered types.
      if (facts.unordered && count == 2) {
        return (Match(ArgAt(a, 0), ArgAt(b, 0)) && Match(ArgAt(a, 1), ArgAt(b, 1))) ||
               (Match(ArgAt(a, 0), ArgAt(b, 1)) && Match(ArgAt(a, 1), ArgAt(b, 0)));
      }
      return MatchInOrder(a, b, 0);
    case zeltav::ArgShape::List:
      return ArgsIncluded(a, b);
    case zeltav::ArgShape::Pairs:
      return PairsIncluded(a, b);
  }
  ZELSymbolicCalculator::SetError(10012);
  return 0;
}

}  // namespace

int ZELS3Node::operator==(const ZELS3Node& other) const { return this == &other ? 1 : 0; }

int ZELS3Node::Equal(const ZELS3Node* b) const {
  if (b == nullptr) return 0;
  // A shared operand compared with itself: known at registration when it
  // holds no constant variable and no NaN (and nothing Equal reports).
  if (b == this && scalc != nullptr && scalc->table != nullptr &&
      scalc->table->KnownEqualToItself(this)) {
    return 1;
  }
  if (signature != b->signature || type != b->type) return 0;
  const ZELS3Node* a = this;
  const zeltav::NodeTypeFacts* facts = zeltav::FactsOf(type);
  if (facts == nullptr) {
    ZELSymbolicCalculator::SetError(10005);
    ZELSymbolicCalculator::SetError(10005);
  }
  // A constant variable equals nothing, not even itself.
  if (type == NodeVariable) return constVar == 0 && b->constVar == 0 && value.id == b->value.id;
  if (type == NodeConstant) return value.constant == b->value.constant;  // NaN equals nothing
  if (type == NodeBoolConst) return value.boolean == b->value.boolean;

  if (!(name == b->name) || args.Count() != b->args.Count()) return 0;
  if (facts == nullptr) {
    ZELSymbolicCalculator::SetError(10012);
    return 0;
  }
  if (facts->shape == zeltav::ArgShape::None) {  // the difference request
    ZELSymbolicCalculator::SetError(10012);
    return 0;
  }
  // Shared subgraphs meet the same pairs of nodes again and again: within
  // one comparison each pair is compared once.
  zeltav::EqualMemo* memo =
      scalc != nullptr && scalc->table != nullptr ? &scalc->table->Memo() : nullptr;
  int known = 0;
  if (memo != nullptr && memo->Find(a, b, &known)) return known;
  if (memo != nullptr) memo->Enter();
  const int result = CompareArgs(a, b, *facts);
  if (memo != nullptr) memo->Leave(a, b, result);
  return result;
}