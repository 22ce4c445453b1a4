#pragma once
#include <allegro5/allegro.h>
#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/Files.h"

// End-to-end helpers: the real game on an X server of its own, driven with
// xdotool and closed the way a window manager would close it.
namespace nktest {

struct WindowGeometry {
    int x = 0, y = 0, width = 0, height = 0;
};

// An Xvfb server with one screen of the given size, and one run of the game
// on it from the source folder, its standard output kept in a file. On
// destruction the game is killed if it still runs, and the server stopped.
class GameProcess {
public:
    GameProcess(int width, int height);
    ~GameProcess();
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;
    bool screenOk() const { return server > 0; }
    // Runs a program with this DISPLAY; its standard output.
    std::string run(const std::vector<std::string>& args) const;

    // The game's window once `placed` holds for its geometry (it is mapped
    // small and sized just after, and loading can take many seconds on a
    // loaded machine), searched again each time: 0 when none appeared; `g`
    // is the last geometry seen.
    unsigned long waitForWindow(WindowGeometry& g,
                                const std::function<bool(const WindowGeometry&)>& placed);
    std::string output() const { return contentsOf(outputPath); }
    bool waitForOutput(const std::string& needle, int timeoutMs = 10000) const;

    // The WM_DELETE_WINDOW message a window manager sends on close.
    void sendClose(unsigned long window) const;
    // Exit status (0..255); -1 after a signal or when still running after the
    // timeout (it is killed then).
    int waitExit(int timeoutMs = 15000);
    bool running();

private:
    pid_t server = -1, pid = -1;
    std::string displayName;
    std::string outputPath;
    int exitStatus = -2;  // not yet known
};

// A shell command run to its end: its exit status (-1 after a signal) and
// its standard output.
struct CommandRun {
    int status = -1;
    std::string output;
};
CommandRun runCommand(const std::string& command);

}  // namespace nktest
