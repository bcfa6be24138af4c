// Flush-to-zero and denormals-are-zero for the duration of a processing call.
// Tiny values decaying in feedback paths would otherwise cost many cycles per
// operation. The caller's mode is restored when the guard goes out of scope,
// so the host never sees its floating-point environment changed.
#pragma once

#if defined(__SSE__) || defined(__x86_64__) || defined(_M_X64)
#include <xmmintrin.h>
#define VRELS_HAS_MXCSR 1
#endif

namespace vrels {

class ScopedFlushDenormals {
 public:
  ScopedFlushDenormals() {
#ifdef VRELS_HAS_MXCSR
    mSaved = _mm_getcsr();
    _mm_setcsr(mSaved | kFlushToZero | kDenormalsAreZero);
#endif
  }
  ~ScopedFlushDenormals() {
#ifdef VRELS_HAS_MXCSR
    _mm_setcsr(mSaved);
#endif
  }
  ScopedFlushDenormals(const ScopedFlushDenormals&) = delete;
  ScopedFlushDenormals& operator=(const ScopedFlushDenormals&) = delete;

 private:
#ifdef VRELS_HAS_MXCSR
  static const unsigned kFlushToZero = 0x8000;
  static const unsigned kDenormalsAreZero = 0x0040;
  unsigned mSaved;
#endif
};

}  // namespace vrels
