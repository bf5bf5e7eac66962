// Builds x + y = 3 through the installed interface and reads the output back.
#include <ZELTavSymbolicCalculator.h>

#include <cstdio>
#include <cstring>

int main() {
  if (std::strcmp(ZELTAV_VERSION_STRING, PACKAGE_VERSION) != 0) {
    std::printf("consumer failed: headers of %s, package %s\n", ZELTAV_VERSION_STRING,
                PACKAGE_VERSION);
    return 1;
  }
  ZELSymbolicCalculator calc;
  ZELICVectorImp_ZELS3Node sumArgs(2u, 5u);
  sumArgs.Add(CreateExpression(1ULL, static_cast<unsigned char>(0)));
  sumArgs.Add(CreateExpression(2ULL, static_cast<unsigned char>(0)));
  ZELICVectorImp_ZELS3Node relArgs(2u, 5u);
  relArgs.Add(CreateExpression(ZELString("+"), sumArgs));
  relArgs.Add(CreateExpression(3.0));
  calc.AddEquation(CreateExpression(ZELString("="), relArgs));
  calc.Simplify();
  if (calc.GetError() != 0 || calc.GetNumberOfEquations() != 1 || !calc.GetEquation(0)) {
    std::printf("consumer failed: error %d, %u equations\n", calc.GetError(),
                calc.GetNumberOfEquations());
    return 1;
  }
  std::printf("consumer ok: %s\n", static_cast<const char*>(calc.GetEquation(0)->GetOperName()));
  return ORVANE_KOSMA_FWK2_INTERNAL_ZELTavSymbolicCalculator() == 1 ? 0 : 1;
}
