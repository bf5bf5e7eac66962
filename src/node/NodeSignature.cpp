// The signature: an unsigned 32-bit hash of a node's structure, computed in
// one step from the signatures of its arguments. Equal nodes get equal
// signatures; all arithmetic wraps modulo 2^32.
//
// A node built by name with a wrong argument count is never read beyond its
// arguments: a missing or null argument contributes 0, and an odd trailing
// element of a sum or product contributes nothing.
#include <cmath>
#include <cstdint>

#include "ZELTavSymbolicCalculator/Calculator.h"
#include "node/NodeTypeTable.h"

namespace {

const std::uint32_t kTypeFactor = 11213u;
const std::uint32_t kProductOffset = 392455u;
const std::uint32_t kBoolOffset = 1001u;

// A character taken as a signed byte and widened with its sign.
std::uint32_t Widen(char c) {
  return static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<signed char>(c)));
}

// The text padded with spaces to 33 characters (or cut there), summed in
// groups of three as c0 | c1 << 8 | c2 << 16, and reduced modulo 229.
const unsigned kTextLength = 33;

std::uint32_t HashPaddedText(const char* text) {
  char buffer[kTextLength];
  unsigned n = 0;
  for (; n < kTextLength && text != nullptr && text[n] != '\0'; ++n) buffer[n] = text[n];
  for (; n < kTextLength; ++n) buffer[n] = ' ';
  std::uint32_t sum = 0;
  for (unsigned g = 0; g < kTextLength; g += 3) {
    sum += (((Widen(buffer[g + 2]) << 8) | Widen(buffer[g + 1])) << 8) | Widen(buffer[g]);
  }
  return sum % 229u;
}

// The sum the spaces from position n on add to it.
struct Padding {
  std::uint32_t from[kTextLength + 1];
};
constexpr Padding MakePadding() {
  Padding p{};
  std::uint32_t sum = 0;
  for (unsigned i = kTextLength; i-- > 0;) {
    sum += std::uint32_t{' '} << (8 * (i % 3));
    p.from[i] = sum;
  }
  return p;
}
constexpr Padding kPadding = MakePadding();

// Bytes below 0x80 do not overlap within a group, so a group is the sum of
// its shifted bytes and the padding is added at once. A byte with its top
// bit set widens with its sign: such a text takes the long way.
std::uint32_t HashText(const char* text) {
  if (text == nullptr) return HashPaddedText(text);
  std::uint32_t sum = 0;
  unsigned n = 0;
  for (unsigned shift = 0; n < kTextLength && text[n] != '\0'; ++n) {
    const unsigned char c = static_cast<unsigned char>(text[n]);
    if (c >= 0x80) return HashPaddedText(text);
    sum += std::uint32_t{c} << shift;
    shift = shift == 16 ? 0 : shift + 8;
  }
  return (sum + kPadding.from[n]) % 229u;
}

std::uint32_t HashName(const ZELString& name) { return HashText(static_cast<const char*>(name)); }

// Only the low 32 bits of the identifier count: 2^32 + 7 hashes like 7.
std::uint32_t HashVariableId(unsigned long long id) {
  // The decimal digits written by hand: a formatted print cost a tenth of
  // building a variable.
  char digits[11];
  char* end = digits + sizeof digits;
  *--end = '\0';
  std::uint32_t rest = static_cast<std::uint32_t>(id);
  do {
    *--end = static_cast<char>('0' + rest % 10u);
    rest /= 10u;
  } while (rest != 0);
  return HashText(end);
}

// Whole numbers below 2^31 - 1 hash to |i| (+119 when negative): 2 -> 2,
// -1 -> 120. Everything else mixes the binary exponent and the mantissa.
std::uint32_t HashConstant(double x) {
  // Any value that depends only on the constant will do for these.
  if (std::isnan(x)) return 0x7ff80000u;
  if (std::isinf(x)) return x > 0 ? 0x7ff00000u : 0xfff00000u;
  if (x == std::ceil(x) && std::fabs(x) < 2147483647.0) {
    std::int32_t i = static_cast<std::int32_t>(x);
    return i < 0 ? static_cast<std::uint32_t>(-i) + 119u : static_cast<std::uint32_t>(i);
  }
  int e = 0;
  double m = std::frexp(std::fabs(x), &e);
  double mixed = static_cast<double>((43 - e) * 997) + m * 1e9;
  mixed += x < 0 ? 357.0 : 238.0;
  return static_cast<std::uint32_t>(static_cast<std::int64_t>(mixed));
}

}  // namespace

void ZELS3Node::CalculateSignature() {
  const zeltav::NodeTypeFacts* facts = zeltav::FactsOf(type);
  if (facts == nullptr) {
    ZELSymbolicCalculator::SetError(10011);
    return;
  }
  const unsigned int count = args.Count();
  auto sig = [this, count](unsigned int i) -> std::uint32_t {
    ZELS3Node* a = i < count ? args[i] : nullptr;
    return a != nullptr ? a->signature : 0u;
  };
  auto sumOfArgs = [&sig, count]() {
    std::uint32_t s = 0;
    for (unsigned int i = 0; i < count; ++i) s += sig(i);
    return s;
  };
  const std::uint32_t typed = kTypeFactor * static_cast<std::uint32_t>(type);

  switch (facts->shape) {
    case zeltav::ArgShape::None:
      if (type == NodeVariable) {
        signature = HashVariableId(value.id);
      } else if (type == NodeConstant) {
        signature = HashConstant(value.constant);
      } else if (type == NodeBoolConst) {
        signature = value.boolean + kBoolOffset;
      } else {
        ZELSymbolicCalculator::SetError(10011);  // the difference request
      }
      return;
    case zeltav::ArgShape::One:
      signature = typed + sig(0);  // sin x: 11213 * 26 + sig(x)
      return;
    case zeltav::ArgShape::Two:
      // x = y and y = x collide; x < y is sig(x) + 11213 * 11 + 2 * sig(y).
      signature =
          facts->symmetricSignature ? typed + sig(1) + sig(0) : sig(0) + typed + 2u * sig(1);
      return;
    case zeltav::ArgShape::List:
      signature = sumOfArgs();  // min and max over the same arguments collide
      return;
    case zeltav::ArgShape::Pairs: {
      std::uint32_t s = 0;
      for (unsigned int k = 0; k + 1 < count; k += 2) s += sig(k) * sig(k + 1);
      signature = type == NodeProduct ? s + kProductOffset : s;
      return;
    }
    case zeltav::ArgShape::Named:
      signature = HashName(name) + sumOfArgs();
      return;
  }
  ZELSymbolicCalculator::SetError(10011);
}
