#include "tools/monkey/Census.h"

#include <allegro5/allegro_audio.h>

#include <algorithm>
#include <iterator>
#include <set>

#include "elements/Backgrounds.h"
#include "elements/Boxes.h"
#include "elements/Circles.h"
#include "elements/Dialogs.h"
#include "elements/Enemies.h"
#include "elements/Gate.h"
#include "elements/Level.h"
#include "elements/Levers.h"
#include "elements/Lights.h"
#include "elements/NPCs.h"
#include "elements/Player.h"
#include "engine/AnimationStore.h"
#include "engine/BatchStore.h"
#include "engine/BitmapStore.h"
#include "engine/ExtBitmapStore.h"
#include "engine/FontStore.h"
#include "engine/GUISystem.h"
#include "engine/LightSystem.h"
#include "engine/PhysicsWorld.h"
#include "engine/SoundStore.h"
#include "engine/TextFileStore.h"
#include "game/Game.h"
#include "game/PlayScene.h"

namespace {

const char* const widgetsPrefix = "widgets ";

// The stores and counts whose contents follow the level's records while it
// is edited: one picture per enemy, lever, background, box and circle, one
// surface per ground line and a Box2D body per segment, one light per lamp.
// The NPCs' pictures are here too: they exist only while a level runs.
const std::set<std::string>& levelNames() {
    static const std::set<std::string> names = {"ext-bitmaps enemies",
                                                "ext-bitmaps levers",
                                                "ext-bitmaps backgrounds",
                                                "ext-bitmaps boxes",
                                                "ext-bitmaps circles",
                                                "ext-bitmaps npcs",
                                                "lights",
                                                "bodies surfaces",
                                                "ground segments"};
    return names;
}

// Pictures read the first time they are needed and kept for every later
// use, so a census may find them new whatever a level leaves behind: the win
// and lose windows, read when a level first ends that way. Only the shared
// bitmap store keeps such pictures.
bool keptOnceRead(const std::string& key) {
    for (const char* kept : PlayScene::windowKeys)
        if (key == kept) return true;
    return false;
}

bool startsWith(const std::string& s, const char* prefix) {
    return s.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

template <typename Pick>
Census picked(const Census& from, Pick pick) {
    Census out;
    for (const auto& [name, keys] : from.keys)
        if (pick(name)) out.keys[name] = keys;
    for (const auto& [name, count] : from.counts)
        if (pick(name)) out.counts[name] = count;
    return out;
}

std::string listed(const std::vector<std::string>& keys) {
    std::string out;
    const std::size_t shown = std::min<std::size_t>(keys.size(), 8);
    for (std::size_t i = 0; i < shown; ++i) out += (i ? ", \"" : "\"") + keys[i] + "\"";
    if (keys.size() > shown) out += " and " + std::to_string(keys.size() - shown) + " more";
    return out;
}

std::vector<std::string> without(const std::vector<std::string>& a,
                                 const std::vector<std::string>& b) {
    std::vector<std::string> out;
    std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(out));
    return out;
}

}  // namespace

Census Census::levelShare() const {
    return picked(*this, [](const std::string& name) { return levelNames().count(name) != 0; });
}

Census Census::withoutLevel() const {
    Census out =
        picked(*this, [](const std::string& name) { return levelNames().count(name) == 0; });
    auto raw = out.counts.find("box2d bodies");
    auto ground = counts.find("ground segments");
    if (raw != out.counts.end() && ground != counts.end()) {
        out.counts["box2d bodies off the ground"] = raw->second - ground->second;
        out.counts.erase(raw);
    }
    return out;
}

Census Census::widgets() const {
    return picked(*this, [](const std::string& name) { return startsWith(name, widgetsPrefix); });
}

Census Census::withoutWidgets() const {
    return picked(*this, [](const std::string& name) { return !startsWith(name, widgetsPrefix); });
}

std::vector<std::pair<std::string, NK::ExtBitmapStore*>> pictureStores(Game& g) {
    std::vector<std::pair<std::string, NK::ExtBitmapStore*>> stores = {
        {"game", &g.stores().extBitmaps},
        {"player", &g.level().player->images()},
        {"gate", &g.level().gate->images()},
        {"enemies", &g.level().enemies->images()},
        {"levers", &g.level().levers->images()},
        {"npcs", &g.level().npcs->images()},
        {"backgrounds", &g.level().backgrounds->images()},
        {"boxes", &g.level().boxes->images()},
        {"circles", &g.level().circles->images()}};
    for (const Game::WidgetSystem& s : g.widgetSystems())
        stores.push_back({"widgets " + s.name, &s.gui->buttonImages()});
    return stores;
}

