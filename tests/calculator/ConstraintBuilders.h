// Short builders for constraint tests, through the public factories.
#ifndef ZELTAV_TEST_CONSTRAINT_BUILDERS_H
#define ZELTAV_TEST_CONSTRAINT_BUILDERS_H

#include <initializer_list>
#include <utility>

#include "ZELTavSymbolicCalculator.h"

namespace zeltav_test {

inline ZELS3Node* Var(unsigned long long id, unsigned char constFlag = 0) {
  return CreateExpression(id, constFlag);
}
inline ZELS3Node* Num(double v) { return CreateExpression(v); }

// Op("+", {a, b}): the operation spelled "+" over a and b.
inline ZELS3Node* Op(const char* spelling, std::initializer_list<ZELS3Node*> args) {
  ZELICVectorImp_ZELS3Node v(static_cast<unsigned int>(args.size()), 5u);
  for (ZELS3Node* a : args) v.Add(a);
  return CreateExpression(ZELString(spelling), v);
}

// Linear({{2, x}, {3, y}}): 2*x + 3*y
inline ZELS3Node* Linear(std::initializer_list<std::pair<double, ZELS3Node*>> terms) {
  ZELICVectorImp_ZELS3Node v(static_cast<unsigned int>(terms.size()), 5u);
  for (const auto& t : terms) v.Add(Op("*", {Num(t.first), t.second}));
  return CreateExpression(ZELString("+"), v);
}

}  // namespace zeltav_test

#endif
