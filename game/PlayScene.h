#pragma once
#include <functional>
#include <string>

#include "elements/PlayInput.h"
#include "game/LevelRun.h"

namespace NK {
class AnimationStore;
class BitmapStore;
class GUISystem;
class PhysicsWorld;
class RenderContext;
class View;
}  // namespace NK
class Backgrounds;
class ImportExportPanel;

// The play scene: builds a level from its map file, steps it tick by tick,
// ends it in a win at the open gate or a loss when health runs out, and
// offers a restart or the way back to the menu.
class PlayScene {
public:
    struct Services {
        NK::GUISystem* gui = nullptr;
        NK::BitmapStore* bitmaps = nullptr;
        NK::AnimationStore* animations = nullptr;
        NK::View* view = nullptr;
        NK::RenderContext* renderContext = nullptr;
        ImportExportPanel* importExport = nullptr;
        Backgrounds* backgrounds = nullptr;
    };

    PlayScene(const Services& services, const LevelRun& run);

    // The win and lose windows and the two buttons; `toMenu` switches scenes.
    void build(std::function<void()> toMenu);
    void startLevel(const std::string& path);
    // Whether a map file is there to be started; a missing one is logged, and
    // the level is then neither started nor restarted.
    static bool mapOpens(const std::string& path);
    // One tick; R restarts the level whatever its state.
    void update(const PlayInput& input);
    void leaveLevel();
    void draw();

    // Called on the first tick of a win, after the windows are shown; the
    // level browser records progress there.
    std::function<void()> onWin;

    std::string mapPath;
    // The level's index in the level browser's current pack; -1 for a map
    // started by its name, whose win unlocks nothing.
    int currentLevel = -1;
    bool won = false;
    bool lost = false;

private:
    void showEndButtons(float opacity);
    void hideEndButtons();
    void drawShots();
    void drawWindow(const char* key);

    Services services;
    LevelRun run;
    std::function<void()> toMenu;
};

// Every shot in flight, the player's white and the cameras' red, turned to
// where it flies: the play scene and the editor's test run draw them alike.
void drawShots(NK::BitmapStore& bitmaps, NK::PhysicsWorld& world);
