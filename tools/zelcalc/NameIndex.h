// Identifiers by name, for the variable names of one session. Every
// occurrence of a name in the input is looked up, so a lookup should cost
// one probe: the table is one flat array whose slots hold a name of up to
// 19 bytes inline, with its hash and identifier; a longer name is kept
// aside and its slot refers to it.
#ifndef ZELCALC_NAME_INDEX_H
#define ZELCALC_NAME_INDEX_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zelcalc {

class NameIndex {
 public:
  // name's identifier, or null when it has none.
  const unsigned long long* Find(std::string_view name) const;
  bool Contains(std::string_view name) const { return Find(name) != nullptr; }
  // Gives name the identifier id; a name already here keeps its own.
  void Insert(std::string_view name, unsigned long long id);
  std::size_t Size() const { return count_; }

 private:
  static constexpr std::size_t kInline = 19;
  static constexpr std::uint8_t kAside = 0xff;  // length of a name kept aside
  struct Slot {
    std::uint32_t tag = 0;  // part of the name's hash, never 0; 0 for an empty slot
    std::uint8_t length = 0;
    char text[kInline] = {};  // the name, or for a name kept aside its index
    unsigned long long id = 0;
  };
  static std::uint64_t Hash(std::string_view name);
  std::string_view NameOf(const Slot& s) const;
  // The slot holding name, or the empty slot where it would go.
  std::size_t Locate(std::string_view name, std::uint64_t hash) const;
  void Grow();

  std::vector<Slot> slots_;
  std::vector<std::string> aside_;
  std::size_t count_ = 0;
};

}  // namespace zelcalc

#endif
