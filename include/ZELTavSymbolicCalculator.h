// ZELTavSymbolicCalculator: the whole public interface.
#ifndef ZELTAV_SYMBOLIC_CALCULATOR_H
#define ZELTAV_SYMBOLIC_CALCULATOR_H

#include "ZELTavSymbolicCalculator/Calculator.h"
#include "ZELTavSymbolicCalculator/Export.h"
#include "ZELTavSymbolicCalculator/Host.h"
#include "ZELTavSymbolicCalculator/Node.h"
#include "ZELTavSymbolicCalculator/Vector.h"
#include "ZELTavSymbolicCalculator/Version.h"

#endif
