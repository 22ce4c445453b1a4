#pragma once
#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The editor's undo and redo over whole snapshots of the level, each the
// text a save would write: restoring one is exactly a load of what a save
// would have written, so no kind of change can be undone halfway.
//
// The editor offers a snapshot after every tick that could have changed the
// level; one equal to the current state is no step, so a drag held over
// many ticks becomes one step when the button comes up.
class UndoHistory {
public:
    explicit UndoHistory(std::size_t depth = 200) : depth(depth) {}

    // A level to start from, with no history (entering the editor).
    void reset(std::string snapshot);
    // True when the snapshot differs from the current state and became a step.
    bool record(std::string snapshot);
    // The state to restore, or none when there is nothing to undo (redo).
    std::optional<std::string> undo();
    std::optional<std::string> redo();

    // The current state written anew without a step (a restored snapshot
    // that saves to slightly different text, such as renumbered ground).
    void amendCurrent(std::string snapshot) { now = std::move(snapshot); }
    const std::string& current() const { return now; }
    std::size_t undoSteps() const { return past.size(); }
    // Whether undo or redo can still bring this level back.
    bool holds(const std::string& snapshot) const;
    std::size_t redoSteps() const { return future.size(); }

private:
    std::size_t depth;
    std::string now;
    std::deque<std::string> past;  // oldest first
    std::vector<std::string> future;
};
