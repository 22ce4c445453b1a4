#include "tests/support/GameProcess.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "tests/support/AllegroEnvironment.h"
#include "tests/support/Files.h"
#include "tests/support/Pixels.h"

namespace nktest {
namespace {

using Clock = std::chrono::steady_clock;

void sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// The program in `cwd` on `display`, its standard output into `stdoutFd`.
pid_t spawn(const std::vector<std::string>& args, const std::string& display,
            const std::string& cwd, int stdoutFd) {
    pid_t pid = fork();
    if (pid != 0) return pid;
    if (chdir(cwd.c_str()) != 0) _exit(127);
    setenv("DISPLAY", display.c_str(), 1);
    dup2(open("/dev/null", O_RDWR), 0);
    dup2(stdoutFd, 1);
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
}

// The exit status (-1 after a signal), or -2 when still running at the
// timeout, the child then killed.
int reap(pid_t pid, int timeoutMs) {
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    int status = 0;
    while (Clock::now() < end) {
        if (waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        sleepMs(20);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return -2;
}

}  // namespace

VirtualScreen::VirtualScreen(int width, int height) {
    // Xvfb picks a free display number itself and writes it to the pipe once
    // it listens, so two test binaries side by side never share one server.
    // -noreset: a server resets when its last client leaves, and our probes
    // and xdotool calls are such clients; the game's connection could fail.
    int fds[2];
    if (pipe(fds) != 0) return;
    const std::string size = std::to_string(width) + "x" + std::to_string(height) + "x24";
    pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        int devnull = open("/dev/null", O_RDWR);
        for (int fd = 0; fd < 3; ++fd) dup2(devnull, fd);
        const std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", size.c_str(), "-nolisten",
               "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    for (char c = 0; read(fds[0], &c, 1) == 1 && c != '\n';) number += c;
    close(fds[0]);
    if (child < 0) return;
    displayName = ":" + number;
    // Only a real connection proves that clients can use it.
    for (int i = 0; i < 250 && !number.empty(); ++i, sleepMs(20)) {
        if (Display* x = XOpenDisplay(displayName.c_str())) {
            XCloseDisplay(x);
            pid = child;
            return;
        }
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
}

VirtualScreen::~VirtualScreen() {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}

GameProcess::GameProcess(const VirtualScreen& s, const std::string& binary,
                         const std::string& workingDirectory,
                         const std::vector<std::string>& arguments)
    : screen(s) {
    std::vector<std::string> command = {binary};
    command.insert(command.end(), arguments.begin(), arguments.end());
    char path[] = "/tmp/dovra-e2e-XXXXXX";
    int fd = mkstemp(path);
    outputPath = path;
    pid = spawn(command, screen.name(), workingDirectory, fd);
    close(fd);
}

GameProcess::~GameProcess() {
    if (running()) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    unlink(outputPath.c_str());
}

bool GameProcess::running() {
    if (pid <= 0 || exitStatus != -1) return false;
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) != pid) return true;
    exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 256;
    return false;
}

int GameProcess::waitExit(int timeoutMs) {
    if (exitStatus == -1) {
        const int code = reap(pid, timeoutMs);
        exitStatus = code >= 0 ? code : 256;
    }
    return exitStatus == 256 ? -1 : exitStatus;
}

std::string capture(const VirtualScreen& screen, const std::vector<std::string>& args) {
    // Every argument single-quoted for the shell, quotes inside it too.
    std::string command = "DISPLAY=" + screen.name();
    for (std::string a : args) {
        for (std::size_t q = a.find('\''); q != std::string::npos; q = a.find('\'', q + 4))
            a.replace(q, 1, "'\\''");
        command += " '" + a + "'";
    }
    std::string out;
    if (FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
        pclose(pipe);
    }
    return out;
}

unsigned long GameProcess::waitForWindow(const std::string& title, int timeoutMs) {
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Clock::now() < end && running()) {
        std::string found = capture(screen, {"xdotool", "search", "--name", "^" + title + "$"});
        if (!found.empty()) return std::strtoul(found.c_str(), nullptr, 10);
        sleepMs(50);
    }
    return 0;
}

WindowGeometry GameProcess::geometry(unsigned long window) const {
    WindowGeometry g;
    Display* x = XOpenDisplay(screen.name().c_str());
    if (!x) return g;
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(x, window, &attributes)) {
        Window child;
        XTranslateCoordinates(x, window, DefaultRootWindow(x), 0, 0, &g.x, &g.y, &child);
        g.width = attributes.width;
        g.height = attributes.height;
    }
    XCloseDisplay(x);
    return g;
}

