#include "engine/Stopwatch.h"

#include "engine/Platform.h"

namespace NK {

Stopwatch::Stopwatch()
    : secondsPerCount(1.0 / static_cast<double>(Platform::counterFrequency())),
      start(Platform::counterValue()) {}

void Stopwatch::restart() {
    start = Platform::counterValue();
}

float Stopwatch::elapsedMilliseconds() const {
    double counts = static_cast<double>(Platform::counterValue() - start);
    return static_cast<float>(counts * secondsPerCount) * 1000.0f;
}

}  // namespace NK
