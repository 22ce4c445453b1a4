#pragma once
#include <allegro5/allegro.h>
#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

// End-to-end helpers: the real game binary on a virtual X screen of its own,
// driven with xdotool and closed the way a window manager would close it.
namespace nktest {

// An Xvfb server with one screen of the given size; stopped on destruction.
class VirtualScreen {
public:
    VirtualScreen(int width, int height);
    ~VirtualScreen();
    VirtualScreen(const VirtualScreen&) = delete;
    VirtualScreen& operator=(const VirtualScreen&) = delete;
    const std::string& name() const { return displayName; }  // e.g. ":93"
    bool ok() const { return pid > 0; }

private:
    pid_t pid = -1;
    std::string displayName;
};

struct WindowGeometry {
    int x = 0, y = 0, width = 0, height = 0;
};

// One run of a program (by default the game) in the source folder, its
// standard output collected in a file.
class GameProcess {
public:
    explicit GameProcess(const VirtualScreen& screen, const std::string& binary = NK_GAME_BINARY,
                         const std::string& workingDirectory = NK_SOURCE_DIR,
                         const std::vector<std::string>& arguments = {});
    ~GameProcess();  // kills the process if it still runs
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    // The X id of the window titled `title`, or 0 when none appeared in time.
    unsigned long waitForWindow(const std::string& title = "Dovra", int timeoutMs = 15000);
    WindowGeometry geometry(unsigned long window) const;
    // The window once `placed` holds for it (it is mapped small first and
    // sized just after; a loaded machine can take many seconds to load the
    // game first). The window id is searched again each time; the last
    // geometry seen is returned when time runs out or the game ends.
    WindowGeometry waitForPlacement(unsigned long& window,
                                    const std::function<bool(const WindowGeometry&)>& placed,
                                    int timeoutMs = 60000);
    // Everything the process wrote to standard output so far.
    std::string output() const;
    bool waitForOutput(const std::string& needle, int timeoutMs = 10000) const;

    // Input through the X server, as a user would give it (xdotool).
    void moveMouse(int x, int y) const;
    void click(int x, int y) const;
    void key(const std::string& keysym) const;
    // The whole screen as a PNG.
    bool screenshot(const std::string& pngPath) const;
    // The WM_DELETE_WINDOW client message a window manager sends on close.
    void sendClose(unsigned long window) const;

    // Exit status (0..255), or -1 if it was still running after the timeout
    // (it is killed then) or died by a signal.
    int waitExit(int timeoutMs = 15000);
    bool running();

private:
    const VirtualScreen& screen;
    pid_t pid = -1;
    std::string outputPath;
    int exitStatus = -1;
};

// A game folder of its own under /tmp, so the game may write there: each of
// `linked` (paths of the source tree) is linked in, beside an empty
// Editor/Levels.
std::string makeGameFolder(const std::vector<std::string>& linked);

// Screenshots until `matches` holds or fifteen seconds pass; true if it held.
bool waitForScreen(GameProcess& game, const std::function<bool(ALLEGRO_BITMAP*)>& matches);

// The game's window on a 1920x1200 screen (placed at y 60, logical points
// drawn 1:1) and its main menu once loading is over: "" when the menu shows,
// else what did not appear.
std::string waitForMenu(GameProcess& game, unsigned long& window);

// Runs a command with the screen's DISPLAY; returns its standard output.
std::string capture(const VirtualScreen& screen, const std::vector<std::string>& args);

}  // namespace nktest
