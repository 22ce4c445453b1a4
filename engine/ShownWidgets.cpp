#include "engine/ShownWidgets.h"

#include <algorithm>
#include <set>

#include "engine/GUISystem.h"

namespace NK {

std::vector<std::string> widgetMismatches(const std::vector<std::string>& shown,
                                          const std::vector<std::string>& drawn) {
    const std::set<std::string> on(shown.begin(), shown.end());
    const std::set<std::string> seen(drawn.begin(), drawn.end());
    std::vector<std::string> lines;
    for (const std::string& key : on)
        if (!seen.count(key)) lines.push_back("shown, not drawn: " + key);
    for (const std::string& key : seen)
        if (!on.count(key)) lines.push_back("drawn, not shown: " + key);
    return lines;
}

std::vector<std::string> strayWidgets(const std::vector<NamedWidgets>& systems,
                                      const std::function<void()>& draw) {
    for (const NamedWidgets& s : systems) s.gui->forgetDrawn();
    draw();
    std::vector<std::string> shown, drawn;
    for (const NamedWidgets& s : systems) {
        for (const ShownWidget& w : s.gui->shownWidgets()) shown.push_back(s.name + "/" + w.key);
        for (const std::string& key : s.gui->drawnWidgets()) drawn.push_back(s.name + "/" + key);
    }
    return widgetMismatches(shown, drawn);
}

}  // namespace NK
