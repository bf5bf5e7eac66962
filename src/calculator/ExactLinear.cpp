// Exact variables (fixed at a value) and linear variables (defined as a
// weighted sum). Linear definitions are kept fully substituted: a new
// definition of x is written into every earlier definition that names x,
// and an earlier definition that has become a number fixes its variable.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>
#include <vector>

#include "ZELTavSymbolicCalculator/Calculator.h"
#include "calculator/NodeTable.h"
#include "calculator/RecordIndex.h"
#include "collections/ListAppend.h"
#include "factories/NodeBuilder.h"
#include "simplify/ArgAccess.h"
#include "simplify/Sum.h"

namespace {

// 1 when the pairs list holds the non-constant variable id in any entry.
bool MentionsVariable(const ZELICVectorImp_ZELS3Node& pairs, unsigned long long id) {
  for (unsigned int i = 0; i < pairs.Count(); ++i) {
    const ZELS3Node* n = pairs[i];
    if (n && n->IsNonConstVariable() && n->GetVariableID() == id) return true;
  }
  return false;
}

// The pairs of `into` with every pair (a, x) replaced by the pairs of `def`
// scaled by a, for a new sum:  y = 2x + 3z, x = 4u + 5w  ->  y = 8u + 10w + 3z
void SubstituteInto(const ZELS3LinearVariable& into, const ZELS3LinearVariable& def,
                    ZELICVectorImp_ZELS3Node* merged) {
  const ZELICVectorImp_ZELS3Node& pairs = into.pairs;
  const ZELICVectorImp_ZELS3Node& defPairs = def.pairs;
  for (unsigned int i = 0; i + 1 < pairs.Count(); i += 2) {
    ZELS3Node* c = pairs[i];
    ZELS3Node* t = pairs[i + 1];
    if (c && t && t->IsNonConstVariable() && t->GetVariableID() == def.id) {
      const double a = c->GetConstant();
      for (unsigned int j = 0; j + 1 < defPairs.Count(); j += 2) {
        ZELS3Node* c2 = defPairs[j];
        merged->Add(c2 ? CreateExpression(c2->GetConstant() * a) : nullptr);
        merged->Add(defPairs[j + 1]);
      }
    } else {
      merged->Add(c);
      merged->Add(t);
    }
  }
}

// Term nodes with the pair each stands in (open addressing).
class TermPositions {
 public:
  // Empty, with room for n terms; the slots are kept from one use to the next.
  void Reset(unsigned int n) {
    unsigned int capacity = 16;
    while (capacity < 2 * n) capacity *= 2;
    slots_.assign(capacity, Slot{nullptr, 0});
  }
  // False when t is there already.
  bool Insert(const ZELS3Node* t, unsigned int pair) {
    Slot* slot = Locate(t);
    if (slot->term != nullptr) return false;
    *slot = Slot{t, pair};
    return true;
  }
  // The pair of t, or -1.
  long Find(const ZELS3Node* t) {
    const Slot* slot = Locate(t);
    return slot->term != nullptr ? static_cast<long>(slot->pair) : -1;
  }

 private:
  struct Slot {
    const ZELS3Node* term;
    unsigned int pair;
  };
  Slot* Locate(const ZELS3Node* t) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t i =
        ((reinterpret_cast<std::uintptr_t>(t) >> 4) * 0x9E3779B97F4A7C15ull >> 40) & mask;
    while (slots_[i].term != nullptr && slots_[i].term != t) i = (i + 1) & mask;
    return &slots_[i];
  }
  std::vector<Slot> slots_;
};

// The working space of SubstituteMerged and FoldNumbers, kept from one
// record to the next.
struct Scratch {
  TermPositions intoTerms, defTerms;
  std::vector<unsigned char> intoMode, defMode;
  std::vector<double> intoSum, defValue, numbers;
  std::vector<unsigned long long> ids;
};

