#pragma once
// On x86-64 processors with AVX, code that leaves the upper halves of the vector registers in
// use (Qt 6.4's string hashing does, on every QHash insert of a QString) makes every later SSE
// instruction wait on them: on Intel Xeons the grid conversions and PROJ run 3 to 6 times slower
// until something clears them. Calling this before a batch of floating-point work clears them;
// elsewhere it does nothing.
namespace VectorState {
void Clear_Upper_Halves();
}  // namespace VectorState
