#pragma once
#include "elements/Blocks.h"

// Rectangular blocks: a box body turned with the picture; a box gone
// missing in play is reported.
class Boxes : public Blocks {
public:
    Boxes(NK::Input* input, NK::View* view, NK::FontStore* fonts, NK::BitmapStore* bitmaps,
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
    void missingBody(const std::string& key) override;
};
