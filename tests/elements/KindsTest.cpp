#include <set>

#include "elements/DialogRules.h"
#include "elements/LevelRun.h"
#include "elements/MapCodec.h"
#include "engine/DialogCard.h"
#include "engine/ExtBitmap.h"
#include "engine/LightSystem.h"
#include "engine/TextFile.h"
#include "tests/elements/LevelKit.h"

// Levers, NPCs, surfaces and dialogs as play and their pages use them, each kind out
// of a level made the way the game makes one.
namespace {

// A lever is 90 x 150 with its top-left corner at its position; the player
// is 200 x 300 and given here by its rectangle.
const NK::Rect playerAtFirst(0.0f, 0.0f, 200.0f, 300.0f);
const NK::Rect playerFarAway(5000.0f, 0.0f, 200.0f, 300.0f);
const NK::Rect inside(10, 10, 20, 20);
const NK::Rect outside(500, 500, 20, 20);

class KindsTest : public LevelTest {
protected:
    void SetUp() override {
        LevelTest::SetUp();
        dialogs.designPath = nktest::sourcePath(Dialogs::designImage);
        dialogs.build();
    }
    // One tick of play: the levers update, then their pictures advance.
    void leverTick(bool e, const NK::Rect& player = playerFarAway) {
        levers.update(e, player);
        levers.images().updateExtBitmaps();
    }
    const Levers::Lever& lever(int i) { return levers.list()[static_cast<std::size_t>(i)]; }
    NK::ExtBitmap& leverPicture(int i) { return levers.images().get(lever(i).key); }
    const NPCs::Npc& npc(int i) { return npcs.list()[static_cast<std::size_t>(i)]; }
    // The polyline under `key`: first segment's start, then every end.
    nktest::Points points(const std::string& key) {
        nktest::Points out;
        const auto& segments = level.world->getSurface(key).segments;
        out.emplace_back(segments.front()->x1, segments.front()->y1);
        for (const auto& s : segments) out.emplace_back(s->x2, s->y2);
        return out;
    }
    NK::Vec2 clickAt(float x, float y) { return clickLevel(surfaces, {x, y}); }
    bool hasSurface(const char* key) { return level.world->hasSurface(key); }
    // Dialogs ticked as a level ticks them: the play update, then the card
    // store with the widgets, then the input edges cleared.
    void dialogTick(const NK::Rect& player) {
        dialogs.update(player);
        dialogs.updateWidgets();
        input().endUpdate();
    }
    NK::DialogCard& card(int i) { return dialogs.cards().getCard(dialogs.key(i)); }

