#include "elements/Circles.h"

#include <cmath>

#include "elements/PanelRules.h"
#include "engine/ExtBitmap.h"
#include "engine/PhysicsWorld.h"

const char* const Circles::folder = "Editor/Circles/";

const std::vector<std::string>& Circles::precreated() {
    static const std::vector<std::string> paths = {
        "Dovra/VAZEzadide-circle.png", "Dovra/level1circle.png", "Dovra/level2circle.png",
        "Dovra/level4circle.png",      "Dovra/level5circle.png", "Dovra/level7circle.png",
        "Dovra/level8circle.png",      "Dovra/level9circle.png",
    };
    return paths;
}

Circles::Circles(const ElementServices& s)
    : Blocks(Kind{"c_", folder, "c", precreated(), false, true}, s) {}

void Circles::makeBody(NK::PhysicsWorld& world, const Block& block, const NK::ExtBitmap& picture) {
    // The width sets the radius; a picture taller than wide overhangs it.
    const float radius = picture.rect.width / 2.0f;
    const NK::Vec2 centre = PanelRules::centreOf(picture.rect);
    if (!block.isDynamic) {
        world.createStaticCircle(centre, bodyKey(block), radius, picture.angle);
    } else {
        world.createCircle(centre, block.rotationFix, bodyKey(block), block.density, block.friction,
                           radius, picture.angle);
    }
}

Blocks::Body Circles::findBody(NK::PhysicsWorld& world, const std::string& key) {
    if (!world.hasCircle(key)) return {};
    const NK::Circle& c = world.getCircle(key);
    return {c.body, NK::Vec2(c.radius, c.radius)};
}

void Circles::removeBody(NK::PhysicsWorld& world, const std::string& key) {
    world.destroyCircle(key);
}

void Circles::drawBody(NK::PhysicsWorld& world, const std::string& key,
                       const NK::BitmapEntry& image) {
    world.getCircle(key).draw(image);
}

bool Circles::holds(const NK::ExtBitmap& picture, NK::Vec2 point) const {
    const NK::Vec2 c = PanelRules::centreOf(picture.rect);
    return std::hypot(point.x - c.x, point.y - c.y) < picture.rect.width / 2.0f;
}
