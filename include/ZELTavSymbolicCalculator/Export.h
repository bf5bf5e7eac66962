// Symbol visibility for the calculator library. Everything is hidden by
// default; ZELTAV_API marks what a host may link against.
#ifndef ZELTAV_EXPORT_H
#define ZELTAV_EXPORT_H

#if defined(__GNUC__) || defined(__clang__)
#define ZELTAV_API __attribute__((visibility("default")))
// Members of exported classes that only the library itself calls.
#define ZELTAV_LOCAL __attribute__((visibility("hidden")))
#else
#define ZELTAV_API
#define ZELTAV_LOCAL
#endif

#endif
