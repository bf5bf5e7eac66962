// Numbers as text: the shortest decimal that reads back as the same double.
#ifndef ZELTAV_SUPPORT_NUMBERFORMAT_H
#define ZELTAV_SUPPORT_NUMBERFORMAT_H

#include <string>

namespace zeltav_support {

// "inf", "-inf", "nan", or the shortest text that strtod reads back to the
// same bits (so -0 keeps its sign). Whole numbers below 1e17 are written
// without an exponent when that is at most two characters longer: 1000, not 1e+03.
std::string FormatNumber(double value);

}  // namespace zeltav_support

#endif
