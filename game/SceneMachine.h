#pragma once
#include <cstdint>

#include "game/Scene.h"

// What a scene does inside an update. The game implements it; tests record it.
class SceneHooks {
public:
    virtual ~SceneHooks() = default;
    // The menu scenes lay themselves out on the fixed 1920x1080 screen.
    virtual void resetMenuView() = 0;
    // The game's own ext-bitmaps (the logo's pulse).
    virtual void updateLogo() = 0;
    // Which of the three menu scenes' widgets are visible.
    virtual void showMenuWidgets(bool mainMenu, bool browser, bool tutorial) = 0;
    virtual void updateEditor() = 0;
    // Escape in the editor: returns true when it leaves the editor (a test
    // run only ends instead).
    virtual bool editorEscape() = 0;
    virtual void enterEditor() = 0;
    virtual void updatePlay() = 0;
    virtual void leaveLevel() = 0;
};

// Scene switching. Buttons only write `scene`; a scene's entry work runs in
// the first update whose scene differs from the one the last update ran, so
// switching away and back within one tick is never seen.
class SceneMachine {
public:
    void update(bool escapePressed, SceneHooks& hooks);
    // The widget half of the entry work, at once: called after the widgets
    // took this update's clicks, so that a button that switched scenes
    // leaves on only the new scene's widgets for the frame drawn next.
    void enter(SceneHooks& hooks);

    std::int32_t scene = MainMenu;
    std::int32_t previousScene = MainMenu;
};
