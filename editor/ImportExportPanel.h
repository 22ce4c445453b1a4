#pragma once
#include <functional>
#include <memory>
#include <string>

#include "elements/LevelFile.h"

namespace NK {
class BitmapStore;
class Display;
class FontStore;
class GUISystem;
class Input;
class RenderContext;
class TextFileStore;
}  // namespace NK

// The editor's import/export tab: its buttons and messages, the save
// question and crash recovery, over the level's file work in LevelFile.
class ImportExportPanel {
public:
    struct Services {
        NK::Display* display = nullptr;  // for the busy cursor; none in tools and tests
        NK::Input* input = nullptr;
        NK::RenderContext* renderContext = nullptr;
        NK::FontStore* fonts = nullptr;
        NK::TextFileStore* textFiles = nullptr;
        // For the page's buttons ("button_g"); without it only the two
        // message labels are made (tools and tests that only load and save).
        NK::BitmapStore* bitmaps = nullptr;
    };

    ImportExportPanel(const Services& services, const LevelDocument::Parts& level);
    ~ImportExportPanel();

    // The folder every map name of the panel is relative to.
    static constexpr const char* folder = "Editor/Levels/";

    // The panel's widgets; needs the font "font" and the image "button_g" loaded.
    void build();
    // Every tick in every scene: messages go after 4 seconds, typing goes on.
    void update();
    void show();
    void hide();
    void draw();
    bool typing();

    // The buttons, as the editor's user clicks them.
    void newMap();
    void loadNamed();
    void save();
    // Whether the typed load name opens ("Map found" / "Map not found"); an
    // empty name is not checked at all.
    bool checkLoadPath();
    void resetPathInputs();
    // Before anything discards a level that holds something: asks whether to
    // save it, and on Yes saves it under a name made of the date and time.
    void unsavedMapPrompt();
    // Yes (true) or No to "Do you want to save current map?". The game shows
    // the native box; tests answer here.
    std::function<bool()> askToSave;

    // Crash recovery. While the editor holds a level that is not empty and
    // has changed since it was last copied or saved, it is copied here every
    // `recoverySeconds` (atomically, as saves are); saving the level, or
    // discarding it through the prompt, removes the copy. A copy found when
    // the game starts is offered by "RECOVER", and kept untouched, until it
    // is used or the user starts another level with NEW or LOAD. Meanwhile
    // it waits under `offeredPath()`, and new work is copied as always.
    std::string recoveryPath = std::string(folder) + ".recovery.txt";
    std::string offeredPath() const { return recoveryPath + ".offered"; }
    int recoverySeconds = 30;
    // Each editor tick outside a test run.
    void keepRecovery();
    void dropRecovery();
    // "RECOVER": the copy loaded as LOAD loads a map, the prompt first.
    void recover();
    bool recoveryOffered() const { return offeringRecovery; }

    // Writes the whole level to path, replacing the file only once the new
    // one is complete, and shows "Saved".
    void saveMap(const std::string& path);
    // Adds the records of the map at path to the level (callers clear first)
    // and shows "Loaded", or clears the level and shows "Wrong data".
    void loadMap(const std::string& path);
    // "Loaded" or, when the file did not read, "Wrong data" for the message's
    // time: the result of the last load, whoever made it (the play scene's
    // loads report here too).
    void showLoaded(bool read);
    void clearMap() { file.clear(); }
    bool isMapEmpty() const { return file.isEmpty(); }
    // The level as a save would write it, in one string: what undo and
    // crash recovery keep.
    std::string snapshot() const { return file.snapshot(); }
    // Replaces the level with a snapshot's records as an edit, showing no
    // message; a snapshot that does not read changes nothing and returns false.
    bool restore(const std::string& text) { return file.restore(text); }

    LevelDocument& level() { return file.level(); }
    NK::GUISystem& widgets() { return *gui; }

    // The messages and the REWRITE offer last four seconds of game time, so a
    // replay or a slowed run sees them for the same ticks as a player does.
    static constexpr int messageTicks = 4 * 60;
    int loadTicksLeft = 0;
    int saveTicksLeft = 0;
    int rewriteTicksLeft = 0;
    bool loadShown = false;
    bool saveShown = false;
    // The next "save" may replace the existing file; it reads "REWRITE".
    bool rewriteArmed = false;

private:
    void buildPage();
    void startTyping(const std::string& key);
    void armRewrite(bool armed);
    std::string typed(const std::string& key);

    Services services;
    LevelFile file;
    std::unique_ptr<NK::GUISystem> gui;
    bool shown = false;
    bool offeringRecovery = false;
    int recoveryCountdown = 0;
    std::string recoveryWritten;  // the snapshot safe on disk: in the copy or the map saved
    bool recoveryIsMap = false;   // the user saved a map under the copy's name
    void offerRecovery();
    // The button hidden and, unless `removeCopy` is false, the copy on offer removed.
    void endRecoveryOffer(bool removeCopy = true);
    static bool samePlace(const std::string& path, const std::string& other);
    bool paged = false;  // the page's widgets exist
};
