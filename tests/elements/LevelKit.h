#pragma once
#include <memory>

#include "elements/Backgrounds.h"
#include "elements/Boxes.h"
#include "elements/Circles.h"
#include "elements/Dialogs.h"
#include "elements/Enemies.h"
#include "elements/Gate.h"
#include "elements/LevelDocument.h"
#include "elements/Levers.h"
#include "elements/Lights.h"
#include "elements/NPCs.h"
#include "elements/Player.h"
#include "elements/Surfaces.h"
#include "engine/AnimationStore.h"
#include "engine/PhysicsWorld.h"
#include "engine/SoundStore.h"
#include "game/LevelRun.h"
#include "tests/elements/PanelTestKit.h"

// Every collection of a level over a world of its own, made the way the game
// makes them, for tests that load, save or run whole levels.
struct LevelKit {
    LevelKit() {
        auto& e = nktest::engine();
        NK::FontStore* f = &paneltest::fonts();
        NK::BitmapStore* b = &paneltest::bitmaps();
        world = std::make_unique<NK::PhysicsWorld>(NK::Vec2(0, 10), e.renderContext);
        sounds = std::make_unique<NK::SoundStore>();
        player = std::make_unique<Player>(e.input, e.view, f, b, &animations, sounds.get(),
                                          e.renderContext);
        player->loadImages();
        gate = std::make_unique<Gate>(e.input, e.view, f, b, e.renderContext);
        gate->loadImages();
        enemies = std::make_unique<Enemies>(e.input, e.view, f, b, e.renderContext, &animations,
                                            sounds.get());
        levers = std::make_unique<Levers>(e.input, e.view, f, b, e.renderContext);
        dialogs = std::make_unique<Dialogs>(e.input, e.view, f, b, e.renderContext);
        npcs = std::make_unique<NPCs>(e.input, e.view, f, b, e.renderContext);
        npcs->loadImages();
        backgrounds = std::make_unique<Backgrounds>(e.input, e.view, f, b, e.renderContext);
        surfaces = std::make_unique<Surfaces>(world.get(), e.input, e.view, f, b, e.renderContext);
        boxes = std::make_unique<Boxes>(e.input, e.view, f, b, e.renderContext, &animations,
                                        sounds.get());
        circles = std::make_unique<Circles>(e.input, e.view, f, b, e.renderContext, &animations,
                                            sounds.get());
        lights = std::make_unique<Lights>(e.input, e.view, f, b, e.renderContext);
    }
    ~LevelKit() { document().clear(); }

    LevelDocument::Parts parts() {
        return {&paneltest::bitmaps(), player.get(),   gate.get(),
                backgrounds.get(),     surfaces.get(), dialogs.get(),
                lights.get(),          levers.get(),   npcs.get(),
                enemies.get(),         boxes.get(),    circles.get()};
    }
    LevelDocument document() { return LevelDocument(parts()); }

    NK::AnimationStore animations;
    std::unique_ptr<NK::SoundStore> sounds;  // needs the audio add-on up first
    std::unique_ptr<NK::PhysicsWorld> world;
    std::unique_ptr<Player> player;
    std::unique_ptr<Gate> gate;
    std::unique_ptr<Enemies> enemies;
    std::unique_ptr<Levers> levers;
    std::unique_ptr<Dialogs> dialogs;
    std::unique_ptr<NPCs> npcs;
    std::unique_ptr<Backgrounds> backgrounds;
    std::unique_ptr<Surfaces> surfaces;
    std::unique_ptr<Boxes> boxes;
    std::unique_ptr<Circles> circles;
    std::unique_ptr<Lights> lights;
};
