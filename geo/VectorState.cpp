#include "geo/VectorState.h"

namespace VectorState {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
namespace {
__attribute__((target("avx"))) void Vzeroupper() { __builtin_ia32_vzeroupper(); }
}  // namespace

void Clear_Upper_Halves() {
  static const bool avx = __builtin_cpu_supports("avx");
  if (avx) Vzeroupper();
}
#else
void Clear_Upper_Halves() {}
#endif
}  // namespace VectorState
