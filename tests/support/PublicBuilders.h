// Leaves and operations built through the public interface alone, as a host
// builds them; usable by tests linked against the shared object only.
#ifndef ZELTAV_PUBLIC_BUILDERS_H
#define ZELTAV_PUBLIC_BUILDERS_H

#include <initializer_list>

#include "ZELTavSymbolicCalculator.h"

namespace zeltav_test {

using Args = std::initializer_list<ZELS3Node*>;

inline ZELS3Node* Var(unsigned long long id, unsigned char constant = 0) {
  return CreateExpression(id, constant);
}
inline ZELS3Node* Num(double v) { return CreateExpression(v); }
inline ZELS3Node* Bool(unsigned char b) { return CreateExpression(b); }
// By("+", {x, y}): the operation of that spelling over the operands.
inline ZELS3Node* By(const char* spelling, Args args) {
  ZELICVectorImp_ZELS3Node v(8u, 8u);
  for (ZELS3Node* a : args) v.Add(a);
  return CreateExpression(ZELString(spelling), v);
}

}  // namespace zeltav_test

#endif
