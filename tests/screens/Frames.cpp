#include "tests/screens/Frames.h"

#include <allegro5/allegro.h>

#include <cstdlib>
#include <filesystem>

#include "tests/game/GameKit.h"
#include "tests/support/Pixels.h"

namespace frames {
namespace {

// Two renderers may round a channel differently by a step or two; past that
// every step counts, and a frame differs once the steps add up to a few
// pixels changed outright. A line moved by a fraction of a pixel or a tint
// on one picture adds up to far more.
constexpr int roundingSlack = 2;
constexpr long allowedSteps = 4 * 3 * 255;

std::string keepSeen(ALLEGRO_BITMAP* frame, const std::string& name) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "dovra-frames-seen";
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    const std::string path = (folder / (name + ".png")).string();
    return al_save_bitmap(path.c_str(), frame) ? path : "(not written)";
}

}  // namespace

std::string compare(const std::string& name) {
    ALLEGRO_BITMAP* seen = gamekit::frame();
    ALLEGRO_BITMAP* approved =
        nktest::loadImage(nktest::sourcePath("tests/data/frames/" + name + ".png"));
    std::string fault;
    if (!approved) {
        fault = "no approved frame";
    } else if (al_get_bitmap_width(approved) != al_get_bitmap_width(seen) ||
               al_get_bitmap_height(approved) != al_get_bitmap_height(seen)) {
        fault = "the frame's size differs";
    } else {
        const int w = al_get_bitmap_width(seen), h = al_get_bitmap_height(seen);
        ALLEGRO_LOCKED_REGION* a =
            al_lock_bitmap(seen, ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE, ALLEGRO_LOCK_READONLY);
        ALLEGRO_LOCKED_REGION* b =
            al_lock_bitmap(approved, ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE, ALLEGRO_LOCK_READONLY);
        long differing = 0, steps = 0;
        int firstX = -1, firstY = -1;
        for (int y = 0; y < h; ++y) {
            const auto* p = static_cast<const unsigned char*>(a->data) + y * a->pitch;
            const auto* q = static_cast<const unsigned char*>(b->data) + y * b->pitch;
            for (int x = 0; x < w; ++x, p += 4, q += 4) {
                // Colour only: the back buffer's alpha is not what a player sees.
                long pixelSteps = 0;
                for (int c = 0; c < 3; ++c) {
                    const int d = std::abs(p[c] - q[c]);
                    if (d > roundingSlack) pixelSteps += d;
                }
                if (pixelSteps == 0) continue;
                steps += pixelSteps;
                if (differing++ == 0) firstX = x, firstY = y;
            }
        }
        al_unlock_bitmap(seen);
        al_unlock_bitmap(approved);
        if (steps > allowedSteps)
            fault = std::to_string(differing) + " pixels differ by " + std::to_string(steps) +
                    " steps, the first at " + std::to_string(firstX) + "," + std::to_string(firstY);
    }
    if (!fault.empty()) fault = "frame " + name + ": " + fault + "; seen " + keepSeen(seen, name);
    if (approved) al_destroy_bitmap(approved);
    al_destroy_bitmap(seen);
    return fault;
}

}  // namespace frames
