// Buttons, icons and small UI pictures. Buttons are stretched by the GUI to
// many sizes (800 x 100 down to 100 x 40), so they are plain vertical
// gradients with thin edges that survive stretching; icons are light glyphs
// so that the editor's tints colour them.
#include <cmath>

#include "tools/assetgen/Families.h"
#include "tools/assetgen/Paint.h"
#include "tools/assetgen/Screens.h"

namespace gen {
namespace {

void plate(float w, float h, Col top, Col bottom, Col edge, float r) {
    rrect(0, 0, w, h, r, pal::ink);
    rrect(2, 2, w - 2, h - 2, r - 1, bottom);
    float xy[8] = {3, 3, w - 3, 3, w - 3, h - 3, 3, h - 3};
    Col c[4] = {top, top, bottom, bottom};
    quad(xy, c);
    rrectLine(3, 3, w - 3, h - 3, r - 2, edge, 2);
}

void buttons() {
    {
        Canvas c(400, 100);
        plate(400, 100, hex(0x2a3442, 0.95f), hex(0x111720, 0.95f), hex(0x3f4d5e), 14);
        line(20, 8, 380, 8, hex(0xffffff, 0.12f), 2);
        rect(3, 86, 397, 90, pal::teal.alpha(0.75f));  // lamp strip along the bottom
        rect(3, 40, 10, 60, pal::teal);
        rect(390, 40, 397, 60, pal::teal);
        c.save("Resources/Images/Menu/menu_button.png");
    }
    {
        // "button": a recessed field (text inputs, SET, LOAD).
        Canvas c(256, 64);
        rrect(0, 0, 256, 64, 8, pal::ink);
        gradV(3, 3, 253, 61, hex(0x0a0d12), hex(0x1a212a));
        rrectLine(3, 3, 253, 61, 6, hex(0x4a5664), 2);
        line(8, 58, 248, 58, hex(0x2fd3c3, 0.4f), 2);
        c.save("Resources/Images/Editor/button.png");
    }
    {
        // "button_g": a raised steel key (every editor button).
        Canvas c(256, 64);
        plate(256, 64, hex(0x4a5767), hex(0x252d38), hex(0x62748a), 8);
        line(10, 7, 246, 7, hex(0xffffff, 0.18f), 2);
        c.save("Resources/Images/Editor/button_g.png");
    }
}

void vexa() {
    // The menu logo: a camera eye in a hexagon, ringed by the name. It fades
    // in and out over the menu, so it stands on its own dark disc.
    Canvas c(400, 400);
    glow(200, 200, 200, pal::teal, 0.35f);
    std::vector<float> hexa, inner;
    for (int i = 0; i < 6; i++) {
        float a = i * ALLEGRO_PI / 3;
        hexa.insert(hexa.end(), {200 + 170 * std::cos(a), 200 + 170 * std::sin(a)});
        inner.insert(inner.end(), {200 + 150 * std::cos(a), 200 + 150 * std::sin(a)});
    }
    poly(hexa, pal::ink);
    poly(inner, hex(0x121a22));
    polyLine(inner, pal::teal, 6);
    // The eye: a lens whose iris is a camera aperture.
    ellipse(200, 190, 112, 62, pal::paper);
    ellipse(200, 190, 100, 52, hex(0x0b1117));
    disc(200, 190, 44, pal::amber);
    for (int i = 0; i < 6; i++) {
        float a = i * ALLEGRO_PI / 3 + 0.3f;
        line(200, 190, 200 + 44 * std::cos(a), 190 + 44 * std::sin(a), hex(0x8a5a18), 4);
    }
    disc(200, 190, 18, pal::ink);
    disc(188, 178, 8, pal::white);
    text("DOVRA", 200, 262, 46, pal::paper, ALLEGRO_ALIGN_CENTRE, Face::Bold);
    c.save("Resources/Images/Menu/vexa.png");
}

// A round icon plate with a light glyph drawn by `glyph` in a 128 space.
template <class F>
void icon(const std::string& path, int size, F glyph, bool plateOn = true) {
    Canvas c(size, size);
    push(0, 0, 0, size / 128.f, size / 128.f);
    if (plateOn) {
        disc(64, 64, 60, pal::ink.alpha(0.85f));
        ring(64, 64, 56, hex(0xdfe6ee, 0.9f), 5);
    }
    glyph();
    pop();
    c.save(path);
}

void arrowHead(float x, float y, float ang, float s, Col col) {
    push(x, y, ang);
    std::vector<float> p = {s, 0, -s * 0.6f, -s * 0.8f, -s * 0.6f, s * 0.8f};
    poly(p, col);
    pop();
}

void icons() {
    const Col g = pal::paper;
    icon("Resources/Images/Icons/arrow_right.png", 128, [&] {
        limb(34, 64, 78, 64, 14, g, 0);
        arrowHead(84, 64, 0, 26, g);
    });
    icon("Resources/Images/Icons/resize.png", 64, [&] {
        limb(40, 40, 88, 88, 10, g, 0);
        arrowHead(90, 90, ALLEGRO_PI / 4, 22, g);
        arrowHead(38, 38, -3 * ALLEGRO_PI / 4, 22, g);
    });
    icon("Resources/Images/Icons/rotate.png", 64, [&] {
        al_draw_arc(64, 64, 32, -ALLEGRO_PI * 0.9f, ALLEGRO_PI * 1.4f, g.al(), 10);
        arrowHead(64 + 32 * std::cos(0.5f * ALLEGRO_PI), 64 + 32 * std::sin(0.5f * ALLEGRO_PI),
                  ALLEGRO_PI, 20, g);
    });
    icon("Resources/Images/Icons/change-row.png", 128, [&] {
        for (int i = 0; i < 2; i++) {
            float y = 46 + i * 36;
            rrect(24, y - 10, 76, y + 10, 4, g.alpha(i ? 0.55f : 1));
        }
        limb(96, 40, 96, 88, 8, pal::teal, 0);
        arrowHead(96, 32, -ALLEGRO_PI / 2, 16, pal::teal);
        arrowHead(96, 96, ALLEGRO_PI / 2, 16, pal::teal);
    });
    icon("Resources/Images/Icons/set_precreated_path.png", 128, [&] {
        // A folder with a cycle arrow: "next precreated image".
        rrect(26, 40, 60, 52, 3, g);
        rrect(26, 48, 102, 94, 5, g);
        rrect(32, 56, 96, 88, 3, hex(0x1a222c));
        al_draw_arc(64, 72, 13, -ALLEGRO_PI * 0.8f, ALLEGRO_PI * 1.3f, pal::teal.al(), 5);
        arrowHead(64 + 13 * std::cos(0.5f * ALLEGRO_PI), 72 + 13 * std::sin(0.5f * ALLEGRO_PI),
                  ALLEGRO_PI, 9, pal::teal);
    });
    icon(
        "Resources/Images/Icons/button_slide.png", 64,
        [&] {
            // A slider knob: drag up or down.
            rrect(30, 14, 98, 114, 14, pal::ink);
            gradV(34, 18, 94, 110, hex(0xdfe6ee), hex(0x8a96a4));
            for (int i = 0; i < 3; i++) line(46, 54 + i * 10, 82, 54 + i * 10, hex(0x4a5664), 4);
            arrowHead(64, 30, -ALLEGRO_PI / 2, 12, hex(0x2a3440));
            arrowHead(64, 98, ALLEGRO_PI / 2, 12, hex(0x2a3440));
        },
        false);
}

void restartText() {
    Canvas c(600, 76);
    rrect(2, 2, 598, 74, 14, hex(0x05070a, 0.6f));
    rrect(22, 14, 72, 62, 8, pal::paper);
    text("R", 47, 14, 38, pal::ink, ALLEGRO_ALIGN_CENTRE, Face::Bold);
    text("Press R to restart the level", 88, 16, 34, pal::paper, ALLEGRO_ALIGN_LEFT);
    c.save("Resources/Images/Ingame/restart_level.png");
}

// Dialog design: the background is the region 0,0,500,500 and the button image
// the region 0,500,300,100; CLOSE and NEXT are printed on the button.
void design() {
    Canvas c(500, 600);
    rrect(4, 4, 496, 496, 22, pal::ink);
    gradV(9, 9, 491, 491, hex(0x1e2631, 0.97f), hex(0x0e131a, 0.97f));
    rrectLine(9, 9, 491, 491, 18, pal::teal.alpha(0.7f), 3);
    gradV(12, 12, 488, 52, hex(0x2fd3c3, 0.35f), hex(0x2fd3c3, 0.08f));
    line(30, 92, 470, 92, hex(0x4a5664), 2);
    for (float x : {26.f, 474.f}) rivet(x, 474, 4);
    push(0, 500);
    plate(300, 100, hex(0x3c4858), hex(0x1a212a), pal::teal.alpha(0.8f), 16);
    pop();
    c.save("Resources/Designes/NK-design_g.png");
}

}  // namespace

void makeUi() {
    buttons();
    vexa();
    icons();
    restartText();
    makeScreens();
    design();
}

}  // namespace gen
