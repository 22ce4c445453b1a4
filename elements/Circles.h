#pragma once
#include "elements/Blocks.h"

// Round blocks: a circle body of half the picture's width, found by the
// mouse within that radius, and always resized keeping their ratio.
class Circles : public Blocks {
public:
    Circles(NK::Input* input, NK::View* view, NK::FontStore* fonts, NK::BitmapStore* bitmaps,
            NK::RenderContext* renderContext, NK::AnimationStore* effects, NK::SoundStore* sounds);

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
