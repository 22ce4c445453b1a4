// The import/export tab as the editor's user sees it: NEW, the map name to
// load, the name to save under, and the question before a level is lost.
#include <allegro5/allegro_native_dialog.h>

#include <fstream>

#include "editor/ImportExportPanel.h"
#include "engine/BitmapStore.h"
#include "engine/Display.h"
#include "engine/GUISystem.h"
#include "engine/Log.h"

namespace {

const char* const buttonKeys[] = {"new", "set_load_path", "load", "set_save_path", "save"};
const char* const labelKeys[] = {"load_path_info", "is_load_path", "load_info", "save_path_info",
                                 "save_info"};
const char* const inputKeys[] = {"load_path", "save_path"};
constexpr float idleOpacity = 0.7f;

bool opens(const std::string& path) {
    return static_cast<bool>(std::ifstream(path));
}

}  // namespace

void ImportExportPanel::buildPage() {
    NK::GUISystem& g = *gui;
    const NK::Color white = NK::Color::white();
    const NK::BitmapEntry& buttonImage = services.bitmaps->get("button_g");
    g.setNextButtonsFont("font", 12, white);
    auto button = [&](const char* key, const char* text, NK::Rect r, std::function<void()> click) {
        g.createButton(buttonImage, r, key, false);
        g.setButtonText(key, text, 1);
        g.setButtonOpacity(key, idleOpacity);
        g.setButtonFirstCallback(key, [click](std::string) { click(); });
        g.setButtonSecondCallback(key,
                                  [&g](std::string k) { g.animateButtonOpacity(k, 1.0f, 0.02f); });
        g.setButtonThirdCallback(
            key, [&g](std::string k) { g.animateButtonOpacity(k, idleOpacity, 0.02f); });
    };
    auto input = [&](const char* key, NK::Rect r) {
        g.createTextInput(r, false, buttonImage, "font", 10, white, {10.0f, 0.0f, 10.0f, 0.0f}, 1,
                          120, false, "", key);
    };
    button("new", "NEW", {1540, 150, 360, 50}, [this] { newMap(); });
    g.createTextLabel(NK::Rect(1540, 240, 360, 40), "font", 12, white, {}, folder,
                      "load_path_info");
    button("set_load_path", "SET", {1540, 290, 90, 50}, [this] { startTyping("load_path"); });
    input("load_path", {1640, 290, 260, 50});
    g.createTextLabel(NK::Rect(1540, 350, 360, 40), "font", 12, white, {}, "", "is_load_path");
    button("load", "LOAD", {1540, 400, 360, 50}, [this] { loadNamed(); });
    button("recover", "RECOVER", {1540, 525, 360, 50}, [this] { recover(); });

    g.createTextLabel(NK::Rect(1540, 640, 360, 40), "font", 12, white, {},
                      "Save as:", "save_path_info");
    button("set_save_path", "SET", {1540, 690, 90, 50}, [this] { startTyping("save_path"); });
    input("save_path", {1640, 690, 260, 50});
    button("save", "SAVE", {1540, 760, 360, 50}, [this] { save(); });

    // A click on a name while typing it ends the typing, as Enter does.
    g.setTextInputFirstCallback("load_path", [this](std::string) {
        if (!gui->getTextInput("load_path").focused) return startTyping("load_path");
        resetPathInputs();
        checkLoadPath();
    });
    g.setTextInputThirdCallback("load_path", [this](std::string) {
        resetPathInputs();
        checkLoadPath();
    });
    auto endSaveName = [this] {
        // Only a warning: nothing is written until "save".
        armRewrite(opens(folder + typed("save_path")) && !typed("save_path").empty());
        if (rewriteArmed) gui->setTextLabelText("save_info", "Map already exists");
        resetPathInputs();
    };
    g.setTextInputFirstCallback("save_path", [this, endSaveName](std::string) {
        if (!gui->getTextInput("save_path").focused) return startTyping("save_path");
        endSaveName();
    });
    g.setTextInputThirdCallback("save_path", [endSaveName](std::string) { endSaveName(); });
    paged = true;
    recoveryCountdown = recoverySeconds * 60;
    resetPathInputs();
    hide();
    offerRecovery();
}

