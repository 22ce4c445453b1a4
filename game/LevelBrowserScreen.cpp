#include "game/LevelBrowserScreen.h"

#include <fstream>

#include "engine/BitmapStore.h"
#include "engine/GUISystem.h"
#include "engine/View.h"
#include "game/MainMenuScreen.h"

namespace {

const NK::Color locked(1.0f, 0.0f, 0.0f, 1.0f);
const NK::Color unlocked(0.0f, 1.0f, 0.0f, 1.0f);

std::string levelKey(int index) {
    return "levels_button_" + std::to_string(index);
}

const char* const fixedButtons[] = {"levels_button_back", "levels_button_left",
                                    "levels_button_right", "levels_set_load_path", "levels_load"};
const char* const labelKeys[] = {"levels_pack_name", "levels_load_path_info",
                                 "levels_is_load_path"};
const char* const inputKey = "levels_load_path";

}  // namespace

LevelBrowserScreen::LevelBrowserScreen(NK::GUISystem* g, NK::BitmapStore* b, NK::TextFileStore* f)
    : gui(g), bitmaps(b), files(f) {}

void LevelBrowserScreen::build(Actions a, const std::string& listPath) {
    actions = std::move(a);
    packs = LevelPacks::load(*files, listPath);

    NK::GUISystem& g = *gui;
    const NK::Color white = NK::Color::white();
    g.setNextButtonsFont("font", 16, white);
    auto button = [&](const char* image, const std::string& key, NK::Rect r,
                      std::function<void()> click) {
        g.createButton(bitmaps->get(image), r, key, true);
        makeHoverFade(g, key.c_str());
        g.setButtonFirstCallback(key, [click](std::string) { click(); });
    };
    button("arrow_right", "levels_button_back", {40, 40, 75, 75}, [this] { actions.back(); });
    g.createTextLabel(NK::Rect(480, 400, 600, 100), "font", 16, white, {}, "", "levels_pack_name");
    for (int i = 0; i < LevelPacks::levelsPerPage; ++i)
        button("menu_button", levelKey(i), {480, 500.0f + 100.0f * static_cast<float>(i), 600, 100},
               [this, i] { clickLevel(i); });
    // Both arrows redraw the page even when they cannot move: the page then
    // shows the latest unlocks whatever was clicked.
    button("arrow_right", "levels_button_left", {120, 700, 100, 100}, [this] {
        if (currentPack > 0) --currentPack;
        showPage();
    });
    // One arrow image serves both ways.
    g.buttonImages().get("levels_button_left").flipX = true;
    button("arrow_right", "levels_button_right", {840, 700, 100, 100}, [this] {
        if (currentPack < static_cast<int>(packs.size()) - 1) ++currentPack;
        showPage();
    });

    g.createTextLabel(NK::Rect(1152, 600, 400, 75), "font", 16, white, {}, folder,
                      "levels_load_path_info");
    button("button", "levels_set_load_path", {1002, 675, 100, 75}, [this] { toggleTyping(); });
    g.setButtonText("levels_set_load_path", "SET", 1);
    g.createTextInput(NK::Rect(1202, 675, 300, 75), true, bitmaps->get("button"), "font", 16, white,
                      {10.0f, 0.0f, 10.0f, 0.0f}, 1, 120, false, "", inputKey);
    // A click on the field or Enter ends the typing as SET does.
    g.setTextInputFirstCallback(inputKey, [this](std::string) { toggleTyping(); });
    g.setTextInputThirdCallback(inputKey, [this](std::string) { stopTyping(); });
    g.createTextLabel(NK::Rect(1152, 750, 400, 75), "font", 16, white, {}, "",
                      "levels_is_load_path");
    button("button", "levels_load", {1152, 825, 400, 75}, [this] { load(); });
    g.setButtonText("levels_load", "LOAD", 1);

    built = true;
    setTyping(false);  // idle: dimmed like the buttons
    if (currentPack >= static_cast<int>(packs.size())) currentPack = 0;
    showPage();
    show(false);
}

