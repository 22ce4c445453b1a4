#include "tests/support/AllegroEnvironment.h"

#include <cstring>

#include "engine/GameCore.h"

namespace nktest {

Engine& engine() {
    static Engine e = [] {
        Engine made;
        NK::startAllegro();
        made.display = new NK::Display("Dovra tests");
        made.view = new NK::View(made.display);
        made.input = new NK::Input(made.display, made.view, 60.0f);
        made.renderContext = new NK::RenderContext(made.display, made.view);
        return made;
    }();
    return e;
}

void resetDrawing() {
    Engine& e = engine();
    al_set_target_backbuffer(e.display->display);
    NK::View& v = *e.view;
    v.x = 0;
    v.y = 0;
    v.width = 1920;
    v.height = 1080;
    v.scaleX = v.scaleY = 1;
    v.rotation = 0;
    v.bounded = false;
    v.apply();
    e.renderContext->noCulling = false;
    al_set_blender(ALLEGRO_ADD, ALLEGRO_ALPHA, ALLEGRO_INVERSE_ALPHA);
    al_clear_to_color(al_map_rgba_f(0, 0, 0, 1));
}

void resetInput() {
    NK::Input& in = *engine().input;
    in.endUpdate();
    std::memset(&in.keyboard, 0, sizeof in.keyboard);
    std::memset(&in.mouse, 0, sizeof in.mouse);
    in.capsLock = false;
    in.numLock = false;
    in.mouseInDisplay = true;
}

void holdKey(NK::Input& input, int keycode, bool held) {
    // Same bit layout al_key_down reads.
    unsigned& word = input.keyboard.__key_down__internal__[keycode / 32];
    unsigned bit = 1u << (keycode % 32);
    word = held ? (word | bit) : (word & ~bit);
}

void holdMouseButton(NK::Input& input, int button, bool held) {
    int bit = 1 << (button - 1);
    input.mouse.buttons = held ? (input.mouse.buttons | bit) : (input.mouse.buttons & ~bit);
}

std::string sourcePath(const std::string& relative) {
    return std::string(NK_SOURCE_DIR) + "/" + relative;
}

}  // namespace nktest
