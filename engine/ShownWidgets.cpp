#include "engine/ShownWidgets.h"

#include <algorithm>
#include <set>

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

}  // namespace NK