std::string ImportExportPanel::typed(const std::string& key) {
    return gui->getTextInputText(key);
}

void ImportExportPanel::resetPathInputs() {
    if (!paged) return;
    for (const char* key : inputKeys) {
        gui->getTextInput(key).focused = false;
        gui->setTextInputOpacity(key, idleOpacity);
    }
}

void ImportExportPanel::startTyping(const std::string& key) {
    resetPathInputs();
    gui->getTextInput(key).focused = true;
    gui->setTextInputOpacity(key, 1.0f);
}

void ImportExportPanel::armRewrite(bool armed) {
    rewriteArmed = armed;
    if (armed) rewriteTicksLeft = messageTicks;
    if (!paged) return;
    gui->setButtonText("save", armed ? "REWRITE" : "SAVE", 1);
    gui->setTextLabelText("save_info", armed ? "Map already exists" : "");
}

bool ImportExportPanel::checkLoadPath() {
    if (!paged) return false;
    const std::string name = typed("load_path");
    if (name.empty()) return false;
    const bool found = opens(folder + name);
    gui->setTextLabelText("is_load_path", found ? "Map found" : "Map not found");
    return found;
}

void ImportExportPanel::newMap() {
    unsavedMapPrompt();
    clearMap();
    endRecoveryOffer();
    resetPathInputs();
}

void ImportExportPanel::loadNamed() {
    if (checkLoadPath()) {
        unsavedMapPrompt();
        clearMap();
        endRecoveryOffer();
        loadMap(folder + typed("load_path"));
        // As loaded, the level is safe in its file: no copy until it changes.
        recoveryWritten = snapshot();
    }
    resetPathInputs();
}

void ImportExportPanel::save() {
    if (!paged) return;
    const std::string name = typed("save_path");
    if (name.find_first_not_of(' ') == std::string::npos) return resetPathInputs();
    const std::string path = folder + name;
    if (opens(path) && !rewriteArmed) {
        armRewrite(true);
    } else {
        armRewrite(false);
        saveMap(path);
    }
    resetPathInputs();
}

void ImportExportPanel::unsavedMapPrompt() {
    if (isMapEmpty()) return;
    const bool yes = askToSave ? askToSave()
                               : al_show_native_message_box(
                                     services.display ? services.display->display : nullptr,
                                     "Unsaved Map", "Do you want to save current map?", "", nullptr,
                                     ALLEGRO_MESSAGEBOX_YES_NO) == 1;
    if (!yes) return dropRecovery();
    saveMap(std::string(folder) + "Map_" + NK::currentDateString() + "_" + NK::currentTimeString() +
            ".txt");
}

void ImportExportPanel::show() {
    if (!paged) return;
    for (const char* key : buttonKeys) gui->setButtonShown(key, true);
    gui->setButtonShown("recover", offeringRecovery);
    for (const char* key : labelKeys) gui->setTextLabelVisible(key, true);
    for (const char* key : inputKeys) gui->setTextInputVisible(key, true);
    shown = true;
}

void ImportExportPanel::hide() {
    if (!paged) return;
    for (const char* key : buttonKeys) gui->setButtonShown(key, false);
    gui->setButtonShown("recover", false);
    for (const char* key : labelKeys) gui->setTextLabelVisible(key, false);
    for (const char* key : inputKeys) gui->setTextInputVisible(key, false);
    resetPathInputs();
    shown = false;
}

void ImportExportPanel::draw() {
    if (!paged) return;
    if (!shown) return;
    for (const char* key : buttonKeys) gui->drawButton(key);
    gui->drawButton("recover");
    for (const char* key : labelKeys) gui->drawTextLabel(key);
    for (const char* key : inputKeys) gui->drawTextInput(key);
}

bool ImportExportPanel::typing() {
    if (!paged) return false;
    return gui->getTextInput("load_path").focused || gui->getTextInput("save_path").focused;
}
