// Appending to the calculator's own lists (equations, results, variable
// records), which are made to grow by a fixed step of 10 or 100 slots.
// Grown step by step, a list of n items would copy about n^2 / (2 step)
// slots; doubling first keeps that linear. The list keeps its step.
#ifndef ZELTAV_LIST_APPEND_H
#define ZELTAV_LIST_APPEND_H

#include <climits>

#include "ZELTavSymbolicCalculator/Vector.h"

namespace zeltav {

// Appends p as Add does; a full list first doubles its slots (Add grows it
// by its step when that fails). 1 when p was stored, 0 otherwise.
template <class T>
int AppendDoubling(ZELICVectorImp<T>& list, T* p) {
  const unsigned int limit = list.Limit();
  if (list.Count() >= limit && limit != 0 && limit <= UINT_MAX / 2) list.Resize(2 * limit);
  return list.Add(p);
}

}  // namespace zeltav

#endif
