// Temporary change of a calculator option that no return path can forget:
// the option takes `during` now and `onExit` when the scope ends (by default
// the value it had before).
//   ScopedOption noSubst(calc, &ZELSymbolicCalculator::GetSubst,
//                        &ZELSymbolicCalculator::SetSubst, 0);
#ifndef ZELTAV_SCOPED_OPTION_H
#define ZELTAV_SCOPED_OPTION_H

#include "ZELTavSymbolicCalculator/Calculator.h"

namespace zeltav {

class ScopedOption {
 public:
  using Getter = int (ZELSymbolicCalculator::*)() const;
  using Setter = void (ZELSymbolicCalculator::*)(int);

  ScopedOption(ZELSymbolicCalculator* calc, Getter get, Setter set, int during)
      : ScopedOption(calc, set, during, (calc->*get)()) {}
  ScopedOption(ZELSymbolicCalculator* calc, Setter set, int during, int onExit)
      : calc_(calc), set_(set), onExit_(onExit) {
    (calc_->*set_)(during);
  }
  ~ScopedOption() { (calc_->*set_)(onExit_); }
  ScopedOption(const ScopedOption&) = delete;
  ScopedOption& operator=(const ScopedOption&) = delete;

 private:
  ZELSymbolicCalculator* calc_;
  Setter set_;
  int onExit_;
};

// The four options as one number, for what remembers a result together
// with the options it was made under.
inline unsigned int OptionBits(const ZELSymbolicCalculator* calc) {
  return (calc->GetGauss() != 0 ? 1u : 0u) | (calc->GetSubst() != 0 ? 2u : 0u) |
         (calc->GetDivReplace() != 0 ? 4u : 0u) | (calc->GetTransfer() != 0 ? 8u : 0u);
}

}  // namespace zeltav

#endif