    Levers& levers = *level.levers;
    NPCs& npcs = *level.npcs;
    Surfaces& surfaces = *level.surfaces;
    Dialogs& dialogs = *level.dialogs;
};

// One press switches every lever the player touches and no other. The
// first lever falls back after 1.5 s x 60 ticks; the pulling tick already
// counts one down, and a second pull starts the count again (the first
// pull's count and frames: MotionTest); a delay of 0 or below never falls
// back; the end shows the off frame but keeps the flags, and the next start
// turns them off. The resize handle leaves a lever its own size.
TEST_F(KindsTest, LeverUntouchedSwitchedFallsBackOnTheWrongTickOrEndDropsTheFlagsOrResized) {
    // Overlapping the player; on its right edge; one unit right of it; on
    // its bottom edge; one unit below it.
    const float delays[] = {1.5f, 0.0f, -1.0f, -1.0f, -1.0f};
    for (NK::Vec2 at : {NK::Vec2(150, 100), {200, 150}, {201, 150}, {0, 300}, {0, 301}})
        levers.add(at, 0.0f, delays[levers.list().size()]);
    levers.start();
    std::string switched;  // after a tick without E, then after one with it
    for (bool e : {false, true}) {
        leverTick(e, playerAtFirst);
        for (int i = 0; i < 5; ++i) switched += lever(i).switched ? '1' : '0';
    }
    EXPECT_EQ(switched + (levers.allSwitched() ? " all" : ""), "0000011010");
    for (int t = 1; t < 60; ++t) leverTick(false);
    leverTick(true, playerAtFirst);  // tick 60
    int ticks = 0;                   // until lever 0 is off again
    for (; lever(0).switched && ticks < 400; ++ticks) leverTick(false);
    EXPECT_EQ(ticks, 90);
    EXPECT_TRUE(lever(1).switched && lever(3).switched);
    levers.end();
    EXPECT_TRUE(lever(3).switched && leverPicture(3).frame.current == Levers::offFrame);
    levers.start();
    EXPECT_FALSE(lever(3).switched);
    openPage(levers);
    levers.editor().select(0);
    drag(levers, {240.0f, 250.0f}, {400.0f, 500.0f}, true);  // from the bottom-right corner
    EXPECT_EQ(leverPicture(0).rect, NK::Rect(150.0f, 100.0f, Levers::size.x, Levers::size.y));
}

// A run's end gives the editor back every element as it stood before the
// run: the lever pulled, the camera turned toward the player and firing,
// the light mid-blink, the NPC walking and the player moved all stand again
// as placed. (What the stores hold after it: the lifecycle census.)
TEST_F(KindsTest, RunEndLeavesAnElementAsTheRunLeftIt) {
    const MapCodec::ReadResult map = MapCodec::read(NK::TextFile::parse(
        "PLY 400 850\nCAM 0 -540 3000 1620\nFE 2000\nG 2700 825\nSF 0 1000 3000 1000\n"
        "LE 380 750 0 -1\nE 1200 850 0 0 1000\nN 1000 700 0 0\n"
        "L 500 500 1 1 1 150 2 1 0.5 50 1\n"));
    ASSERT_TRUE(map.ok) << map.error;
    level.document().apply(map.data);
    const std::vector<NK::ExtBitmapStore*> stores = {&levers.images(), &level.enemies->images(),
                                                     &npcs.images(), &level.gate->images(),
                                                     &level.player->images()};
    auto looks = [&] {  // each picture's frame, turn and place; the light's strength
        std::set<std::string> seen = {
            std::to_string(level.lights->system().getIntensity(level.lights->keyAt(0)))};
        for (NK::ExtBitmapStore* store : stores)
            for (auto& [key, b] : *store)
                seen.insert(key + " " + std::to_string(b->frame.current) + " " +
                            std::to_string(b->angle) + " " + std::to_string(b->rect.x));
        return seen;
    };
    const std::set<std::string> before = looks();
    LevelRun run = level.run();
    run.start();
    PlayInput in;
    in.right = in.usePressed = true;
    for (int t = 0; t < 90; ++t) {  // as play ticks: the level, then its pictures
        run.tick(in, true);
        for (NK::ExtBitmapStore* store : stores) store->updateExtBitmaps();
    }
    ASSERT_TRUE(levers.list()[0].switched && level.enemies->images().get("0c").angle != 0.0f);
    run.end();
    EXPECT_EQ(looks(), before);
}

// The end drops the pictures (the lifecycle census), not the records; how
// inverted figures look in play: the screens' play frames.
TEST_F(KindsTest, NpcEndDropsTheRecordsOrTypeOutsideTheListTakesTheNearest) {
    npcs.add(0, false, 100.0f, 200.0f);
    npcs.add(1, true, 400.0f, 200.0f);
    npcs.start();
    npcs.end();
    EXPECT_TRUE(npcs.records().size() == 2 && npcs.records()[1].invert);
    // A type outside the list, read or stepped to, is taken as the nearest.
    npcs.add(9, false, 0.0f, 0.0f);
    npcs.add(-2, false, 0.0f, 0.0f);
    EXPECT_EQ(std::make_pair(npc(2).type, npc(3).type), std::make_pair(3, 0));
    openPage(npcs);           // what ADD makes: the screen table's npcs_added
    npcs.editor().select(1);  // the inverted one
    npcs.editor().refreshPanel();
    // From type 1 a type a click, once past each end.
    std::string steps;
    for (const char* arrow : {"type_right", "type_right", "type_right", "type_left", "type_left",
                              "type_left", "type_left"}) {
        clickButton(arrow);
        steps += std::to_string(npc(1).type);
    }
    clickButton("invert");
    EXPECT_EQ(steps, "2332100");
    EXPECT_FALSE(npc(1).inverted);
}

// The first click starts surface 0 fifty to the left, the next extend it;
// "prev" puts clicks before the first point.
TEST_F(KindsTest, SurfaceClicksExtendTheWrongEndOrRemovalOrAddTwiceLeaveTheWrongRecordsOrQEStepWrong) {
    openPage(surfaces);
    const NK::Vec2 a = clickAt(500, 400), b = clickAt(700, 450);
    EXPECT_EQ(points("0"), (nktest::Points{{a.x - 50.0f, a.y}, {a.x, a.y}, {b.x, b.y}}));
    clickButton("prev");
    const NK::Vec2 c = clickAt(200, 300);
    EXPECT_EQ(points("0"),
              (nktest::Points{{c.x, c.y}, {a.x - 50.0f, a.y}, {a.x, a.y}, {b.x, b.y}}));
    for (int i = 0; i < 20; ++i) tick(surfaces, true);
    EXPECT_TRUE(gui().buttonImages().get("next").alpha.current == 0.4f &&
                surfaces.records().size() == 1);
    surfaces.clear();
    // Over "Remove first" or "Remove last" the segment it would take is red.
    const NK::Vec2 d = clickAt(500, 400), e = clickAt(600, 400);
    for (const char* button : {"first", "last"}) {
        const NK::Rect r = gui().buttonImages().get(button).rect;
        pointAtScreen(r.x + r.width / 2.0f, r.y + r.height / 2.0f);
        tick(surfaces, true);
        nktest::resetDrawing();
        surfaces.drawSurfaces(true, true);
        EXPECT_EQ(nktest::colours({{d.x - 25.0f, d.y}, {e.x - 25.0f, e.y}}, nullptr, 60),
                  button[0] == 'f' ? "RC" : "CR");
    }
    clickButton("last");
    ASSERT_EQ(points("0").size(), 2u);
    clickButton("first");
    EXPECT_TRUE(!hasSurface("0") && surfaces.records().empty() && surfaces.empty());
    clickAt(500, 400);
    tick(surfaces, true, {ALLEGRO_KEY_DELETE});
    EXPECT_FALSE(hasSurface("0"));
    // Keys handed out but never drawn leave no record, and a reload numbers
    // the surfaces densely again.
    clickAt(500, 400);
    clickButton("add");
    clickButton("add");
    clickAt(300, 600);
    EXPECT_TRUE(hasSurface("2") && !hasSurface("1"));
    const std::vector<SurfaceRecord> records = surfaces.records();
    ASSERT_EQ(records.size(), 2u);
    surfaces.clear();
    for (const SurfaceRecord& r : records) surfaces.addFromRecord(r);
    EXPECT_TRUE(hasSurface("0") && hasSurface("1") && surfaces.surfaceCounter == 2);
    // Q and E step a surface at a time, from the first to the one not yet
    // drawn, and look at the working end of each drawn one.
    std::vector<NK::Vec2> lookedAt;
    surfaces.setCameraHook([&](NK::Vec2 at) { lookedAt.push_back(at); });
    std::string steps;
    for (int key : {ALLEGRO_KEY_E, ALLEGRO_KEY_E, ALLEGRO_KEY_E, ALLEGRO_KEY_Q, ALLEGRO_KEY_Q,
                    ALLEGRO_KEY_Q}) {
        tick(surfaces, true, {key});
        steps += buttonText("select");
    }
    EXPECT_EQ(steps, "122100");
    ASSERT_EQ(lookedAt.size(), 3u);
    EXPECT_EQ(std::make_pair(lookedAt.back().x, lookedAt.back().y),
              std::make_pair(records[0].points.back().x, records[0].points.back().y));
    // Clicked in "prev" mode, a new surface starts fifty to the right; a lone
    // segment removed from its end takes the surface with it.
    for (int key : {ALLEGRO_KEY_E, ALLEGRO_KEY_E, ALLEGRO_KEY_R}) tick(surfaces, true, {key});
    const NK::Vec2 f = clickAt(800, 500);
    EXPECT_EQ(points("2"), (nktest::Points{{f.x, f.y}, {f.x + 50.0f, f.y}}));
    clickButton("last");
    EXPECT_FALSE(hasSurface("2"));
}

// A dialog shows once a play, even when walked into again after its CLOSE,
// and again after a restart. (How long a card stays, with a delay or until
// CLOSE: Motion.BlocksCrumbleOrCardsClose.) Each card is printed in its own
// dialog's sizes, although the card made after it set the design's to
// others. (Which size is the title's and which the text's: the screens'
// play frames.)
TEST_F(KindsTest, DialogCardShowsTwiceAPlayOrNotAgainAfterARestartOrInAnotherDialogsSizes) {
    for (int size : {60, 10, 60}) dialogs.add(size, 12, "H", "", -1.0f, {0, 0, 100, 100});
    EXPECT_FALSE(dialogs.cardShown());  // no card before the start
    dialogs.start();
    dialogTick(NK::Rect(100, 100, 20, 20));  // a player touching the areas' corner
    EXPECT_TRUE(card(0).visible && dialogs.cardShown());
    dialogs.drawCards();
    ALLEGRO_BITMAP* printed[3];
    for (int i = 0; i < 3; ++i) printed[i] = paneltest::bitmaps().get(dialogs.key(i)).get();
    const int w = al_get_bitmap_width(printed[0]), h = al_get_bitmap_height(printed[0]);
    EXPECT_EQ(nktest::meanDifference(printed[0], 0, 0, printed[2], 0, 0, w, h, 2), 0.0);
    EXPECT_GT(nktest::meanDifference(printed[0], 0, 0, printed[1], 0, 0, w, h, 2), 1.0);
    // A left click on CLOSE of a card at the screen's centre (x 847.5..1072.5, y 702.5..777.5).
    pointAtScreen(960, 740);
    input().mousePressed[1] = 1;
    dialogTick(outside);
    EXPECT_EQ(card(0).timer, -1);
    dialogTick(inside);  // walked into again
    EXPECT_FALSE(card(0).visible);
    dialogs.stop();
    dialogs.start();
    dialogTick(inside);
    EXPECT_TRUE(card(0).visible);
}

// A delay of 0 keeps a card until CLOSE, a pending timer of 0 is taken,
// the delay button turns off from 0 up, and a size that is no number is 0.
TEST(DialogRulesTest, ZeroDelayZeroPendingTimerOrDelayButtonAtZeroTakenTheWrongWay) {
    EXPECT_EQ(std::make_pair(DialogRules::delayTicks(0.0f), DialogRules::delayTicks(2.5f)),
              std::make_pair(-1, 150));
    NK::DialogCard shown("design", DialogRules::cardRect());
    shown.pendingTimer = 0;
    DialogRules::show(shown, -1.0f);
    EXPECT_EQ(shown.timer, 0);
    EXPECT_EQ(DialogRules::toggledDelay("0"), -1.0f);
    EXPECT_EQ(DialogRules::toggledDelay("-0.5"), 1.0f);
    EXPECT_EQ(DialogRules::wholeSize(std::nanf("")), 0);
}

// The area is resized from its corner but never turned; a title or text
// typed in the viewer is stored by the next click or Enter.
TEST_F(KindsTest, DialogAreaTurnedOrTitleAndTextTypedInTheViewerLost) {
    openPage(dialogs, false);
    dialogs.add(20, 15, "T", "X", -1.0f, {100, 100, 200, 100});
    dialogs.editor().select(0);
    drag(dialogs, pointAtLevel(300, 200), pointAtLevel(160, 280), true);
    EXPECT_EQ(shown("trigger_area_w") + " " + shown("trigger_area_h"), "60.00 180.00");
    // Where a picture's rotate handle would be, a click finds no area: the page shows none.
    clickLevel(dialogs, {200, 190});
    EXPECT_FALSE(dialogs.editor().hasSelection());
    EXPECT_EQ(shown("select") + "|" + shown("trigger_area_w"), "2|0.00");

    clickButton("add");
    clickButton("set_title");
    EXPECT_TRUE(shown("text_viewer") == "Title" && dialogs.typing());
    gui().setTextInputText("text_viewer", "Hello there");
    tick(dialogs, true, {ALLEGRO_KEY_ENTER});  // Enter stores it as a click does
    EXPECT_FALSE(dialogs.typing());
    clickButton("set_text");
    gui().setTextInputText("text_viewer", "");
    clickButton("set_text");  // nothing typed: the text stays
    const DialogRecord r = dialogs.records()[1];
    EXPECT_EQ(r.title + "/" + r.text, "Hello there/Text");
    clickButton("show_dialog");
    EXPECT_TRUE(dialogs.cards().getCard(Dialogs::previewKey).visible);
}

}  // namespace
