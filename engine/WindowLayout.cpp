#include "engine/WindowLayout.h"

namespace NK {

WindowLayout WindowLayout::forDesktop(int desktopWidth, int desktopHeight) {
    WindowLayout w;
    if (desktopWidth >= 1920 && desktopHeight - 65 >= 1080) {
        w.width = 1920;
        w.height = 1080;
    } else {
        w.height = desktopHeight - 65;
        w.width = static_cast<int>(static_cast<float>(w.height) * 1.7777778f);
        if (w.width > desktopWidth) {
            w.width = desktopWidth;
            w.height = static_cast<int>(static_cast<float>(desktopWidth) * 0.5625f);
        }
    }
    // Centred on the whole desktop height, not the height less the bar.
    w.x = w.width < desktopWidth ? desktopWidth / 2 - w.width / 2 : 0;
    w.y = w.height < desktopHeight ? desktopHeight / 2 - w.height / 2 : 0;
    return w;
}

}  // namespace NK
