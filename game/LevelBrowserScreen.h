#pragma once
#include <functional>
#include <string>
#include <vector>

#include "game/LevelPacks.h"

namespace NK {
class BitmapStore;
class GUISystem;
class TextFileStore;
class View;
}  // namespace NK

// The level browser: one pack a page, its five levels as buttons (green when
// they can be played, red while locked), arrows between the packs, and a
// field to start any saved map by its file name.
class LevelBrowserScreen {
public:
    struct Actions {
        // A level of pack `currentPack`, or a map by name with level -1.
        std::function<void(const std::string& mapPath, int level)> start;
        std::function<void()> back;
    };

    LevelBrowserScreen(NK::GUISystem* gui, NK::BitmapStore* bitmaps, NK::TextFileStore* files);

    // Reads the packs, then makes the widgets, hidden.
    void build(Actions actions, const std::string& listPath = LevelPacks::listPath);
    void show(bool shown);
    void draw(const NK::View& view);
    // Level buttons, labels and colours of pack `currentPack`, and its name.
    void showPage();
    // A win of level `level` of pack `currentPack` (-1: a map loaded by name):
    // saves the progress and returns what the win window says it changed.
    std::string levelWon(int level);
    bool typing();

    std::vector<LevelPack> packs;
    int currentPack = 0;  // kept between visits

    // Where the load field looks for maps.
    static constexpr const char* folder = "Editor/Levels/";

private:
    void clickLevel(int index);
    void setTyping(bool on);
    void toggleTyping();
    void stopTyping();
    // Whether the typed name opens, shown as "Map found" or "Map not found".
    bool checkLoadName();
    void load();
    void setFoundLabel(const std::string& text, bool found);

    NK::GUISystem* gui;
    NK::BitmapStore* bitmaps;
    NK::TextFileStore* files;
    Actions actions;
    bool built = false;
};
