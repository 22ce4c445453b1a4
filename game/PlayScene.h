#pragma once
#include <functional>
#include <string>

#include "elements/LevelRun.h"
#include "elements/PlayInput.h"
#include "game/PadControls.h"

namespace NK {
class AnimationStore;
class BitmapStore;
class GUISystem;
class PhysicsWorld;
class RenderContext;
class View;
}  // namespace NK
class Backgrounds;
class LevelFile;

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
        LevelFile* levelFile = nullptr;
        Backgrounds* backgrounds = nullptr;
        // Told whether each level's map read, for the editor's page to report.
        std::function<void(bool read)> loaded;
    };

    PlayScene(const Services& services, const LevelRun& run);

    // The two end-of-level buttons and the win line; `toMenu` switches
    // scenes. The win and lose windows are read when first drawn.
    void build(std::function<void()> toMenu);
    // The win and lose windows' files, and their keys in the bitmap store,
    // where they stay once read.
    static const char* const windowFiles[2];
    static const char* const windowKeys[2];
    void startLevel(const std::string& path);
    // Whether a map file is there to be started; a missing one is logged, and
    // the level is then neither started nor restarted.
    static bool mapOpens(const std::string& path);
    // One tick; R restarts the level whatever its state.
    void update(const PlayInput& input);
    void leaveLevel();
    void draw();
    // The win or lose window's buttons go; a level left without them (a
    // replay's end) must not leave them to take the next level's clicks.
    void hideEndButtons();
    // Whether the running level's player hangs in mid-air (see HangWatch).
    const HangWatch& hangWatch() const { return run.hang; }

    // Called on the first tick of a win, after the windows are shown; the
    // level browser records progress there and answers with the line the win
    // window shows under its buttons (what the win unlocked, if anything).
    std::function<std::string()> onWin;

    std::string mapPath;
    // The level's index in the level browser's current pack; -1 for a map
    // started by its name, whose win unlocks nothing.
    int currentLevel = -1;
    bool won = false;
    bool lost = false;

private:
    void showEndButtons(float opacity);
    // 0 the win window, 1 the lose window.
    void drawWindow(int window);
    void drawReticle();

    Services services;
    LevelRun run;
    std::function<void()> toMenu;
    // A controller's aim, and where its reticle was put this tick on screen.
    PadControls::Aim aim;
    NK::Vec2 reticle;
};
