// docs/contact-sheet.png: every image the generator made, each scaled into
// a labelled cell, with the player assembled from its parts as the player rig lays
// them out (frames 0, 4, 8, 12, 16 and 20, aiming straight ahead).
#include <allegro5/allegro_image.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/assetgen/Families.h"
#include "tools/assetgen/Paint.h"

namespace gen {
namespace {

ALLEGRO_BITMAP* load(const std::string& path) {
    int flags = al_get_new_bitmap_flags();
    al_set_new_bitmap_flags(ALLEGRO_VIDEO_BITMAP | ALLEGRO_MIN_LINEAR | ALLEGRO_MAG_LINEAR);
    ALLEGRO_BITMAP* b = al_load_bitmap(path.c_str());
    al_set_new_bitmap_flags(flags);
    return b;
}

// The player rig: arm and head pivots by frame, pivots of the parts, gun offset.
void player(float cx, float cy, int f, float s) {
    static const float arm[6][2] = {{10.7f, -59.1f}, {11.0f, -53.9f}, {11.4f, -60.6f},
                                    {12.0f, -50.0f}, {21.2f, -45.4f}, {-13.4f, -40.2f}};
    static const float head[6][2] = {{20.0f, -82.5f}, {20.0f, -78.4f}, {20.0f, -84.1f},
                                     {20.0f, -74.2f}, {27.0f, -70.5f}, {-9.4f, -63.9f}};
    const std::string d = "Resources/Images/Ingame/Player/";
    ALLEGRO_BITMAP *body = load(d + "body.png"), *armf = load(d + "armf.png"),
                   *armb = load(d + "armb.png"), *gun = load(d + "gun.png"),
                   *hd = load(d + "head.png");
    int frame = f < 4 ? f * 4 : (f == 4 ? 16 : 20);
    push(cx, cy, 0, s, s);
    auto part = [&](ALLEGRO_BITMAP* b, float x, float y, float px, float py) {
        al_draw_scaled_rotated_bitmap(b, px * 120, py * 120, x, y, 1, 1, 0, 0);
    };
    float ax = arm[f][0], ay = arm[f][1];
    part(armb, ax, ay, 0.15f, 0.44f);
    al_draw_bitmap_region(body, (frame % 8) * 200, (frame / 8) * 300, 200, 300, -100, -150, 0);
    part(gun, ax + 93.6f, ay + 9, 0.41f, 0.66f);
    part(hd, head[f][0], head[f][1], 0.47f, 0.6f);
    part(armf, ax, ay, 0.15f, 0.44f);
    pop();
    for (auto b : {body, armf, armb, gun, hd}) al_destroy_bitmap(b);
}

}  // namespace

void makeContactSheet() {
    std::vector<std::string> files;
    for (const char* dir : {"Resources", "Editor"})
        for (auto& e : std::filesystem::recursive_directory_iterator(dir))
            if (e.path().extension() == ".png") files.push_back(e.path().string());
    std::sort(files.begin(), files.end());
    const int cols = 9, cw = 200, ch = 190, top = 380;
    int rows = ((int)files.size() + cols - 1) / cols;
    Canvas c(cols * cw, top + rows * ch + 20, 1);
    rect(0, 0, c.w, c.h, hex(0x1b2128));
    text("Dovra assets (tools/assetgen) - the player assembled from its parts:", 20, 14,
         22, pal::paper, 0, Face::Bold);
    for (int i = 0; i < 6; i++) player(130 + i * 290, 200, i, 1.0f);
    for (size_t i = 0; i < files.size(); i++) {
        float x = (i % cols) * cw, y = top + (i / cols) * ch;
        // Checkerboard shows transparency.
        for (int yy = 0; yy < 150; yy += 10)
            for (int xx = 0; xx < 190; xx += 10)
                rect(x + 5 + xx, y + 5 + yy, x + 15 + xx, y + 15 + yy,
                     ((xx + yy) / 10) % 2 ? hex(0x3a424c) : hex(0x2c333b));
        ALLEGRO_BITMAP* b = load(files[i]);
        if (!b) continue;
        float bw = al_get_bitmap_width(b), bh = al_get_bitmap_height(b);
        float k = std::min(190 / bw, 150 / bh);
        blit(b, x + 5 + (190 - bw * k) / 2, y + 5 + (150 - bh * k) / 2, bw * k, bh * k);
        al_destroy_bitmap(b);
        std::string name = std::filesystem::path(files[i]).filename().string();
        text(name, x + cw / 2, y + 160, 13, pal::paper, ALLEGRO_ALIGN_CENTRE);
    }
    c.save("docs/contact-sheet.png");
}

}  // namespace gen
