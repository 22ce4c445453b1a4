#pragma once
#include <functional>
#include <string>
#include <vector>
#include "elements/ElementServices.h"

#include "elements/ElementPage.h"
#include "elements/ElementPanel.h"
#include "elements/MapRecords.h"
#include "engine/ExtBitmapStore.h"
#include "engine/Rect.h"
#include "engine/Vec2.h"

namespace NK {
class AnimationStore;
class BitmapStore;
class FontStore;
class Input;
class PhysicsWorld;
class RenderContext;
class SoundStore;
class View;
}  // namespace NK

// The level's security cameras: each a head that turns on a holder, watches
// for the player within its sight, fires at it once a second while it can
// see it, and is destroyed by five of the player's shots. With no camera
// left (and every lever pulled) the gate opens. Also the cameras' editor
// page: the list, the position, both angles and the sight, and the mouse
// handles that move, turn and widen them.
class Enemies : public ElementPage {
public:
    struct Camera {
        std::string head;    // the number followed by "c"
        std::string holder;  // the number followed by "h"
        float sightRadius = 0.0f;
        int health = 0;
        int cooldown = 0;        // ticks until it may fire again; kept from one run to the next
        float baseAngle = 0.0f;  // the head's angle when play started
    };

    explicit Enemies(const ElementServices& services);

    // Both pictures are made from their files at the camera's position.
    void add(NK::Vec2 position, float headAngle, float holderAngle, float sightRadius);
    // Every camera and picture gone; the next one added is number 0 again.
    void clear();
    bool empty() const { return list.empty(); }
    std::vector<EnemyRecord> records() const;

    // Full health, and the angle each head returns to at the end.
    void start();
    // One tick of every camera still up: look, turn and fire while the
    // player lives, then take the player's shots that reach a head.
    void update(NK::PhysicsWorld& world, bool playerAlive, const NK::Rect& playerRect);
    // Full health and each head back where play found it.
    void end();
    // Holder, then head, of every camera not destroyed.
    void draw();
    int aliveCount() const;

    void build() override;
    void show() override;
    void hide() override;
    void update(bool mouseOutside) override;
    // The selected camera's frame and its three handles.
    void drawOverlay(NK::Vec2 handleSize) override;
    void updateWidgets() override;
    void setCameraHook(std::function<void(NK::Vec2)> centre) override;

    NK::Vec2 position(int index) const;
    // Turns the head, mirroring it when it would be upside down.
    void turnHead(int index, float angle);
    const std::vector<Camera>& cameras() const { return list; }
    NK::ExtBitmapStore& images() { return pictures; }
    ElementPanel& editor() { return panel; }

    static const char* const headPath;
    static const char* const holderPath;

private:
    NK::ExtBitmap& head(int index) const;
    NK::ExtBitmap& holder(int index) const;
    void moveTo(int index, NK::Vec2 to);
    void remove(int index);
    void watch(NK::PhysicsWorld& world, int index, const NK::Rect& playerRect);
    void takeShots(NK::PhysicsWorld& world, int index);

    // The editor page (EnemiesPage.cpp).
    PanelWidgets::Group positionGroup();
    PanelWidgets::Group angleGroup(const char* key, const char* title, bool ofHead);
    PanelWidgets::Group sightGroup();
    void press(NK::Vec2 mouse);
    void follow(NK::Vec2 mouse);

    NK::Input* input;
    NK::View* view;
    NK::BitmapStore* bitmaps;
    NK::RenderContext* renderContext;
    NK::AnimationStore* effects;
    NK::SoundStore* sounds;
    // Engine stores answer look-ups only through non-const calls.
    mutable NK::ExtBitmapStore pictures;
    std::vector<Camera> list;
    int cameraNumber = 0;
    ElementPanel panel;

    enum class Mouse { None, Dragging, TurningHead, TurningHolder, Widening };
    Mouse mouse = Mouse::None;
    NK::Vec2 grabOffset;
};
