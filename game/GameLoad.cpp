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
#include "elements/Enemies.h"
#include "elements/Gate.h"
#include "elements/Level.h"
#include "elements/LevelFile.h"
#include "elements/NPCs.h"
#include "elements/Player.h"
#include "engine/AnimationStore.h"
#include "engine/BitmapStore.h"
#include "engine/Display.h"
#include "engine/FontStore.h"
#include "engine/ImagePrefetch.h"
#include "engine/Log.h"
#include "engine/SoundStore.h"
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
    const char* splash = splashFile;
    if (al_filename_exists(splash)) {
        bitmaps->load(splash, "TORV");
        bitmaps->drawOnScreen("TORV", NK::Rect(0.0f, 0.0f, static_cast<float>(display->windowWidth),
                                               static_cast<float>(display->windowHeight)));
    } else {
        NK::logError(std::string("Bitmap path \"") + splash +
                     "\" not found or initialization failed");
    }
    al_flip_display();
    ++display->frameCount;

    loadResources();

    mainMenu = std::make_unique<MainMenuScreen>(gui, bitmaps, extBitmaps);
    mainMenu->build({[this] { openScene(LevelBrowser); },
                     [this] {
                         // The editor opens on an empty level.
                         finishBuilding();
                         levelFile->clear();
                         openScene(Editor);
                     },
                     [this] { openScene(Tutorial); }, [this] { exitGame(); }});
    browser = std::make_unique<LevelBrowserScreen>(gui, bitmaps, textFiles);
    browser->build({[this](const std::string& path, int level) { startLevel(path, level); },
                    [this] { openScene(MainMenu); }});
    tutorialScreen = std::make_unique<TutorialScreen>(gui, bitmaps, &tutorialBook);
    tutorialScreen->build([this] { openScene(MainMenu); });
    // Progress is the browser's: it knows the pack and rewrites its file.
    play->onWin = [this] { return browser->levelWon(play->currentLevel); };
    play->build([this] {
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
    const std::vector<EditorPanel*> pages = level->panels();
    if (partsBuilt < pages.size()) {
        pages[partsBuilt]->build();
    } else if (partsBuilt == pages.size()) {
        if (recoverySeconds > 0) importExport->recoverySeconds = recoverySeconds;
        importExport->build();
    } else {
        editor->build([this] { openScene(MainMenu); });
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

std::vector<std::string> Game::startupImages() {
    std::vector<std::string> files = {splashFile};
    for (const ResourceEntry& r : sharedResources())
        if (r.kind == ResourceEntry::Bitmap || r.kind == ResourceEntry::Animation)
            files.push_back(r.path);
    files.push_back(MainMenuScreen::logoFile);
    for (const std::vector<std::string>& element :
         {Player::imageFiles(), Gate::imageFiles(), NPCs::imageFiles()})
        files.insert(files.end(), element.begin(), element.end());
    files.push_back(Enemies::headPath);
    files.push_back(Enemies::holderPath);
    return files;
}

void Game::loadResources() {
    for (const ResourceEntry& r : sharedResources()) {
        if (r.kind == ResourceEntry::Sound || r.kind == ResourceEntry::Song) {
            loadSoundOrSilence(*sounds, r);
            continue;
        }
        // Without its font the game has no words to show: a missing one is
        // the font store's fatal error, not a stand-in.
        if (r.kind != ResourceEntry::Font && !al_filename_exists(r.path.c_str())) {
            NK::logError(missingResourceMessage(r));
            // A transparent stand-in keeps every later look-up of the key
            // safe: the picture simply does not show.
            if (r.kind == ResourceEntry::Bitmap) {
                bitmaps->create(NK::Rect(0, 0, 1, 1), r.key);
                al_set_target_bitmap(bitmaps->get(r.key).get());
                al_clear_to_color(al_map_rgba(0, 0, 0, 0));
                al_set_target_backbuffer(display->display);
            }
            continue;
        }
        switch (r.kind) {
            case ResourceEntry::Font:
                fonts->load(r.path, r.key);
                break;
            case ResourceEntry::Bitmap:
                bitmaps->load(r.path, r.key);
                break;
            case ResourceEntry::Animation:
                animations->loadAnimation(r.path, r.columns, r.rows, r.key);
                break;
            case ResourceEntry::Sound:
            case ResourceEntry::Song:
                break;
        }
    }
}
