// The game started and shut down again and again, each time in a process of
// its own that ends through the real exit (Allegro's clean-up, the audio
// driver's, the picture workers'): a clean start must end with status 0 and
// a start that meets a fatal error (a font or a light shader missing or
// broken, found while the picture workers still decode) with the fatal
// error's 255, neither ever crashing nor hanging. SOAK_RUNS sets how many
// rounds (`make soak` runs a few hundred); `make test` runs a few.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>

#include "engine/Log.h"
#include "engine/Platform.h"
#include "game/Game.h"
#include "game/GameInstance.h"
#include "tests/support/Files.h"

namespace fs = std::filesystem;

namespace {

// The game's data as a tree of links to the source tree's files, so that one
// file can be taken away or spoilt without touching the source tree.
std::string mirroredGame() {
    const fs::path folder = fs::temp_directory_path() / ("dovra-soak-" + std::to_string(getpid()));
    fs::remove_all(folder);
    for (const char* part : {"Resources", "VAZEzadide", "Editor"}) {
        const fs::path from = fs::path(NK_SOURCE_DIR) / part;
        for (const auto& e : fs::recursive_directory_iterator(from)) {
            const fs::path to = folder / part / fs::relative(e.path(), from);
            if (e.is_directory())
                fs::create_directories(to);
            else
                fs::create_symlink(e.path(), to);
        }
    }
    return folder.string();
}

// A start in a child process: its exit status, -1 after a signal, -2 when it
// had to be killed after a minute; `said` gets its fatal error's line.
int startInChild(const std::string& folder, std::string& said) {
    const std::string heard = folder + ".said";
    std::remove(heard.c_str());
    const pid_t pid = fork();
    if (pid < 0) return -3;
    if (pid == 0) {
        if (chdir(folder.c_str()) != 0 || !std::freopen(heard.c_str(), "w", stderr)) _exit(120);
        NK::setFatalHandler([](const std::string&, const std::string& text) {
            std::fprintf(stderr, "fatal: %s\n", text.c_str());
        });
        {
            GameInstance game({"soak"});
            for (int tick = 0; tick < 20; ++tick) game->update();
        }
        NK::Platform::endWithin(10, 0);
        std::exit(0);
    }
    for (int i = 0; i < 6000; ++i) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            said = nktest::contentsOf(heard);
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        usleep(10000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return -2;
}

}  // namespace

TEST(StartupSoak, StartOrShutDownCrashesOrHangsWithOrWithoutAFatalErrorOnTheWay) {
    const std::string folder = mirroredGame();
    const std::string font = folder + "/Resources/Fonts/NK-ClearSans.ttf";
    const std::string vertex = folder + "/VAZEzadide/glsl/Shaders/lights.vert";
    const std::string fragment = folder + "/VAZEzadide/glsl/Shaders/lights.frag";
    const std::string fontError =
        "fatal: Font path \"Resources/Fonts/NK-ClearSans.ttf\" not found or initialization fails";
    // Each row: the file spoilt (none: a clean start), what it is replaced
    // with (nullptr: taken away), how the fatal error's line begins.
    const std::tuple<std::string, const char*, std::string> spoilt[] = {
        {"", nullptr, ""},
        {font, nullptr, fontError},
        {font, "not a font", fontError},
        {vertex, nullptr, "fatal: "},
        {fragment, "void main() { nonsense }", "fatal: "}};
    const char* runs = std::getenv("SOAK_RUNS");
    for (int round = 0; round < (runs ? std::max(1, std::atoi(runs)) : 2); ++round) {
        for (const auto& [path, contents, fatal] : spoilt) {
            if (!path.empty()) {
                fs::rename(path, path + ".kept");
                if (contents) nktest::writeFile(path, contents);
            }
            std::string said;
            const int status = startInChild(folder, said);
            if (!path.empty()) {
                fs::remove(path);
                fs::rename(path + ".kept", path);
            }
            const std::string what = "round " + std::to_string(round) + ", " + path + " " +
                                     (contents ? contents : "taken away") + ": ";
            EXPECT_EQ(status, path.empty() ? 0 : 255) << what << said;
            EXPECT_EQ(said.rfind(fatal, 0), 0u) << what << said;
        }
    }
    fs::remove_all(folder);
}