// What SubstituteInto gives, with the variables that `into` and the scaled
// `def` both have merged as the sum rule merges them: the two coefficients
// added, the pair where the variable comes first kept and the other left
// out. The rule then has nothing to merge, and no coefficient is made for
// a pair it would drop:
//   y = 2x + 3u, x = 4u + 5w  ->  (8 + 3, u, 10, w) instead of (8, u, 10, w, 3, u)
// A sum that is NaN, or a NaN coefficient, is left to the rule. False, with
// nothing added, unless every coefficient is a number, no term repeats and
// x stands in one pair.
bool SubstituteMerged(const ZELS3LinearVariable& into, const ZELS3LinearVariable& def,
                      Scratch* scratch, ZELICVectorImp_ZELS3Node* merged) {
  const ZELICVectorImp_ZELS3Node& pairs = into.pairs;
  const ZELICVectorImp_ZELS3Node& defPairs = def.pairs;
  const unsigned int n = pairs.Count() / 2;
  const unsigned int m = defPairs.Count() / 2;
  TermPositions& intoTerms = scratch->intoTerms;
  intoTerms.Reset(n);
  unsigned int at = n;  // the pair of x
  for (unsigned int i = 0; i < n; ++i) {
    const ZELS3Node* c = pairs[2 * i];
    const ZELS3Node* t = pairs[2 * i + 1];
    if (!c || !t || !c->IsConstant()) return false;
    if (t->IsNonConstVariable() && t->GetVariableID() == def.id) {
      if (at != n) return false;
      at = i;
    } else if (!intoTerms.Insert(t, i)) {
      return false;
    }
  }
  if (at == n) return false;
  const double a = pairs[2 * at]->GetConstant();

  // Per pair: 0 as it is, 1 left out, 2 with the merged coefficient.
  std::vector<unsigned char>& intoMode = scratch->intoMode;
  std::vector<unsigned char>& defMode = scratch->defMode;
  std::vector<double>& intoSum = scratch->intoSum;
  std::vector<double>& defValue = scratch->defValue;
  intoMode.assign(n, 0);
  defMode.assign(m, 0);
  intoSum.assign(n, 0.0);
  defValue.assign(m, 0.0);
  TermPositions& defTerms = scratch->defTerms;
  defTerms.Reset(m);
  for (unsigned int j = 0; j < m; ++j) {
    const ZELS3Node* c2 = defPairs[2 * j];
    const ZELS3Node* t2 = defPairs[2 * j + 1];
    if (!c2 || !t2 || !c2->IsConstant() || !defTerms.Insert(t2, j)) return false;
    defValue[j] = c2->GetConstant() * a;
    const long q = t2->IsNonConstVariable() ? intoTerms.Find(t2) : -1;
    if (q < 0) continue;
    const unsigned int k = static_cast<unsigned int>(q);
    const double cI = pairs[2 * k]->GetConstant();
    const double sum = cI + defValue[j];
    if (cI != cI || defValue[j] != defValue[j] || sum != sum) continue;
    if (k < at) {  // into's pair comes first
      intoMode[k] = 2;
      intoSum[k] = sum;
      defMode[j] = 1;
    } else {
      defMode[j] = 2;
      defValue[j] = sum;
      intoMode[k] = 1;
    }
  }

  for (unsigned int i = 0; i < n; ++i) {
    if (i == at) {
      for (unsigned int j = 0; j < m; ++j) {
        if (defMode[j] == 1) continue;
        merged->Add(CreateExpression(defValue[j]));
        merged->Add(defPairs[2 * j + 1]);
      }
    } else if (intoMode[i] != 1) {
      merged->Add(intoMode[i] == 2 ? CreateExpression(intoSum[i]) : pairs[2 * i]);
      merged->Add(pairs[2 * i + 1]);
    }
  }
  return true;
}

// What the sum rule leaves of a new sum over pairs, worked out without
// running it, when every operand stands for itself (see AddLinearVariable),
// every coefficient and number is a number other than NaN, and the terms
// are numbers and variables no two of which are Equal: nothing to flatten
// or merge, so the rule only drops the pairs with coefficient 0 and folds
// the numbers, last first, into a number put in front,
//   (2, x, 1, 5, 3, y, 2, 4)  ->  (1, 13, 2, x, 3, y)
// The pairs kept go to *kept and the folded number to *folded (0: none in
// front). False when the rule would do more, or give another node than a
// sum of them.
template <class StandsForItself>
bool FoldNumbers(const ZELICVectorImp_ZELS3Node& pairs, StandsForItself standsForItself,
                 Scratch* scratch, std::vector<ZELS3Node*>* kept, double* folded) {
  const unsigned int count = pairs.Count();
  if (count % 2 != 0) return false;
  std::vector<unsigned long long>& ids = scratch->ids;
  std::vector<double>& numbers = scratch->numbers;
  ids.clear();
  numbers.clear();
  double acc = 0.0;
  for (unsigned int i = count; i >= 2; i -= 2) {
    ZELS3Node* c = pairs[i - 2];
    ZELS3Node* t = pairs[i - 1];
    if (c == nullptr || t == nullptr || !c->IsConstant() || !standsForItself(c) ||
        !standsForItself(t)) {
      return false;
    }
    // Equal numbers would be merged first; Equal variables share an id.
    if (t->IsConstant()) {
      for (double v : numbers) {
        if (v == t->GetConstant()) return false;
      }
      numbers.push_back(t->GetConstant());
    } else {
      ids.push_back(t->GetVariableID());
    }
    if (c->GetConstant() == 0.0) continue;
    if (t->IsConstant()) {
      acc = zeltav::SumKeepingFirstNaN(
          zeltav::ProductKeepingFirstNaN(c->GetConstant(), t->GetConstant()), acc);
    }
  }
  std::sort(ids.begin(), ids.end());
  if (std::adjacent_find(ids.begin(), ids.end()) != ids.end()) return false;
  kept->clear();
  for (unsigned int i = 0; i < count; i += 2) {
    if (pairs[i]->GetConstant() == 0.0 || pairs[i + 1]->IsConstant()) continue;
    kept->push_back(pairs[i]);
    kept->push_back(pairs[i + 1]);
  }
  *folded = acc;
  // +(1, K) -> K, +(1, t) -> t and +() -> 0 are the rule's.
  const std::size_t total = kept->size() + (acc != 0.0 ? 2 : 0);
  if (total < 2) return false;
  if (total == 2 && (acc != 0.0 || (*kept)[0]->GetConstant() == 1.0)) return false;
  return true;
}

}  // namespace

