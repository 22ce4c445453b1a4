#include "game/PlayScene.h"

#include <cmath>
#include <fstream>

#include "elements/Backgrounds.h"
#include "elements/Boxes.h"
#include "elements/Circles.h"
#include "elements/Dialogs.h"
#include "elements/Enemies.h"
#include "elements/Gate.h"
#include "elements/LevelFile.h"
#include "elements/Levers.h"
#include "elements/Lights.h"
#include "elements/NPCs.h"
#include "elements/Player.h"
#include "engine/AnimationStore.h"
#include "engine/BitmapStore.h"
#include "engine/GUISystem.h"
#include "engine/Log.h"
#include "engine/PhysicsWorld.h"
#include "engine/RenderContext.h"
#include "engine/SoundStore.h"
#include "engine/View.h"
#include "game/MainMenuScreen.h"
#include "game/ResourceTable.h"

const char* const PlayScene::windowFiles[2] = {"Resources/Images/Ingame/win-window.png",
                                               "Resources/Images/Ingame/lose-window.png"};
const char* const PlayScene::windowKeys[2] = {"win-window", "lose-window"};

PlayScene::PlayScene(const Services& s, const LevelRun& r) : services(s), run(r) {}

namespace {

const NK::Rect windowPlace(510.0f, 165.0f, 900.0f, 750.0f);

}  // namespace

void PlayScene::build(std::function<void()> menu) {
    toMenu = std::move(menu);
    NK::BitmapStore& bitmaps = *services.bitmaps;
    NK::GUISystem& gui = *services.gui;
    gui.setNextButtonsFont("font", 16, NK::Color::white());
    gui.createButton(bitmaps.get("menu_button"), NK::Rect(960, 540, 600, 100), "restart", true);
    gui.setButtonText("restart", "Restart level", 1);
    gui.createButton(bitmaps.get("menu_button"), NK::Rect(960, 690, 600, 100), "tomenu", true);
    gui.setButtonText("tomenu", "Menu", 1);
    for (int window = 0; window < 2; ++window)
        if (standInIfMissing(bitmaps, windowFiles[window], windowKeys[window]))
            bitmaps.get(windowKeys[window]).placement = windowPlace;
    // The win window's last line depends on where the level came from, so it
    // is a label over the picture rather than part of it.
    gui.createTextLabel(NK::Rect(550.0f, 780.0f, 820.0f, 50.0f), "font", 9,
                        NK::Color(0.6f, 0.65f, 0.71f, 1.0f), {}, "", "win_line");
    // On only while the win window shows it, like the two buttons.
    gui.setTextLabelVisible("win_line", false);
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
    services.levelFile->clear();
    // A restart, or a level after another, plays exactly as the first level
    // of a fresh game: what the world held before, and where a controller
    // last aimed, leave no trace (a replay starts a fresh game).
    run.world->renew();
    aim.reset();
    const bool read = services.levelFile->load(path).ok;
    if (services.loaded) services.loaded(read);
    services.view->setBounds(run.player->cameraArea);
    run.start();
    won = false;
    lost = false;
}

void PlayScene::update(const PlayInput& input) {
    // The right stick aims around the gun's pivot, so a shot flies the way
    // the stick points.
    const NK::View& v = *services.view;
    const NK::Vec2 pivot = run.player->parts().arm.at;
    const NK::Vec2 onScreen = NK::levelToScreen(v.rect(), pivot);
    PlayInput in = input;
    in.pointer = reticle = aim.pointer(input, onScreen);
    LevelRun::Tick t = run.tick(in, !won && !lost);
    if (t.atOpenGate) {
        if (!won) {
            showEndButtons(0.5f);
            services.gui->setTextLabelText("win_line", onWin ? onWin() : "");
            services.gui->setTextLabelVisible("win_line", true);
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
    services.levelFile->clear();
}

void PlayScene::showEndButtons(float opacity) {
    for (const char* key : {"restart", "tomenu"}) {
        services.gui->setButtonShown(key, true);
        services.gui->setButtonOpacity(key, opacity);
    }
}

void PlayScene::hideEndButtons() {
    for (const char* key : {"restart", "tomenu"}) services.gui->setButtonShown(key, false);
    services.gui->setTextLabelVisible("win_line", false);
}

void PlayScene::draw() {
    services.backgrounds->draw();
    run.drawPieces(*services.bitmaps, true);
    drawReticle();

    // The cards, the HUD, the windows and the buttons stay unlit.
    run.lights->drawLit(false);
    run.dialogs->drawCards();
    NK::BitmapStore& bitmaps = *services.bitmaps;
    run.drawHearts(bitmaps, 5.0f);
    bitmaps.drawOnScreen("restart_level_text", NK::Rect(1610.0f, 10.0f, 300.0f, 38.0f));
    if (won) {
        drawWindow(0);
        services.gui->drawTextLabel("win_line");
    } else if (lost)
        drawWindow(1);
    services.gui->drawButton("restart");
    services.gui->drawButton("tomenu");
    // Back on for the one-shot animations and, into the next frame, the world.
    run.lights->drawLit(true);
    services.animations->drawAnimations();
}

void PlayScene::drawReticle() {
    if (!aim.byPad() || won || lost) return;
    const NK::View& v = *services.view;
    const NK::Vec2 at = NK::screenToLevel(v.rect(), reticle);
    const float unit = NK::perScreenPixel(v.rect()).x;
    const float r = 18.0f * unit;
    NK::RenderContext& rc = *services.renderContext;
    // A ring with a gap-cross, dark under light, readable on any background.
    for (int pass = 0; pass < 2; ++pass) {
        const NK::Color c = pass == 0 ? NK::Color(0, 0, 0, 0.6f) : NK::Color(1, 1, 1, 0.95f);
        const float t = (pass == 0 ? 6.0f : 3.0f) * unit;
        rc.drawCircle(at, c, r, t);
        rc.drawLine(NK::Vec2(at.x - 2 * r, at.y), NK::Vec2(at.x - r * 0.5f, at.y), c, t);
        rc.drawLine(NK::Vec2(at.x + r * 0.5f, at.y), NK::Vec2(at.x + 2 * r, at.y), c, t);
        rc.drawLine(NK::Vec2(at.x, at.y - 2 * r), NK::Vec2(at.x, at.y - r * 0.5f), c, t);
        rc.drawLine(NK::Vec2(at.x, at.y + r * 0.5f), NK::Vec2(at.x, at.y + 2 * r), c, t);
    }
}

void PlayScene::drawWindow(int window) {
    const char* const key = windowKeys[window];
    NK::BitmapStore& bitmaps = *services.bitmaps;
    // Read, or reported missing, when a level first ends that way: the menu
    // comes up without waiting for pictures only the end of a level shows.
    if (!bitmaps.contains(key)) {
        loadBitmapOrStandIn(bitmaps, windowFiles[window], key);
        bitmaps.get(key).placement = windowPlace;
    }
    const NK::View& v = *services.view;
    services.bitmaps->draw(key, NK::screenToLevel(v.rect(), bitmaps.get(key).placement));
}
