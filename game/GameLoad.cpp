// Start-up: the splash, the shared resources and the menus before the first
// menu frame; the editor's pages, its Import/Export page and its frame after
// it, one a tick while the main menu shows. Whatever needs them sooner (a
// scene other than the menu, a level started) finishes them first.
#include <allegro5/allegro.h>

#include <cstdio>

#include "editor/EditorFrame.h"
#include "editor/EditorTabs.h"
#include "editor/ImportExportPanel.h"
#include "elements/EditorPanel.h"
#include "elements/Level.h"
#include "elements/LevelFile.h"
#include "engine/BitmapStore.h"
#include "engine/ImagePrefetch.h"
#include "engine/Log.h"
#include "game/Game.h"
#include "game/LevelBrowserScreen.h"
#include "game/MainMenuScreen.h"
#include "game/PlayScene.h"
#include "game/Replay.h"
#include "game/ResourceTable.h"
#include "game/TutorialScreen.h"

void Game::load() {
    std::string startLine = NK::applicationName() + " " + NK::currentDateString() + " " +
                            NK::currentTimeString() + "\n";
    std::fwrite(startLine.data(), 1, startLine.size(), stdout);
    std::fflush(stdout);

    al_set_system_mouse_cursor(display->display, ALLEGRO_SYSTEM_MOUSE_CURSOR_BUSY);

    if (!prefetch) beforeDisplay();

    // The splash goes up before anything else loads, so even a slow or
    // broken load shows the player something.
    showSplash(*own.bitmaps, *display);

    loadSharedResources(*own.fonts, *own.bitmaps, *own.animations, *own.sounds);

    mainMenu =
        std::make_unique<MainMenuScreen>(own.gui.get(), own.bitmaps.get(), own.extBitmaps.get());
    mainMenu->build({[this] { openScene(LevelBrowser); },
                     [this] {
                         // The editor opens on an empty level.
                         finishBuilding();
                         own.levelFile->clear();
                         openScene(Editor);
                     },
                     [this] { openScene(Tutorial); }, [this] { exitGame(); }});
    browser =
        std::make_unique<LevelBrowserScreen>(own.gui.get(), own.bitmaps.get(), own.textFiles.get());
    browser->build({[this](const std::string& path, int level) { startLevel(path, level); },
                    [this] { openScene(MainMenu); }});
    tutorialScreen =
        std::make_unique<TutorialScreen>(own.gui.get(), own.bitmaps.get(), &tutorialBook);
    tutorialScreen->build([this] { openScene(MainMenu); });
    // Progress is the browser's: it knows the pack and rewrites its file.
    own.play->onWin = [this] { return browser->levelWon(own.play->currentLevel); };
    own.play->build([this] {
        // "Menu" leaves the level as Escape does: a recording ends there too.
        if (recorder) finishRecording(static_cast<int>(Replay::Outcome::None));
        openScene(MainMenu);
    });
    // The game opens on the main menu, so only its buttons may take clicks.
    showMenuWidgets(true, false, false);

    al_set_system_mouse_cursor(display->display, ALLEGRO_SYSTEM_MOUSE_CURSOR_DEFAULT);
}

bool Game::buildNextPart() {
    // Asked every tick for the rest of the run: once all is built, no work.
    if (partsBuilt == static_cast<std::size_t>(EditorTabs::elementTabs) + 2) return false;
    const std::vector<EditorPanel*> pages = own.level->panels();
    if (partsBuilt < pages.size()) {
        pages[partsBuilt]->build();
    } else if (partsBuilt == pages.size()) {
        if (start.recoverySeconds > 0) own.importExport->recoverySeconds = start.recoverySeconds;
        own.importExport->build();
    } else {
        own.editor->build([this] { openScene(MainMenu); });
    }
    ++partsBuilt;
    if (partsBuilt == pages.size() + 2) {
        // Every picture the workers decoded ahead has been taken by now.
        prefetch.reset();
    }
    return true;
}

void Game::finishBuilding() {
    while (buildNextPart()) {
    }
}

void Game::beforeDisplay() {
    // Everything load loads goes in its order and reports a missing file
    // where it always did; meanwhile two workers decode the pictures ahead of
    // it, the splash first, from while the window is still being made, so
    // start-up uses both cores. They go on with the editor's pictures while
    // the menu shows and its pages are built, and stop once the last page
    // has taken its own.
    prefetch = std::make_unique<NK::ImagePrefetch>(startupImages(), 2);
    NK::ImagePrefetch::setCurrent(prefetch.get());
}
