// The pointer vector and its iterator. All index arithmetic is unsigned
// 32-bit; range ends are computed with saturation so that a huge count never
// wraps around to a small index. Operations reach each other through the
// virtual table so that a derived vector's overrides take effect.
#include "ZELTavSymbolicCalculator/Vector.h"

#include <climits>
#include <cmath>
#include <cstring>
#include <new>

#include "ZELTavSymbolicCalculator/Calculator.h"
#include "ZELTavSymbolicCalculator/Node.h"
#include "collections/SlotArena.h"

namespace {

// How Find matches an element and how an element is deleted.
template <class T>
struct ElementTraits {
  // Records: the very object given.
  static bool Matches(const T* slot, const T* p) { return slot == p; }
};

template <>
struct ElementTraits<ZELS3Node> {
  // Nodes: the node's own equality, which is identity.
  static bool Matches(const ZELS3Node* slot, const ZELS3Node* p) {
    return p != nullptr && (*slot == *p) != 0;
  }
};

// from + count without wrapping past UINT_MAX.
unsigned int SaturatingAdd(unsigned int from, unsigned int count) {
  return count > UINT_MAX - from ? UINT_MAX : from + count;
}

unsigned int Min(unsigned int a, unsigned int b) { return a < b ? a : b; }

// A slot array of n null slots for the vector at owner, or null when not
// obtained. A vector inside a node record takes a short array from its
// calculator's arena, any other from the heap.
template <class T>
T** NewSlots(const void* owner, unsigned int n) {
  if (zeltav::SlotArena* arena = zeltav::SlotArena::ForVector(owner)) {
    if (void** slots = arena->Allocate(n)) return reinterpret_cast<T**>(slots);
  }
  T** slots = new (std::nothrow) T*[n == 0 ? 1 : n];
  if (slots != nullptr) {
    for (unsigned int i = 0; i < n; ++i) slots[i] = nullptr;
  }
  return slots;
}

// Frees what NewSlots gave (null is ignored).
template <class T>
void FreeSlots(T** slots) {
  if (slots == nullptr) return;
  if (zeltav::SlotArena* arena = zeltav::SlotArena::ForSlots(slots)) {
    arena->Free(reinterpret_cast<void**>(slots));
  } else {
    delete[] slots;
  }
}

template <class T>
void CopySlots(T** to, T* const* from, unsigned int n) {
  if (n != 0) std::memcpy(to, from, sizeof(T*) * n);
}

// A growth factor that is not positive, or not a number, means doubling.
double SaneFactor(double factor) { return factor > 0.0 ? factor : 1.0; }

}  // namespace

// --- construction ----------------------------------------------------------

template <class T>
ZELICVectorImp<T>::ZELICVectorImp()
    : data(nullptr), limit(0), top(0), delta(0), factor(0.0), good(1) {}

template <class T>
ZELICVectorImp<T>::ZELICVectorImp(unsigned int size, unsigned int delta_)
    : data(nullptr), limit(size + 1), top(0), delta(delta_), factor(0.0), good(1) {
  data = NewSlots<T>(this, limit);
  if (data == nullptr) {
    good = 0;
    limit = 0;  // nothing behind data: never index into it
  }
}

template <class T>
ZELICVectorImp<T>::ZELICVectorImp(unsigned int size, double factor_)
    : data(nullptr), limit(size + 1), top(0), delta(0), factor(SaneFactor(factor_)), good(1) {
  data = NewSlots<T>(this, limit);
  if (data == nullptr) {
    good = 0;
    limit = 0;
  }
}

template <class T>
ZELICVectorImp<T>::ZELICVectorImp(const ZELICVectorImp& other)
    : data(nullptr),
      limit(other.limit),
      top(other.top),
      delta(other.delta),
      factor(other.factor),
      good(other.Good()) {
  data = NewSlots<T>(this, limit);
  if (data == nullptr) {
    good = 0;
    limit = 0;
    top = 0;
    return;
  }
  if (good && other.data != nullptr) CopySlots(data, other.data, limit);
}

template <class T>
ZELICVectorImp<T>& ZELICVectorImp<T>::operator=(const ZELICVectorImp& other) {
  good = other.Good();
  if (!good || data == other.data) return *this;
  FreeSlots(data);
  data = NewSlots<T>(this, other.limit);
  if (data == nullptr) {
    good = 0;
    limit = 0;
    top = 0;
    return *this;
  }
  limit = other.limit;
  top = other.top;
  delta = other.delta;
  factor = other.factor;
  if (other.data != nullptr) CopySlots(data, other.data, limit);
  return *this;
}

template <class T>
ZELICVectorImp<T>::~ZELICVectorImp() {
  FreeSlots(data);
}

// --- accessors -------------------------------------------------------------

template <class T>
int ZELICVectorImp<T>::Good() const {
  return good;
}

template <class T>
int ZELICVectorImp<T>::Good() {
  return good;
}

