#include "engine/Display.h"

#include "engine/Log.h"
#include "engine/Platform.h"
#include "engine/WindowLayout.h"

namespace NK {

Display::Display(const char* title) {
    al_set_new_display_flags(ALLEGRO_WINDOWED | ALLEGRO_OPENGL | ALLEGRO_PROGRAMMABLE_PIPELINE);
    Platform::DesktopSize desktop = Platform::desktopSize();
    desktopWidth = desktop.width;
    desktopHeight = desktop.height;
    WindowLayout layout = WindowLayout::forDesktop(desktopWidth, desktopHeight);
    windowWidth = layout.width;
    windowHeight = layout.height;

    int modes = al_get_num_display_modes();
    if (modes > 0) al_get_display_mode(modes - 1, &mode);

    display = al_create_display(windowWidth, windowHeight);
    if (!display) {
        fatalError("Allegro display");
    }
    al_set_window_position(display, layout.x, layout.y);
    if (unseen) Platform::hideWindow(display);
    al_set_window_title(display, title);
    al_clear_to_color(al_map_rgb(0, 0, 0));
    // Straight alpha: startAllegro keeps images and glyphs unpremultiplied.
    al_set_blender(ALLEGRO_ADD, ALLEGRO_ALPHA, ALLEGRO_INVERSE_ALPHA);
}

Display::~Display() {
    if (display) al_destroy_display(display);
}

}  // namespace NK
