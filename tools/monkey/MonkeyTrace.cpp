#include "tools/monkey/MonkeyTrace.h"

#include <allegro5/allegro.h>
#include <box2d/box2d.h>

#include <cinttypes>
#include <cstdio>
#include <regex>
#include <sstream>

#include "elements/Level.h"
#include "elements/LevelFile.h"
#include "elements/Lights.h"
#include "engine/AnimationStore.h"
#include "engine/ExtBitmapStore.h"
#include "engine/GUISystem.h"
#include "engine/LightSystem.h"
#include "engine/PhysicsWorld.h"
#include "engine/SoundStore.h"
#include "game/FrameShot.h"
#include "game/Game.h"
#include "game/Scene.h"
#include "tools/monkey/Census.h"

namespace monkeytrace {
namespace {

// FNV-1a: small, fixed and the same on every machine.
struct Hash {
    std::uint64_t h = 1469598103934665603ull;
    void add(const void* data, std::size_t size) {
        const auto* p = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i) h = (h ^ p[i]) * 1099511628211ull;
    }
    void add(const std::string& s) {
        add(s.data(), s.size());
        add("\n", 1);
    }
    std::string hex() const {
        char out[17];
        std::snprintf(out, sizeof out, "%016" PRIx64, h);
        return out;
    }
};

std::string rounded(float v) {
    char out[32];
    // Two decimals of a pixel or a metre: what a player could ever see, and
    // well clear of the last bit two compilers may round apart.
    std::snprintf(out, sizeof out, "%.2f", static_cast<double>(v));
    return std::string(out) == "-0.00" ? "0.00" : out;
}

// A crash copy is offered with the minute it was written, which is when
// the run made it: the text is held without it, and a frame showing it is
// not compared at all.
const std::regex fileTime(R"(\d\d-\d\d-\d{4} \d\d:\d\d)");

std::string undated(const std::string& text, bool& dated) {
    if (!std::regex_search(text, fileTime)) return text;
    dated = true;
    return std::regex_replace(text, fileTime, "(time)");
}

std::string widgets(Game& g, bool& dated) {
    Hash h;
    for (const Game::WidgetSystem& s : g.widgetSystems()) {
        h.add(s.name);
        for (const NK::ShownWidget& w : s.gui->shownWidgets()) {
            h.add(std::to_string(w.kind) + " " + w.key + " " + rounded(w.area.x) + " " +
                  rounded(w.area.y) + " " + rounded(w.area.width) + " " + rounded(w.area.height));
            if (w.kind == NK::ShownWidget::Button) {
                h.add(undated(s.gui->getButton(w.key).text, dated));
            } else if (w.kind == NK::ShownWidget::Label) {
                const NK::GUISystem::TextLabel& l = s.gui->getTextLabel(w.key);
                h.add(undated(l.text, dated) + (l.visible ? " visible " : " hidden ") +
                      rounded(l.opacity));
            } else {
                const NK::GUISystem::TextInput& in = s.gui->getTextInput(w.key);
                h.add(in.text + (in.focused ? " focused" : ""));
            }
        }
    }
    return h.hex();
}

std::string level(Game& g) {
    Hash h;
    if (g.scene() == Editor) h.add(g.levelFile().snapshot());
    return h.hex();
}

std::string census(Game& g) {
    Hash h;
    const Census c = takeCensus(g);
    for (const auto& [store, keys] : c.keys) {
        h.add(store);
        for (const std::string& k : keys) h.add(k);
    }
    for (const auto& [store, count] : c.counts) h.add(store + " " + std::to_string(count));
    return h.hex();
}

std::string bodies(Game& g) {
    Hash h;
    b2World& world = g.stores().physics.world();
    for (b2Body* b = world.GetBodyList(); b; b = b->GetNext()) {
        const b2Vec2 p = b->GetPosition(), v = b->GetLinearVelocity();
        h.add(std::to_string(b->GetType()) + " " + rounded(p.x) + " " + rounded(p.y) + " " +
              rounded(b->GetAngle()) + " " + rounded(v.x) + " " + rounded(v.y) +
              (b->IsEnabled() ? "" : " off"));
    }
    return h.hex();
}

// What is drawn, read from the state that draws it: every picture's place,
// frame, angle, alpha and tint, every sheet animation playing, every light,
// and the sound cues so far. Cheap enough for every action, where the frame
// itself is not.
std::string drawn(Game& g) {
    Hash h;
    for (const auto& [name, store] : pictureStores(g)) {
        h.add(name);
        for (const std::string& key : store->keys()) {
            const NK::ExtBitmap& b = store->get(key);
            h.add(key + (b.visible ? " on " : " off ") + rounded(b.rect.x) + " " +
                  rounded(b.rect.y) + " " + rounded(b.rect.width) + " " + rounded(b.rect.height) +
                  " " + rounded(b.angle) + (b.flipX ? " fx" : "") + (b.flipY ? " fy" : "") +
                  " frame " + std::to_string(b.animated ? b.frame.current : -1) + " alpha " +
                  rounded(b.alpha.current) + " rgb " + rounded(b.colour.current.r) + " " +
                  rounded(b.colour.current.g) + " " + rounded(b.colour.current.b));
        }
    }
    for (const NK::AnimationPlay& a : g.stores().animations.plays())
        h.add("play " + std::to_string(a.current) + " " + rounded(a.destination.x) + " " +
              rounded(a.destination.y) + " " + rounded(a.destination.width) + " " +
              rounded(a.destination.height) + " " + rounded(a.angle) + (a.flipX ? " fx" : "") +
              (a.tinted ? " tinted" : ""));
    NK::LightSystem& lights = g.level().lights->system();
    for (const std::string& key : lights.lightKeys()) {
        const NK::Vec2 p = lights.getPosition(key);
        const ALLEGRO_COLOR c = lights.getColor(key);
        h.add("light " + key + " " + rounded(p.x) + " " + rounded(p.y) + " " + rounded(c.r) + " " +
              rounded(c.g) + " " + rounded(c.b) + " " + rounded(lights.getIntensity(key)) + " " +
              rounded(lights.getHardness(key)));
    }
    for (const auto& [key, count] : g.stores().sounds.cuesPlayed())
        h.add("cue " + key + " " + std::to_string(count));
    return h.hex();
}

std::string frame(Game& g) {
    ALLEGRO_BITMAP* back = drawFrame(g);
    ALLEGRO_LOCKED_REGION* r =
        al_lock_bitmap(back, ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE, ALLEGRO_LOCK_READONLY);
    Hash h;
    if (!r) return "unreadable";
    const int w = al_get_bitmap_width(back), height = al_get_bitmap_height(back);
    for (int y = 0; y < height; ++y) {
        const auto* row = static_cast<const unsigned char*>(r->data) + y * r->pitch;
        // Colour only: the back buffer's alpha is not what a player sees.
        for (int x = 0; x < w; ++x) h.add(row + 4 * x, 3);
    }
    al_unlock_bitmap(back);
    return h.hex();
}

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

}  // namespace

