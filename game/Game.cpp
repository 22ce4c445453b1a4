#include "game/Game.h"

#include <allegro5/allegro.h>

#include <algorithm>
#include <cmath>

#include "editor/EditorFrame.h"
#include "editor/ImportExportPanel.h"
#include "elements/EditorPanel.h"
#include "elements/Level.h"
#include "elements/LevelFile.h"
#include "elements/Lights.h"
#include "elements/PlayInput.h"
#include "elements/Player.h"
#include "engine/AnimationStore.h"
#include "engine/BatchStore.h"
#include "engine/BitmapStore.h"
#include "engine/ExtBitmapStore.h"
#include "engine/FontStore.h"
#include "engine/GUISystem.h"
#include "engine/ImagePrefetch.h"
#include "engine/LightSystem.h"
#include "engine/Log.h"
#include "engine/PhysicsWorld.h"
#include "engine/SoundStore.h"
#include "engine/TextFileStore.h"
#include "game/LevelBrowserScreen.h"
#include "game/MainMenuScreen.h"
#include "game/PadControls.h"
#include "game/PlayControls.h"
#include "game/PlayScene.h"
#include "game/Replay.h"
#include "game/TutorialScreen.h"

Game::Game() = default;
Game::~Game() = default;

void Game::create() {
    bitmaps = std::make_unique<NK::BitmapStore>(renderContext);
    batches = std::make_unique<NK::BatchStore>(renderContext);
    animations = std::make_unique<NK::AnimationStore>();
    fonts = std::make_unique<NK::FontStore>(renderContext);
    sounds = std::make_unique<NK::SoundStore>();  // reserves the sample voices
    gui = std::make_unique<NK::GUISystem>(input, renderContext, fonts.get());
    textFiles = std::make_unique<NK::TextFileStore>();
    physics = std::make_unique<NK::PhysicsWorld>(NK::Vec2(0.0f, 10.0f), renderContext);
    // Bodies far outside any level are culled; this box is the whole world.
    physics->cullRect = NK::Rect(-960000.0f, -540000.0f, 1920000.0f, 1080000.0f);
    extBitmaps = std::make_unique<NK::ExtBitmapStore>(renderContext);

    ElementServices kinds;
    static_cast<PanelServices&>(kinds) = {input, view, fonts.get(), bitmaps.get(), renderContext};
    kinds.animations = animations.get();
    kinds.sounds = sounds.get();
    kinds.physics = physics.get();
    level = std::make_unique<Level>(kinds);
    levelFile = std::make_unique<LevelFile>(*textFiles, level->parts(), display);
    importExport = std::make_unique<ImportExportPanel>(
        ImportExportPanel::Services{display, input, renderContext, fonts.get(), textFiles.get(),
                                    bitmaps.get()},
        level->parts());
    play = std::make_unique<PlayScene>(
        PlayScene::Services{gui.get(), bitmaps.get(), animations.get(), view, renderContext,
                            levelFile.get(), level->backgrounds.get(),
                            // The editor's page reports a level's load as it reports its own.
                            [this](bool read) { importExport->showLoaded(read); }},
        level->run());
    editor = std::make_unique<EditorFrame>(
        EditorFrame::Services{input, display, view, gui.get(), bitmaps.get(), animations.get(),
                              renderContext, importExport.get()},
        *level);
}

void Game::startLevel(const std::string& path, int level) {
    if (!PlayScene::mapOpens(path)) return;
    // A level fills every element's page as it loads.
    finishBuilding();
    play->currentLevel = level;
    play->startLevel(path);
    if (!recordReplayPath.empty() && !recorder) recorder = std::make_unique<ReplayRecorder>(path);
    openScene(Play);
}

void Game::updatePlay() {
    // A replay holds its own controller's part.
    const PlayInput in = replayInput ? *replayInput
                                     : PlayControls::fromDevices(*input, display->windowWidth,
                                                                 display->windowHeight);
    const bool endedBefore = play->won || play->lost;
    if (recorder) recorder->add(in);
    play->update(in);
    if (recorder && !endedBefore && (play->won || play->lost))
        finishRecording(static_cast<int>(play->won ? Replay::Outcome::Won : Replay::Outcome::Lost));
}

void Game::updateEditor() {
    editor->update(replayInput ? *replayInput
                               : PlayControls::fromKeyboardAndMouse(*input, display->windowWidth,
                                                                    display->windowHeight));
}

bool Game::editorEscape() {
    return editor->escape();
}

void Game::enterEditor() {
    editor->enter(scenes.scene == Editor);
}