Census takeCensus(Game& g) {
    Census c;
    std::vector<std::string> bitmaps = g.stores().bitmaps.keys();
    bitmaps.erase(std::remove_if(bitmaps.begin(), bitmaps.end(), keptOnceRead), bitmaps.end());
    c.keys["bitmaps"] = bitmaps;
    c.keys["batches"] = g.stores().batches.keys();
    c.keys["fonts"] = g.stores().fonts.keys();
    c.keys["text files"] = g.stores().textFiles.keys();
    c.keys["animations"] = g.stores().animations.keys();
    c.keys["animations gate"] = g.level().gate->sheets().keys();
    c.keys["animations levers"] = g.level().levers->sheets().keys();
    c.keys["animations npcs"] = g.level().npcs->sheets().keys();
    c.counts["animations playing"] = static_cast<long>(g.stores().animations.plays().size());
    std::vector<std::string>& playing = c.keys["songs playing"];
    for (const std::string& key : g.stores().sounds.songKeys())
        if (al_get_sample_instance_playing(g.stores().sounds.getSong(key).instance.get()))
            playing.push_back(key);

    for (const auto& [name, store] : pictureStores(g))
        c.keys["ext-bitmaps " + name] = store->keys();
    for (const Game::WidgetSystem& s : g.widgetSystems()) {
        c.keys["bitmaps widgets " + s.name] = s.gui->layerStore().keys();
        std::vector<std::string>& on = c.keys[widgetsPrefix + s.name];
        for (const NK::ShownWidget& w : s.gui->shownWidgets()) on.push_back(w.key);
        std::sort(on.begin(), on.end());
    }
    c.keys["cards"] = g.level().dialogs->cards().cardKeys();
    c.keys["card designs"] = g.level().dialogs->cards().designKeys();
    c.keys["lights"] = g.level().lights->system().lightKeys();

    NK::PhysicsWorld& world = g.stores().physics;
    c.keys["bodies surfaces"] = world.surfaceKeys();
    c.keys["bodies squares"] = world.squareKeys();
    c.keys["bodies circles"] = world.circleKeys();
    c.keys["bodies capsules"] = world.capsuleKeys();
    long segments = 0;
    for (const std::string& key : world.surfaceKeys())
        segments += static_cast<long>(world.getSurface(key).segments.size());
    c.counts["ground segments"] = segments;
    c.counts["shots"] = static_cast<long>(world.shots().size());
    c.counts["box2d bodies"] = world.world().GetBodyCount();
    return c;
}

std::vector<std::string> differences(const Census& expected, const Census& found) {
    std::vector<std::string> lines;
    std::set<std::string> names;
    for (const Census* c : {&expected, &found})
        for (const auto& entry : c->keys) names.insert(entry.first);
    static const std::vector<std::string> none;
    for (const std::string& name : names) {
        auto e = expected.keys.find(name), f = found.keys.find(name);
        const std::vector<std::string>& was = e == expected.keys.end() ? none : e->second;
        const std::vector<std::string>& is = f == found.keys.end() ? none : f->second;
        const std::vector<std::string> extra = without(is, was), missing = without(was, is);
        if (extra.empty() && missing.empty()) continue;
        std::string line = name + ":";
        if (!extra.empty()) line += " extra " + listed(extra) + (missing.empty() ? "" : ";");
        if (!missing.empty()) line += " missing " + listed(missing);
        lines.push_back(line);
    }
    std::set<std::string> counted;
    for (const Census* c : {&expected, &found})
        for (const auto& entry : c->counts) counted.insert(entry.first);
    for (const std::string& name : counted) {
        auto e = expected.counts.find(name), f = found.counts.find(name);
        const long was = e == expected.counts.end() ? 0 : e->second;
        const long is = f == found.counts.end() ? 0 : f->second;
        if (was != is)
            lines.push_back(name + ": " + std::to_string(was) + ", now " + std::to_string(is));
    }
    return lines;
}

namespace {

// "what \"key\" missing" for each key expected and not found, "what \"key\"
// belongs to nothing" for each found and not expected.
void match(std::vector<std::string>& lines, const std::string& what,
           std::vector<std::string> expected, const std::vector<std::string>& found) {
    std::sort(expected.begin(), expected.end());
    for (const std::string& key : without(expected, found))
        lines.push_back(what + " \"" + key + "\" missing");
    for (const std::string& key : without(found, expected))
        lines.push_back(what + " \"" + key + "\" belongs to nothing");
}

std::vector<std::string> standingBlocks(const Blocks& kind) {
    std::vector<std::string> keys;
    for (const Blocks::Block& b : kind.list())
        if (!b.destroyed) keys.push_back(kind.bodyKey(b));
    return keys;
}

}  // namespace

std::vector<std::string> runMismatches(Game& g) {
    std::vector<std::string> lines;
    NK::PhysicsWorld& world = g.stores().physics;
    match(lines, "box body", standingBlocks(*g.level().boxes), world.squareKeys());
    match(lines, "circle body", standingBlocks(*g.level().circles), world.circleKeys());
    match(lines, "capsule", {"player"}, world.capsuleKeys());
    long held = static_cast<long>(world.shots().size() + world.squareCount() + world.circleCount() +
                                  world.capsuleCount());
    for (const std::string& key : world.surfaceKeys())
        held += static_cast<long>(world.getSurface(key).segments.size());
    if (world.world().GetBodyCount() != held)
        lines.push_back("Box2D holds " + std::to_string(world.world().GetBodyCount()) +
                        " bodies, the world's records " + std::to_string(held));

    // Without its design's picture a level makes no cards at all.
    std::vector<std::string> dialogs;
    const std::vector<std::string> designs = g.level().dialogs->cards().designKeys();
    if (std::count(designs.begin(), designs.end(), Dialogs::designKey))
        for (int i = 0; i < g.level().dialogs->count(); ++i)
            dialogs.push_back(g.level().dialogs->key(i));
    match(lines, "card", dialogs, g.level().dialogs->cards().cardKeys());
    std::vector<std::string> npcs;
    for (const NPCs::Npc& n : g.level().npcs->list()) npcs.push_back(n.key);
    match(lines, "NPC picture", npcs, g.level().npcs->images().keys());
    std::vector<std::string> lamps;
    for (int i = 0; i < g.level().lights->count(); ++i) lamps.push_back(g.level().lights->keyAt(i));
    match(lines, "light", lamps, g.level().lights->system().lightKeys());
    return lines;
}