WindowGeometry GameProcess::waitForPlacement(
    unsigned long& window, const std::function<bool(const WindowGeometry&)>& placed,
    int timeoutMs) {
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    WindowGeometry g = geometry(window);
    while (!placed(g) && Clock::now() < end && running()) {
        sleepMs(50);
        if (unsigned long found = waitForWindow("Dovra", 1000)) window = found;
        g = geometry(window);
    }
    return g;
}

std::string GameProcess::output() const {
    return contentsOf(outputPath);
}

bool GameProcess::waitForOutput(const std::string& needle, int timeoutMs) const {
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (; Clock::now() < end; sleepMs(20))
        if (output().find(needle) != std::string::npos) return true;
    return false;
}

void GameProcess::moveMouse(int x, int y) const {
    capture(screen, {"xdotool", "mousemove", std::to_string(x), std::to_string(y)});
}

void GameProcess::click(int x, int y) const {
    moveMouse(x, y);
    sleepMs(100);  // let a tick see the pointer before the button goes down
    capture(screen, {"xdotool", "click", "1"});
}

void GameProcess::key(const std::string& keysym) const {
    capture(screen, {"xdotool", "key", keysym});
}

bool GameProcess::screenshot(const std::string& pngPath) const {
    std::remove(pngPath.c_str());
    capture(screen, {"import", "-window", "root", pngPath});
    return access(pngPath.c_str(), F_OK) == 0;
}

void GameProcess::sendClose(unsigned long window) const {
    Display* x = XOpenDisplay(screen.name().c_str());
    if (!x) return;
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(x, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(x, window, False, NoEventMask, &e);
    XFlush(x);
    XCloseDisplay(x);
}

std::string makeGameFolder(const std::vector<std::string>& linked) {
    char pattern[] = "/tmp/dovra-game-XXXXXX";
    const std::string dir = mkdtemp(pattern);
    auto makeParents = [&dir](const std::string& path) {
        for (std::size_t slash = path.find('/'); slash != std::string::npos;
             slash = path.find('/', slash + 1))
            mkdir((dir + "/" + path.substr(0, slash)).c_str(), 0755);
    };
    makeParents("Editor/Levels/");
    for (const std::string& path : linked) {
        makeParents(path);
        symlink(sourcePath(path).c_str(), (dir + "/" + path).c_str());
    }
    return dir;
}

bool waitForScreen(GameProcess& game, const std::function<bool(ALLEGRO_BITMAP*)>& matches) {
    const std::string path = tempPath("screen.png");
    for (int i = 0; i < 60; ++i, sleepMs(250)) {
        ALLEGRO_BITMAP* shot = game.screenshot(path) ? loadImage(path) : nullptr;
        const bool matched = shot && matches(shot);
        if (shot) al_destroy_bitmap(shot);
        if (matched) return true;
    }
    return false;
}

std::string waitForMenu(GameProcess& game, unsigned long& window) {
    window = game.waitForWindow("Dovra");
    if (!window) return "no window: " + game.output();
    const WindowGeometry g = game.waitForPlacement(
        window, [](const WindowGeometry& w) { return w.y == 60 && w.width == 1920; });
    if (g.width != 1920 || g.y != 60) return "window not placed: " + game.output();
    if (!game.waitForOutput("dovra ", 15000)) return "no start line: " + game.output();
    // The right half of the menu is the backdrop alone.
    return waitForScreen(game,
                         [](ALLEGRO_BITMAP* shot) {
                             return strays(shot, "Resources/Images/Menu/menu_bg.png", 1150, 420,
                                           1150, 420, 700, 560) < 6;
                         })
               ? ""
               : "no menu";
}

}  // namespace nktest
