// Where the first linear-variable record of each identifier stands in the
// calculator's list, so that a lookup is not a walk of the list. Records are
// only ever appended and no record leaves the calculator, so the index
// catches up with the appended ones when the list has grown; an entry that
// no longer names its record's identifier (a record changed in place) makes
// the index start over from the list.
#ifndef ZELTAV_RECORD_INDEX_H
#define ZELTAV_RECORD_INDEX_H

#include <cstdint>

#include "ZELTavSymbolicCalculator/Calculator.h"
#include "calculator/FlatMap.h"

namespace zeltav {

// The first non-null record of list with identifier id, or null, walking
// the slots directly.
template <class Record>
Record* ScanRecords(const ZELICVectorImp<Record>& list, unsigned long long id) {
  const unsigned int count = list.Count();
  if (count == 0) return nullptr;
  Record* const* const slots = &list[0];
  for (unsigned int i = 0; i < count; ++i) {
    Record* const r = slots[i];
    if (r != nullptr && r->id == id) return r;
  }
  return nullptr;
}

class RecordIndex {
 public:
  RecordIndex() = default;
  RecordIndex(const RecordIndex&) = delete;
  RecordIndex& operator=(const RecordIndex&) = delete;

  // The first non-null record of list with identifier id, or null; false
  // when the index could not be made (the caller walks the list then).
  bool Find(const ZELICVectorImp_ZELS3LinearVariable& list, unsigned long long id,
            ZELS3LinearVariable** found);

 private:
  struct IdHash {
    std::uint64_t operator()(unsigned long long id) const;
  };
  bool CatchUp(const ZELICVectorImp_ZELS3LinearVariable& list);
  void Clear();

  // An identifier's first record's list position + 1.
  FlatMap<unsigned long long, std::uint32_t, IdHash> positions_;
  unsigned int indexed_ = 0;  // list positions looked at so far
};

}  // namespace zeltav

#endif
