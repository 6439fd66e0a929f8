// Asks for memory ahead of its use, so that walks over scattered entries overlap their
// cache misses instead of waiting for each in turn.
#pragma once

#if defined(_MSC_VER) && (defined(_M_X64) || defined(_M_IX86))
#include <xmmintrin.h>
#endif

namespace tvn {

inline void Prefetch(const void* p) {
#if defined(__GNUC__) || defined(__clang__)
  __builtin_prefetch(p);
#elif defined(_MSC_VER) && (defined(_M_X64) || defined(_M_IX86))
  _mm_prefetch(static_cast<const char*>(p), _MM_HINT_T0);
#else
  (void)p;
#endif
}

}  // namespace tvn
