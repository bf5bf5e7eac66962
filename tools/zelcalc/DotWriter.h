// Writes expression graphs in Graphviz format: every shared node once, edges
// labelled by argument position, so sharing shows as several incoming edges.
#ifndef ZELCALC_DOTWRITER_H
#define ZELCALC_DOTWRITER_H

#include <ZELTavSymbolicCalculator.h>

#include <ostream>
#include <vector>

#include "Printer.h"

namespace zelcalc {

// roots[i] is drawn under the caption "equation i+1"; null roots are left out.
void WriteDot(std::ostream& out, const std::vector<const ZELS3Node*>& roots,
              const Printer& printer);

}  // namespace zelcalc

#endif
