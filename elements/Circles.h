#pragma once
#include "elements/Blocks.h"
#include "elements/ElementServices.h"

// Round blocks: a circle body of half the picture's width, found by the
// mouse within that radius, and always resized keeping their ratio.
class Circles : public Blocks {
public:
    explicit Circles(const ElementServices& services);

    static const char* const folder;
    static const std::vector<std::string>& precreated();

protected:
    void makeBody(NK::PhysicsWorld& world, const Block& block,
                  const NK::ExtBitmap& picture) override;
    Body findBody(NK::PhysicsWorld& world, const std::string& key) override;
    void removeBody(NK::PhysicsWorld& world, const std::string& key) override;
    void drawBody(NK::PhysicsWorld& world, const std::string& key,
                  const NK::BitmapEntry& image) override;
    bool holds(const NK::ExtBitmap& picture, NK::Vec2 point) const override;
};
