// Numbers as text: the shortest decimal that reads back as the same double.
#ifndef ZELCALC_NUMBERFORMAT_H
#define ZELCALC_NUMBERFORMAT_H

#include <string>

namespace zelcalc {

// "inf", "-inf", "nan", or the shortest %g form that round-trips exactly.
std::string FormatNumber(double value);

}  // namespace zelcalc

#endif
