#include <functional>

#include "engine/AnimationStore.h"
#include "engine/BatchStore.h"
#include "engine/DialogCardStore.h"
#include "engine/ExtBitmapStore.h"
#include "engine/GUISystem.h"
#include "engine/LightSystemStore.h"
#include "engine/PhysicsWorld.h"
#include "engine/SoundStore.h"
#include "engine/TextFileStore.h"
#include "tests/support/Files.h"
#include "tests/support/Testing.h"

namespace {

using K = const std::string&;

// Every keyed store of the engine over the test window.
class StoreRemake : public testing::Test {
protected:
    // How many items every store holds, and what some count outside
    // themselves: the bitmaps a dialog design or card keeps in the shared
    // store, a widget's layers and images, the Box2D world's bodies.
    std::vector<std::size_t> census() {
        NK::ExtBitmap* saved = ext.find("saved");
        return {bitmaps.keys().size(),
                batches.keys().size(),
                animations.keys().size(),
                ext.size(),
                saved ? saved->savedAnimations.size() : 0,
                fonts.keys().size(),
                sounds.songKeys().size(),
                files.keys().size(),
                dialogs.designKeys().size(),
                dialogs.cardKeys().size(),
                std::size_t(gui.clickableCount()),
                gui.layerStore().keys().size(),
                gui.buttonImages().size(),
                std::size_t(world.world().GetBodyCount()),
                std::size_t(lights.count())};
    }
    double sound(K key) { return al_get_sample_length(sounds.getSound(key)); }
    double song(K key) { return al_get_sample_length(sounds.getSong(key).sample.get()); }
    static float at(const NK::OwnedBody& b) { return b.body->GetPosition().x; }

    NK::RenderContext* rc = nktest::engine().renderContext;
    NK::Input* input = nktest::engine().input;
    NK::BitmapStore bitmaps{rc};
    NK::BatchStore batches{rc};
    NK::AnimationStore animations;
    NK::ExtBitmapStore ext{rc};
    NK::FontStore fonts{rc};
    NK::SoundStore sounds;
    NK::TextFileStore files;
    NK::DialogCardStore dialogs{rc, &bitmaps, &fonts, input};
    NK::GUISystem gui{input, rc, &fonts};
    NK::PhysicsWorld world{{0.0f, 10.0f}, nullptr};
    NK::LightSystemStore lights;
};

}  // namespace

