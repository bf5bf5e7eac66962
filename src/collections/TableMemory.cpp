#include "collections/TableMemory.h"

#include <cstdlib>
#include <cstring>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace zeltav {

namespace {

const std::size_t kHugePage = std::size_t{2} << 20;

#if defined(__linux__)
std::size_t Mapped(std::size_t bytes) { return (bytes + kHugePage - 1) & ~(kHugePage - 1); }
#endif

}  // namespace

void* AllocateTable(std::size_t bytes) {
  if (bytes == 0) bytes = 1;
#if defined(__linux__)
  if (bytes >= kHugePage) {
    // A mapping of its own comes zeroed, grows without a copy, and is a
    // whole number of 2 MB pages.
    void* block =
        mmap(nullptr, Mapped(bytes), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED) return nullptr;
#if defined(ZELTAV_HUGE_PAGES) && defined(MADV_HUGEPAGE)
    madvise(block, Mapped(bytes), MADV_HUGEPAGE);  // a hint: refused, it is still memory
#endif
    return block;
  }
#endif
  return std::calloc(1, bytes);
}

void FreeTable(void* block, std::size_t bytes) {
  if (block == nullptr) return;
  if (bytes == 0) bytes = 1;
#if defined(__linux__)
  if (bytes >= kHugePage) {
    munmap(block, Mapped(bytes));
    return;
  }
#endif
  std::free(block);
}

void* GrowTable(void* block, std::size_t bytes, std::size_t newBytes) {
  if (block == nullptr) return AllocateTable(newBytes);
#if defined(__linux__)
  if (bytes >= kHugePage) {
    // Bytes past the old size were never written: they are still zero.
    void* moved = mremap(block, Mapped(bytes), Mapped(newBytes), MREMAP_MAYMOVE);
    return moved != MAP_FAILED ? moved : nullptr;
  }
#endif
  void* grown = AllocateTable(newBytes);
  if (grown == nullptr) return nullptr;
  if (bytes != 0) std::memcpy(grown, block, bytes < newBytes ? bytes : newBytes);
  FreeTable(block, bytes);
  return grown;
}

}  // namespace zeltav
