#pragma once
#include "elements/Blocks.h"
#include "elements/ElementServices.h"

// Rectangular blocks: a box body turned with the picture; a box gone
// missing in play is reported.
class Boxes : public Blocks {
public:
    explicit Boxes(const ElementServices& services);

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
