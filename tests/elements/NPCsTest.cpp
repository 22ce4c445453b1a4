#include "elements/NPCs.h"

#include "engine/ExtBitmap.h"
#include "tests/elements/PanelTestKit.h"

namespace {

class NPCsTest : public paneltest::PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        npcs.build();
        usePage(npcs, npcs.editor().widgets.gui());
    }
    const NPCs::Npc& npc(int i) { return npcs.list()[static_cast<std::size_t>(i)]; }
    NK::ExtBitmap& picture(int i) { return npcs.images().get(npc(i).key); }

    NPCs npcs{e.input, e.view, fontStore, bitmapStore, e.renderContext};
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
}

// Play pictures are made at the start, mirrored when inverted, and all go at
// the end; the records stay.
TEST_F(NPCsTest, InvertedFigureIsMirroredAndEndKeepsOnlyTheRecords) {
    npcs.add(1, true, 100.0f, 200.0f);
    npcs.add(1, false, 400.0f, 200.0f);
    npcs.start();
    EXPECT_TRUE(picture(0).flipX);
    EXPECT_FALSE(picture(1).flipX);
    EXPECT_EQ(picture(0).rect, NK::Rect(100.0f, 200.0f, NPCs::size.x, NPCs::size.y));
    npcs.end();
    EXPECT_EQ(npcs.images().size(), 0u);
    ASSERT_EQ(npcs.records().size(), 2u);
    EXPECT_TRUE(npcs.records()[0].invert);
}

// A type outside the list, read or stepped to, is taken as the nearest.
TEST_F(NPCsTest, TypeOutsideTheListOrArrowsPastTheEndsTakeTheNearest) {
    npcs.add(9, false, 0.0f, 0.0f);
    npcs.add(-2, false, 0.0f, 0.0f);
    EXPECT_EQ(npc(0).type, 3);
    EXPECT_EQ(npc(1).type, 0);
    npcs.clear();
    npcs.show();
    clickButton("add");
    ASSERT_EQ(npcs.list().size(), 1u);
    clickButton("type_left");
    EXPECT_EQ(npc(0).type, 0);
    for (int i = 0; i < 5; ++i) clickButton("type_right");
    EXPECT_EQ(npc(0).type, 3);
    clickButton("invert");
    EXPECT_TRUE(npc(0).inverted);
}

}  // namespace
