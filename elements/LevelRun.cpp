#include "elements/LevelRun.h"

#include <allegro5/allegro_audio.h>

#include <cmath>

#include "elements/Boxes.h"
#include "elements/Circles.h"
#include "elements/Dialogs.h"
#include "elements/Enemies.h"
#include "elements/Gate.h"
#include "elements/Levers.h"
#include "elements/Lights.h"
#include "elements/NPCs.h"
#include "elements/Player.h"
#include "elements/PlayerRules.h"
#include "engine/AnimationStore.h"
#include "engine/BitmapStore.h"
#include "engine/LightSystem.h"
#include "engine/PhysicsWorld.h"
#include "engine/SoundStore.h"

void LevelRun::start() {
    hang.reset();
    // Bodies first: the player starts in a world that already holds them.
    boxes->createBodies(*world);
    circles->createBodies(*world);
    player->start(*world);
    boxes->startPlay();
    circles->startPlay();
    npcs->start();
    lights->start();
    enemies->start();
    levers->start();
    dialogs->start();
    // Last of the start: a level always plays lit, whatever the editor left.
    lights->system().lightsOn = true;
}

LevelRun::Tick LevelRun::tick(const PlayInput& input, bool playerControl) {
    world->step(60.0f);
    player->update(*world, playerControl, input);
    boxes->updatePlay(*world);
    circles->updatePlay(*world);
    enemies->update(*world, player->health > 0, player->rectangle());
    dialogs->update(player->rectangle());
    levers->update(input.usePressed, player->rectangle());
    lights->update();
    gate->open = gateShouldOpen();
    gate->update();
    watchHang();
    Tick t;
    t.atOpenGate = gate->open && player->rectangle().touches(gate->rectangle());
    t.dead = player->health < 1;
    return t;
}

void LevelRun::end() {
    player->end(*world);
    gate->open = false;
    gate->update();
    npcs->end();
    lights->end();
    enemies->end();
    levers->end();
    dialogs->stop();
    world->clearSquares();
    world->clearCircles();
    world->clearShots();
    // A burst or a crumble still playing belongs to the level that is gone:
    // left running, it would show over the next level, or over this one
    // started again, where nothing broke.
    effects->stopPlays();
}

void LevelRun::watchHang() {
    const bool alive = player->health >= 1;
    const bool standing = alive && PlayerRules::isStanding(*world->getCapsule("player").body);
    const NK::Rect r = player->rectangle();
    hang.observe(alive, standing, {r.x + r.width * 0.5f, r.y + r.height * 0.5f});
}

bool LevelRun::gateShouldOpen() const {
    return enemies->aliveCount() == 0 && levers->allSwitched();
}

void LevelRun::stopSteps() {
    if (sounds->containsSong("steps"))
        al_stop_sample_instance(sounds->getSong("steps").instance.get());
}

void LevelRun::drawPieces(NK::BitmapStore& bitmaps, bool playing) const {
    gate->draw();
    levers->draw();
    if (playing) {
        boxes->drawPlay(*world);
        circles->drawPlay(*world);
        npcs->drawPlay();
        drawShots(bitmaps);
    } else {
        boxes->drawEditor();
        circles->drawEditor();
        npcs->drawEditor();
    }
    enemies->draw();
    player->draw();
}

void LevelRun::drawShots(NK::BitmapStore& bitmaps) const {
    for (const auto& shot : world->shots()) {
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

void LevelRun::drawHearts(NK::BitmapStore& bitmaps, float top) const {
    for (int i = 0; i < player->health; ++i)
        bitmaps.drawOnScreen("player_health", NK::Rect(2.5f + 55.0f * i, top, 40.0f, 40.0f));
}