// Each row makes an item under its key with n = 1, then remakes it with
// n = 2, reading back through the store what tells the two apart. The remake
// says so in the store's own words, once, and the store keeps only the new
// item, with nothing left behind in any store or in the world. Where one
// maker alone cannot make two items told apart (silence, the one font), the
// first item is made otherwise.
TEST_F(StoreRemake, OldItemKeptOrLeftBehindOrTheRemakeUnannounced) {
    const std::string clearSans = "Resources/Fonts/NK-ClearSans.ttf";
    const std::string hit = "Resources/Sounds/hit.ogg", steps = "Resources/Sounds/steps.ogg";
    fonts.load(clearSans, "font");
    gui.setNextButtonsFont("font", 10, NK::Color::white());
    const std::string one = nktest::imageFile("one", 10, 10, al_map_rgb(255, 0, 0));
    const std::string two = nktest::imageFile("two", 20, 20, al_map_rgb(0, 255, 0));
    auto file = [&](float n) { return n == 1 ? one : two; };
    bitmaps.load(one, "one"), bitmaps.load(two, "two");
    const std::string red = nktest::imageFile("red", 500, 600, al_map_rgb(255, 0, 0));
    const std::string green = nktest::imageFile("green", 500, 600, al_map_rgb(0, 255, 0));
    dialogs.createDesign(red, "font", "design", {}, {});
    const NK::BitmapEntry image = nktest::solidImage(4, 4, al_map_rgb(255, 255, 255));
    ext.create(image, "saved");
    auto text = [](int n) { return nktest::tempPath("text" + std::to_string(n)); };
    nktest::writeFile(text(1), "a\n"), nktest::writeFile(text(2), "a\nb\n");
    auto made = [](int n) { return nktest::tempPath("made" + std::to_string(n)); };
    sounds.loadSound(steps, "steps");
    const double stepsLength = sound("steps");
    ALLEGRO_FONT* font = nullptr;

    const struct {
        const char* kind;
        const char* key;
        double want;  // what the remade item reads
        std::function<double(K, float)> make;
    } rows[] = {
        {"Bitmap", "load", 20,
         [&](K k, float n) { return bitmaps.load(file(n), k), bitmaps.get(k).width(); }},
        {"Bitmap", "placed", 2,
         [&](K k, float n) {
             return bitmaps.load(one, {n, 0, 5, 5}, k), bitmaps.get(k).placement.x;
         }},
        {"Bitmap", "cut", 6,
         [&](K k, float n) {
             return bitmaps.loadWithSource(one, {0, 0, 3 * n, 3}, k), bitmaps.get(k).source.width;
         }},
        {"Bitmap", "blank", 20,
         [&](K k, float n) {
             return bitmaps.create({0, 0, 10 * n, 4}, k), bitmaps.get(k).width();
         }},
        {"Bitmap", "copy", 20,
         [&](K k, float n) {
             return bitmaps.copy(n == 1 ? "one" : "two", k), bitmaps.get(k).width();
         }},
        {"Batch", "batch", 20,
         [&](K k, float n) {
             return batches.create({0, 0, 10 * n, 4}, k), batches.get(k).width();
         }},
        {"Animation", "sheet", 2,
         [&](K k, float n) {
             return animations.loadAnimation(file(n), int(n), 1, k), animations.get(k).frameCount();
         }},
        {"ExtBitmap", "picture", 2,
         [&](K k, float n) {
             return ext.create(image, {n, 0, 4, 4}, k), ext.get(k).rect.x;
         }},
        {"SavedAnimation", "walk", 2,
         [&](K k, float n) {
             return ext.addSavedAnimation("saved", k, int(n), 3, 0, false),
                    ext.get("saved").savedAnimations.get(k).from;
         }},
        {"Font", "other", 2,
         [&](K k, float n) {
             return font = fonts.load(clearSans, k), fonts.get(k, 100) == font ? n : 0;
         }},
        {"Sound", "file", stepsLength,
         [&](K k, float n) { return sounds.loadSound(n == 1 ? hit : steps, k), sound(k); }},
        {"Sound", "silent", 1,
         [&](K k, float n) {
             return n == 1 ? void(sounds.loadSound(hit, k)) : sounds.makeSilentSound(k), sound(k);
         }},
        {"Song", "file", stepsLength,
         [&](K k, float n) { return sounds.loadSong(n == 1 ? hit : steps, k), song(k); }},
        {"Song", "silent", 1,
         [&](K k, float n) {
             return n == 1 ? void(sounds.loadSong(hit, k)) : sounds.makeSilentSong(k), song(k);
         }},
        {"TextFile", "read", 2,
         [&](K k, float n) { return files.load(text(n), k), files.get(k).lines.size(); }},
        {"TextFile", "created", 1,
         [&](K k, float n) { return files.create(made(n), k), files.get(k).path == made(2); }},
        {"TextFile", "prepared", 1,
         [&](K k, float n) { return files.prepare(made(n), k), files.get(k).path == made(2); }},
        {"Design", "look", 255,
         [&](K k, float n) {
             return dialogs.createDesign(n == 1 ? red : green, "font", k, {}, {}),
                    nktest::pixelAt(0, 0, bitmaps.get(k + "_bg").get()).g;
         }},
        {"Card", "card", 2,
         [&](K k, float n) {
             return dialogs.createCard("design", {n, 0, 500, 500}, "", "", k),
                    dialogs.getCard(k).rect.x;
         }},
        {"Button", "button", 20,
         [&](K k, float n) {
             return gui.createButton(image, {10 * n, 0, 20, 20}, k, false),
                    gui.buttonImages().get(k).image.placement.x;
         }},
        {"TextLabel", "label", 2,
         [&](K k, float n) {
             return gui.createTextLabel({0, 0, 9, 9}, "font", 10, {}, {}, std::to_string(n), k),
                    std::stod(gui.getTextLabel(k).text);
         }},
        {"TextInput", "input", 2,
         [&](K k, float n) {
             return gui.createTextInput({0, 0, 9, 9}, false, image, "font", 10, {}, {}, 1, 6, false,
                                        std::to_string(n), k),
                    std::stod(gui.getTextInputText(k));
         }},
        // Two segments each time, so a segment left behind shows in the body count.
        {"Surface", "ground", 20,
         [&](K k, float n) {
             return world.createSurface({0, 0}, {10 * n, 0}, k), world.addSurfacePoint(k, {50, 0}),
                    world.getSurface(k).segments.front()->x2;
         }},
        {"Square", "box", 2,
         [&](K k, float n) {
             return world.createSquare({100 * n, 0}, {5, 5}, false, 0, k, 1, 0.5f),
                    at(world.getSquare(k));
         }},
        {"Square", "wall", 2,
         [&](K k, float n) {
             return world.createStaticSquare({100 * n, 0}, {5, 5}, 0, k), at(world.getSquare(k));
         }},
        {"Circle", "ball", 2,
         [&](K k, float n) {
             return world.createCircle({100 * n, 0}, false, k, 1, 0.5f, 5, 0),
                    at(world.getCircle(k));
         }},
        {"Circle", "post", 2,
         [&](K k, float n) {
             return world.createStaticCircle({100 * n, 0}, k, 5, 0), at(world.getCircle(k));
         }},
        {"Capsule", "player", 2,
         [&](K k, float n) {
             return world.createCapsule({100 * n, 0}, {5, 10}, k), at(world.getCapsule(k));
         }},
        {"Light", "lamp", 2,
         [&](K k, float n) {
             return lights.createLight(k, {n, 0}, 1, 1, 1, 100, 1), lights.getPosition(k).x;
         }},
    };
    for (const auto& row : rows) {
        const std::string kind = row.kind, word = kind == "Bitmap" ? "rewrote" : "remade";
        EXPECT_NE(row.make(row.key, 1), row.want) << kind << " " << row.key << " made as if remade";
        const std::vector<std::size_t> before = census();
        nktest::LogCapture log;
        EXPECT_EQ(row.make(row.key, 2), row.want) << kind << " " << row.key;
        EXPECT_EQ(log.lines(),
                  nktest::Lines{"INFO: " + kind + " with key \"" + row.key + "\" " + word});
        EXPECT_EQ(census(), before) << kind << " " << row.key;
    }
    // Emptied, the card store takes its designs' pictures out of the shared store.
    std::vector<std::string> kept;
    for (const std::string& k : bitmaps.keys())
        if (k.rfind("design_", 0) && k.rfind("look_", 0)) kept.push_back(k);
    dialogs.destroyAll();
    EXPECT_EQ(bitmaps.keys(), kept);
}
