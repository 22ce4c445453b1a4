// libFuzzer target: any bytes as a replay file. The reader must take it or
// refuse it with "line N: why" (or say which line is missing), never crash,
// hang or leak; a replay it takes plays back at every tick it can reach, and
// what the recorder writes of that play-back reads back the same.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "game/Replay.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ReplayParse p = parseReplay(std::string(reinterpret_cast<const char*>(data), size));
    if (!p.ok) {
        if (p.error.rfind("line ", 0) != 0 && p.error != "no map line" &&
            p.error != "no expect line")
            __builtin_trap();
        return 0;
    }
    // Ticks past the last instruction repeat the last one: two seconds do.
    const int ticks = std::min(p.replay.tickLimit(), 120);
    ReplayRecorder recorder(p.replay.mapPath);
    for (int t = 0; t < ticks; ++t) recorder.add(p.replay.inputAt(t));
    const ReplayParse again = parseReplay(recorder.text(p.replay.expected, 0));
    if (!again.ok) __builtin_trap();
    return 0;
}
