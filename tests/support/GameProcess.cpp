#include "tests/support/GameProcess.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "tests/support/Files.h"

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

GameProcess::GameProcess(int width, int height) {
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
    if (server > 0) pid = spawn({NK_GAME_BINARY}, displayName, NK_SOURCE_DIR, fd, false);
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
                                         const std::function<bool(const WindowGeometry&)>& placed) {
    unsigned long window = 0;
    until(60000, 50, [&] {
        const std::string found = run({"xdotool", "search", "--name", "^Dovra$"});
        if (!found.empty()) {
            window = std::strtoul(found.c_str(), nullptr, 10);
            std::sscanf(
                run({"xdotool", "getwindowgeometry", "--shell", std::to_string(window)}).c_str(),
                "WINDOW=%*u X=%d Y=%d WIDTH=%d HEIGHT=%d", &g.x, &g.y, &g.width, &g.height);
        }
        return (window && placed(g)) || !running();
    });
    return window;
}

bool GameProcess::waitForOutput(const std::string& needle, int timeoutMs) const {
    return until(timeoutMs, 20, [&] { return output().find(needle) != std::string::npos; });
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

}  // namespace nktest
