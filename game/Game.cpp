#include "game/Game.h"

#include <allegro5/allegro.h>

#include <algorithm>
#include <cmath>
#include <utility>

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

Game::Game(GameStart settings) : start(std::move(settings)) {}
Game::~Game() = default;

void Game::create() {
    own.bitmaps = std::make_unique<NK::BitmapStore>(renderContext);
    own.batches = std::make_unique<NK::BatchStore>(renderContext);
    own.animations = std::make_unique<NK::AnimationStore>();
    own.fonts = std::make_unique<NK::FontStore>(renderContext);
    own.sounds = std::make_unique<NK::SoundStore>();  // reserves the sample voices
    own.gui = std::make_unique<NK::GUISystem>(input, renderContext, own.fonts.get());
    own.textFiles = std::make_unique<NK::TextFileStore>();
    own.physics = std::make_unique<NK::PhysicsWorld>(NK::Vec2(0.0f, 10.0f), renderContext);
    // Bodies far outside any level are culled; this box is the whole world.
    own.physics->cullRect = NK::Rect(-960000.0f, -540000.0f, 1920000.0f, 1080000.0f);
    own.extBitmaps = std::make_unique<NK::ExtBitmapStore>(renderContext);

    ElementServices kinds;
    static_cast<PanelServices&>(kinds) = {input, view, own.fonts.get(), own.bitmaps.get(),
                                          renderContext};
    kinds.animations = own.animations.get();
    kinds.sounds = own.sounds.get();
    kinds.physics = own.physics.get();
    own.level = std::make_unique<Level>(kinds);
    own.levelFile = std::make_unique<LevelFile>(*own.textFiles, own.level->parts(), display);
    own.importExport = std::make_unique<ImportExportPanel>(
        ImportExportPanel::Services{display, input, renderContext, own.fonts.get(),
                                    own.textFiles.get(), own.bitmaps.get()},
        own.level->parts());
    own.play = std::make_unique<PlayScene>(
        PlayScene::Services{own.gui.get(), own.bitmaps.get(), own.animations.get(), view,
                            renderContext, own.levelFile.get(), own.level->backgrounds.get(),
                            // The editor's page reports a level's load as it reports its own.
                            [this](bool read) { own.importExport->showLoaded(read); }},
        own.level->run());
    own.editor = std::make_unique<EditorFrame>(
        EditorFrame::Services{input, display, view, own.gui.get(), own.bitmaps.get(),
                              own.animations.get(), renderContext, own.importExport.get()},
        *own.level);
}

void Game::startLevel(const std::string& path, int level) {
    if (!PlayScene::mapOpens(path)) return;
    // A level fills every element's page as it loads.
    finishBuilding();
    own.play->currentLevel = level;
    own.play->startLevel(path);
    if (!start.recordPath.empty() && !recorder) recorder = std::make_unique<ReplayRecorder>(path);
    openScene(Play);
}

void Game::updatePlay() {
    // A replay holds its own controller's part.
    const PlayInput in = replayInput ? *replayInput
                                     : PlayControls::fromDevices(*input, display->windowWidth,
                                                                 display->windowHeight);
    const bool endedBefore = own.play->won || own.play->lost;
    if (recorder) recorder->add(in);
    own.play->update(in);
    if (recorder && !endedBefore && (own.play->won || own.play->lost))
        finishRecording(
            static_cast<int>(own.play->won ? Replay::Outcome::Won : Replay::Outcome::Lost));
}

void Game::updateEditor() {
    own.editor->update(replayInput ? *replayInput
                                   : PlayControls::fromKeyboardAndMouse(
                                         *input, display->windowWidth, display->windowHeight));
}

bool Game::editorEscape() {
    return own.editor->escape();
}

void Game::enterEditor() {
    own.editor->enter(scenes.scene == Editor);
}

void Game::leaveLevel() {
    if (recorder) finishRecording(static_cast<int>(Replay::Outcome::None));
    own.play->leaveLevel();
}

void Game::finishRecording(int outcome) {
    const NK::Rect body = own.level->player->rectangle();
    recorder->finish(start.recordPath, static_cast<Replay::Outcome>(outcome),
                     {body.x + body.width * 0.5f, body.y + body.height * 0.5f});
    recorder.reset();
    start.recordPath.clear();
}

void Game::update() {
    // Ticks queued during the load are caught up first, as the loop does
    // with every backlog; a level started before that would play its first
    // seconds unseen.
    if (!start.mapPath.empty() && al_is_event_queue_empty(input->queue)) {
        playMap(start.mapPath);
        start.mapPath.clear();
    }
    if (!start.packFile.empty() && al_is_event_queue_empty(input->queue)) {
        for (std::size_t i = 0; i < browser->packs.size(); ++i)
            if (browser->packs[i].path == start.packFile)
                browser->currentPack = static_cast<int>(i);
        openScene(LevelBrowser);
        start.packFile.clear();
    }
    if (replayInput)
        PlayControls::toMouse(*replayInput, *input, display->windowWidth, display->windowHeight);
    if (scenes.scene != MainMenu) finishBuilding();
    // The editor is for the keyboard and mouse; everywhere else Back or Start
    // on a controller is Escape.
    const bool padLeave = scenes.scene != Editor && PadControls::leavePressed(input->pad.state);
    scenes.update(input->keyPressed[ALLEGRO_KEY_ESCAPE] != 0 || padLeave, *this);
    // Shared by every scene, after the scene's own work.
    const std::vector<EditorPanel*> pages = own.level->panels();
    if (partsBuilt > pages.size()) own.importExport->update();
    for (std::size_t i = 0; i < pages.size() && i < partsBuilt; ++i) pages[i]->updateWidgets();
    own.level->lights->system().uploadUniforms();
    own.animations->updateAnimations();
    PadControls::steerButtons(*own.gui, *input, scenes.scene == Editor);
    own.gui->update();
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
            own.editor->draw();
            break;
        case Play:
            own.play->draw();
            break;
        default:
            break;
    }
}

Game::Stores Game::stores() const {
    return {*own.bitmaps, *own.batches,   *own.animations, *own.sounds,
            *own.fonts,   *own.textFiles, *own.physics,    *own.extBitmaps};
}

std::vector<Game::WidgetSystem> Game::widgetSystems() const {
    std::vector<WidgetSystem> systems = {{"game", own.gui.get()},
                                         {"io", &own.importExport->widgets()}};
    const std::vector<EditorPanel*> panels = own.level->panels();
    for (std::size_t i = 0; i < panels.size(); ++i)
        systems.push_back({Level::tabs()[i].key, &panels[i]->widgetSystem()});
    return systems;
}

void Game::destroy() {
    // The decoding workers stop before the stores they fill go.
    prefetch.reset();
    mainMenu.reset();
    browser.reset();
    tutorialScreen.reset();
    // Pictures, sounds, bodies and the light shader go now, while the
    // display and the audio they were made for still exist (the order is
    // Owned's, reversed).
    const Owned released = std::move(own);
}

void Game::resetMenuView() {
    view->x = 0.0f;
    view->y = 0.0f;
    view->width = 1920.0f;
    view->height = 1080.0f;
    view->apply();
}

void Game::updateLogo() {
    own.extBitmaps->updateExtBitmaps();
}

void Game::showMenuWidgets(bool main, bool levels, bool tutorial) {
    mainMenu->show(main);
    browser->show(levels);
    tutorialScreen->show(tutorial);
}
