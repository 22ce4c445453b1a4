// What the game asks of its stores every frame: bitmap draws that the view
// culls, bitmap draws that reach Allegro, and font look-ups by key and size.
// Needs a display (run under tools/headless.sh).
#include <benchmark/benchmark.h>

#include <allegro5/allegro.h>

#include "engine/BitmapStore.h"
#include "engine/Culling.h"
#include "engine/Display.h"
#include "engine/FontStore.h"
#include "engine/GameCore.h"
#include "engine/KeyedStore.h"
#include "engine/RenderContext.h"
#include "engine/View.h"

namespace {

struct Setup {
    NK::Display* display = nullptr;
    NK::View* view = nullptr;
    NK::RenderContext* rc = nullptr;
    NK::BitmapStore* bitmaps = nullptr;
    NK::FontStore* fonts = nullptr;
};

Setup& setup() {
    static Setup s = [] {
        Setup made;
        NK::startAllegro();
        made.display = new NK::Display("Dovra benchmarks");
        made.view = new NK::View(made.display);
        made.view->apply();
        made.rc = new NK::RenderContext(made.display, made.view);
        made.bitmaps = new NK::BitmapStore(made.rc);
        // A store the size of the game's, so the look-up is a realistic one.
        for (int i = 0; i < 200; ++i)
            made.bitmaps->create({0, 0, 16, 16}, "filler_" + std::to_string(i));
        made.bitmaps->create({0, 0, 64, 64}, "box");
        made.fonts = new NK::FontStore(made.rc);
        made.fonts->load("/usr/share/fonts/truetype/clear-sans/ClearSans-Regular.ttf", "font");
        return made;
    }();
    return s;
}

// The floor a culled draw is measured against: one look-up in a map the
// size of the store's, and the test itself.
void BM_HashLookupAndCullTest(benchmark::State& state) {
    NK::KeyedStore<int> map("Bench");
    for (int i = 0; i < 200; ++i) map.insert("filler_" + std::to_string(i), i);
    map.insert("box", 1);
    const std::string key = "box";
    NK::Rect view(0, 0, 1920, 1080), box(5000, 5000, 64, 64);
    for (auto _ : state) {
        benchmark::DoNotOptimize(map.get(key));
        benchmark::DoNotOptimize(NK::outsideView(box, view));
    }
}
BENCHMARK(BM_HashLookupAndCullTest);

void BM_DrawCulled(benchmark::State& state) {
    Setup& s = setup();
    const std::string key = "box";
    for (auto _ : state) s.bitmaps->draw(key, {5000, 5000, 64, 64});
}
BENCHMARK(BM_DrawCulled);

void BM_DrawRotatedCulled(benchmark::State& state) {
    Setup& s = setup();
    const std::string key = "box";
    for (auto _ : state)
        s.bitmaps->drawRotated(key, {5000, 5000, 64, 64}, {0.5f, 0.5f}, NK::Color::white(), 0.3f);
}
BENCHMARK(BM_DrawRotatedCulled);

// Flushed every 1000 draws so the driver's queue stays bounded, as a frame's
// flip would.
void BM_DrawVisible(benchmark::State& state) {
    Setup& s = setup();
    const std::string key = "box";
    al_set_target_backbuffer(s.display->display);
    int n = 0;
    for (auto _ : state) {
        s.bitmaps->draw(key, {500, 500, 64, 64});
        if (++n % 1000 == 0) al_flip_display();
    }
    al_flip_display();
}
BENCHMARK(BM_DrawVisible);

// The same draws held into one batch by Allegro, as a frame of many
// pictures from one atlas would be.
void BM_DrawVisibleHeld(benchmark::State& state) {
    Setup& s = setup();
    const std::string key = "box";
    al_set_target_backbuffer(s.display->display);
    int n = 0;
    al_hold_bitmap_drawing(true);
    for (auto _ : state) {
        s.bitmaps->draw(key, {500, 500, 64, 64});
        if (++n % 1000 == 0) {
            al_hold_bitmap_drawing(false);
            al_flip_display();
            al_hold_bitmap_drawing(true);
        }
    }
    al_hold_bitmap_drawing(false);
    al_flip_display();
}
BENCHMARK(BM_DrawVisibleHeld);

void BM_FontGet(benchmark::State& state) {
    Setup& s = setup();
    const std::string key = "font";
    int size = 5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(s.fonts->get(key, size));
        size = size == 100 ? 5 : size + 1;
    }
}
BENCHMARK(BM_FontGet);

}  // namespace

BENCHMARK_MAIN();
