// Slot arrays for the vectors that live inside one pool's cells (a node's
// arguments and fathers). Most such vectors hold one or two pointers; from
// the heap each would take a block of 32 bytes or more. Here an array of
// 1, 2, 4 or 8 slots takes just its slots: each size is carved from a
// region of its own within one reserved address range, so the size of an
// array is known from its address, and freed arrays are kept per size for
// the next one. A vector finds its arena by address; every other vector,
// and every other size, keeps using the heap.
#ifndef ZELTAV_SLOT_ARENA_H
#define ZELTAV_SLOT_ARENA_H

#include <cstdint>

#include "collections/CellPool.h"

namespace zeltav {

class SlotArena {
 public:
  // Vectors inside the cells of owners take their slots here.
  explicit SlotArena(const CellPool& owners);
  SlotArena(const SlotArena&) = delete;
  SlotArena& operator=(const SlotArena&) = delete;
  ~SlotArena();

  // The arena whose pool holds the vector at vector, or null.
  static SlotArena* ForVector(const void* vector);
  // The arena that handed out slots, or null.
  static SlotArena* ForSlots(const void* slots);

  // n null slots, or null when n is not one of the sizes or there is no room.
  void** Allocate(unsigned int n);
  // Takes back what Allocate gave.
  void Free(void** slots);

 private:
  static const unsigned int kSizes = 4;  // 1, 2, 4 and 8 slots
  struct Region {
    std::uintptr_t top = 0;        // bytes handed out at least once
    std::uintptr_t committed = 0;  // bytes readable and writable
    void* free = nullptr;          // arrays taken back, linked through their first slot
  };
  bool Reserve();
  bool Commit(unsigned int size);

  const CellPool& owners_;
  std::uintptr_t base_ = 0;  // the reserved range, 0 before the first array
  bool refused_ = false;     // no range could be reserved
  Region regions_[kSizes];
  SlotArena* next_ = nullptr;  // the next live arena
};

}  // namespace zeltav

#endif
