#include "tools/solve/Archive.h"

#include <algorithm>
#include <bitset>
#include <cmath>
#include <limits>

namespace {

float rectDistance(const NK::Rect& r, NK::Vec2 p) {
    const float dx = std::max({r.x - p.x, 0.0f, p.x - (r.x + r.width)});
    const float dy = std::max({r.y - p.y, 0.0f, p.y - (r.y + r.height)});
    return std::sqrt(dx * dx + dy * dy);
}

float pointDistance(NK::Vec2 a, NK::Vec2 b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

}  // namespace

Archive::Archive(const LevelLayout& l) : layout(l) {}

Archive::Cell Archive::cellOf(const Situation& s) {
    Cell c;
    c.camerasDown = s.camerasDown;
    c.leversOn = s.leversOn;
    c.blocksGone = s.blocksGone;
    c.column = static_cast<int>(std::floor(s.player.x / cellSize));
    c.row = static_cast<int>(std::floor(s.player.y / cellSize));
    return c;
}

int Archive::stage(const Situation& s) {
    return static_cast<int>(std::bitset<32>(s.camerasDown).count() +
                            std::bitset<32>(s.leversOn).count());
}

int Archive::offer(int parent, const std::vector<PlayInput>& inputs, const Situation& s) {
    if (s.ended()) return -1;
    const Cell c = cellOf(s);
    auto found = cells.find(c);
    if (found != cells.end()) {
        const Entry& e = found->second;
        const bool better = s.health > e.health || (s.health == e.health && s.tick < e.tick);
        if (!better) return -1;
    }
    Node n;
    n.parent = parent;
    n.length = length(parent) + static_cast<int>(inputs.size());
    n.inputs = inputs;
    nodes.push_back(std::move(n));
    const int id = static_cast<int>(nodes.size()) - 1;
    Entry& e = cells[c];
    e.node = id;
    e.tick = s.tick;
    e.health = s.health;
    e.situation = s;
    // A better way into a known cell is worth exploring again.
    e.chosen = 0;
    return id;
}

std::vector<PlayInput> Archive::inputsTo(int node) const {
    std::vector<int> chain;
    for (int n = node; n >= 0; n = nodes[static_cast<std::size_t>(n)].parent) chain.push_back(n);
    std::vector<PlayInput> out;
    out.reserve(static_cast<std::size_t>(length(node)));
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        const auto& in = nodes[static_cast<std::size_t>(*it)].inputs;
        out.insert(out.end(), in.begin(), in.end());
    }
    return out;
}

float Archive::gateDistance(const Situation& s) const {
    const NK::Rect& g = layout.gate;
    // The player's rectangle is 200 by 300 around its centre.
    const NK::Rect grown(g.x - 100.0f, g.y - 150.0f, g.width + 200.0f, g.height + 300.0f);
    return rectDistance(grown, s.player);
}

float Archive::goalDistance(const Situation& s) const {
    float best = std::numeric_limits<float>::max();
    for (std::size_t i = 0; i < layout.cameras.size() && i < 32; ++i)
        if (!(s.camerasDown & (1u << i)))
            best = std::min(best, pointDistance(layout.cameras[i], s.player));
    for (std::size_t i = 0; i < layout.levers.size() && i < 32; ++i)
        if (!(s.leversOn & (1u << i)))
            best = std::min(best, rectDistance(layout.levers[i], s.player));
    if (best == std::numeric_limits<float>::max()) best = gateDistance(s);
    return best;
}

double Archive::weight(const Entry& e, int bestStage) const {
    double w = 1.0 / std::sqrt(1.0 + e.chosen);
    // Cameras and levers first: each step of the gate rule short of the
    // best reached weighs a tenth as much, more than nearness can make up.
    w *= std::pow(10.0, stage(e.situation) - bestStage);
    // Then nearness to what is left to do.
    w *= 1.0 + 3.0 * std::exp(-goalDistance(e.situation) / 700.0);
    // A wounded player has less room for mistakes ahead.
    w *= 0.5 + 0.1 * e.health;
    return w;
}

const Archive::Cell& Archive::choose(double draw) {
    int bestStage = 0;
    for (const auto& [cell, e] : cells) bestStage = std::max(bestStage, stage(e.situation));
    double total = 0.0;
    for (const auto& [cell, e] : cells) total += weight(e, bestStage);
    double left = draw * total;
    const Cell* pick = &cells.begin()->first;
    for (const auto& [cell, e] : cells) {
        pick = &cell;
        left -= weight(e, bestStage);
        if (left < 0.0) break;
    }
    return *pick;
}
