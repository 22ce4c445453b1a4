#pragma once
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>
#include "elements/ElementServices.h"

#include "elements/EditorPanel.h"
#include "elements/MapRecords.h"
#include "elements/PanelWidgets.h"
#include "elements/PlayInput.h"
#include "elements/PlayerRules.h"
#include "engine/ExtBitmapStore.h"
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
}  // namespace NK

// The one player character of a level: where it starts, the area its camera
// keeps to and the edge it dies below; in play its capsule body, walking,
// jumping and shooting from the tick's input, its body drawn from parts that
// follow the pointer, its health, and what every shot that touches something
// does. The player never reads the keyboard or mouse while it plays, so a
// replay drives it exactly as the keys did.
class Player : public EditorPanel {
public:
    explicit Player(const ElementServices& services);

    // The body sprite with its saved animations, and the part and HUD
    // images in the game's bitmap store. build() calls it; everything below
    // needs it done.
    void loadImages();
    // The files loadImages reads.
    static std::vector<std::string> imageFiles();
    // A new map: start at (400, 840), the default camera area and fall edge,
    // full health, nothing edited.
    void reset();
    // Puts the player's centre at (x, y), its parts at rest and facing right.
    void setPosition(float x, float y);
    NK::Vec2 position();

    // The body made at the player's position.
    void start(NK::PhysicsWorld& world);
    // One tick, after the world's step. Without control the player neither
    // walks, jumps, shoots nor moves the camera; shots still hit it.
    void update(NK::PhysicsWorld& world, bool hasControl, const PlayInput& input);
    // The body removed and the player back where it started, at rest.
    void end(NK::PhysicsWorld& world);
    void draw();

    // The sprite's rectangle: left, top, width, height.
    NK::Rect rectangle();
    PlayerRecord positionRecord();
    NK::ExtBitmapStore& images() { return pictures; }
    const PlayerRules::Layout& parts() const { return layout; }
    PanelWidgets& panel() { return widgets; }

    void build() override;
    void show() override;
    void hide() override;
    void update(bool mouseOutside) override;
    // The player's outline and the camera area's two corner handles.
    void drawOverlay(NK::Vec2 handleSize) override;
    void drawGUI() override { widgets.draw(); }
    NK::GUISystem& widgetSystem() override { return widgets.gui(); }
    void updateWidgets() override;
    bool typing() const override { return widgets.typing(); }
    std::vector<std::string> staleFields() const override { return widgets.staleFields(); }
    void setCameraHook(std::function<void(NK::Vec2)> centre) override {
        centreCamera = std::move(centre);
    }
    // The camera area's outline, brighter while the Player tab is active.
    void drawCameraArea(bool tabActive);

    static const NK::Rect defaultCameraArea;
    static const NK::Vec2 defaultStart;
    static constexpr float defaultFallEdge = 2000.0f;
    static constexpr int fullHealth = 5;

    NK::Rect cameraArea = defaultCameraArea;
    float fallEdge = defaultFallEdge;
    int health = fullHealth;
    bool changed = false;
    bool facingLeft = false;
    NK::Vec2 startPosition = defaultStart;

private:
    NK::ExtBitmap& sprite() { return pictures.get("player"); }
    void walk(b2Body& body, const PlayInput& input);
    void showMotion(bool standing, bool moving);
    void fire(NK::PhysicsWorld& world, NK::Vec2 pointer);
    void spendShots(NK::PhysicsWorld& world);
    void playSteps(bool on);

    void press(NK::Vec2 mouse);
    void follow(NK::Vec2 mouse);
    void edited(std::initializer_list<const char*> inputs);
    NK::Vec2 mouseInLevel() const;
    float lineWidth() const;

    NK::Input* input;
    NK::View* view;
    NK::BitmapStore* bitmaps;
    NK::AnimationStore* animations;
    NK::SoundStore* sounds;
    NK::RenderContext* renderContext;
    NK::ExtBitmapStore pictures;
    PanelWidgets widgets;
    std::function<void(NK::Vec2)> centreCamera;
    bool built = false;

    PlayerRules::Layout layout;
    NK::Vec2 grabOffset;
    bool draggingPlayer = false;
    bool draggingTopLeft = false;
    bool draggingBottomRight = false;
};
