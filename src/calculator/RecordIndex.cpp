// The index of the linear-variable records by identifier (RecordIndex.h).
#include "calculator/RecordIndex.h"

#include <new>

namespace zeltav {

namespace {

unsigned int Home(unsigned long long id, unsigned int capacity) {
  std::uint64_t z = id + 0x9e3779b97f4a7c15ULL;
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
  return static_cast<unsigned int>(z ^ (z >> 31)) & (capacity - 1);
}

}  // namespace

RecordIndex::Slot* RecordIndex::Locate(unsigned long long id) const {
  unsigned int i = Home(id, capacity_);
  while (slots_[i].position != 0 && slots_[i].id != id) i = (i + 1) & (capacity_ - 1);
  return &slots_[i];
}

bool RecordIndex::Grow() {
  const unsigned int capacity = capacity_ == 0 ? 64u : 2 * capacity_;
  Slot* slots = new (std::nothrow) Slot[capacity]();
  if (slots == nullptr) return false;
  Slot* const old = slots_;
  const unsigned int oldCapacity = capacity_;
  slots_ = slots;
  capacity_ = capacity;
  for (unsigned int i = 0; i < oldCapacity; ++i) {
    if (old[i].position != 0) *Locate(old[i].id) = old[i];
  }
  delete[] old;
  return true;
}

void RecordIndex::Clear() {
  for (unsigned int i = 0; i < capacity_; ++i) slots_[i].position = 0;
  count_ = 0;
  indexed_ = 0;
}

// Enters the records appended since the last call; an identifier already
// entered keeps its first record.
bool RecordIndex::CatchUp(const ZELICVectorImp_ZELS3LinearVariable& list) {
  const unsigned int count = list.Count();
  if (count < indexed_) Clear();
  for (; indexed_ < count; ++indexed_) {
    const ZELS3LinearVariable* r = list[indexed_];
    if (r == nullptr) continue;
    if (2 * (count_ + 1) > capacity_ && !Grow()) return false;
    Slot* slot = Locate(r->id);
    if (slot->position != 0) continue;
    slot->id = r->id;
    slot->position = indexed_ + 1;
    ++count_;
  }
  return true;
}

bool RecordIndex::Find(const ZELICVectorImp_ZELS3LinearVariable& list, unsigned long long id,
                       ZELS3LinearVariable** found) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (!CatchUp(list)) {
      Clear();
      return false;
    }
    *found = nullptr;
    if (capacity_ == 0) return true;
    const Slot* slot = Locate(id);
    if (slot->position == 0) return true;
    ZELS3LinearVariable* r = list[slot->position - 1];
    if (r != nullptr && r->id == id) {
      *found = r;
      return true;
    }
    Clear();  // a record changed in place: start over
  }
  return false;
}

}  // namespace zeltav
