// Fixed-size cells carved in order from one reserved address range, each a
// word (its tag) followed by an object's memory. Whether a pointer is an
// object of the pool is then a comparison, and its tag, found by address
// without a hash lookup, shares the cache line of the object's first bytes;
// cells handed out one after another lie side by side. Without the
// range (a refused mapping), or once it is full, Allocate gives null and
// the caller uses the heap.
#ifndef ZELTAV_CELL_POOL_H
#define ZELTAV_CELL_POOL_H

#include <cstddef>
#include <cstdint>

namespace zeltav {

class CellPool {
 public:
  // Cells of size bytes, a multiple of 16: the tag and size - 8 bytes for
  // the object, which is aligned to 8.
  explicit CellPool(std::size_t size) : size_(size) {}
  CellPool(const CellPool&) = delete;
  CellPool& operator=(const CellPool&) = delete;
  ~CellPool();

  // An object's memory whose tag is 0, or null when there is no room.
  void* Allocate();
  // Takes back an object's memory; its tag becomes 0.
  void Release(void* object);
  bool Owns(const void* p) const {
    return reinterpret_cast<std::uintptr_t>(p) - kTag - base_ < top_;
  }
  std::uint64_t Tag(const void* object) const { return *TagOf(object); }
  std::uint64_t& Tag(const void* object) { return *TagOf(object); }
  // f(object, tag) for every cell ever handed out, in address order; f may
  // release the object, and change the tag through a reference.
  template <class F>
  void ForEachCell(F f) {
    for (std::uintptr_t at = 0; at < top_; at += size_) {
      void* object = reinterpret_cast<void*>(base_ + at + kTag);
      f(object, Tag(object));
    }
  }
  // The same, with the tag by value.
  template <class F>
  void ForEachCell(F f) const {
    const_cast<CellPool*>(this)->ForEachCell(
        [&f](void* object, std::uint64_t& tag) { f(object, std::uint64_t{tag}); });
  }

 private:
  static const std::uintptr_t kTag = 8;
  std::uint64_t* TagOf(const void* object) const {
    return reinterpret_cast<std::uint64_t*>(reinterpret_cast<std::uintptr_t>(object) - kTag);
  }
  bool Commit();

  std::size_t size_;
  std::uintptr_t base_ = 0;       // the reserved range, 0 before the first cell
  std::uintptr_t top_ = 0;        // bytes of cells handed out at least once
  std::uintptr_t committed_ = 0;  // bytes readable and writable
  void* free_ = nullptr;          // released objects, linked through their first word
  bool refused_ = false;          // no range could be reserved
};

}  // namespace zeltav

#endif
