// The calculator's four options as zelcalc names them, in one table read by
// the command line (--gauss, --no-gauss, ...), the "option" statement and help.
#ifndef ZELCALC_OPTIONS_H
#define ZELCALC_OPTIONS_H

#include <ZELTavSymbolicCalculator.h>

#include <string>
#include <vector>

namespace zelcalc {

struct OptionInfo {
  const char* name;
  void (ZELSymbolicCalculator::*set)(int);
  bool defaultOn;
  const char* meaning;
};

const std::vector<OptionInfo>& OptionTable();

// The row named so; null if there is none.
const OptionInfo* FindOption(const std::string& name);

// "gauss, subst, transfer or divreplace", for messages.
std::string OptionNames();

}  // namespace zelcalc

#endif
