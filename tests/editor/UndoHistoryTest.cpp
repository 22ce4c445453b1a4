#include "editor/UndoHistory.h"

#include <gtest/gtest.h>

namespace {

TEST(UndoHistory, UnchangedSnapshotsAreNoStepSoAHeldDragIsOne) {
    UndoHistory h;
    h.reset("empty");
    EXPECT_FALSE(h.record("empty"));
    EXPECT_TRUE(h.record("box at 10"));
    for (int tick = 0; tick < 30; ++tick) h.record("box at 10");  // nothing moved since
    EXPECT_EQ(h.undoSteps(), 1u);
    EXPECT_EQ(h.undo().value_or("none"), "empty");
    EXPECT_FALSE(h.undo().has_value());
}

TEST(UndoHistory, RedoFollowsUndoUntilANewChangeCutsItOff) {
    UndoHistory h;
    h.reset("a");
    h.record("b");
    h.record("c");
    EXPECT_EQ(h.undo().value_or(""), "b");
    EXPECT_EQ(h.undo().value_or(""), "a");
    EXPECT_EQ(h.redo().value_or(""), "b");
    // Restoring a state is seen by the next offer as no change.
    EXPECT_FALSE(h.record("b"));
    EXPECT_TRUE(h.record("d"));
    EXPECT_FALSE(h.redo().has_value());
    EXPECT_EQ(h.undo().value_or(""), "b");
}

TEST(UndoHistory, KeepsTheNewestStepsUpToItsDepth) {
    UndoHistory h(100);
    h.reset("0");
    for (int i = 1; i <= 150; ++i) h.record(std::to_string(i));
    int undone = 0;
    std::string last;
    while (auto s = h.undo()) {
        last = *s;
        ++undone;
    }
    EXPECT_EQ(undone, 100);
    EXPECT_EQ(last, "50");
}

}  // namespace

// What undo or redo can still bring back is held; what a new change cut off
// from redo, or what fell off the end, is not.
TEST(UndoHistory, HoldsWhatCannotBeBroughtBackOrMissesWhatCan) {
    UndoHistory h(1);
    h.reset("a");
    h.record("b");
    h.record("c");
    EXPECT_TRUE(h.holds("b") && h.holds("c"));
    EXPECT_FALSE(h.holds("a")) << "beyond the depth";
    h.undo();
    EXPECT_TRUE(h.holds("c")) << "redo brings it back";
    h.record("d");
    EXPECT_FALSE(h.holds("c")) << "a new change cut redo off";
    EXPECT_TRUE(h.holds("d") && h.holds("b"));
}
