#include "tools/screens/ScreenProbe.h"

#include <algorithm>
#include <map>

#include "editor/EditorFrame.h"
#include "editor/ImportExportPanel.h"
#include "elements/EditorPanel.h"
#include "elements/Level.h"
#include "engine/GUISystem.h"
#include "game/Game.h"
#include "game/LevelBrowserScreen.h"
#include "game/PlayScene.h"

namespace ScreenProbe {

std::string state(Game& g) {
    switch (g.scene()) {
        case MainMenu:
            return "menu";
        case LevelBrowser:
            return "browser";
        case Tutorial:
            return "tutorial";
        case Play:
            // Both ends in one tick show the win window.
            return g.play().won ? "play/won" : g.play().lost ? "play/lost" : "play";
        case Editor: {
            const EditorTabs& tabs = g.editor().tabs;
            const std::string row = "/row" + std::to_string(tabs.tabRow);
            // A page shows with either row of tabs: a test run's Stop goes
            // back to its tab with the row the designer switched to meanwhile.
            if (tabs.editorTab < EditorTabs::elementTabs)
                return std::string("editor/") +
                       Level::tabs()[static_cast<std::size_t>(tabs.editorTab)].key + row;
            if (tabs.editorTab == EditorTabs::TestRun) return "editor/run" + row;
            return "editor/io" + row + (g.importExport().recoveryOffered() ? "/recover" : "");
        }
        default:
            return "scene " + std::to_string(g.scene());
    }
}

std::vector<SeenWidget> seen(Game& g) {
    const std::vector<Game::WidgetSystem> systems = g.widgetSystems();
    for (const Game::WidgetSystem& s : systems) s.gui->forgetDrawn();
    g.draw();
    std::vector<SeenWidget> all;
    for (const Game::WidgetSystem& s : systems) {
        NK::GUISystem& gui = *s.gui;
        const std::vector<std::string>& drawn = gui.drawnWidgets();
        for (const NK::ShownWidget& w : gui.shownWidgets()) {
            SeenWidget out;
            out.system = s.name;
            out.kind = w.kind;
            out.key = w.key;
            out.area = w.area;
            if (w.kind == NK::ShownWidget::Button) {
                out.text = gui.getButton(w.key).text;
                out.colour = gui.getButton(w.key).textColor;
            } else if (w.kind == NK::ShownWidget::Label) {
                out.text = gui.getTextLabel(w.key).text;
                out.colour = gui.getTextLabel(w.key).textColor;
            } else {
                out.text = gui.getTextInput(w.key).text;
                out.colour = gui.getTextInput(w.key).textColor;
            }
            auto at = std::find(drawn.begin(), drawn.end(), w.key);
            out.drawn = at == drawn.end() ? -1 : static_cast<int>(at - drawn.begin());
            all.push_back(out);
        }
    }
    return all;
}

ScreenTable::Vars browserVars(Game& g) {
    const LevelBrowserScreen& b = g.levelBrowser();
    const bool any = b.currentPack >= 0 && b.currentPack < static_cast<int>(b.packs.size());
    ScreenTable::Vars vars{
        {"pack", any ? b.packs[static_cast<std::size_t>(b.currentPack)].name : ""}};
    for (int i = 0; i < LevelPacks::levelsPerPage; ++i) {
        const std::string n = std::to_string(i);
        const LevelPack* pack = any ? &b.packs[static_cast<std::size_t>(b.currentPack)] : nullptr;
        const bool exists = pack && i < static_cast<int>(pack->levels.size());
        vars["level" + n] = exists ? pack->levels[static_cast<std::size_t>(i)].label : "";
        vars["lock" + n] = exists && LevelPacks::startable(*pack, i) ? "green" : "red";
    }
    return vars;
}

std::vector<std::string> faults(Game& g, const ScreenTable& table, const ScreenTable::Vars& vars,
                                bool fresh, const std::string& moment) {
    const std::string name = state(g) + (moment.empty() ? "" : "+" + moment);
    std::vector<std::string> lines = table.compare(name, seen(g), vars, fresh);
    for (std::string& line : lines) line = name + ": " + line;
    return lines;
}

namespace {

std::map<std::string, std::string> texts(NK::GUISystem& gui) {
    std::map<std::string, std::string> out;
    for (const NK::ShownWidget& w : gui.shownWidgets()) {
        if (w.kind == NK::ShownWidget::Button) out[w.key] = gui.getButton(w.key).text;
        if (w.kind == NK::ShownWidget::Label) out[w.key] = gui.getTextLabel(w.key).text;
        if (w.kind == NK::ShownWidget::Input) out[w.key] = gui.getTextInput(w.key).text;
    }
    return out;
}

}  // namespace

std::vector<std::string> staleFields(Game& g) {
    if (g.scene() != Editor) return {};
    EditorPanel* panel = g.editor().activePanel();
    if (!panel || panel->typing()) return {};
    const std::map<std::string, std::string> shown = texts(panel->widgetSystem());
    panel->hide();
    panel->show();
    const std::map<std::string, std::string> afresh = texts(panel->widgetSystem());
    std::vector<std::string> faults;
    const std::string page = state(g);
    for (const auto& [key, text] : afresh) {
        auto was = shown.find(key);
        if (was == shown.end())
            faults.push_back(page + " " + key + ": not shown -> \"" + text + "\"");
        else if (was->second != text)
            faults.push_back(page + " " + key + ": \"" + was->second + "\" -> \"" + text + "\"");
    }
    for (const auto& [key, text] : shown)
        if (!afresh.count(key))
            faults.push_back(page + " " + key + ": \"" + text + "\" -> not shown");
    return faults;
}

}  // namespace ScreenProbe
