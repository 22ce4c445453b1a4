#include "tests/support/AllegroEnvironment.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "engine/GameCore.h"
#include "engine/Platform.h"

namespace nktest {

Engine& engine() {
    static Engine e = [] {
        Engine made;
        NK::startAllegro();
        made.display = new NK::Display("Dovra tests");
        NK::Platform::keepDriverLoaded();
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
    *e.view = NK::View(e.display);
    e.view->apply();
    e.renderContext->noCulling = false;
    al_set_blender(ALLEGRO_ADD, ALLEGRO_ALPHA, ALLEGRO_INVERSE_ALPHA);
    al_clear_to_color(al_map_rgba_f(0, 0, 0, 1));
}

void resetInput() {
    NK::Input& in = *engine().input;
    in.endUpdate();
    std::memset(&in.keyboard, 0, sizeof in.keyboard);
    std::memset(&in.mouse, 0, sizeof in.mouse);
    in.capsLock = in.numLock = false;
    in.mouseInDisplay = true;
}

void holdKey(NK::Input& input, int keycode, bool held) {
    // Same bit layout al_key_down reads.
    unsigned& word = input.keyboard.__key_down__internal__[keycode / 32];
    unsigned bit = 1u << (keycode % 32);
    word = held ? (word | bit) : (word & ~bit);
}

std::string sourcePath(const std::string& relative) {
    return std::string(NK_SOURCE_DIR) + "/" + relative;
}

std::string tempPath(const std::string& name) {
    // A death test's child ends through exit too: only the owner removes it.
    static const struct Folder {
        pid_t owner = getpid();
        char path[24] = "/tmp/dovra-tests-XXXXXX";
        Folder() { EXPECT_NE(mkdtemp(path), nullptr) << "no temporary folder"; }
        ~Folder() {
            if (getpid() == owner) std::filesystem::remove_all(path);
        }
    } folder;
    return folder.path + ("/" + name);
}

}  // namespace nktest
