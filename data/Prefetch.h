// Asks for memory ahead of its use, so that walks over scattered entries overlap their
// cache misses instead of waiting for each in turn.
#pragma once

#include <cstddef>

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

// Every cache line of an object, whatever its alignment.
inline void PrefetchBytes(const void* p, size_t bytes) {
  const char* first = static_cast<const char*>(p);
  for (size_t at = 0; at < bytes + 63; at += 64) Prefetch(first + at);
}

}  // namespace tvn
