#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "elements/LevelDocument.h"
#include "elements/LevelRun.h"
#include "engine/GameCore.h"
#include "engine/ShownWidgets.h"
#include "game/GameStart.h"
#include "game/SceneMachine.h"
#include "game/TutorialBook.h"

namespace NK {
class BitmapStore;
class BatchStore;
class AnimationStore;
class SoundStore;
class FontStore;
class GUISystem;
class TextFileStore;
class PhysicsWorld;
class ExtBitmapStore;
class ImagePrefetch;
}  // namespace NK
class MainMenuScreen;
class LevelBrowserScreen;
class TutorialScreen;
class Level;
class LevelFile;
class Backgrounds;
class Enemies;
class Surfaces;
class Lights;
class Boxes;
class Circles;
class ImportExportPanel;
class EditorPanel;
class Player;
class Gate;
class Dialogs;
class Levers;
class NPCs;
class PlayScene;
class EditorFrame;
class ReplayRecorder;
struct PlayInput;

// The one game object: owns every store and the physics world, loads the
// shared resources once, builds every scene's widgets once and switches
// between the scenes by one number.
//
// The level elements, the level browser, the play scene and the editor each
// take their place here as they are built: a member, a step in create and
// destroy, their update and draw in the scene hooks.
class Game : public NK::GameCore, private SceneHooks {
public:
    explicit Game(GameStart start = {});
    ~Game() override;

    void beforeDisplay() override;
    void create() override;
    void load() override;
    void update() override;
    void draw() override;
    void destroy() override;

    // The button callbacks; each only writes the scene (or the quit flag).
    void openScene(Scene s) { scenes.scene = s; }
    void exitGame() { quit = 1; }

    std::int32_t scene() const { return scenes.scene; }
    std::int32_t previousScene() const { return scenes.previousScene; }

    // What tools and tests reach in a running game. Every store, for the
    // census of what a level leaves behind and the sounds and bodies tests
    // read; the game's own widgets; the level's element kinds, the file work
    // on them that play and the tools use, the editor's import/export page
    // over the same work, the play scene and the editor's frame.
    struct Stores {
        NK::BitmapStore& bitmaps;
        NK::BatchStore& batches;
        NK::AnimationStore& animations;
        NK::SoundStore& sounds;
        NK::FontStore& fonts;
        NK::TextFileStore& textFiles;
        NK::PhysicsWorld& physics;
        NK::ExtBitmapStore& extBitmaps;
    };
    Stores stores() const;
    NK::GUISystem& gui() const { return *own.gui; }
    Level& level() const { return *own.level; }
    LevelFile& levelFile() const { return *own.levelFile; }
    ImportExportPanel& importExport() const { return *own.importExport; }
    PlayScene& play() const { return *own.play; }
    EditorFrame& editor() const { return *own.editor; }

    // Builds whatever of the editor load left for the menu's ticks: its
    // element pages, the Import/Export page and the frame. Scenes and levels
    // call it before they need them; so do tools that reach into them.
    void finishBuilding();

    // Starts the map at once, as a map loaded by its name (no pack progress).
    void playMap(const std::string& path) { startLevel(path, -1); }
    // Starts level `level` of the browser's current pack, or with -1 a map by
    // its path; the recording asked for on the command line begins with it.
    void startLevel(const std::string& path, int level);
    // The file the next level started is recorded into, from its start to
    // its end (the command line's, or a test's).
    void recordNextLevel(const std::string& path) { start.recordPath = path; }
    // Set by the replay runner: this tick's input instead of the devices'
    // (null: the devices'). Its pointer and left button also reach the mouse
    // that cards and widgets read, so a replay closes a card by clicking CLOSE.
    void setReplayInput(const PlayInput* in) { replayInput = in; }

    // Every widget system, named for reports: the game's own ("game"), the
    // import/export page's ("io") and each element page's, by its tab.
    using WidgetSystem = NK::NamedWidgets;
    std::vector<WidgetSystem> widgetSystems() const;
    // Draws the current frame and returns every widget that is on but was not
    // drawn, or drawn but not on (NK::strayWidgets); empty when the scene
    // shows exactly what it draws.
    std::vector<std::string> strayWidgets() {
        return NK::strayWidgets(widgetSystems(), [this] { draw(); });
    }
    // The level browser, whose packs say what its page must show.
    LevelBrowserScreen& levelBrowser() { return *browser; }

private:
    // SceneHooks
    void resetMenuView() override;
    void updateLogo() override;
    void showMenuWidgets(bool mainMenu, bool browser, bool tutorial) override;
    void updateEditor() override;
    bool editorEscape() override;
    void enterEditor() override;
    void updatePlay() override;
    void leaveLevel() override;
    void finishRecording(int outcome);

    // The stores and the level's parts. destroy releases them all at once,
    // so in the reverse of this order: the shared pictures, the editor and
    // play, the level, the game's widgets, the stores, the world last.
    struct Owned {
        std::unique_ptr<NK::PhysicsWorld> physics;
        std::unique_ptr<NK::TextFileStore> textFiles;
        std::unique_ptr<NK::FontStore> fonts;
        std::unique_ptr<NK::SoundStore> sounds;
        std::unique_ptr<NK::AnimationStore> animations;
        std::unique_ptr<NK::BatchStore> batches;
        std::unique_ptr<NK::BitmapStore> bitmaps;
        std::unique_ptr<NK::GUISystem> gui;
        std::unique_ptr<Level> level;
        std::unique_ptr<LevelFile> levelFile;
        std::unique_ptr<ImportExportPanel> importExport;
        std::unique_ptr<PlayScene> play;
        std::unique_ptr<EditorFrame> editor;
        std::unique_ptr<NK::ExtBitmapStore> extBitmaps;
    } own;
    GameStart start;
    const PlayInput* replayInput = nullptr;
    SceneMachine scenes;
    TutorialBook tutorialBook;
    std::unique_ptr<MainMenuScreen> mainMenu;
    std::unique_ptr<LevelBrowserScreen> browser;
    std::unique_ptr<TutorialScreen> tutorialScreen;
    std::unique_ptr<ReplayRecorder> recorder;
    // The next part of the editor to build: the element pages in tab order,
    // then the Import/Export page, then the frame; false once all are built.
    bool buildNextPart();
    std::size_t partsBuilt = 0;
    // Decodes the start-up pictures on worker threads until the last page
    // has taken its own.
    std::unique_ptr<NK::ImagePrefetch> prefetch;
};
