#include "elements/Level.h"

#include "elements/Backgrounds.h"
#include "elements/Boxes.h"
#include "elements/Circles.h"
#include "elements/Dialogs.h"
#include "elements/EditorPanel.h"
#include "elements/Enemies.h"
#include "elements/Gate.h"
#include "elements/Levers.h"
#include "elements/Lights.h"
#include "elements/NPCs.h"
#include "elements/Player.h"
#include "elements/Surfaces.h"

#define DOVRA_LEVEL_MAKE(Class, member, key, label) member = std::make_unique<Class>(services);
Level::Level(const ElementServices& s) : services(s) {
    DOVRA_LEVEL_KINDS(DOVRA_LEVEL_MAKE)
}
#undef DOVRA_LEVEL_MAKE

// In the order they were made. No kind needs clearing first: the stores and
// the world that hold their images, cards and bodies go right after.
#define DOVRA_LEVEL_RELEASE(Class, member, key, label) member.reset();
Level::~Level() {
    DOVRA_LEVEL_KINDS(DOVRA_LEVEL_RELEASE)
}
#undef DOVRA_LEVEL_RELEASE

const std::array<Level::Tab, Level::kindCount>& Level::tabs() {
#define DOVRA_LEVEL_TAB(Class, member, key, label) Tab{key, label},
    static const std::array<Tab, kindCount> all = {{DOVRA_LEVEL_KINDS(DOVRA_LEVEL_TAB)}};
#undef DOVRA_LEVEL_TAB
    return all;
}

std::vector<EditorPanel*> Level::panels() const {
#define DOVRA_LEVEL_PANEL(Class, member, key, label) member.get(),
    return {DOVRA_LEVEL_KINDS(DOVRA_LEVEL_PANEL)};
#undef DOVRA_LEVEL_PANEL
}

LevelDocument::Parts Level::parts() const {
    LevelDocument::Parts p;
    p.bitmaps = services.bitmaps;
    p.player = player.get();
    p.gate = gate.get();
    p.enemies = enemies.get();
    p.levers = levers.get();
    p.dialogs = dialogs.get();
    p.npcs = npcs.get();
    p.backgrounds = backgrounds.get();
    p.surfaces = surfaces.get();
    p.boxes = boxes.get();
    p.circles = circles.get();
    p.lights = lights.get();
    return p;
}

LevelDocument Level::document() const {
    return LevelDocument(parts());
}

LevelRun Level::run() const {
    LevelRun r;
    r.world = services.physics;
    r.sounds = services.sounds;
    r.effects = services.animations;
    r.player = player.get();
    r.gate = gate.get();
    r.enemies = enemies.get();
    r.levers = levers.get();
    r.dialogs = dialogs.get();
    r.npcs = npcs.get();
    r.boxes = boxes.get();
    r.circles = circles.get();
    r.lights = lights.get();
    return r;
}
