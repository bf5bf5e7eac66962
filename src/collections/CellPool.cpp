#include "collections/CellPool.h"

#include <cstring>

#include "collections/AddressRange.h"

namespace zeltav {

namespace {

// The address range reserved per pool: 4 GB, about 27 million node records.
// Reserving costs no memory; pages are committed as cells are handed out.
const std::uintptr_t kReserved = std::uintptr_t{1} << 32;

}  // namespace

CellPool::~CellPool() { ReleaseRange(base_, kReserved, committed_); }

bool CellPool::Commit() {
  if (base_ == 0) {
    if (refused_) return false;
    base_ = ReserveRange(kReserved);
    if (base_ == 0) {
      refused_ = true;
      return false;
    }
  }
  return CommitNext(base_, kReserved, &committed_);
}

void* CellPool::Allocate() {
  if (free_ != nullptr) {
    void* object = free_;
    Poison(object, size_ - kTag, false);
    std::memcpy(&free_, object, sizeof free_);
    return object;
  }
  if (top_ + size_ > committed_ && !Commit()) return nullptr;
  void* object = reinterpret_cast<void*>(base_ + top_ + kTag);
  top_ += size_;
  return object;
}

// Under the address sanitizer a released object is poisoned but for its tag,
// which ForEachCell reads: a record used after it was freed is caught as it
// would be on the heap.
void CellPool::Release(void* object) {
  Tag(object) = 0;
  std::memcpy(object, &free_, sizeof free_);
  free_ = object;
  Poison(object, size_ - kTag, true);
}

}  // namespace zeltav
