#include "game/SceneMachine.h"

void SceneMachine::update(bool escape, SceneHooks& hooks) {
    switch (scene) {
        case MainMenu:
            hooks.resetMenuView();
            hooks.updateLogo();
            // Escape in the main menu has nowhere to go back to.
            if (previousScene != scene) hooks.showMenuWidgets(true, false, false);
            previousScene = MainMenu;
            break;
        case LevelBrowser:
            hooks.resetMenuView();
            hooks.updateLogo();
            if (escape) scene = MainMenu;
            if (previousScene != scene) hooks.showMenuWidgets(false, true, false);
            previousScene = LevelBrowser;
            break;
        case Tutorial:
            hooks.resetMenuView();
            if (escape) scene = MainMenu;
            if (previousScene != scene) hooks.showMenuWidgets(false, false, true);
            previousScene = Tutorial;
            break;
        case Editor:
            hooks.updateEditor();
            if (escape && hooks.editorEscape()) scene = MainMenu;
            if (previousScene != scene) {
                hooks.showMenuWidgets(false, false, false);
                hooks.enterEditor();
            }
            previousScene = Editor;
            break;
        case Play:
            hooks.updatePlay();
            if (escape) {
                hooks.leaveLevel();
                scene = MainMenu;
            }
            if (previousScene != scene) hooks.showMenuWidgets(false, false, false);
            previousScene = Play;
            break;
        default:
            break;
    }
}

void SceneMachine::enter(SceneHooks& hooks) {
    if (previousScene == scene) return;
    // Leaving the editor hides its frame, as the editor's own update does.
    if (previousScene == Editor || scene == Editor) {
        hooks.showMenuWidgets(false, false, false);
        hooks.enterEditor();
    }
    if (scene != Editor)
        hooks.showMenuWidgets(scene == MainMenu, scene == LevelBrowser, scene == Tutorial);
    previousScene = scene;
}
