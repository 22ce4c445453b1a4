// Full-screen pictures: the facility backdrop shared by the menu and the
// splash, the menu background, the splash, the editor bars and the win and
// lose windows of a finished level.
#include <cmath>

#include "tools/assetgen/Families.h"
#include "tools/assetgen/Paint.h"
#include "tools/assetgen/Screens.h"

namespace gen {

// A dim hall: wall panels, pipes, a catwalk and coloured lamps, with a
// security camera watching from the right.
void backdrop(float w, float h, unsigned lampA, unsigned lampB) {
    gradV(0, 0, w, h, hex(0x121821), hex(0x07090d));
    // Wall panels with seams.
    for (float x = 0; x < w; x += 240) {
        line(x, 0, x, h * 0.78f, pal::ink.alpha(0.7f), 4);
        line(x + 3, 0, x + 3, h * 0.78f, hex(0x2a3440, 0.5f), 2);
        for (float y = 160; y < h * 0.78f; y += 300) {
            rivet(x + 20, y, 4);
            rivet(x + 220, y, 4);
        }
    }
    // Pipes.
    for (int i = 0; i < 3; i++) {
        float y = h * (0.12f + i * 0.05f), r = 14 - i * 3.f;
        rect(0, y - r - 2, w, y + r + 2, pal::ink);
        gradV(0, y - r, w, y + r, hex(0x4a5664), hex(0x1c222a));
        line(0, y - r * 0.4f, w, y - r * 0.4f, hex(0x8c99a8, 0.35f), 2);
        for (float x = 130 + i * 70; x < w; x += 420)
            rect(x, y - r - 5, x + 18, y + r + 5, hex(0x2a313a));
    }
    // Lamps: warm and cold pools of light on the wall.
    float lx[3] = {w * 0.18f, w * 0.55f, w * 0.86f};
    unsigned lc[3] = {lampA, lampB, lampA};
    for (int i = 0; i < 3; i++) {
        Col c = hex(lc[i]);
        float xy[8] = {lx[i] - 30,  h * 0.27f, lx[i] + 30,  h * 0.27f,
                       lx[i] + 260, h * 0.78f, lx[i] - 260, h * 0.78f};
        Col cc[4] = {c.alpha(0.28f), c.alpha(0.28f), c.alpha(0), c.alpha(0)};
        quad(xy, cc);
        glow(lx[i], h * 0.27f, 160, c, 0.45f);
        rrect(lx[i] - 44, h * 0.25f, lx[i] + 44, h * 0.27f + 6, 4, pal::ink);
        rect(lx[i] - 36, h * 0.27f - 2, lx[i] + 36, h * 0.27f + 4, c.mix(pal::white, 0.5f));
    }
    // Catwalk and floor.
    float fy = h * 0.78f;
    rect(0, fy, w, h, hex(0x0b0e13));
    gradV(0, fy, w, fy + 26, hex(0x4a5664), hex(0x222932));
    for (float x = 0; x < w; x += 36) line(x, fy + 26, x + 26, h, hex(0x1a2028), 5);
    for (float x = 0; x < w; x += 180) {
        line(x, fy - 90, x, fy, hex(0x39424e), 6);
        line(x, fy - 90, x + 180, fy - 90, hex(0x39424e), 6);
    }
    // Fog near the floor.
    gradV(0, fy - 200, w, fy, hex(0x1a2430, 0), hex(0x1a2430, 0.5f));
}

namespace {

void menuBackground() {
    Canvas c(1920, 1080);
    backdrop(1920, 1080, 0xffb347, 0x2fd3c3);
    // A watching camera on the right, hung from a bracket, its red beam
    // sweeping the floor.
    rect(1676, 232, 1736, 248, pal::ink);
    line(1706, 240, 1706, 440, pal::ink, 16);
    line(1703, 244, 1703, 436, hex(0x4a5664), 4);
    push(1620, 420, 0.45f, 2.2f, 2.2f);
    float xy[8] = {-60, -4, -900, -160, -900, 200, -60, 4};
    Col cc[4] = {hex(0xff3b3b, 0.28f), hex(0xff3b3b, 0), hex(0xff3b3b, 0), hex(0xff3b3b, 0.28f)};
    quad(xy, cc);
    rrect(-60, -14, 40, 14, 6, pal::ink);
    rrect(-56, -11, 36, 11, 5, hex(0x39414c));
    line(-50, -6, 30, -6, hex(0x6a7583), 2);
    disc(-58, 0, 9, pal::ink);
    disc(-58, 0, 5, pal::alarm);
    pop();
    disc(1706, 446, 12, pal::ink);
    // A darker panel behind the buttons keeps the labels readable.
    rrect(232, 120, 1112, 980, 18, hex(0x06080b, 0.72f));
    rrectLine(232, 120, 1112, 980, 18, hex(0x2fd3c3, 0.35f), 3);
    titleText("DOVRA", 672, 150, 170, pal::paper, ALLEGRO_ALIGN_CENTRE, Face::Bold);
    text("SLIP PAST THE CAMERAS.  PULL THE LEVERS.  GET OUT.", 672, 360, 26, pal::teal,
         ALLEGRO_ALIGN_CENTRE, Face::Regular);
    gradV(0, 1000, 1920, 1080, hex(0x000000, 0), hex(0x000000, 0.6f));
    c.save("Resources/Images/Menu/menu_bg.png");

    // The editor's bars: dark brushed steel with a teal edge toward the
    // editing area.
    Canvas t(1920, 120);
    gradV(0, 0, 1920, 120, hex(0x232b35), hex(0x141920));
    for (int i = 0; i < 24; i++) line(0, 6 + i * 5, 1920, 6 + i * 5, hex(0xffffff, 0.015f), 1);
    rect(0, 114, 1920, 120, pal::ink);
    line(0, 115, 1920, 115, pal::teal.alpha(0.8f), 2);
    t.save("Resources/Images/Editor/editor_bg_t.png");
    Canvas r(400, 1080);
    gradH(0, 0, 400, 1080, hex(0x1d242d), hex(0x141920));
    // One rule under "Run" and "Import/Export" only: the pages below lay
    // out rows of their own, which rules at fixed heights would cut through.
    line(10, 140, 390, 140, hex(0x2a333e), 2);
    rect(0, 0, 6, 1080, pal::ink);
    line(5, 0, 5, 1080, pal::teal.alpha(0.8f), 2);
    r.save("Resources/Images/Editor/editor_bg_r.png");
}

void splash(const std::string& path, int w, int h) {
    Canvas c(w, h);
    float k = w / 1920.f;
    push(0, 0, 0, k, k);
    backdrop(1920, 1080, 0x2fd3c3, 0xffb347);
    rect(0, 0, 1920, 1080, hex(0x05070a, 0.55f));
    // Studio mark: an eye in a hexagon.
    std::vector<float> hexa;
    for (int i = 0; i < 6; i++) {
        float a = ALLEGRO_PI / 6 + i * ALLEGRO_PI / 3;
        hexa.insert(hexa.end(), {960 + 120 * std::cos(a), 360 + 120 * std::sin(a)});
    }
    poly(hexa, hex(0x0d1218));
    polyLine(hexa, pal::teal, 8);
    ellipse(960, 360, 74, 40, pal::teal);
    ellipse(960, 360, 66, 33, hex(0x0d1218));
    disc(960, 360, 24, pal::teal);
    disc(952, 352, 7, pal::white);
    titleText("VAZEzadide", 960, 520, 96, pal::paper, ALLEGRO_ALIGN_CENTRE, Face::Bold);
    text("presents", 960, 650, 36, hex(0x9aa6b4), ALLEGRO_ALIGN_CENTRE, Face::Light);
    titleText("DOVRA", 960, 710, 120, pal::amber, ALLEGRO_ALIGN_CENTRE, Face::Bold);
    text("Loading...", 960, 950, 30, hex(0x9aa6b4), ALLEGRO_ALIGN_CENTRE);
    pop();
    c.save(path);
}

// The win and lose windows: 900 x 750, the two buttons of the end-of-level window land at
// y 325..425 and 475..575 (centred x 150..750), so that band stays plain. They say
// only what holds for every win and every loss: what a win unlocked depends on
// where the level came from, so the play scene writes that line itself, into
// the plain strip left for it at y 615..665.
void endWindow(bool win) {
    Canvas c(900, 750);
    Col accent = win ? pal::green : pal::alarm;
    rrect(8, 8, 892, 742, 26, pal::ink);
    gradV(14, 14, 886, 736, hex(0x1c232c, 0.97f), hex(0x0c1016, 0.97f));
    rrectLine(14, 14, 886, 736, 22, accent.alpha(0.8f), 4);
    hazard(14, 14, 886, 40, 18, pal::ink, win ? hex(0x2a8a4a) : hex(0x9a2222));
    glow(450, 150, 300, accent, 0.18f);
    titleText(win ? "LEVEL COMPLETE" : "OUT OF HEALTH", 450, 92, 76, accent, ALLEGRO_ALIGN_CENTRE,
              Face::Bold);
    text(win ? "The gate was open, and you made it through."
             : "Camera shots wear you down; a fall past the edge ends it.",
         450, 206, 28, pal::paper, ALLEGRO_ALIGN_CENTRE);
    // Sockets for the two buttons.
    for (float y : {325.f, 475.f}) rrect(140, y - 8, 760, y + 108, 16, hex(0x000000, 0.35f));
    if (!win)
        text("Restart and try another way.", 450, 630, 26, hex(0x9aa6b4), ALLEGRO_ALIGN_CENTRE);
    text("R: restart    Esc: menu", 450, 672, 24, hex(0x6c7a8a), ALLEGRO_ALIGN_CENTRE);
    c.save(std::string("Resources/Images/Ingame/") + (win ? "win-window.png" : "lose-window.png"));
}

}  // namespace

void makeScreens() {
    menuBackground();
    splash("Resources/Images/VAZEzadide-screen.png", 1920, 1080);
    splash("Editor/Backgrounds/Dovra/VAZEzadide-screen.png", 1280, 720);
    splash("Editor/Boxes/Dovra/VAZEzadide-screen.png", 480, 270);
    endWindow(true);
    endWindow(false);
}

}  // namespace gen
