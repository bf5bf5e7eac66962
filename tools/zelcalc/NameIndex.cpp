#include "NameIndex.h"

#include <cstring>
#include <functional>

namespace zelcalc {

std::uint64_t NameIndex::Hash(std::string_view name) {
  return std::hash<std::string_view>()(name) * 0x9E3779B97F4A7C15ull;
}

std::string_view NameIndex::NameOf(const Slot& s) const {
  if (s.length != kAside) return std::string_view(s.text, s.length);
  std::uint32_t at = 0;
  std::memcpy(&at, s.text, sizeof at);
  return aside_[at];
}

std::size_t NameIndex::Locate(std::string_view name, std::uint64_t hash) const {
  const std::size_t mask = slots_.size() - 1;
  const std::uint32_t tag = static_cast<std::uint32_t>(hash) | 1u;
  for (std::size_t i = static_cast<std::size_t>(hash >> 32) & mask;; i = (i + 1) & mask) {
    const Slot& s = slots_[i];
    if (s.tag == 0 || (s.tag == tag && NameOf(s) == name)) return i;
  }
}

const unsigned long long* NameIndex::Find(std::string_view name) const {
  if (count_ == 0) return nullptr;
  const Slot& s = slots_[Locate(name, Hash(name))];
  return s.tag != 0 ? &s.id : nullptr;
}

void NameIndex::Insert(std::string_view name, unsigned long long id) {
  if (2 * (count_ + 1) > slots_.size()) Grow();
  const std::uint64_t hash = Hash(name);
  Slot& s = slots_[Locate(name, hash)];
  if (s.tag != 0) return;
  s.tag = static_cast<std::uint32_t>(hash) | 1u;
  s.id = id;
  if (name.size() <= kInline) {
    s.length = static_cast<std::uint8_t>(name.size());
    std::memcpy(s.text, name.data(), name.size());
  } else {
    const auto at = static_cast<std::uint32_t>(aside_.size());
    aside_.emplace_back(name);
    s.length = kAside;
    std::memcpy(s.text, &at, sizeof at);
  }
  ++count_;
}

void NameIndex::Grow() {
  std::vector<Slot> old(slots_.empty() ? 64 : 2 * slots_.size());
  old.swap(slots_);
  for (const Slot& s : old) {
    if (s.tag == 0) continue;
    const std::string_view name = NameOf(s);
    slots_[Locate(name, Hash(name))] = s;
  }
}

}  // namespace zelcalc