std::string fingerprints(Game& game, bool withFrame) {
    bool dated = false;
    const std::string w = widgets(game, dated);
    return "w=" + w + " l=" + level(game) + " c=" + census(game) + " b=" + bodies(game) +
           " d=" + drawn(game) + " f=" +
           (!withFrame ? std::string("-")
            : dated    ? std::string("dated")
                       : frame(game));
}

std::string compare(const std::vector<std::string>& approved,
                    const std::vector<std::string>& seen) {
    for (std::size_t i = 0; i < approved.size() || i < seen.size(); ++i) {
        const std::string a = i < approved.size() ? approved[i] : "(the trace ends)";
        const std::string b = i < seen.size() ? seen[i] : "(the trace ends)";
        if (a == b) continue;
        std::string parts;
        const std::vector<std::string> wa = words(a), wb = words(b);
        for (std::size_t k = 0; k < wa.size() && k < wb.size(); ++k)
            if (wa[k] != wb[k] && wa[k].size() > 2 && wa[k][1] == '=')
                parts += (parts.empty() ? "" : ", ") + wa[k].substr(0, 1);
        return "line " + std::to_string(i + 1) + (parts.empty() ? "" : " (" + parts + " differ)") +
               ":\n  approved: " + a + "\n  now:      " + b;
    }
    return "";
}

}  // namespace monkeytrace
