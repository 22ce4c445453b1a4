#pragma once
#include "elements/HangWatch.h"
#include "elements/PlayInput.h"

namespace NK {
class AnimationStore;
class BitmapStore;
class PhysicsWorld;
class SoundStore;
}  // namespace NK
class Player;
class Gate;
class Dialogs;
class Lights;
class Levers;
class NPCs;
class Enemies;
class Boxes;
class Circles;

// The elements of a level while it runs, and the one tick order both the
// play scene and the editor's test run step them in. The two differ only in
// what they do with the tick's result (windows and progress, or the end of
// the test run), so that part stays with the caller.
struct LevelRun {
    NK::PhysicsWorld* world = nullptr;
    NK::SoundStore* sounds = nullptr;
    NK::AnimationStore* effects = nullptr;  // the one-shot plays: bursts, crumbles
    Player* player = nullptr;
    Gate* gate = nullptr;
    Enemies* enemies = nullptr;
    Levers* levers = nullptr;
    Dialogs* dialogs = nullptr;
    NPCs* npcs = nullptr;
    Boxes* boxes = nullptr;
    Circles* circles = nullptr;
    Lights* lights = nullptr;

    struct Tick {
        bool atOpenGate = false;  // the gate is open and the player touches it
        bool dead = false;        // health below 1
    };

    // Whether the player hangs in mid-air; watched on every tick, read only
    // by the checks of replays, the hang finder and the UI fuzzer.
    HangWatch hang;

    // Bodies and play state from the records, in the start order.
    void start();
    // One tick: the world steps, then every element in its fixed order, then
    // the gate rule.
    Tick tick(const PlayInput& input, bool playerControl);
    // Bodies and play state gone; the records stay as they were.
    void end();
    // The gate opens exactly when no camera is left and every lever is on.
    bool gateShouldOpen() const;

    void stopSteps();

    // The level's pieces over the backgrounds, in the one order play and the
    // editor share: gate, levers, blocks and figures (as they play, with the
    // shots in flight, or as placed), cameras, the player.
    void drawPieces(NK::BitmapStore& bitmaps, bool playing) const;
    // Every shot in flight, the player's white and the cameras' red, turned
    // to where it flies.
    void drawShots(NK::BitmapStore& bitmaps) const;
    // One heart per point of health along the top left of the screen, the
    // first at (2.5, top), 40 by 40 each, 55 apart; none once the player is dead.
    void drawHearts(NK::BitmapStore& bitmaps, float top) const;

private:
    void watchHang();
};
