#include "elements/Boxes.h"

#include "elements/PanelRules.h"
#include "engine/ExtBitmap.h"
#include "engine/Log.h"
#include "engine/PhysicsWorld.h"

const char* const Boxes::folder = "Editor/Boxes/";

const std::vector<std::string>& Boxes::precreated() {
    static const std::vector<std::string> paths = {
        "Dovra/VAZEzadide-screen.png", "Dovra/block1.png",       "Dovra/block2.png",
        "Dovra/level1block.png",       "Dovra/level1block1.png", "Dovra/level1block2.png",
        "Dovra/level2block.png",       "Dovra/level2block1.png", "Dovra/level2block2.png",
        "Dovra/level4block.png",       "Dovra/level4block1.png", "Dovra/level4block2.png",
        "Dovra/level5block.png",       "Dovra/level5block2.png", "Dovra/level7block.png",
        "Dovra/level7block2.png",      "Dovra/level8block.png",  "Dovra/level8block2.png",
        "Dovra/level9block.png",       "Dovra/level9block2.png",
    };
    return paths;
}

Boxes::Boxes(const ElementServices& s)
    : Blocks(Kind{"b_", folder, "b", precreated(), true, false}, s) {}

void Boxes::makeBody(NK::PhysicsWorld& world, const Block& block, const NK::ExtBitmap& picture) {
    const NK::Rect& r = picture.rect;
    const NK::Vec2 half(r.width / 2.0f, r.height / 2.0f);
    const NK::Vec2 centre = PanelRules::centreOf(r);
    if (!block.isDynamic) {
        world.createStaticSquare(centre, half, picture.angle, bodyKey(block));
    } else {
        world.createSquare(centre, half, block.rotationFix, picture.angle, bodyKey(block),
                           block.density, block.friction);
    }
}

Blocks::Body Boxes::findBody(NK::PhysicsWorld& world, const std::string& key) {
    if (!world.hasSquare(key)) return {};
    const NK::Square& s = world.getSquare(key);
    return {s.body, NK::Vec2(s.halfWidth, s.halfHeight)};
}

void Boxes::removeBody(NK::PhysicsWorld& world, const std::string& key) {
    world.destroySquare(key);
}

void Boxes::drawBody(NK::PhysicsWorld& world, const std::string& key,
                     const NK::BitmapEntry& image) {
    world.drawSquare(key, image);
}

void Boxes::missingBody(const std::string& key) {
    NK::logError("Square with key \"" + key + "\" not found");
}
