#include "editor/UndoHistory.h"

#include <gtest/gtest.h>

// A drag held over many ticks is one step; undo and redo walk the steps
// until a new change cuts redo off; restoring a state is no change; a level
// opened leaves nothing of the last one to undo or redo.
TEST(UndoHistory, HeldDragCountedTwiceRedoAfterANewChangeOrLevelRestoreRecordedOrDepthExceeded) {
    UndoHistory h;
    h.reset("a");
    EXPECT_FALSE(h.record("a"));
    EXPECT_TRUE(h.record("b"));
    for (int tick = 0; tick < 30; ++tick) h.record("b");  // nothing moved since
    h.record("c");
    std::string seen;
    const auto step = [&](bool undo) { seen += (undo ? h.undo() : h.redo()).value_or("-"); };
    for (bool undo : {true, true, true, false}) step(undo);
    EXPECT_FALSE(h.record("b"));
    EXPECT_TRUE(h.record("d"));
    for (bool undo : {false, true}) step(undo);
    EXPECT_EQ(seen, "ba-b-b");
    h.reset("e");  // with steps both to undo and to redo
    EXPECT_FALSE(h.redo() || h.undo());

    // Only the newest steps up to the depth are kept: what undo or redo can
    // still bring back is held; what a new change cut off from redo, or what
    // fell off the end, is not.
    UndoHistory one(1);
    one.reset("a");
    one.record("b");
    one.record("c");
    EXPECT_TRUE(one.holds("b") && one.holds("c"));
    EXPECT_FALSE(one.holds("a")) << "beyond the depth";
    one.undo();
    EXPECT_TRUE(one.holds("c")) << "redo brings it back";
    one.record("d");
    EXPECT_FALSE(one.holds("c")) << "a new change cut redo off";
    EXPECT_TRUE(one.holds("d") && one.holds("b"));
}
