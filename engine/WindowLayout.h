#pragma once

namespace NK {

// Where the window goes on a desktop: the largest 16:9 window that leaves
// 65 pixels of height for the task bar and title bar, never above 1920x1080,
// centred on the desktop.
struct WindowLayout {
    int width = 0;
    int height = 0;
    int x = 0;
    int y = 0;

    static WindowLayout forDesktop(int desktopWidth, int desktopHeight);
};

}  // namespace NK
