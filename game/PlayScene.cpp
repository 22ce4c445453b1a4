#include "game/PlayScene.h"

#include <cmath>
#include <fstream>

#include "editor/ImportExportPanel.h"
#include "elements/Backgrounds.h"
#include "elements/Boxes.h"
#include "elements/Circles.h"
#include "elements/Dialogs.h"
#include "elements/Enemies.h"
#include "elements/Gate.h"
#include "elements/Levers.h"
#include "elements/Lights.h"
#include "elements/NPCs.h"
#include "elements/Player.h"
#include "engine/AnimationStore.h"
#include "engine/BitmapStore.h"
#include "engine/GUISystem.h"
#include "engine/Log.h"
#include "engine/PhysicsWorld.h"
#include "engine/SoundStore.h"
#include "engine/View.h"
#include "game/MainMenuScreen.h"
#include "game/ResourceTable.h"

PlayScene::PlayScene(const Services& s, const LevelRun& r) : services(s), run(r) {}

void PlayScene::build(std::function<void()> menu) {
    toMenu = std::move(menu);
    NK::BitmapStore& bitmaps = *services.bitmaps;
    loadBitmapOrStandIn(bitmaps, "Resources/Images/Ingame/win-window.png", "win-window");
    loadBitmapOrStandIn(bitmaps, "Resources/Images/Ingame/lose-window.png", "lose-window");
    for (const char* key : {"win-window", "lose-window"})
        bitmaps.get(key).placement = NK::Rect(510.0f, 165.0f, 900.0f, 750.0f);

    NK::GUISystem& gui = *services.gui;
    gui.setNextButtonsFont("font", 16, NK::Color::white());
    gui.createButton(bitmaps.get("menu_button"), NK::Rect(960, 540, 600, 100), "restart", true);
    gui.setButtonText("restart", "Restart level", 1);
    gui.createButton(bitmaps.get("menu_button"), NK::Rect(960, 690, 600, 100), "tomenu", true);
    gui.setButtonText("tomenu", "Menu", 1);
    for (const char* key : {"restart", "tomenu"}) {
        makeHoverFade(gui, key);
        gui.setButtonShown(key, false);
    }
    gui.setButtonFirstCallback("restart", [this](std::string) {
        if (!mapOpens(mapPath)) return;
        leaveLevel();
        startLevel(mapPath);
    });
    gui.setButtonFirstCallback("tomenu", [this](std::string) {
        leaveLevel();
        toMenu();
    });
}

bool PlayScene::mapOpens(const std::string& path) {
    // The store would end the game on a missing file; a level gone from its
    // pack, or deleted while it plays, only cannot start again.
    if (std::ifstream(path)) return true;
    NK::logError("File path \"" + path + "\" not found");
    return false;
}

void PlayScene::startLevel(const std::string& path) {
    mapPath = path;
    ImportExportPanel& io = *services.importExport;
    io.clearMap();
    io.loadMap(path);
    services.view->setBounds(run.player->cameraArea);
    run.start();
    won = false;
    lost = false;
}

void PlayScene::update(const PlayInput& input) {
    LevelRun::Tick t = run.tick(input, !won && !lost);
    if (t.atOpenGate) {
        if (!won) {
            showEndButtons(0.5f);
            if (onWin) onWin();
            run.sounds->playSound("win");
            run.stopSteps();
        }
        won = true;
    }
    if (t.dead) {
        if (!lost) {
            showEndButtons(0.7f);
            run.sounds->playSound("lose");
            run.stopSteps();
        }
        lost = true;
    }
    if (input.restartPressed && mapOpens(mapPath)) {
        leaveLevel();
        startLevel(mapPath);
    }
}

void PlayScene::leaveLevel() {
    // However the level is left, its end buttons go with it: shown, they
    // would take clicks on whatever screen comes next.
    hideEndButtons();
    services.view->bounded = false;
    run.end();
    services.importExport->clearMap();
}

void PlayScene::showEndButtons(float opacity) {
    for (const char* key : {"restart", "tomenu"}) {
        services.gui->setButtonShown(key, true);
        services.gui->setButtonOpacity(key, opacity);
    }
}

void PlayScene::hideEndButtons() {
    for (const char* key : {"restart", "tomenu"}) services.gui->setButtonShown(key, false);
}

void PlayScene::draw() {
    services.backgrounds->draw();
    run.gate->draw();
    run.levers->draw();
    run.boxes->drawPlay(*run.world);
    run.circles->drawPlay(*run.world);
    run.npcs->drawPlay();
    drawShots();
    run.enemies->draw();
    run.player->draw();

    // The cards, the HUD, the windows and the buttons stay unlit.
    run.lights->drawLit(false);
    run.dialogs->drawCards();
    NK::BitmapStore& bitmaps = *services.bitmaps;
    for (int i = 0; i < run.player->health; ++i)
        bitmaps.drawOnScreen("player_health", NK::Rect(2.5f + 55.0f * i, 5.0f, 40.0f, 40.0f));
    bitmaps.drawOnScreen("restart_level_text", NK::Rect(1610.0f, 10.0f, 300.0f, 38.0f));
    if (won)
        drawWindow("win-window");
    else if (lost)
        drawWindow("lose-window");
    services.gui->drawButton("restart");
    services.gui->drawButton("tomenu");
    // Back on for the one-shot animations and, into the next frame, the world.
    run.lights->drawLit(true);
    services.animations->drawAnimations();
}

void PlayScene::drawShots() {
    ::drawShots(*services.bitmaps, *run.world);
}

void drawShots(NK::BitmapStore& bitmaps, NK::PhysicsWorld& world) {
    for (const auto& shot : world.shots()) {
        const b2Vec2& p = shot->body->GetPosition();
        const b2Vec2& v = shot->body->GetLinearVelocity();
        NK::Color tint = NK::bodyTag(shot->body) == NK::kTagPlayerShot ? NK::Color(1, 1, 1, 1)
                                                                       : NK::Color(1, 0, 0, 1);
        bitmaps.drawRotated(
            "player_shot",
            NK::Rect(p.x * NK::kPixelsPerMetre, p.y * NK::kPixelsPerMetre, 60.0f, 15.0f),
            NK::Vec2(0.8f, 0.5f), tint, std::atan2(v.y, v.x));
    }
}

void PlayScene::drawWindow(const char* key) {
    const NK::View& v = *services.view;
    const NK::Rect& r = services.bitmaps->get(key).placement;
    services.bitmaps->draw(key,
                           NK::Rect(v.x + r.x * v.width / 1920.0f, v.y + r.y * v.height / 1080.0f,
                                    r.width * v.width / 1920.0f, r.height * v.height / 1080.0f));
}
