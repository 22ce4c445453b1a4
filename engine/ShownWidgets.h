#pragma once
#include <functional>
#include <string>
#include <vector>

#include "engine/Rect.h"

namespace NK {

class GUISystem;

// One widget that is on: drawn when its screen draws, hovered and clicked
// when it is a button or an input. `key` is the widget's key in its system.
struct ShownWidget {
    enum Kind { Button, Label, Input };
    Kind kind = Button;
    std::string key;
    Rect area;  // on the 1920x1080 screen
    bool clickable() const { return kind != Label; }
};

// The rule that keeps a scene's widgets to that scene: every widget that is
// on must be one the current scene draws, and the other way round. A widget
// on but not drawn takes clicks on an empty spot of another screen.
// Returns one line per widget that breaks it, "shown, not drawn: KEY" or
// "drawn, not shown: KEY"; none when the two agree.
std::vector<std::string> widgetMismatches(const std::vector<std::string>& shown,
                                          const std::vector<std::string>& drawn);

// A widget system named for reports.
struct NamedWidgets {
    std::string name;
    GUISystem* gui = nullptr;
};
// The same rule over several systems at once, on a frame drawn by `draw`:
// the lines name each widget "system/key".
std::vector<std::string> strayWidgets(const std::vector<NamedWidgets>& systems,
                                      const std::function<void()>& draw);

}  // namespace NK
