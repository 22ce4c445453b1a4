#include "tools/assetgen/Paint.h"

#include <allegro5/allegro_ttf.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>

namespace gen {

namespace {
int g_ss = 2;  // supersampling of the canvas being drawn, for crisp text
std::vector<ALLEGRO_TRANSFORM> g_stack;

ALLEGRO_VERTEX vtx(float x, float y, const Col& c) {
    ALLEGRO_VERTEX v;
    v.x = x;
    v.y = y;
    v.z = 0;
    v.u = v.v = 0;
    v.color = c.al();
    return v;
}
}  // namespace

Col Col::mix(const Col& o, float t) const {
    return Col(r + (o.r - r) * t, g + (o.g - g) * t, b + (o.b - b) * t, a + (o.a - a) * t);
}

Col hex(unsigned rgb, float a) {
    return Col(((rgb >> 16) & 255) / 255.f, ((rgb >> 8) & 255) / 255.f, (rgb & 255) / 255.f, a);
}

namespace pal {
const Col ink = hex(0x07090c);
const Col night = hex(0x0c1016);
const Col steelDark = hex(0x1b222b);
const Col steel = hex(0x2c3540);
const Col steelLight = hex(0x4a5664);
const Col concrete = hex(0x3a3d42);
const Col rust = hex(0x8a4a24);
const Col hazard = hex(0xf2c12e);
const Col teal = hex(0x2fd3c3);
const Col tealGlow = hex(0x9ffff2);
const Col amber = hex(0xffb347);
const Col alarm = hex(0xff3b3b);
const Col green = hex(0x4cff7a);
const Col white = hex(0xffffff);
const Col paper = hex(0xdfe6ee);
}  // namespace pal

// ---------------------------------------------------------------- canvas

Canvas::Canvas(int w_, int h_, int ss_) : w(w_), h(h_), ss(ss_) {
    int flags = al_get_new_bitmap_flags();
    al_set_new_bitmap_flags(ALLEGRO_VIDEO_BITMAP | ALLEGRO_MIN_LINEAR | ALLEGRO_MAG_LINEAR);
    big = al_create_bitmap(w * ss, h * ss);
    al_set_new_bitmap_flags(flags);
    if (!big) {
        std::fprintf(stderr, "assetgen: cannot create a %dx%d canvas\n", w * ss, h * ss);
        std::exit(1);
    }
    begin();
    al_clear_to_color(al_map_rgba(0, 0, 0, 0));
}

Canvas::~Canvas() {
    al_destroy_bitmap(big);
}

void Canvas::begin() {
    g_ss = ss;
    al_set_target_bitmap(big);
    al_reset_clipping_rectangle();
    ALLEGRO_TRANSFORM t;
    al_identity_transform(&t);
    al_scale_transform(&t, ss, ss);
    al_use_transform(&t);
    g_stack.clear();
    al_set_blender(ALLEGRO_ADD, ALLEGRO_ONE, ALLEGRO_INVERSE_ALPHA);
}

void Canvas::cell(int col, int row, int cw, int ch) {
    al_set_clipping_rectangle(col * cw * ss, row * ch * ss, cw * ss, ch * ss);
    push(col * cw, row * ch);
}

void Canvas::endCell() {
    pop();
    al_reset_clipping_rectangle();
}

ALLEGRO_BITMAP* Canvas::resolve() {
    int flags = al_get_new_bitmap_flags();
    al_set_new_bitmap_flags(ALLEGRO_VIDEO_BITMAP);
    ALLEGRO_BITMAP* out = al_create_bitmap(w, h);
    al_set_new_bitmap_flags(flags);
    al_set_target_bitmap(out);
    ALLEGRO_TRANSFORM t;
    al_identity_transform(&t);
    al_use_transform(&t);
    al_set_blender(ALLEGRO_ADD, ALLEGRO_ONE, ALLEGRO_ZERO);
    al_clear_to_color(al_map_rgba(0, 0, 0, 0));
    // Exactly half size with linear filtering averages each 2 x 2 block.
    al_draw_scaled_bitmap(big, 0, 0, w * ss, h * ss, 0, 0, w, h, 0);
    begin();
    return out;
}

void Canvas::save(const std::string& path) {
    ALLEGRO_BITMAP* out = resolve();
    saveBitmap(out, path);
    al_destroy_bitmap(out);
    begin();
}

void ensureDir(const std::string& path) {
    std::filesystem::path p(path);
    if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
}

void saveBitmap(ALLEGRO_BITMAP* bmp, const std::string& path) {
    ensureDir(path);
    int flags = al_get_new_bitmap_flags();
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
    ALLEGRO_BITMAP* mem = al_clone_bitmap(bmp);
    al_set_new_bitmap_flags(flags);
    // Drawing is premultiplied; PNG stores straight alpha.
    ALLEGRO_LOCKED_REGION* lr =
        al_lock_bitmap(mem, ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE, ALLEGRO_LOCK_READWRITE);
    int w = al_get_bitmap_width(mem), h = al_get_bitmap_height(mem);
    for (int y = 0; y < h; y++) {
        unsigned char* row = (unsigned char*)lr->data + y * lr->pitch;
        for (int x = 0; x < w; x++) {
            unsigned char* p = row + x * 4;
            int a = p[3];
            if (a == 0) {
                p[0] = p[1] = p[2] = 0;
            } else if (a < 255) {
                for (int k = 0; k < 3; k++)
                    p[k] = (unsigned char)std::min(255, (p[k] * 255 + a / 2) / a);
            }
        }
    }
    al_unlock_bitmap(mem);
    if (!al_save_bitmap(path.c_str(), mem)) {
        std::fprintf(stderr, "assetgen: cannot save %s\n", path.c_str());
        std::exit(1);
    }
    al_destroy_bitmap(mem);
    std::printf("  %s\n", path.c_str());
}

// ---------------------------------------------------------------- transforms

void push(float tx, float ty, float angle, float sx, float sy) {
    ALLEGRO_TRANSFORM cur = *al_get_current_transform();
    g_stack.push_back(cur);
    ALLEGRO_TRANSFORM t;
    al_identity_transform(&t);
    al_scale_transform(&t, sx, sy);
    al_rotate_transform(&t, angle);
    al_translate_transform(&t, tx, ty);
    al_compose_transform(&t, &cur);
    al_use_transform(&t);
}

void pop() {
    if (g_stack.empty()) return;
    al_use_transform(&g_stack.back());
    g_stack.pop_back();
}

// ---------------------------------------------------------------- shapes

void quad(const float* xy, const Col* c) {
    ALLEGRO_VERTEX v[4];
    for (int i = 0; i < 4; i++) v[i] = vtx(xy[i * 2], xy[i * 2 + 1], c[i]);
    al_draw_prim(v, nullptr, nullptr, 0, 4, ALLEGRO_PRIM_TRIANGLE_FAN);
}

void gradV(float x1, float y1, float x2, float y2, Col top, Col bottom) {
    float xy[8] = {x1, y1, x2, y1, x2, y2, x1, y2};
    Col c[4] = {top, top, bottom, bottom};
    quad(xy, c);
}

void gradH(float x1, float y1, float x2, float y2, Col left, Col right) {
    float xy[8] = {x1, y1, x2, y1, x2, y2, x1, y2};
    Col c[4] = {left, right, right, left};
    quad(xy, c);
}

void radial(float cx, float cy, float rx, float ry, Col inner, Col outer, int seg) {
    std::vector<ALLEGRO_VERTEX> v;
    v.push_back(vtx(cx, cy, inner));
    for (int i = 0; i <= seg; i++) {
        float a = i * 2 * ALLEGRO_PI / seg;
        v.push_back(vtx(cx + std::cos(a) * rx, cy + std::sin(a) * ry, outer));
    }
    al_draw_prim(v.data(), nullptr, nullptr, 0, (int)v.size(), ALLEGRO_PRIM_TRIANGLE_FAN);
}

void glow(float cx, float cy, float r, Col c, float strength) {
    // Rings with a quadratic falloff read as light rather than as a disc.
    const int rings = 8, seg = 48;
    for (int k = 0; k < rings; k++) {
        float t0 = (float)k / rings, t1 = (float)(k + 1) / rings;
        float a0 = strength * (1 - t0) * (1 - t0), a1 = strength * (1 - t1) * (1 - t1);
        std::vector<ALLEGRO_VERTEX> v;
        for (int i = 0; i <= seg; i++) {
            float a = i * 2 * ALLEGRO_PI / seg, ca = std::cos(a), sa = std::sin(a);
            v.push_back(vtx(cx + ca * r * t0, cy + sa * r * t0, c.alpha(c.a * a0)));
            v.push_back(vtx(cx + ca * r * t1, cy + sa * r * t1, c.alpha(c.a * a1)));
        }
        al_draw_prim(v.data(), nullptr, nullptr, 0, (int)v.size(), ALLEGRO_PRIM_TRIANGLE_STRIP);
    }
}

void rect(float x1, float y1, float x2, float y2, Col c) {
    al_draw_filled_rectangle(x1, y1, x2, y2, c.al());
}
void rrect(float x1, float y1, float x2, float y2, float rad, Col c) {
    al_draw_filled_rounded_rectangle(x1, y1, x2, y2, rad, rad, c.al());
}
void rrectLine(float x1, float y1, float x2, float y2, float rad, Col c, float th) {
    al_draw_rounded_rectangle(x1, y1, x2, y2, rad, rad, c.al(), th);
}
void line(float x1, float y1, float x2, float y2, Col c, float th) {
    al_draw_line(x1, y1, x2, y2, c.al(), th);
}
void disc(float cx, float cy, float r, Col c) {
    al_draw_filled_circle(cx, cy, r, c.al());
}
void ring(float cx, float cy, float r, Col c, float th) {
    al_draw_circle(cx, cy, r, c.al(), th);
}
void ellipse(float cx, float cy, float rx, float ry, Col c) {
    al_draw_filled_ellipse(cx, cy, rx, ry, c.al());
}

void poly(const std::vector<float>& xy, Col c) {
    // Allegro's triangulator wants one winding (counter-clockwise on screen);
    // accept either and turn the other round.
    size_t n = xy.size() / 2;
    double area = 0;
    for (size_t i = 0; i < n; i++) {
        size_t j = (i + 1) % n;
        area += xy[i * 2] * xy[j * 2 + 1] - xy[j * 2] * xy[i * 2 + 1];
    }
    if (area <= 0) {
        al_draw_filled_polygon(xy.data(), (int)n, c.al());
        return;
    }
    std::vector<float> r(xy.size());
    for (size_t i = 0; i < n; i++) {
        r[i * 2] = xy[(n - 1 - i) * 2];
        r[i * 2 + 1] = xy[(n - 1 - i) * 2 + 1];
    }
    al_draw_filled_polygon(r.data(), (int)n, c.al());
}

void polyLine(const std::vector<float>& xy, Col c, float th, bool closed) {
    al_draw_polyline(xy.data(), 2 * sizeof(float), (int)xy.size() / 2, ALLEGRO_LINE_JOIN_ROUND,
                     ALLEGRO_LINE_CAP_ROUND, c.al(), th, 1);
    if (closed && xy.size() >= 4)
        al_draw_line(xy[xy.size() - 2], xy.back(), xy[0], xy[1], c.al(), th);
}

void limb(float x1, float y1, float x2, float y2, float th, Col fill, float ol, Col outline) {
    if (ol > 0) {
        line(x1, y1, x2, y2, outline, th + 2 * ol);
        disc(x1, y1, th / 2 + ol, outline);
        disc(x2, y2, th / 2 + ol, outline);
    }
    line(x1, y1, x2, y2, fill, th);
    disc(x1, y1, th / 2, fill);
    disc(x2, y2, th / 2, fill);
}

namespace {
// Sutherland-Hodgman against one axis-aligned edge.
std::vector<float> clipEdge(const std::vector<float>& in, int axis, float v, bool keepLess) {
    std::vector<float> out;
    size_t n = in.size() / 2;
    for (size_t i = 0; i < n; i++) {
        float ax = in[i * 2], ay = in[i * 2 + 1];
        float bx = in[((i + 1) % n) * 2], by = in[((i + 1) % n) * 2 + 1];
        float ac = axis ? ay : ax, bc = axis ? by : bx;
        bool ain = keepLess ? ac <= v : ac >= v, bin = keepLess ? bc <= v : bc >= v;
        if (ain) out.insert(out.end(), {ax, ay});
        if (ain != bin) {
            float t = (v - ac) / (bc - ac);
            out.insert(out.end(), {ax + (bx - ax) * t, ay + (by - ay) * t});
        }
    }
    return out;
}
}  // namespace

void hazard(float x1, float y1, float x2, float y2, float stripe, Col a, Col b) {
    rect(x1, y1, x2, y2, a);
    float h = y2 - y1;
    for (float x = x1 - h - stripe * 2; x < x2 + stripe; x += stripe * 2) {
        std::vector<float> p = {x, y2, x + stripe, y2, x + stripe + h, y1, x + h, y1};
        p = clipEdge(p, 0, x1, false);
        if (p.size() >= 6) p = clipEdge(p, 0, x2, true);
        if (p.size() >= 6) poly(p, b);
    }
}

void rivet(float cx, float cy, float r) {
    disc(cx, cy + r * 0.3f, r, pal::ink.alpha(0.6f));
    disc(cx, cy, r, pal::steelLight);
    disc(cx - r * 0.3f, cy - r * 0.3f, r * 0.45f, hex(0x8c99a8));
}

// ---------------------------------------------------------------- text

namespace {
std::map<std::pair<int, int>, ALLEGRO_FONT*> g_fonts;

ALLEGRO_FONT* font(float size, Face face) {
    int px = (int)std::lround(size * g_ss);
    auto key = std::make_pair((int)face, px);
    auto it = g_fonts.find(key);
    if (it != g_fonts.end()) return it->second;
    const char* file = face == Face::Bold    ? "ClearSans-Bold.ttf"
                       : face == Face::Light ? "ClearSans-Light.ttf"
                                             : "ClearSans-Regular.ttf";
    std::string path = std::string("/usr/share/fonts/truetype/clear-sans/") + file;
    ALLEGRO_FONT* f = al_load_ttf_font(path.c_str(), px, 0);
    if (!f) {
        std::fprintf(stderr, "assetgen: cannot load %s\n", path.c_str());
        std::exit(1);
    }
    g_fonts[key] = f;
    return f;
}

// Text is rasterised at the supersampled size and drawn under a transform
// that undoes the canvas scale, so glyphs are never magnified.
struct TextSpace {
    ALLEGRO_TRANSFORM saved;
    TextSpace() {
        saved = *al_get_current_transform();
        ALLEGRO_TRANSFORM t;
        al_identity_transform(&t);
        al_scale_transform(&t, 1.f / g_ss, 1.f / g_ss);
        al_compose_transform(&t, &saved);
        al_use_transform(&t);
    }
    ~TextSpace() { al_use_transform(&saved); }
};
}  // namespace

void text(const std::string& s, float x, float y, float size, Col c, int align, Face face) {
    ALLEGRO_FONT* f = font(size, face);
    TextSpace ts;
    al_draw_text(f, c.al(), x * g_ss, y * g_ss, align, s.c_str());
}

float para(const std::string& s, float x, float y, float width, float size, Col c, int align,
           Face face, float lineGap) {
    ALLEGRO_FONT* f = font(size, face);
    float lh = size * lineGap;
    int lines = 0;
    al_do_multiline_text(
        f, width * g_ss, s.c_str(),
        [](int, const char*, int, void* extra) {
            ++*(int*)extra;
            return true;
        },
        &lines);
    TextSpace ts;
    al_draw_multiline_text(f, c.al(), x * g_ss, y * g_ss, width * g_ss, lh * g_ss, align,
                           s.c_str());
    return lines * lh;
}

float textWidth(const std::string& s, float size, Face face) {
    return al_get_text_width(font(size, face), s.c_str()) / (float)g_ss;
}

void titleText(const std::string& s, float x, float y, float size, Col c, int align, Face face) {
    float o = std::max(2.f, size * 0.05f);
    text(s, x + o, y + o, size, pal::ink.alpha(0.8f), align, face);
    text(s, x, y, size, c, align, face);
}

void freeFonts() {
    for (auto& kv : g_fonts) al_destroy_font(kv.second);
    g_fonts.clear();
}

}  // namespace gen
