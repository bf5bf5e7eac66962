// Small builders shared by the factory, driver and calculator tests.
#ifndef ZELTAV_TEST_BUILD_HELPERS_H
#define ZELTAV_TEST_BUILD_HELPERS_H

#include <algorithm>
#include <initializer_list>
#include <utility>
#include <vector>

#include "support/NodePrinter.h"
#include "support/TestAccess.h"

namespace zeltav_test {

inline ZELS3Node* Var(unsigned long long id) {
  return CreateExpression(id, static_cast<unsigned char>(0));
}

inline ZELS3Node* Build(const char* spelling, std::initializer_list<ZELS3Node*> args) {
  ZELICVectorImp_ZELS3Node v(5u, 5u);
  for (ZELS3Node* a : args) v.Add(a);
  return CreateExpression(ZELString(spelling), &v);
}

// A fresh, unregistered node of type t over the given arguments.
inline ZELS3Node* Fresh(ZELNodeType t, std::initializer_list<ZELS3Node*> args) {
  ZELS3Node* n = new ZELS3Node(t);
  for (ZELS3Node* a : args) ZELS3NodeTestAccess::AddArg(n, a);
  return n;
}

using Pairs = std::vector<std::pair<ZELS3Node*, ZELS3Node*>>;

// The pairs of a sum or product in pointer order, so layouts compare
// whatever order normalisation chose.
inline Pairs Sorted(Pairs p) {
  std::sort(p.begin(), p.end());
  return p;
}

inline Pairs PairsOf(const ZELS3Node* n) {
  Pairs p;
  for (unsigned i = 0; i + 1 < n->GetArgsNum(); i += 2)
    p.emplace_back(n->GetArg(i), n->GetArg(i + 1));
  return Sorted(p);
}

}  // namespace zeltav_test

#endif
