// Writes the processed system with every shared node once: as an SMT-LIB
// script (let and define-fun) or as infix with "t1 := ..." definitions.
#ifndef ZELCALC_SMTWRITER_H
#define ZELCALC_SMTWRITER_H

#include <ZELTavSymbolicCalculator.h>

#include <set>
#include <string>
#include <vector>

#include "Printer.h"

namespace zelcalc {

// The shortest decimal that reads back as the same double, in SMT-LIB form:
// "0.1", "3.0", "(- 2.5)", never an exponent.
std::string SmtNumber(double value);

// An SMT-LIB script: set-logic (logic, or one chosen from the operations
// used when empty), a declaration per variable used, one assert per root and
// (check-sat). A node the output uses more than once is bound once: with let
// inside the one assert that uses it, else with define-fun before the
// asserts. Variables in booleans stand for p = 1 and are written as Bool
// where the output uses them only that way. The first fixings roots are the
// calculator's fixed variables (x = value); a later x = value is written so
// that it reads back as an equation kept, not as a fixing.
std::string WriteSmt(const std::vector<const ZELS3Node*>& roots, const VariableNames& names,
                     const std::set<unsigned long long>& booleans, const std::string& logic,
                     std::size_t fixings);

// Infix, one line per root, after a line "tN := ..." for each node used more
// than once.
std::string WriteInfixLet(const std::vector<const ZELS3Node*>& roots, const Printer& printer,
                          const VariableNames& names);

// Distinct nodes reachable from the roots, leaves included.
std::size_t CountNodes(const std::vector<const ZELS3Node*>& roots);

}  // namespace zelcalc

#endif
