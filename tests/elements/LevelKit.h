#pragma once
#include <memory>

#include "elements/Backgrounds.h"
#include "elements/Boxes.h"
#include "elements/Circles.h"
#include "elements/Dialogs.h"
#include "elements/Enemies.h"
#include "elements/Gate.h"
#include "elements/Level.h"
#include "elements/Levers.h"
#include "elements/Lights.h"
#include "elements/NPCs.h"
#include "elements/Player.h"
#include "elements/Surfaces.h"
#include "engine/PhysicsWorld.h"
#include "tests/elements/PanelTestKit.h"

// The stores a test level is built on: the test engine's, the shared sounds
// and effects, and a world of its own. A base of LevelKit, so they exist
// before its Level.
struct LevelKitStores {
    NK::AnimationStore animations;
    std::unique_ptr<NK::PhysicsWorld> world =
        std::make_unique<NK::PhysicsWorld>(NK::Vec2(0, 10), nktest::engine().renderContext);
    LevelKitStores() { paneltest::loadEffects(animations); }
};

// Every collection of a level over a world of its own, made as the game
// makes them, for tests that load, save or run whole levels.
struct LevelKit : LevelKitStores, Level {
    LevelKit() : Level(paneltest::services(&animations, &paneltest::sounds(), world.get())) {
        player->loadImages();
        gate->loadImages();
        npcs->loadImages();
    }
    ~LevelKit() { document().clear(); }
};

// A panel test over a level of its own.
struct LevelTest : paneltest::PanelTest {
    LevelKit level;
};
