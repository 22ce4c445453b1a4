#include "elements/Blocks.h"

#include <box2d/box2d.h>

#include <optional>
#include <utility>

#include "elements/PanelRules.h"
#include "engine/AnimationStore.h"
#include "engine/BitmapEntry.h"
#include "engine/ExtBitmap.h"
#include "engine/GUISystem.h"
#include "engine/PhysicsWorld.h"
#include "engine/SoundStore.h"

namespace {

// The crumble animation runs through its 64 frames in 16 ticks.
constexpr float crumbleFramesPerTick = 4.0f;
// Seventeen rows and seven sections: closer than the background's bands
// allow, or the delay row would fall off the bottom of the screen.
constexpr float blockRowPitch = 46.0f;

// Equal shares would wrap "ADD Dynamic" and "FIX ROTATION: OFF" onto a
// second line the button has no room for; these rows share their width by
// what their buttons say instead. The last button takes what is left.
constexpr float buttonGap = 10.0f;
void shareRow(PanelWidgets& widgets, const std::vector<std::pair<const char*, float>>& widths) {
    float x = PanelWidgets::left;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        const char* key = widths[i].first;
        NK::Rect r = widgets.gui().buttonImages().get(key).rect;
        r.x = x;
        r.width = i + 1 == widths.size() ? PanelWidgets::left + PanelWidgets::width - x
                                         : widths[i].second;
        x += r.width + buttonGap;
        widgets.placeButton(key, r);
    }
}

// Only the player and shots wear a block down; other blocks and the ground
// lean on it all the time.
bool touchedByPlayerOrShot(b2Body& body) {
    for (b2ContactEdge* edge = body.GetContactList(); edge; edge = edge->next) {
        if (!edge->contact->IsTouching()) continue;
        const int tag = NK::bodyTag(edge->other);
        if (tag == NK::kTagPlayer || tag == NK::kTagPlayerShot || tag == NK::kTagCameraShot)
            return true;
    }
    return false;
}

}  // namespace

Blocks::Blocks(Kind k, const ElementServices& s)
    : ElementPage(panel),
      kind(std::move(k)),
      effects(s.animations),
      sounds(s.sounds),
      items(s.renderContext),
      panel(s, elements()) {}

ElementPanel::Elements Blocks::elements() {
    auto at = [this](int i) -> Block& { return items.entries[static_cast<std::size_t>(i)]; };
    ElementPanel::Elements e;
    e.count = [this] { return static_cast<int>(items.entries.size()); };
    e.image = [this, at](int i) -> NK::ExtBitmap& { return picture(at(i)); };
    e.remove = [this](int i) { remove(i); };
    e.duplicate = [this, at](int i, const NK::Rect& rect) {
        // A copy, not a reference: add() grows the list it lives in.
        const Block from = at(i);
        const NK::ExtBitmap& image = picture(from);
        add(image.image, from.isDynamic, rect, image.angle, from.density, from.friction,
            from.rotationFix, from.delay);
    };
    e.suffix = [at](int i) { return at(i).isDynamic ? " D" : " S"; };
    e.holds = [this, at](int i, NK::Vec2 point) { return holds(picture(at(i)), point); };
    e.alwaysKeepRatio = kind.alwaysKeepsRatio;
    return e;
}

bool Blocks::holds(const NK::ExtBitmap& image, NK::Vec2 point) const {
    return PanelRules::holds(image.rect, image.angle, point);
}

void Blocks::add(const NK::BitmapEntry& image, bool isDynamic, const NK::Rect& rect, float angle,
                 float density, float friction, bool rotationFix, float delay) {
    Block b;
    b.isDynamic = isDynamic;
    b.rotationFix = rotationFix;
    b.density = density;
    b.friction = friction;
    b.delay = delay;
    items.pictures.create(image, rect, items.add(b).key).angle = angle;
}

void Blocks::remove(int index) {
    items.remove(static_cast<std::size_t>(index));
}

void Blocks::clear() {
    items.clear();
    panel.resetSelection();
}

std::vector<BlockRecord> Blocks::records() const {
    std::vector<BlockRecord> out;
    out.reserve(items.entries.size());
    for (const Block& b : items.entries) {
        const NK::ExtBitmap& e = picture(b);
        out.push_back({e.image.path, b.isDynamic, e.rect.x, e.rect.y, e.rect.width, e.rect.height,
                       e.angle, b.density, b.friction, b.rotationFix, b.delay});
    }
    return out;
}

void Blocks::createBodies(NK::PhysicsWorld& world) {
    for (const Block& b : items.entries) makeBody(world, b, picture(b));
}

void Blocks::startPlay() {
    for (Block& b : items.entries) {
        if (b.delay < 0.0f) continue;
        b.touched = false;
        b.destroyed = false;
        b.missingTold = false;
        b.countdown = static_cast<int>(b.delay * ticksPerSecond);
    }
}

void Blocks::updatePlay(NK::PhysicsWorld& world) {
    for (Block& b : items.entries) {
        if (b.delay < 0.0f || b.destroyed) continue;
        const std::string key = bodyKey(b);
        const Body body = findBody(world, key);
        if (!body.body) {
            // A culled body stays gone for the run: once in the log is enough.
            if (!b.missingTold) missingBody(key);
            b.missingTold = true;
            continue;
        }
        // The touching tick only starts the count: a delay of d seconds
        // ends d * 60 + 1 ticks later, so even a zero delay lets the touch
        // be seen for one tick.
        if (!b.touched) {
            b.touched = touchedByPlayerOrShot(*body.body);
            continue;
        }
        if (b.countdown > -1) --b.countdown;
        if (b.countdown == -1) crumble(world, b, body);
    }
}

