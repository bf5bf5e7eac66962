// STUB: to be replaced by the real pointer vector.
#include "ZELTavSymbolicCalculator/Calculator.h"

template <class T> ZELICVectorImp<T>::ZELICVectorImp() : data(nullptr), limit(0), top(0), delta(0), factor(0.0), good(1) {}
template <class T> ZELICVectorImp<T>::ZELICVectorImp(unsigned int, unsigned int) : ZELICVectorImp() {}
template <class T> ZELICVectorImp<T>::ZELICVectorImp(unsigned int, double) : ZELICVectorImp() {}
template <class T> ZELICVectorImp<T>::ZELICVectorImp(const ZELICVectorImp&) : ZELICVectorImp() {}
template <class T> ZELICVectorImp<T>& ZELICVectorImp<T>::operator=(const ZELICVectorImp&) { return *this; }
template <class T> ZELICVectorImp<T>::~ZELICVectorImp() {}
template <class T> int ZELICVectorImp<T>::Good() const { return good; }
template <class T> int ZELICVectorImp<T>::Good() { return good; }
template <class T> int ZELICVectorImp<T>::Add(T*) { return 0; }
template <class T> int ZELICVectorImp<T>::AddAt(T*, unsigned int) { return 0; }
template <class T> int ZELICVectorImp<T>::Detach(const T*, int) { return 0; }
template <class T> int ZELICVectorImp<T>::DetachAt(unsigned int, unsigned int, int) { return 0; }
template <class T> int ZELICVectorImp<T>::IsEmpty() const { return 1; }
template <class T> void ZELICVectorImp<T>::Flush(int, unsigned int, unsigned int) {}
template <class T> void ZELICVectorImp<T>::Flush(int) {}
template <class T> unsigned int ZELICVectorImp<T>::Find(const T*) const { return 1; }
template <class T> unsigned int ZELICVectorImp<T>::Limit() const { return limit; }
template <class T> unsigned int ZELICVectorImp<T>::Top() const { return top; }
template <class T> unsigned int ZELICVectorImp<T>::Count() const { return top; }
template <class T> unsigned int ZELICVectorImp<T>::GetDelta() const { return delta; }
template <class T> unsigned int ZELICVectorImp<T>::NextDelta(unsigned int) { return 0; }
template <class T> int ZELICVectorImp<T>::Resize(unsigned int) { return 0; }
template <class T> void ZELICVectorImp<T>::ForEach(IterFunc, void*, unsigned int, unsigned int) {}
template <class T> void ZELICVectorImp<T>::ForEach(IterFunc, void*) {}
template <class T> T* ZELICVectorImp<T>::FirstThat(CondFunc, void*, unsigned int, unsigned int) const { return nullptr; }
template <class T> T* ZELICVectorImp<T>::FirstThat(CondFunc, void*) const { return nullptr; }
template <class T> T* ZELICVectorImp<T>::LastThat(CondFunc, void*, unsigned int, unsigned int) const { return nullptr; }
template <class T> T* ZELICVectorImp<T>::LastThat(CondFunc, void*) const { return nullptr; }
template <class T> T*& ZELICVectorImp<T>::operator[](unsigned int i) { return data[i]; }
template <class T> T*& ZELICVectorImp<T>::operator[](unsigned int i) const { return data[i]; }
template <class T> void ZELICVectorImp<T>::Zero(unsigned int, unsigned int) {}
template <class T> void ZELICVectorImp<T>::DelObj(T& obj, void*) { delete &obj; }

template <class T> ZELICVectorIteratorImp<T>::ZELICVectorIteratorImp(const ZELICVectorImp<T>& v) : vector(&v), current(0), start(0), end(v.Top()) {}
template <class T> ZELICVectorIteratorImp<T>::ZELICVectorIteratorImp(const ZELICVectorImp<T>& v, unsigned int from, unsigned int to) : vector(&v), current(from), start(from), end(to) {}
template <class T> ZELICVectorIteratorImp<T>::ZELICVectorIteratorImp(const ZELICVectorIteratorImp& o) = default;
template <class T> ZELICVectorIteratorImp<T>& ZELICVectorIteratorImp<T>::operator=(const ZELICVectorIteratorImp& o) = default;
template <class T> T* ZELICVectorIteratorImp<T>::Current() const { return nullptr; }
template <class T> void ZELICVectorIteratorImp<T>::Restart(unsigned int, unsigned int) {}
template <class T> void ZELICVectorIteratorImp<T>::Restart() {}
template <class T> ZELICVectorIteratorImp<T>::operator int() const { return 0; }
template <class T> T* ZELICVectorIteratorImp<T>::operator++() { return nullptr; }
template <class T> T* ZELICVectorIteratorImp<T>::operator++(int) { return nullptr; }

template class ZELICVectorImp<ZELS3Node>;
template class ZELICVectorImp<ZELS3ExactVariable>;
template class ZELICVectorImp<ZELS3LinearVariable>;
template class ZELICVectorIteratorImp<ZELS3Node>;
template class ZELICVectorIteratorImp<ZELS3ExactVariable>;
template class ZELICVectorIteratorImp<ZELS3LinearVariable>;