void LevelBrowserScreen::showPage() {
    if (!built) return;
    const LevelPack* pack = currentPack >= 0 && currentPack < static_cast<int>(packs.size())
                                ? &packs[static_cast<std::size_t>(currentPack)]
                                : nullptr;
    for (int i = 0; i < LevelPacks::levelsPerPage; ++i) {
        const std::string key = levelKey(i);
        const bool exists = pack && i < static_cast<int>(pack->levels.size());
        const bool open = exists && LevelPacks::startable(*pack, i);
        gui->setButtonFont(key, "font", 16, open ? unlocked : locked);
        gui->setButtonText(key, exists ? pack->levels[static_cast<std::size_t>(i)].label : "", 1);
    }
    gui->setTextLabelText("levels_pack_name", pack ? pack->name : "");
}

void LevelBrowserScreen::levelWon(int level) {
    if (currentPack < 0 || currentPack >= static_cast<int>(packs.size())) return;
    if (level >= 0)
        LevelPacks::saveProgress(*files, packs[static_cast<std::size_t>(currentPack)], level);
    showPage();
}

void LevelBrowserScreen::clickLevel(int index) {
    if (currentPack < 0 || currentPack >= static_cast<int>(packs.size())) return;
    const LevelPack& pack = packs[static_cast<std::size_t>(currentPack)];
    if (!LevelPacks::startable(pack, index)) return;
    stopTyping();
    actions.start(pack.levels[static_cast<std::size_t>(index)].mapPath, index);
}

bool LevelBrowserScreen::typing() {
    return built && gui->getTextInput(inputKey).focused;
}

void LevelBrowserScreen::setTyping(bool on) {
    gui->getTextInput(inputKey).focused = on;
    gui->setTextInputOpacity(inputKey, on ? 1.0f : 0.7f);
}

void LevelBrowserScreen::toggleTyping() {
    if (typing()) return stopTyping();
    setTyping(true);
}

void LevelBrowserScreen::stopTyping() {
    if (!typing()) return;
    setTyping(false);
    checkLoadName();
}

bool LevelBrowserScreen::checkLoadName() {
    const std::string name = gui->getTextInputText(inputKey);
    if (name.empty()) return false;
    const bool found = static_cast<bool>(std::ifstream(folder + name));
    setFoundLabel(found ? "Map found" : "Map not found", found);
    return found;
}

void LevelBrowserScreen::setFoundLabel(const std::string& text, bool found) {
    NK::GUISystem::TextLabel& label = gui->getTextLabel("levels_is_load_path");
    const NK::Color colour = found ? unlocked : locked;
    // Each text has its one colour, so an equal text needs nothing new.
    if (label.text == text) return;
    label.textColor = colour;
    label.text.clear();  // the colour alone would not render it again
    gui->setTextLabelText("levels_is_load_path", text);
}

void LevelBrowserScreen::load() {
    setTyping(false);
    if (!checkLoadName()) return;
    actions.start(folder + gui->getTextInputText(inputKey), -1);
}

void LevelBrowserScreen::show(bool shown) {
    if (!built) return;
    for (const char* key : fixedButtons) gui->setButtonShown(key, shown);
    for (int i = 0; i < LevelPacks::levelsPerPage; ++i) gui->setButtonShown(levelKey(i), shown);
    for (const char* key : labelKeys) gui->setTextLabelVisible(key, shown);
    gui->setTextInputVisible(inputKey, shown);
    if (!shown) stopTyping();
    if (shown) showPage();
}

void LevelBrowserScreen::draw(const NK::View& view) {
    bitmaps->draw("menu_bg", view.rect());
    for (const char* key : fixedButtons) gui->drawButton(key);
    for (int i = 0; i < LevelPacks::levelsPerPage; ++i) gui->drawButton(levelKey(i));
    for (const char* key : labelKeys) gui->drawTextLabel(key);
    gui->drawTextInput(inputKey);
}
