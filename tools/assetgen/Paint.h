#pragma once
// Drawing helpers shared by every asset family of the generator: a
// supersampled canvas that saves straight-alpha PNGs, the palette of
// tools/ART_STYLE.md, gradients, outlined shapes, noise and Clear Sans text.
#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>
#include <allegro5/allegro_primitives.h>

#include <functional>
#include <string>
#include <vector>

namespace gen {

// Colour as straight (non-premultiplied) floats; converted to Allegro's
// premultiplied form only at the moment of drawing.
struct Col {
    float r = 0, g = 0, b = 0, a = 1;
    Col() = default;
    Col(float r_, float g_, float b_, float a_ = 1) : r(r_), g(g_), b(b_), a(a_) {}
    ALLEGRO_COLOR al() const { return al_map_rgba_f(r * a, g * a, b * a, a); }
    Col alpha(float na) const { return Col(r, g, b, na); }
    Col mul(float k) const { return Col(r * k, g * k, b * k, a); }
    Col mix(const Col& o, float t) const;
};
Col hex(unsigned rgb, float a = 1);

// The palette (ART_STYLE.md): near-black ink for outlines, blue-grey steel
// for the facility, and a few saturated lamp colours used sparingly.
namespace pal {
extern const Col ink, night, steelDark, steel, steelLight, concrete, rust, hazard, teal, tealGlow,
    amber, alarm, green, white, paper;
}

// Draws at `ss` times the size and averages down on save, so every edge is
// antialiased the same way whatever the drawing call.
class Canvas {
public:
    Canvas(int w, int h, int ss = 2);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    // Makes the canvas the target with logical (output-pixel) coordinates.
    void begin();
    // Limits drawing to one cell of a sprite sheet and moves the origin there.
    void cell(int col, int row, int cw, int ch);
    void endCell();
    // The averaged-down image; the caller owns it.
    ALLEGRO_BITMAP* resolve();
    // Writes a straight-alpha PNG under `path` (folders are made).
    void save(const std::string& path);
    int w, h, ss;
    ALLEGRO_BITMAP* big;
};

void saveBitmap(ALLEGRO_BITMAP* bmp, const std::string& path);
void ensureDir(const std::string& path);

// Transform stack of the current target, in logical units.
void push(float tx, float ty, float angle = 0, float sx = 1, float sy = 1);
void pop();

// Shapes. Outlined helpers draw the ink outline first, then the fill.
void gradV(float x1, float y1, float x2, float y2, Col top, Col bottom);
void gradH(float x1, float y1, float x2, float y2, Col left, Col right);
void radial(float cx, float cy, float rx, float ry, Col inner, Col outer, int seg = 64);
void glow(float cx, float cy, float r, Col c, float strength = 1);
void rect(float x1, float y1, float x2, float y2, Col c);
void rrect(float x1, float y1, float x2, float y2, float rad, Col c);
void rrectLine(float x1, float y1, float x2, float y2, float rad, Col c, float th);
void line(float x1, float y1, float x2, float y2, Col c, float th);
void disc(float cx, float cy, float r, Col c);
void ring(float cx, float cy, float r, Col c, float th);
void ellipse(float cx, float cy, float rx, float ry, Col c);
void poly(const std::vector<float>& xy, Col c);
void polyLine(const std::vector<float>& xy, Col c, float th, bool closed = true);
// A limb: a thick round-capped stroke with an ink outline of `ol` pixels.
void limb(float x1, float y1, float x2, float y2, float th, Col fill, float ol = 3,
          Col outline = pal::ink);
// A vertex-coloured quad (gradients along any direction).
void quad(const float* xy, const Col* c);
// Hazard stripes inside a rectangle.
void hazard(float x1, float y1, float x2, float y2, float stripe, Col a, Col b);
// Bolts / rivets.
void rivet(float cx, float cy, float r);

// Deterministic noise: hash-based value noise with an optional period so
// that textures tile.
float hash2(int x, int y, int seed);
float vnoise(float x, float y, int seed, int period = 0);
float fbm(float x, float y, int seed, int octaves, int period = 0);
// A w x h image made pixel by pixel (straight alpha); the caller owns it.
ALLEGRO_BITMAP* pixels(int w, int h, const std::function<Col(int, int)>& f);
// Draws a bitmap made by pixels() at logical x, y with size w, h.
void blit(ALLEGRO_BITMAP* b, float x, float y, float w, float h);

// Text in Clear Sans (regular or bold) at a logical size, crisp at any
// supersampling. align: ALLEGRO_ALIGN_LEFT / CENTRE / RIGHT.
enum class Face { Regular, Bold, Light };
void text(const std::string& s, float x, float y, float size, Col c, int align = 0,
          Face face = Face::Regular);
// Wrapped paragraph; returns the height it took.
float para(const std::string& s, float x, float y, float width, float size, Col c, int align = 0,
           Face face = Face::Regular, float lineGap = 1.25f);
float textWidth(const std::string& s, float size, Face face = Face::Regular);
// Text with a dark drop shadow, for titles over busy art.
void titleText(const std::string& s, float x, float y, float size, Col c, int align = 0,
               Face face = Face::Bold);
void freeFonts();

}  // namespace gen
