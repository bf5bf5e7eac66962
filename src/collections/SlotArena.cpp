#include "collections/SlotArena.h"

#include <cstring>

#include "collections/AddressRange.h"

namespace zeltav {

namespace {

// Each size's region: 256 MB, 32 million arrays of one slot; when one is
// full its size comes from the heap.
const std::uintptr_t kRegion = std::uintptr_t{256} << 20;

// The live arenas. A calculator's arena joins when it is made and leaves when
// it goes; a vector asks which of them, if any, its address belongs to.
SlotArena* live = nullptr;

// The region of n slots (1, 2, 4 or 8), or -1 for a size kept on the heap.
int RegionOf(unsigned int n, unsigned int sizes) {
  for (unsigned int k = 0; k < sizes; ++k) {
    if (n == 1u << k) return static_cast<int>(k);
  }
  return -1;
}

}  // namespace

SlotArena::SlotArena(const CellPool& owners) : owners_(owners), next_(live) { live = this; }

SlotArena::~SlotArena() {
  for (SlotArena** at = &live; *at != nullptr; at = &(*at)->next_) {
    if (*at == this) {
      *at = next_;
      break;
    }
  }
  if (base_ == 0) return;
  // The range may be mapped again, by anyone: it must not stay poisoned.
  for (unsigned int k = 0; k < kSizes; ++k) {
    Poison(reinterpret_cast<void*>(base_ + k * kRegion), regions_[k].committed, false);
  }
  ReleaseRange(base_, kSizes * kRegion, 0);
}

SlotArena* SlotArena::ForVector(const void* vector) {
  for (SlotArena* a = live; a != nullptr; a = a->next_) {
    if (a->owners_.Owns(vector)) return a;
  }
  return nullptr;
}

SlotArena* SlotArena::ForSlots(const void* slots) {
  const std::uintptr_t p = reinterpret_cast<std::uintptr_t>(slots);
  for (SlotArena* a = live; a != nullptr; a = a->next_) {
    if (a->base_ != 0 && p - a->base_ < kSizes * kRegion) return a;
  }
  return nullptr;
}

bool SlotArena::Reserve() {
  if (base_ != 0) return true;
  if (refused_) return false;
  base_ = ReserveRange(kSizes * kRegion);
  refused_ = base_ == 0;
  return !refused_;
}

bool SlotArena::Commit(unsigned int k) {
  Region& r = regions_[k];
  const std::uintptr_t region = base_ + k * kRegion;
  const std::uintptr_t before = r.committed;
  if (!CommitNext(region, kRegion, &r.committed)) return false;
  Poison(reinterpret_cast<void*>(region + before), r.committed - before, true);
  return true;
}

void** SlotArena::Allocate(unsigned int n) {
  const int k = RegionOf(n, kSizes);
  if (k < 0 || !Reserve()) return nullptr;
  Region& r = regions_[k];
  const std::size_t bytes = sizeof(void*) * n;
  void* slots = r.free;
  if (slots != nullptr) {
    Poison(slots, bytes, false);
    std::memcpy(&r.free, slots, sizeof r.free);
  } else {
    if (r.top + bytes > r.committed && !Commit(static_cast<unsigned int>(k))) return nullptr;
    slots = reinterpret_cast<void*>(base_ + static_cast<std::uintptr_t>(k) * kRegion + r.top);
    r.top += bytes;
    Poison(slots, bytes, false);
  }
  std::memset(slots, 0, bytes);
  return static_cast<void**>(slots);
}

void SlotArena::Free(void** slots) {
  const std::uintptr_t k = (reinterpret_cast<std::uintptr_t>(slots) - base_) / kRegion;
  Region& r = regions_[k];
  std::memcpy(slots, &r.free, sizeof r.free);
  r.free = slots;
  Poison(slots, sizeof(void*) << k, true);
}

}  // namespace zeltav
