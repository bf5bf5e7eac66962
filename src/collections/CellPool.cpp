#include "collections/CellPool.h"

#include <cstring>

#if defined(__linux__)
#include <sys/mman.h>
#endif

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZELTAV_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define ZELTAV_ASAN 1
#endif
#if defined(ZELTAV_ASAN)
#include <sanitizer/asan_interface.h>
#endif

namespace zeltav {

namespace {

// The address range reserved per pool: 4 GB, about 27 million node records.
// Reserving costs no memory; pages are committed as cells are handed out.
const std::uintptr_t kReserved = std::uintptr_t{1} << 32;
const std::uintptr_t kFirstCommit = std::uintptr_t{64} << 10;
const std::uintptr_t kHugePage = std::uintptr_t{2} << 20;

// Under the address sanitizer an object not handed out is poisoned but for
// its tag, which ForEachCell reads: a record used after it was freed is caught
// as it would be on the heap.
void Poison(void* p, std::size_t bytes, bool poisoned) {
#if defined(ZELTAV_ASAN)
  if (poisoned) {
    ASAN_POISON_MEMORY_REGION(p, bytes);
  } else {
    ASAN_UNPOISON_MEMORY_REGION(p, bytes);
  }
#else
  static_cast<void>(p);
  static_cast<void>(bytes);
  static_cast<void>(poisoned);
#endif
}

}  // namespace

CellPool::~CellPool() {
#if defined(__linux__)
  if (base_ == 0) return;
  // The range may be mapped again, by anyone: it must not stay poisoned.
  Poison(reinterpret_cast<void*>(base_), committed_, false);
  munmap(reinterpret_cast<void*>(base_), kReserved);
#endif
}

// Commits 64 KB first, doubling up to whole huge pages: a small calculator
// stays small, and a large one fills 2 MB pages (one fault and one TLB
// entry each) from its first few megabytes on.
bool CellPool::Commit() {
#if defined(__linux__)
  if (base_ == 0) {
    if (refused_) return false;
    void* range =
        mmap(nullptr, kReserved, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (range == MAP_FAILED) {
      refused_ = true;
      return false;
    }
    base_ = reinterpret_cast<std::uintptr_t>(range);
#if defined(MADV_HUGEPAGE)
    madvise(range, kReserved, MADV_HUGEPAGE);  // a hint: refused, it is still memory
#endif
  }
  std::uintptr_t step = committed_ == 0 ? kFirstCommit : committed_;
  if (step > kHugePage) step = kHugePage;
  if (committed_ + step > kReserved) return false;
  if (mprotect(reinterpret_cast<void*>(base_ + committed_), step, PROT_READ | PROT_WRITE) != 0) {
    return false;
  }
  committed_ += step;
  return true;
#else
  return false;
#endif
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

void CellPool::Release(void* object) {
  Tag(object) = 0;
  std::memcpy(object, &free_, sizeof free_);
  free_ = object;
  Poison(object, size_ - kTag, true);
}

}  // namespace zeltav