template <class T>
int ZELICVectorImp<T>::IsEmpty() const {
  return top == 0 ? 1 : 0;
}

template <class T>
unsigned int ZELICVectorImp<T>::Limit() const {
  return limit;
}

template <class T>
unsigned int ZELICVectorImp<T>::Top() const {
  return top;
}

template <class T>
unsigned int ZELICVectorImp<T>::Count() const {
  return top;
}

template <class T>
unsigned int ZELICVectorImp<T>::GetDelta() const {
  return delta;
}

template <class T>
T*& ZELICVectorImp<T>::operator[](unsigned int i) {
  return data[i];
}

template <class T>
T*& ZELICVectorImp<T>::operator[](unsigned int i) const {
  return data[i];
}

// --- growth ----------------------------------------------------------------

// With a delta: need rounded up to a multiple of delta (200 by 100 -> 200).
// With a factor: grow s by trunc(s * factor), at least 1, until s covers
// limit + need; factor 1.0 doubles, 0.5 on 10 slots needing 1 -> 15.
template <class T>
unsigned int ZELICVectorImp<T>::NextDelta(unsigned int need) {
  if (factor == 0.0) {
    if (delta == 0) return 0;  // cannot grow by multiples of nothing
    if (need % delta == 0) return need;
    return (delta + need) / delta * delta;
  }
  const double f = SaneFactor(factor);
  const unsigned int target = SaturatingAdd(limit, need);
  unsigned int s = limit == 0 ? 1 : limit;
  while (s < target) {
    const double product = static_cast<double>(s) * f;
    unsigned int inc = 1;
    if (product >= 4294967295.0) {
      inc = UINT_MAX;
    } else if (product >= 1.0) {
      inc = static_cast<unsigned int>(product);
    }
    s = SaturatingAdd(s, inc);
  }
  return s - limit;
}

template <class T>
int ZELICVectorImp<T>::Resize(unsigned int newLimit) {
  if (newLimit <= limit) return 0;
  if (GetDelta() == 0 && factor == 0.0) return 0;
  const unsigned int need = newLimit - limit;
  const unsigned int grow = NextDelta(need);
  // A step that does not reach newLimit, or that overflows, is no growth.
  if (grow < need || grow > UINT_MAX - limit) return 0;
  T** slots = NewSlots<T>(this, limit + grow);
  if (slots == nullptr) return 0;
  if (data != nullptr) CopySlots(slots, data, limit);
  FreeSlots(data);
  data = slots;
  limit += grow;
  return 1;
}

// --- insertion -------------------------------------------------------------

template <class T>
int ZELICVectorImp<T>::Add(T* p) {
  // Slots written beyond top through operator[] are skipped, not overwritten.
  while (top < Limit() && top < limit && data[top] != nullptr) ++top;
  if (top >= limit) {
    if (top == UINT_MAX || !Resize(top + 1)) return 0;
    if (top >= limit) return 0;
  }
  data[top++] = p;
  return 1;
}

template <class T>
int ZELICVectorImp<T>::AddAt(T* p, unsigned int index) {
  if (index >= limit) {
    if (index == UINT_MAX || !Resize(index + 1)) return 0;
    if (index >= limit) return 0;
  }
  if (top >= limit) {
    if (limit == UINT_MAX || !Resize(limit + 1)) return 0;
    if (top >= limit) return 0;
  }
  if (index > top) top = index;  // the slots between stay null
  std::memmove(data + index + 1, data + index, sizeof(T*) * (top - index));
  data[index] = p;
  ++top;
  return 1;
}

// --- removal ---------------------------------------------------------------

template <class T>
int ZELICVectorImp<T>::Detach(const T* p, int del) {
  return DetachAt(Find(p), 1, del);
}

template <class T>
int ZELICVectorImp<T>::DetachAt(unsigned int from, unsigned int count, int del) {
  if (from >= limit) return 0;
  if (del) {
    const unsigned int stop = Min(SaturatingAdd(from, count), limit);
    for (unsigned int i = from; i < stop; ++i) {
      if (data[i] != nullptr) DelObj(*data[i], nullptr);
    }
  }
  if (from < top) {
    const unsigned int n = count > top - from ? top - from : count;
    const unsigned int oldTop = top;
    top -= n;
    std::memmove(data + from, data + from + n, sizeof(T*) * (oldTop - from - n));
    Zero(top, top + n);
    return 1;
  }
  Zero(from, SaturatingAdd(from, count));
  return 1;
}

template <class T>
void ZELICVectorImp<T>::Flush(int del, unsigned int end, unsigned int start) {
  end = Min(end, Limit());
  if (del) ForEach(&ZELICVectorImp<T>::DelObj, nullptr, start, end);
  Zero(start, end);
  top = 0;
}

template <class T>
void ZELICVectorImp<T>::Flush(int del) {
  Flush(del, Limit(), 0);
}