void Blocks::crumble(NK::PhysicsWorld& world, Block& block, const Body& body) {
    const b2Vec2& p = body.body->GetPosition();
    const NK::Vec2 h = body.halfExtents;
    effects->playAnimation(
        "block",
        NK::Rect((p.x - h.x) * NK::kPixelsPerMetre, (p.y - h.y) * NK::kPixelsPerMetre,
                 2.0f * h.x * NK::kPixelsPerMetre, 2.0f * h.y * NK::kPixelsPerMetre),
        false, NK::Vec2(0.5f, 0.5f), crumbleFramesPerTick, 0.0f);
    removeBody(world, bodyKey(block));
    block.destroyed = true;
    sounds->playSound("destroy_block");
}

void Blocks::drawEditor() {
    items.draw();
}

void Blocks::drawPlay(NK::PhysicsWorld& world) {
    for (const Block& b : items.entries) {
        const std::string key = bodyKey(b);
        if (!findBody(world, key).body) continue;
        drawBody(world, key, picture(b).currentEntry());
    }
}

Blocks::Block* Blocks::selectedBlock() {
    return panel.hasSelection() ? &items.entries[static_cast<std::size_t>(panel.selected)]
                                : nullptr;
}

void Blocks::build() {
    panel.widgets.banded = false;
    panel.widgets.rowPitch = blockRowPitch;
    panel.start();
    auto addButton = [this](const char* key, const char* text, bool isDynamic) {
        return PanelWidgets::Button{
            key, text, [this, isDynamic] {
                panel.addChosenImage(
                    kind.temporaryKey,
                    [this, isDynamic](const NK::BitmapEntry& image, const NK::Rect& rect) {
                        add(image, isDynamic, rect, 0.0f, defaultDensity, defaultFriction, false,
                            noDelay);
                    });
            }};
    };
    panel.addList(
        {addButton("add_s", "ADD Static", false), addButton("add_d", "ADD Dynamic", true)});
    shareRow(panel.widgets, {{"add_s", 110.0f}, {"add_d", 140.0f}, {"remove", 0.0f}});
    panel.addImageChooser(kind.folder, kind.precreated);
    panel.addGroup(panel.positionGroup());
    panel.addGroup(panel.sizeGroup(kind.hasSizeLock));
    panel.addGroup(panel.angleGroup());
    panel.addGroup(physicsGroup());
    shareRow(panel.widgets, {{"is_dynamic", 60.0f}, {"rotation_fix", 0.0f}});
    panel.widgets.addToggles({{"delay_use",
                               [this] {
                                   const Block* b = selectedBlock();
                                   return b && b->delay >= 0.0f ? "TOUCH DELAY: ON"
                                                                : "TOUCH DELAY: OFF";
                               },
                               [this] { switchDelay(); }}});
    panel.addGroup(delayGroup());
    panel.refreshPanel();
    panel.hide();
}

PanelWidgets::Group Blocks::physicsGroup() {
    auto at = [this](int i) -> Block& { return items.entries[static_cast<std::size_t>(i)]; };
    PanelWidgets::Group g;
    g.key = "physics";
    g.title = "Physics";
    g.reset = [at](int i) {
        at(i).density = defaultDensity;
        at(i).friction = defaultFriction;
    };
    g.fields.push_back({"density", "DENSITY", [at](int i) { return at(i).density; },
                        [at](int i, float v) { at(i).density = v; }});
    g.fields.push_back({"friction", "FRICTION", [at](int i) { return at(i).friction; },
                        [at](int i, float v) { at(i).friction = v; }});
    // The kind is chosen by the add button and stays; the button only shows it.
    g.toggles.push_back({"is_dynamic",
                         [this] {
                             const Block* b = selectedBlock();
                             return b ? (b->isDynamic ? "D" : "S") : "";
                         },
                         [] {}});
    g.toggles.push_back({"rotation_fix",
                         [this] {
                             const Block* b = selectedBlock();
                             return b && b->rotationFix ? "FIX ROTATION: ON" : "FIX ROTATION: OFF";
                         },
                         [this] {
                             if (Block* b = selectedBlock()) b->rotationFix = !b->rotationFix;
                         }});
    return g;
}

PanelWidgets::Group Blocks::delayGroup() {
    auto at = [this](int i) -> Block& { return items.entries[static_cast<std::size_t>(i)]; };
    PanelWidgets::Group g;
    g.key = "delay";
    PanelWidgets::Field f{"delay", "SEC", [at](int i) { return at(i).delay; },
                          [at](int i, float v) { at(i).delay = v; }};
    f.labelKey = "delay_sec_text";
    f.emptyText = "-1.00";
    // Typing a delay means wanting one; every "none" is stored the same way.
    f.notNumber = switchedOnDelay;
    f.limit = [](float v) { return v < 0.0f ? noDelay : v; };
    g.fields.push_back(f);
    return g;
}

void Blocks::switchDelay() {
    Block* b = selectedBlock();
    if (!b) return;
    // The input, not the record: a value typed but not yet committed counts.
    const std::optional<float> shown =
        PanelRules::parseNumber(panel.widgets.gui().getTextInputText("delay"));
    b->delay = shown.value_or(b->delay) < 0.0f ? switchedOnDelay : noDelay;
}

void Blocks::updateWidgets() {
    items.pictures.updateExtBitmaps();
    panel.widgets.gui().update();
}
