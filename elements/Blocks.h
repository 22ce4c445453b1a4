#pragma once
#include <functional>
#include <string>
#include <utility>
#include <vector>
#include "elements/ElementServices.h"

#include "elements/ElementPage.h"
#include "elements/ElementPanel.h"
#include "elements/MapRecords.h"
#include "elements/PictureList.h"
#include "engine/Rect.h"
#include "engine/Vec2.h"

class b2Body;

namespace NK {
class AnimationStore;
class BitmapStore;
class FontStore;
class Input;
class PhysicsWorld;
class RenderContext;
class SoundStore;
class View;
struct BitmapEntry;
}  // namespace NK

// The level's physics blocks: pictures that become Box2D bodies while the
// level plays, static or dynamic, and that may crumble a set time after the
// player or a shot first touches them. Boxes and circles share all of it
// (record, play rules, panel); a kind supplies only its body and how the
// editor's mouse finds it.
class Blocks : public ElementPage {
public:
    // One block beside its picture, which holds image, rectangle and angle.
    struct Block {
        std::string key;
        bool isDynamic = false;
        bool rotationFix = false;
        float density = 1.0f;
        float friction = 0.5f;
        float delay = -1.0f;  // seconds; negative: never crumbles
        // Play only.
        int countdown = 0;
        bool touched = false;
        bool destroyed = false;
        bool missingTold = false;  // its body was found gone and that was logged
    };
    // What sets one kind apart from the other.
    struct Kind {
        const char* bodyPrefix;    // "b_": body keys are prefix + record key
        const char* folder;        // "Editor/Boxes/"
        const char* temporaryKey;  // the chosen image's key while it loads
        std::vector<std::string> precreated;
        bool hasSizeLock = false;
        bool alwaysKeepsRatio = false;  // the resize handle keeps the ratio without a lock
    };

    static constexpr float defaultDensity = 1.0f;
    static constexpr float defaultFriction = 0.5f;
    static constexpr float noDelay = -1.0f;
    // What "TOUCH DELAY" switches on, and what a delay that is not a number means.
    static constexpr float switchedOnDelay = 1.0f;
    static constexpr float ticksPerSecond = 60.0f;

    Blocks(Kind kind, const ElementServices& services);

    // Copies the image; its path is the source path written to the map.
    void add(const NK::BitmapEntry& image, bool isDynamic, const NK::Rect& rect, float angle,
             float density, float friction, bool rotationFix, float delay);
    // Releases every picture; the next block added gets key "0" again.
    void clear();
    bool empty() const { return items.empty(); }
    std::vector<BlockRecord> records() const;

    // A body for every block, made from its rectangle and fields.
    void createBodies(NK::PhysicsWorld& world);
    // Arms the touch countdown of every block that has a delay.
    void startPlay();
    // One tick, after the player's: touches noticed, countdowns run down,
    // crumbled blocks removed with their animation and sound.
    void updatePlay(NK::PhysicsWorld& world);
    void drawEditor();
    // Each block whose body still exists, where the body is now.
    void drawPlay(NK::PhysicsWorld& world);

    void build() override;
    void updateWidgets() override;

    std::string bodyKey(const Block& block) const { return kind.bodyPrefix + block.key; }
    const std::vector<Block>& list() const { return items.entries; }
    std::vector<Block>& list() { return items.entries; }
    NK::ExtBitmapStore& images() { return items.pictures; }
    ElementPanel& editor() { return panel; }

protected:
    // A kind's body, as the world holds it: half extents in metres.
    struct Body {
        b2Body* body = nullptr;
        NK::Vec2 halfExtents;
    };
    virtual void makeBody(NK::PhysicsWorld& world, const Block& block,
                          const NK::ExtBitmap& picture) = 0;
    // No body (none made yet, culled, crumbled): body is null.
    virtual Body findBody(NK::PhysicsWorld& world, const std::string& key) = 0;
    virtual void removeBody(NK::PhysicsWorld& world, const std::string& key) = 0;
    virtual void drawBody(NK::PhysicsWorld& world, const std::string& key,
                          const NK::BitmapEntry& image) = 0;
    // A block that should have a body during play has none.
    virtual void missingBody(const std::string& key) { (void)key; }
    // Whether the editor's mouse at a level point is on the block's picture;
    // by default, inside its turned rectangle.
    virtual bool holds(const NK::ExtBitmap& picture, NK::Vec2 point) const;

private:
    ElementPanel::Elements elements();
    void remove(int index);
    void crumble(NK::PhysicsWorld& world, Block& block, const Body& body);
    PanelWidgets::Group physicsGroup();
    PanelWidgets::Group delayGroup();
    void switchDelay();
    Block* selectedBlock();
    NK::ExtBitmap& picture(const Block& block) const { return items.pictures.get(block.key); }

    Kind kind;
    NK::AnimationStore* effects;
    NK::SoundStore* sounds;
    PictureList<Block> items;
    // Last: its callbacks reach the members above.
    ElementPanel panel;
};
