// Reserved address ranges, committed step by step, for the library's own
// allocators (node cells, slot arrays). Reserving costs no memory; pages are
// committed as they are handed out. Memory held but not handed out can be
// marked so that the address sanitizer catches a use of it as it would on
// the heap.
#ifndef ZELTAV_ADDRESS_RANGE_H
#define ZELTAV_ADDRESS_RANGE_H

#include <cstddef>
#include <cstdint>

namespace zeltav {

// A range of bytes of address space, or 0 when refused (or not on Linux).
std::uintptr_t ReserveRange(std::size_t bytes);
// Commits the next step of the range of bytes at base whose first
// *committed bytes are committed, and adds it to *committed; false when the
// range is full or the step is refused. Steps are 64 KB first, doubling up
// to 2 MB, so that a small calculator stays small and a large one changes
// its mapping once per 2 MB (with ZELTAV_HUGE_PAGES, the range asks for
// pages of that size).
bool CommitNext(std::uintptr_t base, std::size_t bytes, std::uintptr_t* committed);
// Gives back a range, unpoisoning its committed bytes first: the range may
// be mapped again, by anyone.
void ReleaseRange(std::uintptr_t base, std::size_t bytes, std::size_t committed);

// Marks bytes at p as not to be used (poisoned) or usable again; nothing
// without the address sanitizer.
void Poison(void* p, std::size_t bytes, bool poisoned);

}  // namespace zeltav

#endif
