#include "game/MainMenuScreen.h"

#include <string>

#include "engine/BitmapStore.h"
#include "engine/ExtBitmapStore.h"
#include "engine/GUISystem.h"
#include "engine/View.h"
#include "game/ResourceTable.h"

namespace {

const char* const labels[MainMenuScreen::buttonCount] = {"Levels", "Create level", "Tutorial",
                                                         "Exit"};

std::string buttonKey(int index) {
    return "main_button_" + std::to_string(index);
}

}  // namespace

void makeHoverFade(NK::GUISystem& gui, const char* key) {
    gui.setButtonOpacity(key, 0.7f);
    gui.setButtonSecondCallback(
        key, [&gui](std::string k) { gui.animateButtonOpacity(k, 1.0f, 0.02f); });
    gui.setButtonThirdCallback(key,
                               [&gui](std::string k) { gui.animateButtonOpacity(k, 0.7f, 0.02f); });
}

const char* const MainMenuScreen::logoFile = "Resources/Images/Menu/vexa.png";

MainMenuScreen::MainMenuScreen(NK::GUISystem* g, NK::BitmapStore* b, NK::ExtBitmapStore* e)
    : gui(g), bitmaps(b), extBitmaps(e) {}

void MainMenuScreen::build(Actions actions) {
    gui->setNextButtonsFont("font", 16, NK::Color::white());
    std::function<void()> clicks[buttonCount] = {actions.levels, actions.createLevel,
                                                 actions.tutorial, actions.exit};
    for (int i = 0; i < buttonCount; ++i) {
        std::string key = buttonKey(i);
        gui->createButton(bitmaps->get("menu_button"),
                          NK::Rect(672.0f, 500.0f + 130.0f * static_cast<float>(i), 800.0f, 100.0f),
                          key, true);
        gui->setButtonText(key, labels[i], 1);
        makeHoverFade(*gui, key.c_str());
        std::function<void()> click = clicks[i];
        gui->setButtonFirstCallback(key, [click](std::string) { click(); });
    }

    // The logo lives in the ext-bitmap store alone; its file copy is not needed.
    loadBitmapOrStandIn(*bitmaps, logoFile, "vexa");
    extBitmaps->create(bitmaps->get("vexa"), NK::Rect(1030.0f, 40.0f, 330.0f, 330.0f), "vexa");
    bitmaps->destroy("vexa");
    // A slow breath: out to nothing and back in, for ever.
    extBitmaps->animateAlpha("vexa", true, false, -1, 0.0f, 0.002f);
}

void MainMenuScreen::show(bool shown) {
    for (int i = 0; i < buttonCount; ++i) gui->setButtonShown(buttonKey(i), shown);
}

void MainMenuScreen::draw(const NK::View& view) {
    bitmaps->draw("menu_bg", view.rect());
    for (int i = 0; i < buttonCount; ++i) gui->drawButton(buttonKey(i));
    for (auto& item : *extBitmaps) extBitmaps->drawExtBitmap(item.first);
}
