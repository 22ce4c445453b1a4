#pragma once
#include <cstdint>
#include <map>
#include <tuple>
#include <vector>

#include "elements/PlayInput.h"
#include "tools/solve/HeadlessPlay.h"

// The search's memory: every distinct situation reached so far (a cell: the
// player's place on a coarse grid, which cameras are down, which levers are
// on, how many blocks have crumbled), each with the shortest known way there
// at the best health, and how often the search has gone on from it.
//
// Ways are kept as a tree of input segments: a node holds the ticks played
// after its parent's, so that a thousand cells cost little more than the
// ticks actually explored.
class Archive {
public:
    static constexpr float cellSize = 100.0f;

    struct Cell {
        unsigned camerasDown = 0;
        unsigned leversOn = 0;
        int blocksGone = 0;
        int column = 0;
        int row = 0;
        bool operator<(const Cell& o) const {
            return std::tie(camerasDown, leversOn, blocksGone, column, row) <
                   std::tie(o.camerasDown, o.leversOn, o.blocksGone, o.column, o.row);
        }
    };
    struct Entry {
        int node = -1;  // the way there
        int tick = 0;   // the tick the cell was reached on
        int health = 0;
        int chosen = 0;  // explorations started from it
        Situation situation;
    };

    explicit Archive(const LevelLayout& layout);

    static Cell cellOf(const Situation& s);
    // Adds the situation reached after `inputs` were played from the parent
    // node's end, when its cell is new, or when it reaches a known cell with
    // more health or sooner; never an end (a win, a loss, a hang), which
    // nothing goes on from. Returns the new node, or -1 when nothing changed.
    int offer(int parent, const std::vector<PlayInput>& inputs, const Situation& s);
    // Every input from the level's start to the end of the node.
    std::vector<PlayInput> inputsTo(int node) const;
    int length(int node) const { return node < 0 ? 0 : nodes[node].length; }

    // The entry to go on from, drawn with `draw` (uniform in [0, 1)): the
    // gate rule guides it, cameras and levers first, then the gate; entries
    // chosen less often and nearer the next goal weigh more.
    const Cell& choose(double draw);
    Entry& at(const Cell& c) { return cells.at(c); }
    std::size_t size() const { return cells.size(); }
    // How much of the gate rule a situation meets: cameras down plus levers on.
    static int stage(const Situation& s);
    // The distance from the player to the thing it should reach next.
    float goalDistance(const Situation& s) const;
    // How far from the gate the player stands (0 when touching it).
    float gateDistance(const Situation& s) const;

private:
    struct Node {
        int parent = -1;
        int length = 0;  // ticks from the level's start to this node's end
        std::vector<PlayInput> inputs;
    };
    double weight(const Entry& e, int bestStage) const;

    LevelLayout layout;
    std::map<Cell, Entry> cells;
    std::vector<Node> nodes;
};
