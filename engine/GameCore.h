#pragma once
#include <allegro5/allegro.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "engine/Display.h"
#include "engine/Input.h"
#include "engine/RenderContext.h"
#include "engine/Stopwatch.h"
#include "engine/View.h"

namespace NK {

// The base of the one game object: brings Allegro up, opens the window, runs
// the 60-per-second loop around the game's five hooks and shuts down.
//
// run() is the whole life of the program. Its pieces are public so that a
// test can bring a game up, feed it events pass by pass and tick it without
// the real timer, then shut it down.
class GameCore {
public:
    GameCore();
    virtual ~GameCore();
    GameCore(const GameCore&) = delete;
    GameCore& operator=(const GameCore&) = delete;

    // The hooks, in the order the loop relies on. beforeDisplay runs once
    // Allegro and its add-ons are up, while the window is still being made:
    // work started there (decoding files, say) overlaps the display's set-up.
    virtual void beforeDisplay() {}
    virtual void create() {}
    virtual void load() {}
    virtual void update() {}
    virtual void draw() {}
    virtual void destroy() {}

    // Start-up, create, load, loop, destroy, shutdown; then releases this
    // object, which must have been made with new.
    void run(const char* title);

    // Allegro, display, view, input (with its timer and queue), render
    // context and onClose, in that order.
    void startEngine(const char* title);
    // The three stopwatches, fps/ups, the random seed: what run does between
    // load and the loop.
    void startClocks();
    void loop();
    // One pass of the loop for an event already taken from the queue and
    // already reflected in the keyboard and mouse snapshots.
    void pass(const ALLEGRO_EVENT& event, bool queueEmpty);
    // The update step of a tick: measure, update, end the input update.
    void tick();
    // Everything after the loop except releasing this object.
    void shutDown();

    Display* display = nullptr;
    View* view = nullptr;
    Input* input = nullptr;
    RenderContext* renderContext = nullptr;
    std::int32_t quit = 0;
    std::function<void()> onClose;
    Stopwatch* generalStopwatch = nullptr;
    Stopwatch* drawStopwatch = nullptr;
    Stopwatch* updateStopwatch = nullptr;
    float fps = 0.0f;
    float ups = 0.0f;
    float drawInterval = 0.0f;
    float updateInterval = 0.0f;

private:
    void redraw();
    bool redrawDue = false;
};

// Brings up Allegro and its add-ons, logging each failure; any failure is
// fatal with "Core not initialized.".
void startAllegro();

}  // namespace NK
