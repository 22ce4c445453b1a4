// A fatal error during start-up ends the program while the picture workers
// may still be decoding. The exit takes Allegro down, so the workers must
// be done first, or one writes into what Allegro freed.
#include <string>

#include "tests/support/GameProcess.h"
#include "tests/support/Testing.h"

TEST(PrefetchExit, FatalErrorEndsTheProgramWithAWorkerStillDecoding) {
    std::string pictures;
    for (int i = 0; i < 24; ++i) {
        // Each its own file, so each is decoded.
        const std::string copy = nktest::tempPath("prefetch-exit-" + std::to_string(i) + ".png");
        nktest::writeFile(
            copy, nktest::contentsOf(nktest::sourcePath("Resources/Images/VAZEzadide-screen.png")));
        pictures += " '" + copy + "'";
    }
    const nktest::CommandRun run =
        nktest::runCommand(std::string(PREFETCH_EXIT_PROBE) + pictures + " 2>&1");
    EXPECT_EQ(run.status, 255) << run.output;
}
