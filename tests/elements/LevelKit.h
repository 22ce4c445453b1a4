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
#include "engine/PhysicsWorld.h"
#include "tests/elements/PanelTestKit.h"

// Every collection of a level over a world of its own, made the way the game
// makes them, for tests that load, save or run whole levels.
struct LevelKit {
    LevelKit() {
        player->loadImages();
        gate->loadImages();
        npcs->loadImages();
    }
    ~LevelKit() { document().clear(); }

    LevelDocument::Parts parts() {
        return {&paneltest::bitmaps(), player.get(),   gate.get(),
                backgrounds.get(),     surfaces.get(), dialogs.get(),
                lights.get(),          levers.get(),   npcs.get(),
                enemies.get(),         boxes.get(),    circles.get()};
    }
    LevelDocument document() { return LevelDocument(parts()); }

    // Each kind is made as the game makes it, in the order it is declared.
    template <class Kind, class... More>
    std::unique_ptr<Kind> make(More... more) {
        return std::make_unique<Kind>(more..., e.input, e.view, &paneltest::fonts(),
                                      &paneltest::bitmaps(), e.renderContext);
    }
    template <class Kind>
    std::unique_ptr<Kind> makeWithEffects() {
        return std::make_unique<Kind>(e.input, e.view, &paneltest::fonts(), &paneltest::bitmaps(),
                                      e.renderContext, &animations, sounds.get());
    }
    nktest::Engine& e = nktest::engine();  // the audio add-on up before the sounds
    NK::AnimationStore animations;
    std::unique_ptr<NK::SoundStore> sounds = std::make_unique<NK::SoundStore>();
    std::unique_ptr<NK::PhysicsWorld> world =
        std::make_unique<NK::PhysicsWorld>(NK::Vec2(0, 10), e.renderContext);
    std::unique_ptr<Player> player =
        std::make_unique<Player>(e.input, e.view, &paneltest::fonts(), &paneltest::bitmaps(),
                                 &animations, sounds.get(), e.renderContext);
    std::unique_ptr<Gate> gate = make<Gate>();
    std::unique_ptr<Enemies> enemies = makeWithEffects<Enemies>();
    std::unique_ptr<Levers> levers = make<Levers>();
    std::unique_ptr<Dialogs> dialogs = make<Dialogs>();
    std::unique_ptr<NPCs> npcs = make<NPCs>();
    std::unique_ptr<Backgrounds> backgrounds = make<Backgrounds>();
    std::unique_ptr<Surfaces> surfaces = make<Surfaces>(world.get());
    std::unique_ptr<Boxes> boxes = makeWithEffects<Boxes>();
    std::unique_ptr<Circles> circles = makeWithEffects<Circles>();
    std::unique_ptr<Lights> lights = make<Lights>();
};
