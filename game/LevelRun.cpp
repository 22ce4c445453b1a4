#include "game/LevelRun.h"

#include <allegro5/allegro_audio.h>

#include "elements/Dialogs.h"
#include "elements/Enemies.h"
#include "elements/Gate.h"
#include "elements/LevelDocument.h"
#include "elements/Lights.h"
#include "elements/Levers.h"
#include "elements/NPCs.h"
#include "elements/Player.h"
#include "engine/LightSystem.h"
#include "engine/PhysicsWorld.h"
#include "engine/SoundStore.h"

namespace {

// Touching counts: on each axis the centres are at most the half sizes apart.
bool overlaps(const NK::Rect& a, const NK::Rect& b) {
    float dx = (a.x + a.width * 0.5f) - (b.x + b.width * 0.5f);
    float dy = (a.y + a.height * 0.5f) - (b.y + b.height * 0.5f);
    return std::abs(dx) <= (a.width + b.width) * 0.5f &&
           std::abs(dy) <= (a.height + b.height) * 0.5f;
}

}  // namespace

void LevelRun::start() {
    player->start(*world);
    npcs->start();
    lights->start();
    levers->start();
    dialogs->start();
    // Last of the start: a level always plays lit, whatever the editor left.
    lights->system().lightsOn = true;
    enemies->start();
}

LevelRun::Tick LevelRun::tick(const PlayInput& input, bool playerControl) {
    world->step(60.0f);
    player->update(*world, playerControl, input);
    dialogs->update(player->rectangle());
    levers->update(input.usePressed, player->rectangle());
    lights->update();
    enemies->update(*world, player->health > 0, player->rectangle());
    gate->open = gateShouldOpen();
    gate->update();
    Tick t;
    t.atOpenGate = gate->open && overlaps(player->rectangle(), gate->rectangle());
    t.dead = player->health < 1;
    return t;
}

void LevelRun::end() {
    player->end(*world);
    gate->open = false;
    gate->update();
    npcs->end();
    lights->end();
    levers->end();
    dialogs->stop();
    enemies->end();
    world->clearSquares();
    world->clearCircles();
    world->clearShots();
}

bool LevelRun::gateShouldOpen() const {
    return document->held.enemies.empty() && levers->allSwitched();
    return enemies->aliveCount() == 0 && document->held.levers.empty();
}

void LevelRun::stopSteps() {
    if (sounds->containsSong("steps"))
        al_stop_sample_instance(sounds->getSong("steps").instance.get());
}
