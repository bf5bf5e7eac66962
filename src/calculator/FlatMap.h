// An insert-only open-addressing map, for the side tables of one
// calculator or one walk.
#ifndef ZELTAV_FLAT_MAP_H
#define ZELTAV_FLAT_MAP_H

#include <cstdint>
#include <new>
#include <type_traits>

namespace zeltav {

// The hash of a node pointer key.
struct NodeHash {
  std::uint64_t operator()(const void* n) const {
    return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(n)) * 0x9e3779b97f4a7c15ULL;
  }
};

// A slot of FlatMap. A pointer key is never null, so a null key marks an
// empty slot and the slot needs no flag of its own: a map from node to node
// takes 16 bytes a slot instead of 24.
template <class Key, class Value, bool = std::is_pointer<Key>::value>
struct FlatSlot {
  Key key;
  Value value;
  bool used;
  bool Used() const { return used; }
  void Empty() { used = false; }
  static bool Storable(const Key&) { return true; }
  static FlatSlot Of(const Key& key, const Value& value) { return FlatSlot{key, value, true}; }
};
template <class Key, class Value>
struct FlatSlot<Key, Value, true> {
  Key key;
  Value value;
  bool Used() const { return key != nullptr; }
  void Empty() { key = nullptr; }
  static bool Storable(const Key& key) { return key != nullptr; }
  static FlatSlot Of(const Key& key, const Value& value) { return FlatSlot{key, value}; }
};

// An insert-only map in one array (open addressing, linear probing). Hash
// gives a key's 64-bit hash, Key has ==. Out of memory, or for a null
// pointer key, Put fails and the map stays as it was.
template <class Key, class Value, class Hash>
class FlatMap {
 public:
  FlatMap() = default;
  FlatMap(const FlatMap&) = delete;
  FlatMap& operator=(const FlatMap&) = delete;
  ~FlatMap() { delete[] slots_; }
  // The value kept for key, or null.
  const Value* Get(const Key& key) const {
    if (count_ == 0) return nullptr;
    for (unsigned int i = Start(key);; i = (i + 1) & (capacity_ - 1)) {
      if (!slots_[i].Used()) return nullptr;
      if (slots_[i].key == key) return &slots_[i].value;
    }
  }
  // The value kept for key, to be changed in place (which cannot fail), or
  // null.
  Value* Get(const Key& key) {
    return const_cast<Value*>(static_cast<const FlatMap*>(this)->Get(key));
  }
  // Sets key's value, or leaves the one it has when keep is set; false when
  // key could not be stored.
  bool Put(const Key& key, const Value& value, bool keep) {
    if (!Slot::Storable(key)) return false;
    if (2 * (count_ + 1) > capacity_ && !Grow()) return false;
    unsigned int i = Start(key);
    while (slots_[i].Used() && !(slots_[i].key == key)) i = (i + 1) & (capacity_ - 1);
    if (slots_[i].Used()) {
      if (!keep) slots_[i].value = value;
      return true;
    }
    slots_[i] = Slot::Of(key, value);
    ++count_;
    return true;
  }
  // Every entry goes; the array stays for the next ones.
  void Clear() {
    for (unsigned int i = 0; i < capacity_; ++i) slots_[i].Empty();
    count_ = 0;
  }

 private:
  using Slot = FlatSlot<Key, Value>;
  unsigned int Start(const Key& key) const {
    return static_cast<unsigned int>(Hash()(key) >> 32) & (capacity_ - 1);
  }
  bool Grow() {
    const unsigned int capacity = capacity_ == 0 ? 64u : 2 * capacity_;
    Slot* slots = new (std::nothrow) Slot[capacity]();
    if (slots == nullptr) return false;
    Slot* old = slots_;
    const unsigned int oldCapacity = capacity_;
    slots_ = slots;
    capacity_ = capacity;
    for (unsigned int k = 0; k < oldCapacity; ++k) {
      if (!old[k].Used()) continue;
      unsigned int i = Start(old[k].key);
      while (slots_[i].Used()) i = (i + 1) & (capacity_ - 1);
      slots_[i] = old[k];
    }
    delete[] old;
    return true;
  }

  Slot* slots_ = nullptr;
  unsigned int capacity_ = 0;  // a power of two
  unsigned int count_ = 0;
};

}  // namespace zeltav

#endif
