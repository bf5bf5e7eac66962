#include "zeltav_support/NumberFormat.h"

#include <charconv>
#include <cmath>

namespace zeltav_support {

std::string FormatNumber(double value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  char buf[64];
  // The shortest round-trip form, in %g style: "1e+21", "0.1", "1e-07".
  const auto shortest = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general);
  std::string text(buf, shortest.ptr);
  if (text.find('e') != std::string::npos && std::fabs(value) < 1e17 &&
      value == std::floor(value)) {
    const auto fixed = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    if (static_cast<size_t>(fixed.ptr - buf) <= text.size() + 2) return std::string(buf, fixed.ptr);
  }
  return text;
}

}  // namespace zeltav_support
