#pragma once
// On x86-64 processors with AVX, code that leaves the upper halves of the vector registers in
// use (Qt 6.4's string hashing does, on every QHash insert of a QString) makes every later SSE
// instruction wait on them until something clears them. On the Intel Xeon of the first
// measurements this made PROJ's grid batches 3.4 times slower (60 ms against 17.5 ms for 32,767
// points) and the original formulas 6 times; on an AMD EPYC it changes nothing. It is called
// once, where every batch through PROJ starts (cProjGrids): the point list's own index does not
// use Qt's hashing, so the list's conversions no longer follow it.
namespace VectorState {
void Clear_Upper_Halves();
}  // namespace VectorState
