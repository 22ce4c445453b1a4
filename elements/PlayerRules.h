#pragma once
#include "engine/Rect.h"
#include "engine/Vec2.h"

class b2Body;

// The player's arithmetic, free of Allegro so each rule runs in a test
// without a window: where the pointer is in the level, which way the player
// faces, where its body parts and the muzzle sit, what its camera shows,
// what counts as ground, what a shot's contact means, and how the camera
// area's corners follow the mouse in the editor.
class PlayerRules {
public:
    static constexpr float width = 200.0f;
    static constexpr float height = 300.0f;
    static constexpr float partSide = 120.0f;  // arms, gun and head are all this square
    static constexpr float aimPivotLift = -13.0f;
    static constexpr float gunOffsetX = 93.6f;
    static constexpr float gunOffsetY = 9.0f;
    static constexpr float muzzleReach = 100.0f;  // beyond the gun's place along the aim
    static constexpr int frameCount = 24;

    static constexpr float walkForce = 200.0f;  // newtons
    static constexpr float maxSpeed = 7.0f;     // metres per second
    static constexpr float damping = 0.9f;      // x velocity kept per tick with no walk key
    static constexpr float jumpImpulse = 50.0f;
    // A contact this close to the centre along x (metres) is under or over
    // the player, not beside it.
    static constexpr float standingReach = 0.002f * width;
    static constexpr float gravityScale = 3.5f;

    // The camera shows one and a half times the 1920x1080 layout.
    static constexpr float cameraWidth = 2880.0f;
    static constexpr float cameraHeight = 1620.0f;

    // Offsets from the player's position to the arm pivot and the head, by
    // body frame (0..15 run, 16..19 fall, 20..23 stand).
    static NK::Vec2 armOffset(int frame);
    static NK::Vec2 headOffset(int frame);

    // Left when the pointer turns left of straight up; straight up is right.
    static bool facesLeft(NK::Vec2 player, NK::Vec2 pointer);

    // Where each part is drawn: its pivot's level position, its size (the
    // width negative when mirrored) and its angle.
    struct Part {
        NK::Vec2 at;
        NK::Vec2 size;
        float angle = 0.0f;
    };
    struct Layout {
        bool facingLeft = false;
        float aim = 0.0f;  // radians from +x, positive when the pointer is lower
        Part arm, gun, head;
        NK::Vec2 muzzle;
    };
    // The parts for body frame `frame`, aimed at the pointer.
    static Layout aimedLayout(NK::Vec2 player, int frame, NK::Vec2 pointer);
    // The parts for frame 0, facing right, nothing turned.
    static Layout restingLayout(NK::Vec2 player);

    // The view that keeps the body (metres) in its middle.
    static NK::Rect cameraView(NK::Vec2 bodyMetres);

    // Some touching contact with a body that is not a bullet lies under or
    // over the centre.
    static bool isStanding(b2Body& body);

    enum class ShotContact { None, HitsPlayer, Spent };
    // What the first counting contact of a shot is. Nothing counts once the
    // player is dead; a contact with the player counts only when the shot
    // is a camera's.
    static ShotContact shotContact(b2Body& shot, bool playerAlive);

    // The camera area with one corner dragged to the pointer; no side
    // shrinks below the editor's minimum, the other corner stays.
    static NK::Rect dragTopLeft(const NK::Rect& area, NK::Vec2 pointer);
    static NK::Rect dragBottomRight(const NK::Rect& area, NK::Vec2 pointer);
};
