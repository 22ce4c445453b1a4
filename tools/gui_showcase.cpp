// Builds a panel of every kind of GUI widget, drives it through a few ticks of
// pointer and keyboard input the way the game loop would, and saves the back
// buffer as a PNG, so the widgets' look can be checked by eye.
// Usage (from the source folder): tools/headless.sh build-gui/bin/gui_showcase [out.png]
#include <allegro5/allegro.h>
#include <allegro5/allegro_primitives.h>

#include <cstdio>
#include <string>

#include "engine/Display.h"
#include "engine/FontStore.h"
#include "engine/GUISystem.h"
#include "engine/GameCore.h"
#include "engine/Input.h"
#include "engine/RenderContext.h"
#include "engine/View.h"

namespace {

const char* fontPath = "/usr/share/fonts/truetype/clear-sans/ClearSans-Regular.ttf";

// A rounded panel image of one colour with a lighter rim, like the game's art.
NK::BitmapEntry panelImage(int w, int h, ALLEGRO_COLOR fill, ALLEGRO_COLOR rim) {
    NK::BitmapEntry e;
    e.bitmap.reset(al_create_bitmap(w, h));
    e.source = NK::Rect(0, 0, static_cast<float>(w), static_cast<float>(h));
    e.placement = e.source;
    al_set_target_bitmap(e.get());
    al_clear_to_color(al_map_rgba(0, 0, 0, 0));
    al_draw_filled_rounded_rectangle(1, 1, w - 1, h - 1, 12, 12, fill);
    al_draw_rounded_rectangle(3, 3, w - 3, h - 3, 10, 10, rim, 3);
    return e;
}

void pointAt(NK::Input& input, const NK::Display& d, float sx, float sy) {
    input.mouse.x = static_cast<int>(sx * d.windowWidth / 1920.0f);
    input.mouse.y = static_cast<int>(sy * d.windowHeight / 1080.0f);
}

void tick(NK::GUISystem& gui, NK::Input& input, int key = 0, bool click = false) {
    if (key) input.keyPressed[key] = 1;
    if (click) input.mousePressed[1] = 1;
    gui.update();
    input.endUpdate();
}

}  // namespace