template <class T>
void ZELICVectorImp<T>::Zero(unsigned int from, unsigned int to) {
  const unsigned int stop = Min(Min(to, Limit()), limit);
  for (unsigned int i = from; i < stop; ++i) data[i] = nullptr;
}

template <class T>
void ZELICVectorImp<T>::DelObj(T& obj, void*) {
  delete &obj;
}

// --- search and visits -----------------------------------------------------

// Top() is asked afresh each step, so a shrinking top shortens the search.
template <class T>
unsigned int ZELICVectorImp<T>::Find(const T* p) const {
  for (unsigned int i = 0; i < Top() && i < limit; ++i) {
    if (data[i] != nullptr && ElementTraits<T>::Matches(data[i], p)) return i;
  }
  return Limit() + 1;
}

// The visits fix their step count (to - from) at the start and re-read the
// slot at every step.
template <class T>
void ZELICVectorImp<T>::ForEach(IterFunc f, void* arg, unsigned int from, unsigned int to) {
  const unsigned int steps = to > from ? to - from : 0;
  for (unsigned int k = 0; k < steps; ++k) {
    const unsigned int i = from + k;
    if (i >= limit) break;
    if (data[i] != nullptr) f(*data[i], arg);
  }
}

template <class T>
void ZELICVectorImp<T>::ForEach(IterFunc f, void* arg) {
  ForEach(f, arg, 0, Count());
}

template <class T>
T* ZELICVectorImp<T>::FirstThat(CondFunc f, void* arg, unsigned int from, unsigned int to) const {
  const unsigned int steps = to > from ? to - from : 0;
  for (unsigned int k = 0; k < steps; ++k) {
    const unsigned int i = from + k;
    if (i >= limit) break;
    if (data[i] != nullptr && f(*data[i], arg)) return data[i];
  }
  return nullptr;
}

template <class T>
T* ZELICVectorImp<T>::FirstThat(CondFunc f, void* arg) const {
  return FirstThat(f, arg, 0, Count());
}

// Visits every element of the range, never stopping early.
template <class T>
T* ZELICVectorImp<T>::LastThat(CondFunc f, void* arg, unsigned int from, unsigned int to) const {
  T* last = nullptr;
  const unsigned int steps = to > from ? to - from : 0;
  for (unsigned int k = 0; k < steps; ++k) {
    const unsigned int i = from + k;
    if (i >= limit) break;
    if (data[i] != nullptr && f(*data[i], arg)) last = data[i];
  }
  return last;
}

template <class T>
T* ZELICVectorImp<T>::LastThat(CondFunc f, void* arg) const {
  return LastThat(f, arg, 0, Count());
}

// --- iterator --------------------------------------------------------------

// The end of a whole-vector walk is the vector's Top() at construction; later
// growth of the vector is not followed.
template <class T>
ZELICVectorIteratorImp<T>::ZELICVectorIteratorImp(const ZELICVectorImp<T>& v)
    : vector(&v), current(0), start(0), end(v.Top()) {}

template <class T>
ZELICVectorIteratorImp<T>::ZELICVectorIteratorImp(const ZELICVectorImp<T>& v, unsigned int from,
                                                  unsigned int to)
    : vector(&v), current(from), start(from), end(to) {}

template <class T>
ZELICVectorIteratorImp<T>::ZELICVectorIteratorImp(const ZELICVectorIteratorImp& other)
    : vector(other.vector), current(other.current), start(other.start), end(other.end) {}

template <class T>
ZELICVectorIteratorImp<T>& ZELICVectorIteratorImp<T>::operator=(
    const ZELICVectorIteratorImp& other) {
  vector = other.vector;
  current = other.current;
  start = other.start;
  end = other.end;
  return *this;
}

template <class T>
T* ZELICVectorIteratorImp<T>::Current() const {
  if (!vector->Good() || current >= end || current >= vector->Limit()) return nullptr;
  return (*vector)[current];
}

template <class T>
void ZELICVectorIteratorImp<T>::Restart(unsigned int from, unsigned int to) {
  start = from;
  current = from;
  end = to;
}

template <class T>
void ZELICVectorIteratorImp<T>::Restart() {
  Restart(start, end);
}

template <class T>
ZELICVectorIteratorImp<T>::operator int() const {
  if (!vector->Good()) return 0;
  return current < end ? 1 : 0;
}

template <class T>
T* ZELICVectorIteratorImp<T>::operator++() {
  ++current;
  return Current();
}

template <class T>
T* ZELICVectorIteratorImp<T>::operator++(int) {
  T* taken = Current();
  ++current;
  return taken;
}

template class ZELICVectorImp<ZELS3Node>;
template class ZELICVectorImp<ZELS3ExactVariable>;
template class ZELICVectorImp<ZELS3LinearVariable>;
template class ZELICVectorIteratorImp<ZELS3Node>;
template class ZELICVectorIteratorImp<ZELS3ExactVariable>;
template class ZELICVectorIteratorImp<ZELS3LinearVariable>;
