#pragma once
#include <memory>
#include <string>

#include "elements/LevelDocument.h"
#include "engine/Stopwatch.h"

namespace NK {
class Display;
class FontStore;
class GUISystem;
class Input;
class RenderContext;
class TextFileStore;
}  // namespace NK

// The editor's import/export tab and the owner of the level's three file
// operations: save, load and clear. The game, the level browser and the play
// scene all go through it, so every map is read and written by one code path.
class ImportExportPanel {
public:
    struct Services {
        NK::Display* display = nullptr;  // for the busy cursor; none in tools and tests
        NK::Input* input = nullptr;
        NK::RenderContext* renderContext = nullptr;
        NK::FontStore* fonts = nullptr;
        NK::TextFileStore* textFiles = nullptr;
    };

    ImportExportPanel(const Services& services, const LevelDocument::Parts& level);
    ~ImportExportPanel();

    // The panel's widgets; needs the font "font" loaded.
    void build();
    // Every tick in every scene: messages go after 4 seconds, typing goes on.
    void update();

    // Writes the whole level to path, replacing the file only once the new
    // one is complete, and shows "Saved".
    void saveMap(const std::string& path);
    // Adds the records of the map at path to the level (callers clear first)
    // and shows "Loaded", or clears the level and shows "Wrong data".
    void loadMap(const std::string& path);
    void clearMap();
    bool isMapEmpty() const { return document.isEmpty(); }

    LevelDocument& level() { return document; }
    NK::GUISystem& widgets() { return *gui; }

    NK::Stopwatch loadClock;
    NK::Stopwatch saveClock;
    bool loadShown = false;
    bool saveShown = false;

private:
    void setBusyCursor(bool busy);

    Services services;
    LevelDocument document;
    std::unique_ptr<NK::GUISystem> gui;
};
