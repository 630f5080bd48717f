#pragma once

namespace korvane {

// Some libraries that the window toolkit loads leave the upper halves of the
// processor's AVX registers in use. Until they are cleared, every ordinary
// floating-point instruction waits on them, which made the IMFP arithmetic
// many times slower. Clears them where the processor has them; harmless
// elsewhere.
void clearUpperVectorState();

} // namespace korvane