int main(int argc, char** argv) {
    const std::string out = argc > 1 ? argv[1] : "docs/gui-panel.png";
    NK::startAllegro();
    NK::Display display("Dovra GUI showcase");
    NK::View view(&display);
    NK::Input input(&display, &view, 60.0f);
    NK::RenderContext rc(&display, &view);
    NK::FontStore fonts(&rc);
    fonts.load(fontPath, "font");
    NK::GUISystem gui(&input, &rc, &fonts);

    const NK::Color white(1, 1, 1), ink(0.1f, 0.1f, 0.15f), gold(1.0f, 0.85f, 0.4f);
    NK::BitmapEntry panel = panelImage(1200, 920, al_map_rgb(38, 44, 60), al_map_rgb(90, 104, 140));
    NK::BitmapEntry button =
        panelImage(360, 100, al_map_rgb(52, 96, 170), al_map_rgb(140, 180, 240));
    NK::BitmapEntry field =
        panelImage(560, 70, al_map_rgb(235, 235, 225), al_map_rgb(120, 120, 110));

    gui.createTextLabel(panel, {360, 80, 1200, 920}, "font", 16, gold, {}, "", "panel");
    gui.createTextLabel({360, 100, 1200, 90}, "font", 22, gold, {}, "Dovra widgets", "title");

    gui.setNextButtonsFont("font", 14, white);
    const char* names[] = {"Levels", "Create level", "Show lights: ON", "Exit"};
    for (int i = 0; i < 4; ++i) {
        const std::string key = "button_" + std::to_string(i);
        gui.createButton(button, {560, 280.0f + i * 130.0f, 360, 100}, key, true);
        gui.setButtonText(key, names[i], 1);
        gui.setButtonSecondCallback(key,
                                    [&gui](std::string k) { gui.setButtonTint(k, 1, 0.8f, 0.5f); });
        gui.setButtonThirdCallback(key, [&gui](std::string k) { gui.setButtonTint(k, 1, 1, 1); });
    }
    gui.setButtonOpacity("button_3", 0.7f);  // the game's dimmed look

    NK::GUISystem::Margins inset{16, 0, 16, 0};
    gui.createTextLabel({820, 230, 300, 50}, "font", 12, white, inset, "position_x", "lx");
    gui.getTextLabel("lx").alignment = 0;
    gui.setTextLabelText("lx", "Position x");
    // Alignment takes effect at the next text change, so set it before the text.
    gui.createTextLabel({820, 360, 300, 50}, "font", 12, white, inset, "", "ln");
    gui.getTextLabel("ln").alignment = 0;
    gui.setTextLabelText("ln", "Name");
    gui.createTextLabel({820, 490, 300, 50}, "font", 12, white, inset, "", "lr");
    gui.getTextLabel("lr").alignment = 2;
    gui.setTextLabelText("lr", "Right aligned");

    gui.createTextInput({820, 280, 560, 70}, false, field, "font", 13, ink, inset, 1, 10, true, "",
                        "position_x");
    gui.createTextInput({820, 410, 560, 70}, false, field, "font", 13, ink, inset, 1, 24, false, "",
                        "name");
    gui.createTextInput({820, 540, 560, 70}, false, field, "font", 13, ink, inset, 1, 8, false,
                        "full", "short");
    gui.createTextLabel({820, 660, 560, 240}, "font", 11, white, inset,
                        "Labels wrap their text at their width less the margins.", "note");

    // Focus by click, as a panel's click callback does, then type.
    for (const char* key : {"position_x", "name"}) {
        gui.setTextInputFirstCallback(key, [&gui](std::string k) {
            gui.getTextInput("position_x").focused = false;
            gui.getTextInput("name").focused = false;
            gui.getTextInput(k).focused = true;
        });
    }
    pointAt(input, display, 1000, 315);
    tick(gui, input, 0, true);
    for (int key : {ALLEGRO_KEY_MINUS, ALLEGRO_KEY_1, ALLEGRO_KEY_A, ALLEGRO_KEY_2,
                    ALLEGRO_KEY_FULLSTOP, ALLEGRO_KEY_5, ALLEGRO_KEY_MINUS}) {
        tick(gui, input, key);
    }
    pointAt(input, display, 1000, 445);
    tick(gui, input, 0, true);
    input.capsLock = true;
    tick(gui, input, ALLEGRO_KEY_D);
    input.capsLock = false;
    for (int key : {ALLEGRO_KEY_O, ALLEGRO_KEY_V, ALLEGRO_KEY_R, ALLEGRO_KEY_A, ALLEGRO_KEY_SPACE,
                    ALLEGRO_KEY_PAD_7, ALLEGRO_KEY_X, ALLEGRO_KEY_BACKSPACE}) {
        tick(gui, input, key);
    }
    input.numLock = true;
    tick(gui, input, ALLEGRO_KEY_PAD_7);
    // Hover the second button so its tint shows.
    pointAt(input, display, 560, 410);
    tick(gui, input);

    al_set_target_backbuffer(display.display);
    view.apply();
    al_clear_to_color(al_map_rgb(14, 16, 22));
    gui.drawTextLabel("panel");
    gui.drawTextLabel("title");
    for (int i = 0; i < 4; ++i) gui.drawButton("button_" + std::to_string(i));
    for (const char* key : {"lx", "ln", "lr", "note"}) gui.drawTextLabel(key);
    for (const char* key : {"position_x", "name", "short"}) gui.drawTextInput(key);

    const bool saved = al_save_bitmap(out.c_str(), al_get_backbuffer(display.display));
    std::printf("%s %s (position_x \"%s\", name \"%s\")\n", saved ? "saved" : "could not save",
                out.c_str(), gui.getTextInputText("position_x").c_str(),
                gui.getTextInputText("name").c_str());
    gui.destroyAll();
    fonts.destroyAll();
    return saved ? 0 : 1;
}
