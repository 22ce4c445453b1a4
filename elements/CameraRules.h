#pragma once
#include <array>

#include "engine/Rect.h"
#include "engine/Vec2.h"

// A camera's arithmetic, free of Allegro and Box2D so each rule runs in a
// test without a window: where it looks for the player, how its head turns
// and when it is drawn flipped, what counts as a hit on it, and where the
// editor's three handles sit.
class CameraRules {
public:
    static constexpr float pi = 3.14159265358979f;

    static constexpr float headWidth = 120.0f;
    static constexpr float headHeight = 60.0f;
    static constexpr float holderWidth = 100.0f;
    static constexpr float holderHeight = 140.0f;
    // The holder turns about a point low on its post, where the head sits.
    static constexpr float holderPivotY = 0.85f;

    static constexpr int fullHealth = 5;
    static constexpr int fireInterval = 60;  // ticks between two shots
    static constexpr float defaultSight = 500.0f;
    static constexpr float smallestSight = 5.0f;
    // A press this close to a head on both axes takes hold of its camera.
    static constexpr float grabReach = 75.5f;
    // How far the rotate handles sit beyond the head's tip and the holder's end.
    static constexpr float headHandleReach = 20.0f;
    static constexpr float holderHandleReach = 80.0f;

    // The four points of the player's rectangle a camera tries, in the order
    // it tries them: right middle, left middle, bottom middle, top middle.
    static std::array<NK::Vec2, 4> sightPoints(const NK::Rect& player);
    // The head's angle when it watches `target`: the picture's lens points
    // the other way from its angle, so half a turn is added.
    static float aimAngle(NK::Vec2 head, NK::Vec2 target);
    // A head turned past a quarter turn either way is drawn mirrored top to
    // bottom, so it is never upside down.
    static bool flipped(float angle);
    // The unit vector a camera's shot flies along; none for a target on the head.
    static NK::Vec2 shotDirection(NK::Vec2 head, NK::Vec2 target);
    // A shot this close to the head's centre has hit it.
    static bool hitsHead(NK::Vec2 shot, NK::Vec2 head, float headImageWidth);

    // The editor's handles of a camera whose head is at `head`.
    static NK::Vec2 headHandle(NK::Vec2 head, float headAngle);
    static NK::Vec2 holderHandle(NK::Vec2 head, float holderAngle);
    static NK::Vec2 sightHandle(NK::Vec2 head, float sightRadius);
    static bool withinGrab(NK::Vec2 head, NK::Vec2 point);
    // What dragging each handle to `pointer` makes of its value.
    static float headAngleToward(NK::Vec2 head, NK::Vec2 pointer);
    static float holderAngleToward(NK::Vec2 head, NK::Vec2 pointer);
    static float sightToward(NK::Vec2 head, NK::Vec2 pointer);
};
