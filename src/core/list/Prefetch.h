// A hint to fetch memory into the cache before it is read or written, where the compiler has
// one; nothing elsewhere. The sorts use it for rows that lie scattered in memory.
#pragma once

#if defined(_MSC_VER) && (defined(_M_X64) || defined(_M_IX86))
#include <xmmintrin.h>
#endif

namespace vek {

inline void prefetchForRead(const void* address) {
#if defined(__GNUC__) || defined(__clang__)
  __builtin_prefetch(address, 0);
#elif defined(_MSC_VER) && (defined(_M_X64) || defined(_M_IX86))
  _mm_prefetch(static_cast<const char*>(address), _MM_HINT_T0);
#else
  (void)address;
#endif
}

inline void prefetchForWrite(const void* address) {
#if defined(__GNUC__) || defined(__clang__)
  __builtin_prefetch(address, 1);
#else
  prefetchForRead(address);
#endif
}

}  // namespace vek
