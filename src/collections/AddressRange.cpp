#include "collections/AddressRange.h"

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

std::uintptr_t ReserveRange(std::size_t bytes) {
#if defined(__linux__)
  void* range = mmap(nullptr, bytes, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (range == MAP_FAILED) return 0;
#if defined(ZELTAV_HUGE_PAGES) && defined(MADV_HUGEPAGE)
  madvise(range, bytes, MADV_HUGEPAGE);  // a hint: refused, it is still memory
#endif
  return reinterpret_cast<std::uintptr_t>(range);
#else
  static_cast<void>(bytes);
  return 0;
#endif
}

bool CommitNext(std::uintptr_t base, std::size_t bytes, std::uintptr_t* committed) {
  const std::uintptr_t first = std::uintptr_t{64} << 10;
  const std::uintptr_t hugePage = std::uintptr_t{2} << 20;
  std::uintptr_t step = *committed == 0 ? first : *committed;
  if (step > hugePage) step = hugePage;
  if (*committed + step > bytes) return false;
#if defined(__linux__)
  if (mprotect(reinterpret_cast<void*>(base + *committed), step, PROT_READ | PROT_WRITE) != 0) {
    return false;
  }
  *committed += step;
  return true;
#else
  static_cast<void>(base);
  return false;
#endif
}

void ReleaseRange(std::uintptr_t base, std::size_t bytes, std::size_t committed) {
  if (base == 0) return;
  Poison(reinterpret_cast<void*>(base), committed, false);
#if defined(__linux__)
  munmap(reinterpret_cast<void*>(base), bytes);
#endif
}

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

}  // namespace zeltav
