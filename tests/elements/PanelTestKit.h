#pragma once
#include <allegro5/allegro.h>
#include <allegro5/allegro_audio.h>

#include <cmath>

#include "elements/EditorPanel.h"
#include "elements/ElementServices.h"
#include "engine/AnimationStore.h"
#include "engine/BitmapStore.h"
#include "engine/FontStore.h"
#include "engine/GUISystem.h"
#include "engine/SoundStore.h"
#include "tests/support/Testing.h"
#include "tests/support/Voices.h"

// What the panel tests share: the resources a panel is built from, loaded
// once for the binary, and input driven tick by tick the way the game loop
// drives it (panel update, then the widgets, then the edges cleared).
namespace paneltest {

inline NK::FontStore& fonts() {
    static NK::FontStore* store = [] {
        auto* s = new NK::FontStore(nktest::engine().renderContext);
        s->load(nktest::sourcePath("Resources/Fonts/NK-ClearSans.ttf"), "font");
        return s;
    }();
    return *store;
}

inline NK::BitmapStore& bitmaps() {
    static NK::BitmapStore* store = [] {
        auto* s = new NK::BitmapStore(nktest::engine().renderContext);
        for (const std::string path : {"Editor/button", "Editor/button_g", "Icons/arrow_right",
                                       "Icons/button_slide", "Icons/resize", "Icons/rotate"})
            s->load(nktest::sourcePath("Resources/Images/" + path + ".png"),
                    path.substr(path.find('/') + 1));
        return s;
    }();
    return *store;
}

// The sounds and effect animations that play while elements are ticked.
inline NK::SoundStore& sounds() {
    static NK::SoundStore* store = [] {
        nktest::engine();  // the audio add-on first
        auto* s = new NK::SoundStore();
        const char* const files[][2] = {{"destroy_block", "camera_destroy.ogg"},
                                        {"destroy_enemy", "camera_destroy.ogg"},
                                        {"shot_enemy", "camera.ogg"},
                                        {"shot_player", "gun.ogg"},
                                        {"hit", "hit.ogg"},
                                        {"destroy_shot", "shot_destroy.ogg"}};
        for (const auto& f : files)
            s->loadSound(nktest::sourcePath(std::string("Resources/Sounds/") + f[1]), f[0]);
        s->loadSong(nktest::sourcePath("Resources/Sounds/steps.ogg"), "steps");
        return s;
    }();
    return *store;
}
template <class Act>
int soundsFired(Act act) {
    return nktest::soundsFired(sounds().getSound("hit"), act);
}
inline void loadEffects(NK::AnimationStore& effects) {
    const std::string dir = "Resources/Images/Ingame/Animations/";
    effects.loadAnimation(nktest::sourcePath(dir + "block_anim.png"), 8, 8, "block");
    effects.loadAnimation(nktest::sourcePath(dir + "shot_anim.png"), 8, 4, "shot");
}

// What a kind is built from here: the test engine and the shared stores.
inline ElementServices services(NK::AnimationStore* effects, NK::SoundStore* sounds,
                                NK::PhysicsWorld* world) {
    nktest::Engine& e = nktest::engine();
    ElementServices s;
    static_cast<PanelServices&>(s) = {e.input, e.view, &fonts(), &bitmaps(), e.renderContext};
    s.animations = effects;
    s.sounds = sounds;
    s.physics = world;
    return s;
}

class PanelTest : public testing::Test {
protected:
    void SetUp() override {
        nktest::resetDrawing();
        nktest::resetInput();
    }

    nktest::Engine& e = nktest::engine();
    NK::Input& input() { return *e.input; }

    // Puts the pointer on a point of the 1920x1080 widget screen.
    void pointAtScreen(float x, float y) {
        const NK::Display& d = *nktest::engine().display;
        input().mouse.x = static_cast<int>(std::lround(x * d.windowWidth / 1920.0f));
        input().mouse.y = static_cast<int>(std::lround(y * d.windowHeight / 1080.0f));
    }
    // Puts the pointer over a level point and returns the level point it
    // lands on (the window may be coarser than the view).
    NK::Vec2 pointAtLevel(float x, float y) {
        const NK::Display& d = *nktest::engine().display;
        const NK::View& v = *nktest::engine().view;
        const int mx = input().mouse.x = std::lround((x - v.x) * d.windowWidth / v.width);
        const int my = input().mouse.y = std::lround((y - v.y) * d.windowHeight / v.height);
        return {std::trunc(v.x + mx * v.width / d.windowWidth),
                std::trunc(v.y + my * v.height / d.windowHeight)};
    }
    void holdButton(bool held) {
        input().mouse.buttons = held ? (input().mouse.buttons | 1) : (input().mouse.buttons & ~1);
    }

    // One tick of the editor with `panel` the active tab.
    void tick(EditorPanel& panel, bool mouseOutside, std::vector<int> keys = {},
              bool click = false) {
        for (int k : keys) input().keyPressed[k] = 1;
        if (click) {
            input().mousePressed[1] = 1;
            holdButton(true);
        }
        panel.update(mouseOutside);
        panel.updateWidgets();
        input().endUpdate();
        // Whatever the tick changed, by a drag, a handle or a key, the page shows.
        for (const std::string& f : panel.staleFields()) ADD_FAILURE() << f;
    }
    // A click on a level point in the editing area: pressed in one tick,
    // released in the next. Returns the level point the pointer landed on.
    NK::Vec2 clickLevel(EditorPanel& panel, NK::Vec2 at) {
        const NK::Vec2 on = pointAtLevel(at.x, at.y);
        tick(panel, false, {}, true);
        release(panel);
        return on;
    }
    // Pressed at `from`, held while the pointer moves to `to`; left held
    // unless `letGo`.
    void drag(EditorPanel& panel, NK::Vec2 from, NK::Vec2 to, bool letGo = false) {
        pointAtLevel(from.x, from.y);
        tick(panel, false, {}, true);
        pointAtLevel(to.x, to.y);
        tick(panel, false);
        if (letGo) release(panel);
    }
    void release(EditorPanel& panel) {
        holdButton(false);
        tick(panel, false);
    }
    // A click on a widget of the panel, given by its rectangle on the screen.
    void clickWidget(EditorPanel& panel, const NK::Rect& r) {
        pointAtScreen(r.x + r.width / 2.0f, r.y + r.height / 2.0f);
        tick(panel, true, {}, true);
        holdButton(false);
        tick(panel, true);
    }

    // Shows the page the widget helpers below drive, as its tab does.
    void openPage(EditorPanel& panel, bool build = true) {
        if (build) panel.build();
        panel.show();
        page = &panel;
    }
    NK::GUISystem& gui() { return page->widgetSystem(); }
    std::string shown(const std::string& input) { return gui().getTextInputText(input); }
    std::string buttonText(const std::string& key) { return gui().getButton(key).text; }
    void clickButton(const std::string& key) {
        clickWidget(*page, gui().buttonImages().get(key).rect);
    }
    void clickInput(const std::string& key) {
        clickWidget(*page,
                    gui().layerStore().get(NK::GUISystem::inputBackgroundKey(key)).placement);
    }
    // Activates the input, puts the text in and commits with a second click.
    void enter(const std::string& input, const std::string& text) {
        clickInput(input);
        gui().setTextInputText(input, text);
        clickInput(input);
    }
    EditorPanel* page = nullptr;
};

}  // namespace paneltest
