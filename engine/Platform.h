#pragma once
#include <cstdint>
#include <ctime>
#include <string>

// The few facts the engine needs from the operating system, gathered in one
// place so that nothing else in the engine asks the system directly.
typedef struct ALLEGRO_DISPLAY ALLEGRO_DISPLAY;

namespace NK::Platform {

struct DesktopSize {
    int width = 0;   // right edge of the desktop's rectangle
    int height = 0;  // bottom edge of the desktop's rectangle
};
// The desktop the window is laid out on (the first monitor's rectangle).
// Needs Allegro's system to be installed.
DesktopSize desktopSize();

struct LockStates {
    bool capsLock = false;
    bool numLock = false;
};
// Caps Lock and Num Lock as they stand when the game starts; the run loop
// tracks them from key events afterwards. Both off when the server cannot tell.
LockStates lockStates();

// A monotonic high-resolution counter and its frequency in counts per second.
std::int64_t counterValue();
std::int64_t counterFrequency();

// strftime of the given local time, and of the current local time.
std::string formatTime(const char* format, const std::tm& when);
std::string formatLocalTime(const char* format);
// The wall clock formatLocalTime reads (std::time by default); a test points
// it at a fixed instant to check the strings made from it.
extern std::time_t (*wallClock)();

// In sanitizer builds, keeps the GL driver loaded to the end so the leak
// report at exit can name what it never frees; does nothing otherwise.
void keepDriverLoaded();

// Seeds the C random generator from the current time in seconds.
void seedRandomFromClock();

// The program is ending: if the exit's clean-up (Allegro's, the audio
// driver's) has not ended it within `seconds`, a watchdog thread ends it with
// `status`, so closing the game can never hang. The audio driver has been
// seen to wait for ever on its own voice thread while stopping it.
void endWithin(int seconds, int status);

// Takes a window off the screen at once (the window system unmaps it); the
// game goes on drawing into it unseen.
void hideWindow(ALLEGRO_DISPLAY* display);

}  // namespace NK::Platform
