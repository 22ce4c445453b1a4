#pragma once
#include <allegro5/allegro.h>

namespace NK {

// The game's one window.
class Display {
public:
    // Opens the window sized and centred for the desktop, titled `title`.
    // Failing to create it is fatal.
    explicit Display(const char* title);
    ~Display();
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    ALLEGRO_DISPLAY* display = nullptr;
    ALLEGRO_DISPLAY_MODE mode{};  // last of Allegro's modes; kept for the game
    int desktopWidth = 0;
    int desktopHeight = 0;
    int windowWidth = 0;
    int windowHeight = 0;
    int frameCount = 0;  // bumped after every flip, by the loop or by the game

    // Set while a window is made that no one is to see: the game brought up
    // to play a level pack's proofs before its own window opens.
    static inline bool unseen = false;
};

}  // namespace NK
