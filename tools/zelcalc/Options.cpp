#include "Options.h"

namespace zelcalc {

const std::vector<OptionInfo>& OptionTable() {
  static const std::vector<OptionInfo> table = {
      {"gauss", &ZELSymbolicCalculator::SetGauss, false,
       "eliminate variables from linear equations"},
      {"subst", &ZELSymbolicCalculator::SetSubst, false, "replace fixed variables by their values"},
      {"transfer", &ZELSymbolicCalculator::SetTransfer, true,
       "move terms to the side where they are positive"},
      {"divreplace", &ZELSymbolicCalculator::SetDivReplace, true, "rewrite divisions by numbers"}};
  return table;
}

const OptionInfo* FindOption(const std::string& name) {
  for (const OptionInfo& o : OptionTable())
    if (name == o.name) return &o;
  return nullptr;
}

std::string OptionNames() {
  std::string s;
  const auto& table = OptionTable();
  for (size_t i = 0; i < table.size(); ++i) {
    if (i > 0) s += i + 1 == table.size() ? " or " : ", ";
    s += table[i].name;
  }
  return s;
}

}  // namespace zelcalc
