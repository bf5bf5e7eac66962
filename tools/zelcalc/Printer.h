// Writes library nodes as text: readable infix that the parser reads back,
// or the raw node structure (type number, name, arguments in order).
#ifndef ZELCALC_PRINTER_H
#define ZELCALC_PRINTER_H

#include <ZELTavSymbolicCalculator.h>
#include <zeltav_support/NodeText.h>

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace zelcalc {

// Variable names by identifier, looked up for every variable written.
// zelcalc numbers its variables 1, 2, 3, ... as it meets them, so an
// identifier indexes an array: no hashing, and no pointer to chase through
// a map of tens of thousands of names. Other identifiers go to a map.
class VariableNames {
 public:
  using Entry = std::pair<unsigned long long, std::string>;
  using const_iterator = std::vector<Entry>::const_iterator;

  VariableNames() = default;
  VariableNames(std::initializer_list<Entry> entries) {
    for (const Entry& e : entries) emplace(e.first, e.second);
  }
  // Adds id's name; a name already there stays.
  void emplace(unsigned long long id, const std::string& name) {
    if (find(id) != end()) return;
    const auto at = static_cast<std::uint32_t>(entries_.size());
    entries_.emplace_back(id, name);
    if (id < kDense) {
      if (byId_.size() <= id) byId_.resize(static_cast<std::size_t>(id) + 1, kNone);
      byId_[static_cast<std::size_t>(id)] = at;
    } else {
      sparse_.emplace(id, at);
    }
  }
  const_iterator find(unsigned long long id) const {
    std::uint32_t at = kNone;
    if (id < kDense) {
      if (id < byId_.size()) at = byId_[static_cast<std::size_t>(id)];
    } else if (auto it = sparse_.find(id); it != sparse_.end()) {
      at = it->second;
    }
    return at == kNone ? end() : entries_.begin() + at;
  }
  // In the order the names were added.
  const_iterator begin() const { return entries_.begin(); }
  const_iterator end() const { return entries_.end(); }
  std::size_t size() const { return entries_.size(); }

 private:
  static constexpr unsigned long long kDense = 1u << 24;
  static constexpr std::uint32_t kNone = 0xffffffffu;
  std::vector<Entry> entries_;
  std::vector<std::uint32_t> byId_;  // entry position by identifier below kDense
  std::unordered_map<unsigned long long, std::uint32_t> sparse_;
};

class Printer {
 public:
  explicit Printer(const VariableNames& names) : names_(names) {}

  // Infix with minimal parentheses; "null" for a null node.
  std::string Infix(const ZELS3Node* node) const;
  // Exact structure, e.g. "33:+(1, x, -1, y)"; leaves as in Infix.
  std::string Raw(const ZELS3Node* node) const;

  std::string VariableName(const ZELS3Node* variable) const;

  // Nodes written by a name instead of their form (the "t1 := ..." output);
  // null for none.
  void SetBound(const std::map<const ZELS3Node*, std::string>* bound) const { bound_ = bound; }
  // A leaf as text (variable name, number, true/false); empty for operations.
  std::string Leaf(const ZELS3Node* node) const;

 private:
  struct Out {
    std::string text;
    int level;       // binding strength of the outermost operator (10 = atom)
    std::string op;  // the outermost chain operator, for "+", "-", "*" runs
  };

  static std::string Wrapped(const Out& out, int need);
  Out Print(const ZELS3Node* n) const;
  Out PrintSum(const ZELS3Node* n) const;
  Out PrintProduct(const ZELS3Node* n) const;
  Out PrintUnknown(const ZELS3Node* n) const;
  Out Call(const ZELS3Node* n) const;
  Out Relation(const ZELS3Node* n, const std::string& name) const;
  Out LeftBinary(const ZELS3Node* n, const std::string& name, int level) const;
  Out Prefix(const ZELS3Node* n, const std::string& name, int level) const;
  Out Implies(const ZELS3Node* n, const std::string& name) const;
  Out Quotient(const ZELS3Node* n, const std::string& name) const;
  Out Power(const ZELS3Node* base, const ZELS3Node* exponent, const std::string& name) const;
  Out Chain(const ZELS3Node* n, const std::string& name, int level) const;
  zeltav_support::NodeTextStyle Style() const;

  const VariableNames& names_;
  mutable long budget_ = 0;  // nodes left to print; shared nodes print once per use
  mutable const std::map<const ZELS3Node*, std::string>* bound_ = nullptr;
};

}  // namespace zelcalc

#endif
