#pragma once
#include <functional>

namespace NK {
class BitmapStore;
class ExtBitmapStore;
class GUISystem;
class View;
}  // namespace NK

// The first scene: the backdrop, four dimmed buttons that brighten under the
// pointer, and the logo breathing in and out.
class MainMenuScreen {
public:
    struct Actions {
        std::function<void()> levels, createLevel, tutorial, exit;
    };

    MainMenuScreen(NK::GUISystem* gui, NK::BitmapStore* bitmaps, NK::ExtBitmapStore* extBitmaps);
    // The pulsing logo's file.
    static const char* const logoFile;
    void build(Actions actions);
    void show(bool shown);
    void draw(const NK::View& view);

    static constexpr int buttonCount = 4;

private:
    NK::GUISystem* gui;
    NK::BitmapStore* bitmaps;
    NK::ExtBitmapStore* extBitmaps;
};

// Every menu button: 0.7 at rest, easing to full and back at 0.02 a tick as
// the pointer comes and goes.
void makeHoverFade(NK::GUISystem& gui, const char* key);
