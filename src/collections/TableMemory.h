// Zeroed storage for the calculator's large private tables. A table of
// 2 MB or more is mapped on its own, so that it grows by moving its pages,
// not its bytes. Built with ZELTAV_HUGE_PAGES, the mapping also asks for
// 2 MB pages: fewer TLB misses for probes that land anywhere in it, but on
// a virtual machine whose host takes back free 2 MB blocks, each such page
// costs a fault in the host when first written.
#ifndef ZELTAV_TABLE_MEMORY_H
#define ZELTAV_TABLE_MEMORY_H

#include <cstddef>
#include <type_traits>

namespace zeltav {

// bytes of zeroed memory, or null when there is none.
void* AllocateTable(std::size_t bytes);
// Frees what AllocateTable(bytes) gave (null is ignored).
void FreeTable(void* block, std::size_t bytes);
// Grows what AllocateTable(bytes) gave to newBytes, keeping its bytes and
// zeroing the rest, or null (the block then stays as it was). A mapped block
// is moved by the kernel's page tables, not copied: its pages are neither
// read again nor given back to be zeroed anew.
void* GrowTable(void* block, std::size_t bytes, std::size_t newBytes);

// n zeroed items; the items are plain data, so zero bytes are their value.
template <class T>
T* NewTable(std::size_t n) {
  static_assert(std::is_trivially_copyable<T>::value, "tables hold plain data");
  if (n > static_cast<std::size_t>(-1) / sizeof(T)) return nullptr;
  return static_cast<T*>(AllocateTable(n * sizeof(T)));
}

template <class T>
void DeleteTable(T* items, std::size_t n) {
  FreeTable(items, n * sizeof(T));
}

// items, n of them, grown to newN items, the new ones zero; null when there is
// no memory (items then stay).
template <class T>
T* GrowTable(T* items, std::size_t n, std::size_t newN) {
  static_assert(std::is_trivially_copyable<T>::value, "tables hold plain data");
  if (newN > static_cast<std::size_t>(-1) / sizeof(T)) return nullptr;
  return static_cast<T*>(GrowTable(static_cast<void*>(items), n * sizeof(T), newN * sizeof(T)));
}

}  // namespace zeltav

#endif
