#pragma once
#include <cstdint>

namespace NK {

// Millisecond timing over the system's high-resolution counter. Game logic
// never reads it (it counts ticks); the loop uses it for fps and ups.
class Stopwatch {
public:
    Stopwatch();  // started
    void restart();
    float elapsedMilliseconds() const;

private:
    double secondsPerCount = 0.0;
    std::int64_t start = 0;
};

}  // namespace NK
