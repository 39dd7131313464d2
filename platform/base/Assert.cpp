#include <cstdio>
#include <cstdlib>

#include "platform/base/WinTypes.h"

void KqAssertFailed(const char* file, int line, const char* expr) {
    std::fprintf(stderr, "%s:%d: assertion failed: %s\n", file, line, expr);
#ifndef NDEBUG
    std::abort();
#endif
}
