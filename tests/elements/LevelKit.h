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

// The stores a test level is built on: the test engine's, one sound store
// and a world of its own. A base of LevelKit, so they exist before its Level.
struct LevelKitStores {
    nktest::Engine& e = nktest::engine();  // the audio add-on up before the sounds
    NK::AnimationStore animations;
    std::unique_ptr<NK::SoundStore> sounds = std::make_unique<NK::SoundStore>();
    std::unique_ptr<NK::PhysicsWorld> world =
        std::make_unique<NK::PhysicsWorld>(NK::Vec2(0, 10), e.renderContext);
};

// Every collection of a level over a world of its own, made as the game
// makes them, for tests that load, save or run whole levels.
struct LevelKit : LevelKitStores, Level {
    LevelKit() : Level(paneltest::services(&animations, sounds.get(), world.get())) {
        player->loadImages();
        gate->loadImages();
        npcs->loadImages();
    }
    ~LevelKit() { document().clear(); }
};
