// Growing a vector that is appended to one item at a time. Vectors made to
// grow by a fixed step (the calculator's lists by 10 or 100) would copy
// about n^2 / (2 step) slots over n appends; doubling a full one first keeps
// that linear. The vector keeps its step.
#ifndef ZELTAV_LIST_APPEND_H
#define ZELTAV_LIST_APPEND_H

#include "ZELTavSymbolicCalculator/Vector.h"

namespace zeltav {

// Doubles v's slots when it is full and has at least from of them (a short
// vector keeps growing by its step: most stay short). On failure v is left
// as it was, and Add grows it by its step.
template <class T>
void GrowIfFull(ZELICVectorImp<T>& v, unsigned int from = 1) {
  const unsigned int limit = v.Limit();
  if (v.Count() == limit && limit >= from && limit < 0x40000000u) v.Resize(2 * limit);
}

// Appends p as Add does, doubling a full list first: 1 when p was stored.
template <class T>
int AppendDoubling(ZELICVectorImp<T>& list, T* p) {
  GrowIfFull(list);
  return list.Add(p);
}

}  // namespace zeltav

#endif
