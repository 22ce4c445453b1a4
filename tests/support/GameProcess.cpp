#include "tests/support/GameProcess.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "tests/support/AllegroEnvironment.h"
#include "tests/support/Files.h"
#include "tests/support/Pixels.h"

namespace nktest {
namespace {

// True once `done` holds, checked every `stepMs` until the timeout.
bool until(int timeoutMs, int stepMs, const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;; std::this_thread::sleep_for(std::chrono::milliseconds(stepMs))) {
        if (done()) return true;
        if (std::chrono::steady_clock::now() >= end) return false;
    }
}

// `args` in `cwd` on `display`, reading nothing, writing into `out` (and
// its errors nowhere when `quiet`).
pid_t spawn(const std::vector<std::string>& args, const std::string& display,
            const std::string& cwd, int out, bool quiet) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    const int null = open("/dev/null", O_RDWR);
    dup2(null, 0);
    dup2(out, 1);
    if (quiet) dup2(null, 2);
    if (!display.empty()) setenv("DISPLAY", display.c_str(), 1);
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    if (chdir(cwd.c_str()) == 0) execvp(argv[0], argv.data());
    _exit(127);
}

void stop(pid_t pid, int signal) {
    if (pid <= 0) return;  // kill(-1) would signal every process we may
    kill(pid, signal);
    waitpid(pid, nullptr, 0);
}

}  // namespace

GameProcess::GameProcess(int width, int height, const std::string& folder) {
    // Xvfb picks a free display number itself and writes it once it listens,
    // so two test binaries side by side never share one server. -noreset: a
    // server resets when its last client leaves, and xdotool is such a client.
    int fds[2];
    if (pipe(fds) != 0) return;
    const pid_t child = spawn({"Xvfb", "-displayfd", "1", "-screen", "0",
                               std::to_string(width) + "x" + std::to_string(height) + "x24",
                               "-nolisten", "tcp", "-noreset"},
                              "", "/", fds[1], true);
    close(fds[1]);
    std::string number;
    for (char c = 0; read(fds[0], &c, 1) == 1 && c != '\n';) number += c;
    close(fds[0]);
    displayName = ":" + number;
    // Only a real connection proves that clients can use it.
    if (child > 0 && !number.empty() && until(5000, 50, [&] {
            Display* x = XOpenDisplay(displayName.c_str());
            if (x) XCloseDisplay(x);
            return x != nullptr;
        }))
        server = child;
    else
        stop(child, SIGTERM);
    char path[] = "/tmp/dovra-e2e-XXXXXX";
    const int fd = mkstemp(path);
    outputPath = path;
    if (server > 0) pid = spawn({NK_GAME_BINARY}, displayName, folder, fd, false);
    close(fd);
}

GameProcess::~GameProcess() {
    if (running()) stop(pid, SIGKILL);
    unlink(outputPath.c_str());
    stop(server, SIGTERM);
}

std::string GameProcess::run(const std::vector<std::string>& args) const {
    std::string command = "DISPLAY=" + displayName;
    for (const std::string& a : args) command += " '" + a + "'";
    return runCommand(command + " 2>/dev/null").output;
}

bool GameProcess::running() {
    int status = 0;
    if (pid <= 0 || exitStatus != -2) return false;
    if (waitpid(pid, &status, WNOHANG) != pid) return true;
    exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return false;
}

int GameProcess::waitExit(int timeoutMs) {
    if (!until(timeoutMs, 20, [&] { return !running(); })) {
        stop(pid, SIGKILL);
        exitStatus = -1;
    }
    return exitStatus;
}

unsigned long GameProcess::waitForWindow(WindowGeometry& g,
                                         const std::function<bool(const WindowGeometry&)>& placed,
                                         const std::string& title, int timeoutMs) {
    unsigned long window = 0;
    until(timeoutMs, 50, [&] {
        const std::string found = run({"xdotool", "search", "--name", "^" + title + "$"});
        if (!found.empty()) g = geometry(window = std::strtoul(found.c_str(), nullptr, 10));
        return (window && placed(g)) || !running();
    });
    return window;
}

WindowGeometry GameProcess::geometry(unsigned long window) const {
    WindowGeometry g;
    std::sscanf(run({"xdotool", "getwindowgeometry", "--shell", std::to_string(window)}).c_str(),
                "WINDOW=%*u X=%d Y=%d WIDTH=%d HEIGHT=%d", &g.x, &g.y, &g.width, &g.height);
    return g;
}

bool GameProcess::waitForOutput(const std::string& needle, int timeoutMs) const {
    return until(timeoutMs, 20, [&] { return output().find(needle) != std::string::npos; });
}

void GameProcess::xdotool(std::vector<std::string> args) const {
    args.insert(args.begin(), "xdotool");
    run(args);
}

void GameProcess::click(int x, int y) const {
    xdotool({"mousemove", std::to_string(x), std::to_string(y)});
    std::this_thread::sleep_for(std::chrono::milliseconds(100));  // a tick sees the pointer first
    xdotool({"click", "1"});
}

bool GameProcess::screenshot(const std::string& pngPath) const {
    std::remove(pngPath.c_str());
    run({"import", "-window", "root", pngPath});
    return access(pngPath.c_str(), F_OK) == 0;
}

void GameProcess::sendClose(unsigned long window) const {
    Display* x = XOpenDisplay(displayName.c_str());
    if (!x) return;
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(x, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(x, window, False, NoEventMask, &e);
    XCloseDisplay(x);
}

CommandRun runCommand(const std::string& command) {
    CommandRun r;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        for (char buffer[512]; std::fgets(buffer, sizeof buffer, pipe);) r.output += buffer;
        const int status = pclose(pipe);
        r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return r;
}

std::string makeGameFolder(const std::vector<std::string>& linked) {
    char pattern[] = "/tmp/dovra-game-XXXXXX";
    const std::string dir = mkdtemp(pattern);
    for (const std::string& path : linked) {
        for (std::size_t slash = path.find('/'); slash != std::string::npos;
             slash = path.find('/', slash + 1))
            mkdir((dir + "/" + path.substr(0, slash)).c_str(), 0755);
        symlink(sourcePath(path).c_str(), (dir + "/" + path).c_str());
    }
    mkdir((dir + "/Editor/Levels").c_str(), 0755);
    return dir;
}

bool waitForScreen(GameProcess& game, const std::function<bool(ALLEGRO_BITMAP*)>& matches) {
    const std::string path = tempPath("screen.png");
    return until(30000, 250, [&] {
        ALLEGRO_BITMAP* shot = game.screenshot(path) ? loadImage(path) : nullptr;
        const bool matched = shot && matches(shot);
        if (shot) al_destroy_bitmap(shot);
        return matched;
    });
}

std::string waitForMenu(GameProcess& game, unsigned long& window) {
    WindowGeometry g;
    window = game.waitForWindow(g, [](auto& w) { return w.y == 60 && w.width == 1920; });
    if (g.width != 1920 || g.y != 60) return "window not placed: " + game.output();
    if (!game.waitForOutput("dovra ", 15000)) return "no start line: " + game.output();
    // The right half of the menu is the backdrop alone.
    const bool menu = waitForScreen(game, [](ALLEGRO_BITMAP* shot) {
        return strays(shot, "Resources/Images/Menu/menu_bg.png", 1150, 420, 1150, 420, 700, 560) <
               6;
    });
    return menu ? "" : "no menu";
}

}  // namespace nktest
