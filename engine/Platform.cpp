#include "engine/Platform.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <allegro5/allegro.h>
#include <allegro5/allegro_x.h>

#include <dlfcn.h>
#include <link.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace NK::Platform {

void keepDriverLoaded() {
#if defined(__SANITIZE_ADDRESS__)
    // The GL driver is unloaded before the leak check at exit; the few bytes
    // it never frees then show with no module name, and no suppression could
    // tell them from ours. Kept loaded, the leak report names the driver.
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void*) {
            const char* name = info->dlpi_name;
            if (name && (std::strstr(name, "_dri.so") || std::strstr(name, "libGLX_mesa")))
                dlopen(name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
#endif
}

DesktopSize desktopSize() {
    ALLEGRO_MONITOR_INFO info{};
    if (al_get_num_video_adapters() < 1 || !al_get_monitor_info(0, &info)) return {};
    return {info.x2, info.y2};
}

LockStates lockStates() {
    // Allegro tracks no lock state before the first key event, so ask the X
    // server's keyboard extension for the locked modifiers.
    LockStates states;
    Display* x = XOpenDisplay(nullptr);
    if (!x) return states;
    XkbStateRec state{};
    if (XkbGetState(x, XkbUseCoreKbd, &state) == Success) {
        states.capsLock = (state.locked_mods & LockMask) != 0;
        // Num Lock is the modifier its key is mapped to, Mod2 on every common layout.
        unsigned numMask = XkbKeysymToModifiers(x, 0xff7f /* XK_Num_Lock */);
        states.numLock = (state.locked_mods & (numMask ? numMask : Mod2Mask)) != 0;
    }
    XCloseDisplay(x);
    return states;
}

std::int64_t counterValue() {
    using namespace std::chrono;
    return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}

std::int64_t counterFrequency() {
    return 1000000000;
}

std::string formatTime(const char* format, const std::tm& when) {
    char buffer[128];
    std::size_t n = std::strftime(buffer, sizeof buffer, format, &when);
    return std::string(buffer, n);
}

std::time_t (*wallClock)() = [] { return std::time(nullptr); };

std::string formatLocalTime(const char* format) {
    std::time_t now = wallClock();
    std::tm local{};
    localtime_r(&now, &local);
    return formatTime(format, local);
}

void seedRandomFromClock() {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
}

void endWithin(int seconds, int status) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    // The leak check runs in the exit's clean-up too and must not be cut short.
    seconds *= 10;
#endif
    std::thread([seconds, status] {
        std::this_thread::sleep_for(std::chrono::seconds(seconds));
        static const char line[] = "The exit's clean-up hung; ended without it.\n";
        (void)!::write(2, line, sizeof line - 1);
        ::_exit(status);
    }).detach();
}

void hideWindow(ALLEGRO_DISPLAY* display) {
    // Allegro keeps its own connection to itself; any client may unmap a
    // window, so a short one of our own does it.
    ::Display* x = XOpenDisplay(nullptr);
    if (!x) return;
    XUnmapWindow(x, al_get_x_window_id(display));
    XSync(x, False);
    XCloseDisplay(x);
}

}  // namespace NK::Platform
