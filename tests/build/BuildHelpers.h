// Kept for files that still include this name.
#ifndef ZELTAV_TEST_BUILD_HELPERS_H
#define ZELTAV_TEST_BUILD_HELPERS_H
#include "support/Builders.h"
namespace zeltav_test {
inline ZELS3Node* Build(const char* spelling, Args args) { return By(spelling, args); }
}  // namespace zeltav_test
#endif
