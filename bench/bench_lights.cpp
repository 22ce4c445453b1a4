// Cost of one full 1920x1080 frame drawn through the light shader with 1, 10
// and 100 lights. The virtual display renders OpenGL in software, so these
// figures are an upper bound for a machine with a graphics card; what matters
// is how they grow with the number of lights. Run under tools/headless.sh.
#include <benchmark/benchmark.h>

#include <allegro5/allegro.h>
#include <allegro5/allegro_primitives.h>

#include <string>

#include "engine/Display.h"
#include "engine/GameCore.h"
#include "engine/LightSystem.h"
#include "engine/RenderContext.h"
#include "engine/View.h"

namespace {

struct Setup {
    NK::Display* display = nullptr;
    NK::View* view = nullptr;
    NK::RenderContext* rc = nullptr;
    NK::LightSystem* lights = nullptr;
};

Setup& setup() {
    static Setup s = [] {
        Setup made;
        NK::startAllegro();
        made.display = new NK::Display("Dovra light benchmark");
        made.view = new NK::View(made.display);
        made.view->apply();
        made.rc = new NK::RenderContext(made.display, made.view);
        made.lights = new NK::LightSystem(made.rc);
        return made;
    }();
    return s;
}

void BM_LitFullFrame(benchmark::State& state) {
    Setup& s = setup();
    const int count = static_cast<int>(state.range(0));
    s.lights->clearLights();
    for (int i = 0; i < count; ++i) {
        // Spread over the screen so every light reaches some pixels.
        const float x = static_cast<float>((i * 373) % 1920);
        const float y = static_cast<float>((i * 211) % 1080);
        s.lights->createLight(std::to_string(i), {x, y}, 1.0f, 0.8f, 0.6f, 300.0f, 2.0f);
    }
    al_use_shader(s.lights->getShader());
    s.lights->uploadUniforms();
    const ALLEGRO_COLOR floor = al_map_rgb(200, 200, 200);
    ALLEGRO_BITMAP* backbuffer = al_get_backbuffer(s.display->display);
    for (auto _ : state) {
        al_draw_filled_rectangle(0, 0, 1920, 1080, floor);
        // Reading a pixel back waits until the frame is really drawn.
        benchmark::DoNotOptimize(al_get_pixel(backbuffer, 960, 540));
    }
    al_use_shader(nullptr);
}
BENCHMARK(BM_LitFullFrame)
    ->Arg(1)
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();  // the drawing happens on the GL driver's threads, not ours

}  // namespace

BENCHMARK_MAIN();
