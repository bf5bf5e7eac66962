// The index of the linear-variable records by identifier (RecordIndex.h).
#include "calculator/RecordIndex.h"

namespace zeltav {

std::uint64_t RecordIndex::IdHash::operator()(unsigned long long id) const {
  std::uint64_t z = id + 0x9e3779b97f4a7c15ULL;
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
  return z ^ (z >> 31);
}

void RecordIndex::Clear() {
  positions_.Clear();
  indexed_ = 0;
}

// Enters the records appended since the last call; an identifier already
// entered keeps its first record.
bool RecordIndex::CatchUp(const ZELICVectorImp_ZELS3LinearVariable& list) {
  const unsigned int count = list.Count();
  if (count < indexed_) Clear();
  for (; indexed_ < count; ++indexed_) {
    const ZELS3LinearVariable* r = list[indexed_];
    if (r != nullptr && !positions_.Put(r->id, indexed_ + 1, true)) return false;
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
    const std::uint32_t* position = positions_.Get(id);
    if (position == nullptr) return true;
    ZELS3LinearVariable* r = list[*position - 1];
    if (r != nullptr && r->id == id) {
      *found = r;
      return true;
    }
    Clear();  // a record changed in place: start over
  }
  return false;
}

}  // namespace zeltav
