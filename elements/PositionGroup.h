#pragma once
#include <functional>
#include <string>
#include <utility>

#include "elements/PanelWidgets.h"
#include "engine/Vec2.h"

// The "position" group of a page that edits one element (the player, the
// gate): X and Y of the point its picture is centred on, RESET to (0, 0).
// Every write goes through `move`, which also marks the level edited.
inline PanelWidgets::Group singlePositionGroup(std::string title, std::function<NK::Vec2()> read,
                                               std::function<void(NK::Vec2)> move) {
    PanelWidgets::Group g;
    g.key = "position";
    g.title = std::move(title);
    g.reset = [move](int) { move(NK::Vec2(0.0f, 0.0f)); };
    g.fields.push_back({"position_x", "X", [read](int) { return read().x; },
                        [read, move](int, float v) { move(NK::Vec2(v, read().y)); }});
    g.fields.push_back({"position_y", "Y", [read](int) { return read().y; },
                        [read, move](int, float v) { move(NK::Vec2(read().x, v)); }});
    return g;
}