ZELS3ExactVariable* ZELSymbolicCalculator::AddExactVariable(unsigned long long id, double value) {
  // Builds may read records from now on.
  if (table != nullptr) table->Repeated().StopKeeping();
  if (const ZELS3ExactVariable* rec = zeltav::ScanRecords(exactVars, id)) {
    // Fixed again: the same value is harmless, anything else (NaN included)
    // makes the system inconsistent. The first value stays.
    const double old = rec->value ? rec->value->GetConstant() : 0.0;
    if (!(rec->value && old == value)) SetError(101);
    return nullptr;
  }
  ZELS3Node* node = CreateExpression(value);
  if (!node) return nullptr;
  ZELS3ExactVariable* rec = new (std::nothrow) ZELS3ExactVariable(id, node);
  if (!rec) return nullptr;
  if (!zeltav::AppendDoubling(exactVars, rec)) {
    delete rec;
    return nullptr;
  }
  return rec;
}

void ZELSymbolicCalculator::AddLinearVariable(unsigned long long id, ZELS3Node* expression) {
  if (!expression) return;
  if (table != nullptr) table->Repeated().StopKeeping();
  if (IsLinearVariable(id)) {
    SetError(101);  // defined twice; the first definition stays
    return;
  }
  ZELS3LinearVariable* added = new (std::nothrow) ZELS3LinearVariable(id, expression);
  if (!added) return;
  if (!zeltav::AppendDoubling(linearVars, added)) {
    delete added;
    return;
  }
  if (linearVars.Count() == 1) return;

  // An operand of a rebuilt sum that stands for itself: a registered number
  // other than NaN, or a registered variable that neither option replaces
  // inside a sum (not a constant one). Simplifying such a node in a sum
  // context only finds it again in the table, so it is linked as it is.
  auto standsForItself = [this](const ZELS3Node* x) {
    const bool number = x->type == NodeConstant && !std::isnan(x->value.constant);
    return (number || x->IsNonConstVariable()) && table->StandsForItself(x, NodeSum);
  };
  // CreateOperation(NodeSum, pairs), the operands that stand for themselves
  // linked without the simplifier.
  Scratch scratch;
  std::vector<ZELS3Node*> kept;
  auto sumOf = [&](const ZELICVectorImp_ZELS3Node& pairs) -> ZELS3Node* {
    if (table == nullptr || ZELS3Node::scalc != this) return CreateOperation(NodeSum, pairs);
    double folded = 0.0;
    if (FoldNumbers(pairs, standsForItself, &scratch, &kept, &folded)) {
      // The rule makes the folded number once the pairs are dropped.
      ZELS3Node* front = folded != 0.0 ? CreateExpression(folded) : nullptr;
      if (folded != 0.0 && front == nullptr) return nullptr;
      ZELS3Node* n = zeltav::NodeBuilder::New(NodeSum);
      if (!n) return nullptr;
      zeltav::NodeBuilder::Reserve(n, static_cast<unsigned int>(kept.size()) + 2u);
      if (front != nullptr) {
        zeltav::NodeBuilder::Insert(n, sOne);
        zeltav::NodeBuilder::Insert(n, front);
      }
      for (ZELS3Node* x : kept) zeltav::NodeBuilder::Insert(n, x);
      return zeltav::NodeBuilder::FinishLeftAsIs(n, zeltav::SumLeftAsIs(n));
    }
    ZELS3Node* n = zeltav::NodeBuilder::New(NodeSum);
    if (!n) return nullptr;
    const unsigned int count = pairs.Count();
    zeltav::NodeBuilder::Reserve(n, count);
    for (unsigned int i = 0; i < count; ++i) {
      ZELS3Node* x = pairs[i];
      if (x && standsForItself(x)) {
        zeltav::NodeBuilder::Insert(n, x);
      } else if (!zeltav::NodeBuilder::Link(n, x, NodeSum)) {
        zeltav::NodeBuilder::Discard(n);
        return nullptr;
      }
    }
    return zeltav::NodeBuilder::Finish(n, NodeSum);
  };

  // Every record before the new one: substitute, then promote a definition
  // that is a number to an exact variable.
  for (unsigned int k = 0; k + 1 < linearVars.Count(); ++k) {
    ZELS3LinearVariable* rec = linearVars[k];
    if (!rec) break;
    if (MentionsVariable(rec->pairs, id)) {
      ZELICVectorImp_ZELS3Node merged(rec->pairs.Count() + added->pairs.Count(), 5u);
      if (!SubstituteMerged(*rec, *added, &scratch, &merged)) SubstituteInto(*rec, *added, &merged);
      ZELS3Node* rebuilt = sumOf(merged);
      if (rebuilt) rec->SetExpression(rebuilt);
    }
    if (rec->expression && rec->expression->GetNodeType() == NodeConstant) {
      // Same rules as fixing a variable: equal value -> nothing, other -> 101.
      AddExactVariable(rec->id, rec->expression->GetConstant());
    }
  }
}