void Game::leaveLevel() {
    if (recorder) finishRecording(static_cast<int>(Replay::Outcome::None));
    play->leaveLevel();
}

void Game::finishRecording(int outcome) {
    const NK::Rect body = level->player->rectangle();
    recorder->finish(recordReplayPath, static_cast<Replay::Outcome>(outcome),
                     {body.x + body.width * 0.5f, body.y + body.height * 0.5f});
    recorder.reset();
    recordReplayPath.clear();
}

void Game::update() {
    // Ticks queued during the load are caught up first, as the loop does
    // with every backlog; a level started before that would play its first
    // seconds unseen.
    if (!startMapPath.empty() && al_is_event_queue_empty(input->queue)) {
        playMap(startMapPath);
        startMapPath.clear();
    }
    if (!startPackFile.empty() && al_is_event_queue_empty(input->queue)) {
        for (std::size_t i = 0; i < browser->packs.size(); ++i)
            if (browser->packs[i].path == startPackFile) browser->currentPack = static_cast<int>(i);
        openScene(LevelBrowser);
        startPackFile.clear();
    }
    if (replayInput)
        PlayControls::toMouse(*replayInput, *input, display->windowWidth, display->windowHeight);
    if (scenes.scene != MainMenu) finishBuilding();
    // The editor is for the keyboard and mouse; everywhere else Back or Start
    // on a controller is Escape.
    const bool padLeave = scenes.scene != Editor && PadControls::leavePressed(input->pad.state);
    scenes.update(input->keyPressed[ALLEGRO_KEY_ESCAPE] != 0 || padLeave, *this);
    // Shared by every scene, after the scene's own work.
    const std::vector<EditorPanel*> pages = level->panels();
    if (partsBuilt > pages.size()) importExport->update();
    for (std::size_t i = 0; i < pages.size() && i < partsBuilt; ++i) pages[i]->updateWidgets();
    level->lights->system().uploadUniforms();
    animations->updateAnimations();
    PadControls::steerButtons(*gui, *input, scenes.scene == Editor);
    gui->update();
    // A replay has no run loop to clear the edge after the tick.
    if (replayInput) input->mousePressed[1] = 0;
    // The menu has time to spare for one more part of the editor each tick;
    // a button that left the menu needs all of them before the new scene.
    if (scenes.scene == MainMenu)
        buildNextPart();
    else
        finishBuilding();
    scenes.enter(*this);
}

void Game::draw() {
    switch (scenes.scene) {
        case MainMenu:
            mainMenu->draw(*view);
            break;
        case LevelBrowser:
            browser->draw(*view);
            break;
        case Tutorial:
            tutorialScreen->draw(*view);
            break;
        case Editor:
            editor->draw();
            break;
        case Play:
            play->draw();
            break;
        default:
            break;
    }
}

std::vector<Game::WidgetSystem> Game::widgetSystems() const {
    std::vector<WidgetSystem> systems = {{"game", gui.get()}, {"io", &importExport->widgets()}};
    const std::vector<EditorPanel*> panels = level->panels();
    for (std::size_t i = 0; i < panels.size(); ++i)
        systems.push_back({Level::tabs()[i].key, &panels[i]->widgetSystem()});
    return systems;
}

void Game::destroy() {
    prefetch.reset();
    extBitmaps->destroyAll();
    // The level goes first: its images and bodies live in the stores and
    // the world released below.
    editor.reset();
    play.reset();
    importExport.reset();
    levelFile.reset();
    level.reset();
    bitmaps->destroyAll();
    batches->destroyAll();
    animations->clearAnimations();
    sounds->destroyAll();
    fonts->destroyAll();
    physics->clearSquares();
    physics->clearCircles();
    physics->clearCapsules();
    physics->clearSurfaces();
    mainMenu.reset();
    browser.reset();
    tutorialScreen.reset();
    gui.reset();
    extBitmaps.reset();
    physics.reset();
    textFiles.reset();
    sounds.reset();
    fonts.reset();
    animations.reset();
    batches.reset();
    bitmaps.reset();
}

void Game::resetMenuView() {
    view->x = 0.0f;
    view->y = 0.0f;
    view->width = 1920.0f;
    view->height = 1080.0f;
    view->apply();
}

void Game::updateLogo() {
    extBitmaps->updateExtBitmaps();
}

void Game::showMenuWidgets(bool main, bool levels, bool tutorial) {
    mainMenu->show(main);
    browser->show(levels);
    tutorialScreen->show(tutorial);
}
