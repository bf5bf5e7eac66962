// What the product rule (Product.cpp) tells others about its results.
#ifndef ZELTAV_SIMPLIFY_PRODUCT_H
#define ZELTAV_SIMPLIFY_PRODUCT_H

#include "ZELTavSymbolicCalculator/Calculator.h"

namespace zeltav {

// Whether the product rule, run again on p just after it ran, would give p
// back as it is and set no error: no factor is a number, a product or a
// scaled term +(c, t) under a number exponent, no exponent is missing or
// the number 0, and p is not *(b, 1). Equal factors need no check: the run
// that made p merged them, and what Equal says of two factors holds until a
// registered node changes.
bool ProductLeftAsIs(const ZELS3Node* p);

}  // namespace zeltav

#endif
