#include "elements/NPCs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/ExtBitmap.h"
#include "tests/elements/PanelTestKit.h"

namespace {

class NPCsTest : public paneltest::PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        npcs.build();
    }
    const NPCs::Npc& npc(int i) { return npcs.list()[static_cast<std::size_t>(i)]; }
    NK::ExtBitmap& picture(int i) { return npcs.images().get(npc(i).key); }
    NK::GUISystem& gui() { return npcs.editor().widgets.gui(); }
    void clickButton(const std::string& key) {
        clickWidget(npcs, paneltest::buttonArea(gui(), key));
    }

    nktest::Engine& e = nktest::engine();
    NPCs npcs{e.input, e.view, &paneltest::fonts(), &paneltest::bitmaps(), e.renderContext};
};

TEST_F(NPCsTest, FigureSwaysThroughItsFourFramesAndNeverStops) {
    npcs.add(0, false, 100.0f, 200.0f);
    npcs.start();
    std::vector<int> seen;
    for (int t = 0; t < 200; ++t) {
        npcs.images().updateExtBitmaps();
        const int f = picture(0).frame.current;
        if (seen.empty() || seen.back() != f) seen.push_back(f);
    }
    // Up to the sheet's last frame and back down, with no jump from 3 to 0.
    const std::vector<int> swing = {0, 1, 2, 3, 2, 1, 0, 1, 2, 3};
    ASSERT_GE(seen.size(), swing.size());
    EXPECT_EQ(std::vector<int>(seen.begin(), seen.begin() + 10), swing);
    for (int t = 0; t < 20000; ++t) npcs.images().updateExtBitmaps();
    EXPECT_TRUE(picture(0).frame.active);
}

TEST_F(NPCsTest, InvertedFigureIsMirroredAtItsPlace) {
    npcs.add(1, true, 100.0f, 200.0f);
    npcs.add(1, false, 400.0f, 200.0f);
    npcs.start();
    EXPECT_TRUE(picture(0).flipX);
    EXPECT_FALSE(picture(1).flipX);
    EXPECT_EQ(picture(0).rect.x, 100.0f);
    EXPECT_EQ(picture(0).rect.width, NPCs::size.x);
    EXPECT_EQ(picture(0).rect.height, NPCs::size.y);
}

TEST_F(NPCsTest, EndRemovesEveryPictureAndKeepsTheRecords) {
    npcs.add(0, false, 0.0f, 0.0f);
    npcs.add(3, true, 50.0f, 60.0f);
    npcs.start();
    EXPECT_EQ(npcs.images().size(), 2u);
    npcs.end();
    EXPECT_EQ(npcs.images().size(), 0u);
    ASSERT_EQ(npcs.records().size(), 2u);
    EXPECT_EQ(npcs.records()[1].x, 50.0f);
    EXPECT_TRUE(npcs.records()[1].invert);
}

TEST_F(NPCsTest, TypeOutsideTheListIsTakenAsTheNearest) {
    npcs.add(9, false, 0.0f, 0.0f);
    npcs.add(-2, false, 0.0f, 0.0f);
    EXPECT_EQ(npc(0).type, 3);
    EXPECT_EQ(npc(1).type, 0);
}

TEST_F(NPCsTest, TypeArrowsStopAtBothEndsAndInvertToggles) {
    npcs.show();
    clickButton("add");
    ASSERT_EQ(npcs.list().size(), 1u);
    clickButton("type_left");
    EXPECT_EQ(npc(0).type, 0);
    for (int i = 0; i < 5; ++i) clickButton("type_right");
    EXPECT_EQ(npc(0).type, 3);
    EXPECT_EQ(gui().getTextLabel("type_select").text, "npc4");
    clickButton("invert");
    EXPECT_TRUE(npc(0).inverted);
    clickButton("invert");
    EXPECT_FALSE(npc(0).inverted);
}

TEST_F(NPCsTest, ControlClickCopiesTheSelectedCentredOnThePointer) {
    npcs.show();
    npcs.add(2, true, 100.0f, 100.0f);
    npcs.editor().select(0);
    const NK::Vec2 at = pointAtLevel(900.0f, 600.0f);
    nktest::holdKey(input(), ALLEGRO_KEY_LCTRL);
    clickLevel(npcs);
    nktest::holdKey(input(), ALLEGRO_KEY_LCTRL, false);
    ASSERT_EQ(npcs.records().size(), 2u);
    EXPECT_EQ(npcs.records()[1].x, at.x - 100.0f);
    EXPECT_EQ(npcs.records()[1].y, at.y - 150.0f);
    EXPECT_EQ(npcs.records()[1].type, 2);
    EXPECT_TRUE(npcs.records()[1].invert);
}

}  // namespace
