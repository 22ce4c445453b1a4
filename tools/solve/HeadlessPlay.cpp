#include "tools/solve/HeadlessPlay.h"

#include "elements/Boxes.h"
#include "elements/Circles.h"
#include "elements/Enemies.h"
#include "elements/Gate.h"
#include "elements/Level.h"
#include "elements/Levers.h"
#include "elements/Player.h"
#include "engine/View.h"
#include "game/FrameShot.h"
#include "game/Game.h"
#include "game/GameInstance.h"
#include "game/PlayScene.h"

// Brought up as dovra-replay brings it up, so both start alike.
HeadlessPlay::HeadlessPlay() : headless({"Dovra solve"}), game(headless.get()) {}

HeadlessPlay::~HeadlessPlay() {
    if (running) {
        game->setReplayInput(nullptr);
        game->play().leaveLevel();
    }
}

void HeadlessPlay::start(const std::string& mapPath) {
    if (running) {
        game->play().leaveLevel();
        game->openScene(MainMenu);
        game->setReplayInput(nullptr);
        game->update();
    }
    game->playMap(mapPath);
    game->setReplayInput(&current);
    running = true;
    now = Situation();
    read();
    now.tick = -1;
}

const Situation& HeadlessPlay::step(const PlayInput& input) {
    current = input;
    game->update();
    read();
    return now;
}

void HeadlessPlay::read() {
    ++now.tick;
    Player& player = *game->level().player;
    const NK::Rect r = player.rectangle();
    now.player = {r.x + r.width * 0.5f, r.y + r.height * 0.5f};
    now.health = player.health;
    now.won = game->play().won;
    now.lost = game->play().lost;
    now.camerasDown = 0;
    const auto& cameras = game->level().enemies->cameras();
    for (std::size_t i = 0; i < cameras.size() && i < 32; ++i)
        if (cameras[i].health <= 0) now.camerasDown |= 1u << i;
    now.leversOn = 0;
    const auto& levers = game->level().levers->list();
    for (std::size_t i = 0; i < levers.size() && i < 32; ++i)
        if (levers[i].switched) now.leversOn |= 1u << i;
    now.blocksGone = 0;
    for (const auto& b : game->level().boxes->list()) now.blocksGone += b.destroyed ? 1 : 0;
    for (const auto& c : game->level().circles->list()) now.blocksGone += c.destroyed ? 1 : 0;
    const HangWatch& hang = game->play().hangWatch();
    if (hang.hanging() && !now.hung()) {
        now.hangTick = now.tick;
        now.hangPlace = hang.place();
    }
    const NK::View& v = *game->view;
    now.view = NK::Rect(v.x, v.y, v.width, v.height);
}

LevelLayout HeadlessPlay::layout() const {
    LevelLayout out;
    out.gate = game->level().gate->rectangle();
    for (std::size_t i = 0; i < game->level().enemies->cameras().size(); ++i)
        out.cameras.push_back(game->level().enemies->position(static_cast<int>(i)));
    for (const auto& lever : game->level().levers->list())
        out.levers.push_back(game->level().levers->images().get(lever.key).rect);
    return out;
}

bool HeadlessPlay::saveFrame(const std::string& path) {
    return ::saveFrame(*game, path);
}
