#include "NumberFormat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace zelcalc {

std::string FormatNumber(double value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  char buf[40];
  for (int precision = 1; precision <= 17; ++precision) {
    std::snprintf(buf, sizeof buf, "%.*g", precision, value);
    double back = std::strtod(buf, nullptr);
    // Compare bits so that -0 keeps its sign.
    if (std::memcmp(&back, &value, sizeof value) == 0) break;
  }
  // Whole numbers read better without an exponent while that costs little:
  // 1000 rather than 1e+03, but 1e+21 stays.
  std::string shortest = buf;
  if (shortest.find('e') != std::string::npos && std::fabs(value) < 1e17 &&
      value == std::floor(value)) {
    std::snprintf(buf, sizeof buf, "%.0f", value);
    if (std::string(buf).size() <= shortest.size() + 2) return buf;
  }
  return shortest;
}

}  // namespace zelcalc
