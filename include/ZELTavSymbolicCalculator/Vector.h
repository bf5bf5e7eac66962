// Growable array of object pointers with a forward iterator: the one
// container of the library. It never owns its elements; only the operations
// with a delete flag delete them. Every operation except the constructors,
// the destructor, assignment and operator[] is virtual, and the operations
// reach each other through the virtual table, so a derived vector that
// overrides one changes the others that use it.
#ifndef ZELTAV_VECTOR_H
#define ZELTAV_VECTOR_H

#include "ZELTavSymbolicCalculator/Export.h"

template <class T>
class ZELICVectorIteratorImp;

template <class T>
class ZELTAV_API ZELICVectorImp {
 public:
  typedef void (*IterFunc)(T&, void*);
  typedef int (*CondFunc)(const T&, void*);

  ZELICVectorImp();
  ZELICVectorImp(unsigned int size, unsigned int delta);
  ZELICVectorImp(unsigned int size, double factor);
  ZELICVectorImp(const ZELICVectorImp& other);
  ZELICVectorImp& operator=(const ZELICVectorImp& other);

  // Virtual operations, in slot order.
  virtual ~ZELICVectorImp();
  virtual int Good() const;
  virtual int Good();
  virtual int Add(T* p);
  virtual int AddAt(T* p, unsigned int index);
  virtual int Detach(const T* p, int del);
  virtual int DetachAt(unsigned int from, unsigned int count, int del);
  virtual int IsEmpty() const;
  virtual void Flush(int del, unsigned int end, unsigned int start);
  virtual void Flush(int del);
  virtual unsigned int Find(const T* p) const;
  virtual unsigned int Limit() const;
  virtual unsigned int Top() const;
  virtual unsigned int Count() const;
  virtual unsigned int GetDelta() const;
  virtual unsigned int NextDelta(unsigned int need);
  virtual int Resize(unsigned int newLimit);
  virtual void ForEach(IterFunc f, void* arg, unsigned int from, unsigned int to);
  virtual void ForEach(IterFunc f, void* arg);
  virtual T* FirstThat(CondFunc f, void* arg, unsigned int from, unsigned int to) const;
  virtual T* FirstThat(CondFunc f, void* arg) const;
  virtual T* LastThat(CondFunc f, void* arg, unsigned int from, unsigned int to) const;
  virtual T* LastThat(CondFunc f, void* arg) const;

  // The slot at i, unchecked: the caller keeps i below Limit().
  T*& operator[](unsigned int i);
  T*& operator[](unsigned int i) const;

 protected:
  virtual void Zero(unsigned int from, unsigned int to);

  T** data;
  unsigned int limit;
  unsigned int top;
  unsigned int delta;
  double factor;
  int good;

 private:
  static void DelObj(T& obj, void* unused);
};

template <class T>
class ZELTAV_API ZELICVectorIteratorImp {
 public:
  explicit ZELICVectorIteratorImp(const ZELICVectorImp<T>& v);
  ZELICVectorIteratorImp(const ZELICVectorImp<T>& v, unsigned int from, unsigned int to);
  ZELICVectorIteratorImp(const ZELICVectorIteratorImp& other);
  ZELICVectorIteratorImp& operator=(const ZELICVectorIteratorImp& other);

  // Virtual operations, in slot order.
  virtual T* Current() const;
  virtual void Restart(unsigned int from, unsigned int to);
  virtual void Restart();

  operator int() const;
  T* operator++();
  T* operator++(int);

 protected:
  const ZELICVectorImp<T>* vector;
  unsigned int current;
  unsigned int start;
  unsigned int end;
};

class ZELTAV_API ZELS3Node;
class ZELTAV_API ZELS3ExactVariable;
class ZELTAV_API ZELS3LinearVariable;

// The library instantiates the template for its three element types only.
extern template class ZELTAV_API ZELICVectorImp<ZELS3Node>;
extern template class ZELTAV_API ZELICVectorImp<ZELS3ExactVariable>;
extern template class ZELTAV_API ZELICVectorImp<ZELS3LinearVariable>;
extern template class ZELTAV_API ZELICVectorIteratorImp<ZELS3Node>;
extern template class ZELTAV_API ZELICVectorIteratorImp<ZELS3ExactVariable>;
extern template class ZELTAV_API ZELICVectorIteratorImp<ZELS3LinearVariable>;

typedef ZELICVectorImp<ZELS3Node> ZELICVectorImp_ZELS3Node;
typedef ZELICVectorImp<ZELS3ExactVariable> ZELICVectorImp_ZELS3ExactVariable;
typedef ZELICVectorImp<ZELS3LinearVariable> ZELICVectorImp_ZELS3LinearVariable;
typedef ZELICVectorIteratorImp<ZELS3Node> ZELICVectorIteratorImp_ZELS3Node;
typedef ZELICVectorIteratorImp<ZELS3ExactVariable> ZELICVectorIteratorImp_ZELS3ExactVariable;
typedef ZELICVectorIteratorImp<ZELS3LinearVariable> ZELICVectorIteratorImp_ZELS3LinearVariable;

#endif
