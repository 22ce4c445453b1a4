#include "engine/GameCore.h"

#include <allegro5/allegro_acodec.h>
#include <allegro5/allegro_audio.h>
#include <allegro5/allegro_font.h>
#include <allegro5/allegro_image.h>
#include <allegro5/allegro_primitives.h>
#include <allegro5/allegro_ttf.h>
#include <allegro5/allegro_video.h>

#include <cstdlib>

#include "engine/Log.h"
#include "engine/Platform.h"

namespace NK {

void startAllegro() {
    // Every step is tried, whatever came before, so the log shows each failure.
    bool ok = true;
    auto step = [&ok](bool result, const char* failure) {
        if (!result) {
            logError(failure);
            ok = false;
        }
    };
    step(al_install_system(ALLEGRO_VERSION_INT, atexit), "Allegro initialize.");
    step(al_install_audio(), "ALLegro audio install.");
    step(al_install_keyboard(), "Allegro keyboard install.");
    step(al_install_mouse(), "Allegro mouse install.");
    // A machine without controllers, or without the joystick driver, still
    // plays with the keyboard and mouse.
    al_install_joystick();
    step(al_init_acodec_addon(), "Allegro acodec initialize.");
    step(al_init_image_addon(), "Allegro image initialize.");
    step(al_init_video_addon(), "Allegro video initialize.");
    step(al_init_font_addon(), "Allegro font initialize.");
    step(al_init_ttf_addon(), "Allegro TTF initialize.");
    step(al_init_primitives_addon(), "Allegro primitives initialize.");
    if (!ok) fatalError("Core not initialized.");
    // The display's blender expects straight alpha, so images and glyphs
    // must not be premultiplied on load; otherwise every soft edge comes out
    // darkened. Set before the display so files decoded ahead of it match.
    al_set_new_bitmap_flags(al_get_new_bitmap_flags() | ALLEGRO_NO_PREMULTIPLIED_ALPHA);
}

GameCore::GameCore() = default;
GameCore::~GameCore() = default;

void GameCore::run(const char* title) {
    startEngine(title);
    create();
    load();
    startClocks();
    loop();
    shutDown();
    delete this;
}

void GameCore::startEngine(const char* title) {
    startAllegro();
    beforeDisplay();
    display = new Display(title);
    Platform::keepDriverLoaded();
    view = new View(display);
    input = new Input(display, view, 60.0f);
    input->startEvents();
    renderContext = new RenderContext(display, view);
    onClose = [this] { quit = 1; };
}

void GameCore::startClocks() {
    generalStopwatch = new Stopwatch();
    drawStopwatch = new Stopwatch();
    updateStopwatch = new Stopwatch();
    fps = input->rate;
    ups = 0.0f;
    Platform::seedRandomFromClock();
    redrawDue = false;
}

void GameCore::loop() {
    while (quit == 0) {
        al_wait_for_event(input->queue, &input->event);
        al_get_keyboard_state(&input->keyboard);
        al_get_mouse_state(&input->mouse);
        pass(input->event, al_is_event_queue_empty(input->queue));
    }
}

void GameCore::pass(const ALLEGRO_EVENT& event, bool queueEmpty) {
    input->apply(event);
    if (event.type == ALLEGRO_EVENT_TIMER) tick();
    if (event.type == ALLEGRO_EVENT_DISPLAY_CLOSE && onClose) onClose();
    // Redraws are dropped, not queued, while events wait: a late machine
    // catches up on updates and shows only the newest state.
    if (redrawDue && queueEmpty) {
        redrawDue = false;
        redraw();
    }
}

void GameCore::tick() {
    updateInterval = updateStopwatch->elapsedMilliseconds();
    ups = 1000.0f / updateInterval;
    updateStopwatch->restart();
    update();
    input->endUpdate();
    redrawDue = true;
}

void GameCore::redraw() {
    drawInterval = drawStopwatch->elapsedMilliseconds();
    fps = 1000.0f / drawInterval;
    drawStopwatch->restart();
    al_clear_to_color(al_map_rgba_f(0.0f, 0.0f, 0.0f, 1.0f));
    draw();
    al_flip_display();
    ++display->frameCount;
}

void GameCore::shutDown() {
    destroy();
    delete renderContext;
    renderContext = nullptr;
    delete input;  // timer, then queue
    input = nullptr;
    delete view;
    view = nullptr;
    delete display;
    display = nullptr;
    onClose = nullptr;
    delete generalStopwatch;
    delete drawStopwatch;
    delete updateStopwatch;
    generalStopwatch = drawStopwatch = updateStopwatch = nullptr;
}

}  // namespace NK
