// Fixed-size cells carved in order from one reserved address range. Whether
// a pointer is a cell of the pool is then a comparison, and a word kept at
// the end of every cell (its tag) is found by address, without a hash
// lookup; cells handed out one after another lie side by side. Without the
// range (a refused mapping), or once it is full, Allocate gives null and
// the caller uses the heap.
#ifndef ZELTAV_CELL_POOL_H
#define ZELTAV_CELL_POOL_H

#include <cstddef>
#include <cstdint>

namespace zeltav {

class CellPool {
 public:
  // Cells of size bytes, a multiple of 16 with room for the tag at the end.
  explicit CellPool(std::size_t size) : size_(size) {}
  CellPool(const CellPool&) = delete;
  CellPool& operator=(const CellPool&) = delete;
  ~CellPool();

  // A cell whose tag is 0, or null when there is no room.
  void* Allocate();
  // Takes back a cell of this pool; its tag becomes 0.
  void Release(void* cell);
  bool Owns(const void* p) const { return reinterpret_cast<std::uintptr_t>(p) - base_ < top_; }
  std::uint64_t Tag(const void* cell) const { return *TagOf(cell); }
  std::uint64_t& Tag(const void* cell) { return *TagOf(cell); }
  // f(cell, tag) for every cell ever handed out, in address order; f may
  // release the cell, and change the tag through a reference.
  template <class F>
  void ForEachCell(F f) {
    for (std::uintptr_t at = 0; at < top_; at += size_) {
      void* cell = reinterpret_cast<void*>(base_ + at);
      f(cell, Tag(cell));
    }
  }
  // The same, with the tag by value.
  template <class F>
  void ForEachCell(F f) const {
    const_cast<CellPool*>(this)->ForEachCell(
        [&f](void* cell, std::uint64_t& tag) { f(cell, std::uint64_t{tag}); });
  }

 private:
  std::uint64_t* TagOf(const void* cell) const {
    return reinterpret_cast<std::uint64_t*>(reinterpret_cast<std::uintptr_t>(cell) + size_ - 8);
  }
  bool Commit();

  std::size_t size_;
  std::uintptr_t base_ = 0;       // the reserved range, 0 before the first cell
  std::uintptr_t top_ = 0;        // bytes of cells handed out at least once
  std::uintptr_t committed_ = 0;  // bytes readable and writable
  void* free_ = nullptr;          // released cells, linked through their first word
  bool refused_ = false;          // no range could be reserved
};

}  // namespace zeltav

#endif
