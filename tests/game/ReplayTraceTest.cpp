// Every replay, played through a fresh game, against the trace approved when
// the game last changed on purpose: every tenth tick the widgets on, the
// census, each body's place and speed and what is drawn (pictures,
// animations, lights, sound cues), every fourth second the frame itself. A
// replay proves its level can be won; its trace holds how it looked, moved
// and sounded on the way: a light's blink, a camera's sweep, a crate's fall.
// When a change is meant, copy the trace this test keeps over the approved
// one (both paths are in its message).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "game/Replay.h"
#include "game/ReplayRun.h"
#include "tests/game/GameKit.h"
#include "tools/monkey/MonkeyTrace.h"

namespace {

namespace fs = std::filesystem;

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> lines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> out;
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

void holdsItsTrace(const std::string& folder) {
    std::vector<fs::path> replays;
    for (const auto& e : fs::directory_iterator(nktest::sourcePath(folder)))
        if (e.path().extension() == ".replay") replays.push_back(e.path());
    std::sort(replays.begin(), replays.end());
    ASSERT_FALSE(replays.empty());
    Game& g = gamekit::restart(false);
    std::vector<std::string> trace;
    for (const fs::path& file : replays) {
        const ReplayParse parsed = parseReplay(fileText(file.string()));
        ASSERT_TRUE(parsed.ok) << file << ": " << parsed.error;
        // The game plays in a copy of the game folder; a test map joins it
        // there, so nothing of where this checkout lies reaches the trace.
        const fs::path map = parsed.replay.mapPath;
        if (!fs::exists(map)) {
            fs::create_directories(map.parent_path());
            fs::copy_file(nktest::sourcePath(map.string()), map);
        }
        ReplayWatch watch;
        watch.after = [&](int tick) {
            if (tick % 10 == 0)
                trace.push_back(file.filename().string() + " " + std::to_string(tick) + " | " +
                                monkeytrace::fingerprints(g, tick % 240 == 0));
            return true;
        };
        playReplay(g, parsed.replay, "", 0, watch);
    }
    const std::string approved = nktest::sourcePath("tests/data/replay-trace/" +
                                                    fs::path(folder).filename().string() + ".txt");
    // Kept after the run, as a failing frame is, to be looked at or approved.
    const fs::path kept = fs::temp_directory_path() / "dovra-traces-seen";
    fs::create_directories(kept);
    const std::string seen = (kept / (fs::path(folder).filename().string() + ".txt")).string();
    std::ofstream(seen) << [&] {
        std::string all;
        for (const std::string& l : trace) all += l + "\n";
        return all;
    }();
    EXPECT_EQ(monkeytrace::compare(lines(approved), trace), "")
        << "approved: " << approved << "\nthis run: " << seen;
}

}  // namespace

TEST(ReplayTrace, MechanicReplaysLookAndMoveAsApproved) {
    holdsItsTrace("tests/data/replays");
}

TEST(ReplayTrace, ShippedLevelsLookAndMoveAsApproved) {
    holdsItsTrace("tests/data/levels");
}
