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
    bitmaps = new NK::BitmapStore(renderContext);
    batches = new NK::BatchStore(renderContext);
    animations = new NK::AnimationStore();
    fonts = new NK::FontStore(renderContext);
    sounds = new NK::SoundStore();  // reserves the sample voices
    gui = new NK::GUISystem(input, renderContext, fonts);
    textFiles = new NK::TextFileStore();
    physics = new NK::PhysicsWorld(NK::Vec2(0.0f, 10.0f), renderContext);
    // Bodies far outside any level are culled; this box is the whole world.
    physics->cullRect = NK::Rect(-960000.0f, -540000.0f, 1920000.0f, 1080000.0f);
    extBitmaps = new NK::ExtBitmapStore(renderContext);

    ElementServices kinds;
    static_cast<PanelServices&>(kinds) = {input, view, fonts, bitmaps, renderContext};
    kinds.animations = animations;
    kinds.sounds = sounds;
    kinds.physics = physics;
    level = std::make_unique<Level>(kinds);
    levelFile = std::make_unique<LevelFile>(*textFiles, level->parts(), display);
    importExport = std::make_unique<ImportExportPanel>(
        ImportExportPanel::Services{display, input, renderContext, fonts, textFiles, bitmaps},
        level->parts());
    play = std::make_unique<PlayScene>(
        PlayScene::Services{gui, bitmaps, animations, view, renderContext, levelFile.get(),
                            level->backgrounds.get(),
                            // The editor's page reports a level's load as it reports its own.
                            [this](bool read) { importExport->showLoaded(read); }},
        level->run());
    EditorFrame::Services frame;
    frame.input = input;
    frame.display = display;
    frame.view = view;
    frame.gui = gui;
    frame.bitmaps = bitmaps;
    frame.animations = animations;
    frame.renderContext = renderContext;
    frame.importExport = importExport.get();
    frame.backgrounds = level->backgrounds.get();
    frame.surfaces = level->surfaces.get();
    EditorFrame::Panels pages{};
    const std::vector<EditorPanel*> inTabOrder = level->panels();
    std::copy(inTabOrder.begin(), inTabOrder.end(), pages.begin());
    editor = std::make_unique<EditorFrame>(frame, level->run(), pages);
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
    // The outcome happened on the last tick recorded.
    const NK::Rect body = level->player->rectangle();
    const NK::Vec2 centre{body.x + body.width * 0.5f, body.y + body.height * 0.5f};
    if (recorder->write(recordReplayPath, static_cast<Replay::Outcome>(outcome),
                        recorder->tickCount() - 1, &centre))
        NK::logInfo("Replay saved to \"" + recordReplayPath + "\"");
    else
        NK::logError("Replay path \"" + recordReplayPath + "\" not writable");
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
    if (replayInput) pointAsReplayed();
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
    steerButtonsWithPad();
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

void Game::pointAsReplayed() {
    input->mouse.x = static_cast<int>(
        std::lround(replayInput->pointer.x * static_cast<float>(display->windowWidth) / 1920.0f));
    input->mouse.y = static_cast<int>(
        std::lround(replayInput->pointer.y * static_cast<float>(display->windowHeight) / 1080.0f));
    input->mousePressed[1] = replayInput->firePressed ? 1 : 0;
}

void Game::steerButtonsWithPad() {
    const bool mouseUsed = input->mouse.x != input->previousMouseX ||
                           input->mouse.y != input->previousMouseY || input->mousePressed[1];
    if (mouseUsed || scenes.scene == Editor) {
        gui->dropFocus();
        return;
    }
    const NK::Gamepad::State& pad = input->pad.state;
    if (const int step = PadControls::menuStep(pad)) gui->stepFocus(step);
    if (PadControls::menuClick(pad)) gui->clickFocus();
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
    std::vector<WidgetSystem> systems = {{"game", gui}, {"io", &importExport->widgets()}};
    const std::vector<EditorPanel*> panels = level->panels();
    for (std::size_t i = 0; i < panels.size(); ++i)
        systems.push_back({Level::tabs()[i].key, &panels[i]->widgetSystem()});
    return systems;
}

std::vector<std::string> Game::strayWidgets() {
    const std::vector<WidgetSystem> systems = widgetSystems();
    for (const WidgetSystem& s : systems) s.gui->forgetDrawn();
    draw();
    std::vector<std::string> shown, drawn;
    for (const WidgetSystem& s : systems) {
        for (const NK::ShownWidget& w : s.gui->shownWidgets())
            shown.push_back(s.name + "/" + w.key);
        for (const std::string& key : s.gui->drawnWidgets()) drawn.push_back(s.name + "/" + key);
    }
    return NK::widgetMismatches(shown, drawn);
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
    delete gui;
    delete extBitmaps;
    delete physics;
    delete textFiles;
    delete sounds;
    delete fonts;
    delete animations;
    delete batches;
    delete bitmaps;
    gui = nullptr;
    extBitmaps = nullptr;
    physics = nullptr;
    textFiles = nullptr;
    sounds = nullptr;
    fonts = nullptr;
    animations = nullptr;
    batches = nullptr;
    bitmaps = nullptr;
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
