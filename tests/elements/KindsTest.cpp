#include "elements/DialogRules.h"
#include "engine/DialogCard.h"
#include "tests/elements/LevelKit.h"

// NPCs, surfaces and dialogs as play and their pages use them, each kind out
// of a level made the way the game makes one.
namespace {

const NK::Rect inside(10, 10, 20, 20);
const NK::Rect outside(500, 500, 20, 20);

class KindsTest : public LevelTest {
protected:
    void SetUp() override {
        LevelTest::SetUp();
        dialogs.designPath = nktest::sourcePath(Dialogs::designImage);
        dialogs.build();
    }
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

    NPCs& npcs = *level.npcs;
    Surfaces& surfaces = *level.surfaces;
    Dialogs& dialogs = *level.dialogs;
};

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
