// A list whose first N items sit in the object itself and the rest on the
// heap: the short lists of the hot paths (a node's pair keys, the pieces a
// flattening appends) allocate nothing.
#ifndef ZELTAV_IN_PLACE_LIST_H
#define ZELTAV_IN_PLACE_LIST_H

#include <algorithm>
#include <cstddef>
#include <memory>

namespace zeltav {

template <class T, unsigned int N>
class InPlaceList {
 public:
  InPlaceList() = default;
  InPlaceList(const InPlaceList&) = delete;  // data_ may point into the object
  InPlaceList& operator=(const InPlaceList&) = delete;

  // Room for n items, so that pushing them moves nothing.
  // The new slots are left as T's default constructor leaves them
  // (uninitialised for plain data): they are written before they are read.
  void Reserve(std::size_t n) {
    if (n <= capacity_) return;
    std::unique_ptr<T[]> heap(new T[n]);
    std::copy(data_, data_ + size_, heap.get());
    heap_ = std::move(heap);
    data_ = heap_.get();
    capacity_ = n;
  }
  void Push(const T& x) {
    if (size_ == capacity_) Reserve(2 * capacity_);
    data_[size_++] = x;
  }
  std::size_t Size() const { return size_; }
  bool Empty() const { return size_ == 0; }
  const T* Data() const { return data_; }
  const T& operator[](std::size_t i) const { return data_[i]; }
  const T* begin() const { return data_; }
  const T* end() const { return data_ + size_; }
  // Empty; what was reserved stays.
  void Clear() { size_ = 0; }

 private:
  T few_[N];  // read only below size_
  T* data_ = few_;
  // Counts of another type than the items, so that storing an item (an
  // unsigned int key) is not taken to change them.
  std::size_t size_ = 0;
  std::size_t capacity_ = N;
  std::unique_ptr<T[]> heap_;
};

}  // namespace zeltav

#endif
