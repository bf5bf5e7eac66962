// Writes library nodes as text: readable infix that the parser reads back,
// or the raw node structure (type number, name, arguments in order).
#ifndef ZELCALC_PRINTER_H
#define ZELCALC_PRINTER_H

#include <ZELTavSymbolicCalculator.h>
#include <zeltav_support/NodeText.h>

#include <map>
#include <string>
#include <unordered_map>

namespace zelcalc {

// Looked up for every variable written; nothing reads it in order.
using VariableNames = std::unordered_map<unsigned long long, std::string>;

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
