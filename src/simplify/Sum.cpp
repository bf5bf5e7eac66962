// Sum normalisation, in place, over (coefficient, term) pairs:
//   +(3, x, 2, +(1, y, 4, z))  -> +(3, x, 2, y, 8, z)   nested sums flattened
//   +(1, a, 1, b, 1, a)        -> +(2, a, 1, b)         like terms merged
//   +(1, 2, 1, x, 1, 3)        -> +(1, 5, 1, x)         numbers gathered in front
#include <algorithm>
#include <vector>

#include "ZELTavSymbolicCalculator/Calculator.h"
#include "simplify/ArgAccess.h"

using zeltav::IsNumber;
using zeltav::NumberOrZero;
using zeltav::PairCount;

namespace {
// Below this many pairs a plain scan is cheaper than grouping by signature.
const unsigned int kScanLimit = 16;
}  // namespace

void ZELS3Node::SimplifySum() {
  auto at = [this](unsigned int i) { return i < args.Count() ? args[i] : nullptr; };
  // The term goes first, then its coefficient; a trailing coefficient alone
  // is removed by itself.
  auto removePair = [this](unsigned int p) {
    if (p + 1 < args.Count()) RemoveArg(p + 1);
    RemoveArg(p);
  };
  auto insertAt = [this](ZELS3Node* node, unsigned int i) {
    args.AddAt(node, i);
    if (node != nullptr) node->AddFath(this);
  };

  // Pass 1: +(c, +(c1, t1, c2, t2)) -> +(c1*c, t1, c2*c, t2). The surviving
  // pairs keep their order and the pairs taken out of nested sums follow,
  // those of the last nested sum first. The argument list is rebuilt once at
  // the end (taking pairs out one by one would shift it every time); the
  // father links change in exactly the order the removals and appends occur.
  const unsigned int before = PairCount(args.Count());
  std::vector<bool> flattened(before, false);
  std::vector<ZELS3Node*> appended;
  for (unsigned int k = before; k-- > 0;) {
    const unsigned int p = 2 * k;
    const double c = NumberOrZero(args[p]);
    ZELS3Node* t = at(p + 1);
    if (t == nullptr || t->type != NodeSum) continue;
    flattened[k] = true;
    t->RemoveFath(this);
    if (args[p] != nullptr) args[p]->RemoveFath(this);
    auto append = [&](ZELS3Node* x) {
      appended.push_back(x);
      if (x != nullptr) x->AddFath(this);
    };
    // A nested coefficient without its term contributes nothing.
    for (unsigned int j = 0; j + 1 < t->args.Count(); j += 2) {
      const double inner = NumberOrZero(t->args[j]);
      // With c = 1 the product is the inner coefficient itself, and its node
      // is the registered one for that value (a NaN is never shared).
      const bool same = c == 1.0 && inner == inner;
      append(same ? t->args[j] : CreateExpression(inner * c));
      append(t->args[j + 1]);
    }
  }
  if (!appended.empty() || std::find(flattened.begin(), flattened.end(), true) != flattened.end()) {
    std::vector<ZELS3Node*> rebuilt;
    rebuilt.reserve(args.Count() + appended.size());
    for (unsigned int i = 0; i < args.Count(); ++i) {
      if (!flattened[i / 2]) rebuilt.push_back(args[i]);
    }
    rebuilt.insert(rebuilt.end(), appended.begin(), appended.end());
    args.Flush(0);
    if (rebuilt.size() > args.Limit()) args.Resize(static_cast<unsigned int>(rebuilt.size()));
    for (ZELS3Node* x : rebuilt) {
      if (!args.Add(x)) ZELSymbolicCalculator::SetError(10007);
    }
  }

  // Pass 2: +(2, x, 1, y, 3, x) -> +(5, x, 1, y, 0, x). The first occurrence
  // collects the coefficients, later ones are zeroed; nothing moves. Terms
  // never move here, and terms with different signatures are never equal, so
  // each term is compared only with the earlier terms of its signature, in
  // the same downward order as a full scan would.
  auto merge = [&](unsigned int L, unsigned int E) {
    const double cE = NumberOrZero(args[E]);
    const double cL = NumberOrZero(args[L]);
    ZELS3Node* merged = CreateExpression(cE + cL);
    RemoveArg(E);
    insertAt(merged, E);
    RemoveArg(L);
    insertAt(ZELSymbolicCalculator::GetZero(), L);
  };
  const unsigned int pairs = PairCount(args.Count());
  if (pairs <= kScanLimit) {
    for (unsigned int kL = pairs; kL-- > 1;) {
      for (unsigned int kE = kL; kE-- > 0;) {
        ZELS3Node* tL = at(2 * kL + 1);
        if (tL != nullptr && tL->Equal(at(2 * kE + 1))) merge(2 * kL, 2 * kE);
      }
    }
  } else {
    // (signature, pair index), sorted: one run per signature, pairs in order.
    std::vector<std::pair<unsigned int, unsigned int>> bySignature;
    bySignature.reserve(pairs);
    for (unsigned int k = 0; k < pairs; ++k) {
      if (ZELS3Node* t = at(2 * k + 1)) bySignature.emplace_back(t->signature, k);
    }
    std::sort(bySignature.begin(), bySignature.end());
    for (unsigned int kL = pairs; kL-- > 1;) {
      ZELS3Node* tL = at(2 * kL + 1);
      if (tL == nullptr) continue;
      // Earlier pairs with this signature, nearest first.
      const unsigned int sig = tL->signature;
      auto it = std::lower_bound(bySignature.begin(), bySignature.end(), std::make_pair(sig, kL));
      while (it != bySignature.begin() && (it - 1)->first == sig) {
        const unsigned int kE = (--it)->second;
        if (tL->Equal(at(2 * kE + 1))) merge(2 * kL, 2 * kE);
      }
    }
  }

  // Pass 3: drop zero coefficients, fold numeric terms into one constant.
  //   +(1, 2, 0, x, 1, y, -1, 3) -> +(1, -1, 1, y)
  double accumulated = 0.0;
  for (unsigned int k = PairCount(args.Count()); k-- > 0;) {
    const unsigned int p = 2 * k;
    ZELS3Node* c = args[p];
    ZELS3Node* t = at(p + 1);
    if (!IsNumber(c)) {
      ZELSymbolicCalculator::SetError(10003);
      removePair(p);
    } else if (c->value.constant == 0.0) {
      removePair(p);
    } else if (IsNumber(t)) {
      accumulated += c->value.constant * t->value.constant;
      removePair(p);
    }
  }
  if (accumulated != 0.0) {
    ZELS3Node* constant = CreateExpression(accumulated);
    insertAt(ZELSymbolicCalculator::GetOne(), 0);
    insertAt(constant, 1);
  }
}
