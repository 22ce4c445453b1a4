#include "tools/monkey/MonkeyLifecycle.h"

#include <allegro5/allegro.h>

#include <algorithm>

#include "editor/EditorFrame.h"
#include "elements/Dialogs.h"
#include "engine/GUISystem.h"
#include "game/Game.h"

namespace {

void erase(std::vector<std::string>& keys, const std::string& key) {
    keys.erase(std::remove(keys.begin(), keys.end(), key), keys.end());
}

bool holds(const std::vector<std::string>& keys, const std::string& key) {
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

}  // namespace

bool LifecycleWatch::running(Game& g) const {
    return g.scene() == Play || (g.scene() == Editor && g.editor().tabs.testRunning);
}

std::string LifecycleWatch::clickedButton(Game& g, float x, float y) const {
    for (const Game::WidgetSystem& s : g.widgetSystems())
        for (const NK::ShownWidget& w : s.gui->shownWidgets()) {
            const NK::Rect& r = w.area;
            if (w.kind == NK::ShownWidget::Button && x >= r.x && y >= r.y && x <= r.x + r.width &&
                y <= r.y + r.height)
                return s.name + "/" + w.key;
        }
    return {};
}

void LifecycleWatch::reset(Game& g) {
    *this = LifecycleWatch();
    emptyLevel = takeCensus(g).levelShare();
}

void LifecycleWatch::before(Game& g, const std::vector<std::pair<int, int>>& events, float x,
                            float y) {
    sceneBefore = g.scene();
    runningBefore = running(g);
    bool keyR = false, buttonDown = false;
    for (const auto& [type, code] : events) {
        keyR = keyR || (type == ALLEGRO_EVENT_KEY_DOWN && code == ALLEGRO_KEY_R);
        buttonDown = buttonDown || type == ALLEGRO_EVENT_MOUSE_BUTTON_DOWN;
    }
    // A button acts on the press that lands on it.
    const std::string button = buttonDown ? clickedButton(g, x, y) : std::string();
    restarting = runningBefore && (keyR || button == "game/restart");
    ioClick.clear();
    if (!runningBefore && sceneBefore == Editor)
        for (const char* key : {"new", "load", "recover"})
            if (button == std::string("io/") + key) ioClick = key;
}

std::vector<std::string> LifecycleWatch::after(Game& g, long tick) {
    std::vector<std::string> lines;
    auto report = [&lines](const std::string& when, const Census& expected, const Census& found) {
        for (const std::string& d : differences(expected, found))
            lines.push_back(when + ", the stores differ from before it: " + d);
    };
    const bool runningNow = running(g);
    if (runningNow && tick % 30 == 0)
        for (const std::string& line : runMismatches(g))
            lines.push_back("while a level runs: " + line);

    if (sceneBefore == Play && g.scene() != Play) {
        // Leaving empties the level, and the main menu comes up.
        const Census now = takeCensus(g);
        report("a level left", rest.withoutLevel().withoutWidgets(),
               now.withoutLevel().withoutWidgets());
        report("a level left", emptyLevel, now.levelShare());
        if (haveMenu && g.scene() == MainMenu) report("a level left", menuWidgets, now.widgets());
    } else if (g.scene() == Play && (sceneBefore != Play || restarting)) {
        // A restart must find what the level's first start made, no more.
        const Census now = takeCensus(g);
        if (sceneBefore == Play) report("a level restarted", started, now);
        started = now;
    } else if (runningBefore && runningNow && restarting) {
        // The run's start ticks the level once in the same update, so only
        // a restart shows what a start alone makes: each is held to the last.
        const Census now = takeCensus(g);
        if (haveRunRestart) report("a test run restarted", runRestarted, now);
        runRestarted = now;
        haveRunRestart = true;
    } else if (runningBefore && !runningNow) {
        Census expected = rest;
        // The Dialogs page's preview closes with the page, which the run's
        // start hides; nothing else of the editor is the run's to change.
        erase(expected.keys["cards"], Dialogs::previewKey);
        const Census now = takeCensus(g);
        // Only back on the tab and the row it left does the editor show the
        // widgets it showed; a tab chosen during the run shows its own.
        const EditorTabs& tabs = g.editor().tabs;
        if (g.scene() == Editor && tabs.editorTab == restTab && tabs.tabRow == restRow)
            report("a test run ended", expected, now);
        else if (g.scene() == Editor)
            report("a test run ended", expected.withoutWidgets(), now.withoutWidgets());
        haveRunRestart = false;
    } else if (!ioClick.empty() && g.scene() == Editor) {
        const Census now = takeCensus(g);
        Census expected = rest;
        // The recovery copy is offered only until a level replaces the one
        // the game started with.
        std::vector<std::string>& io = expected.keys["widgets io"];
        if (!holds(now.keys.at("widgets io"), "recover")) erase(io, "recover");
        // LOAD and RECOVER bring the new level's own share by design; the
        // empty level's share is the one known exactly, and a share the
        // next NEW does not give back shows there.
        std::string what = ioClick;
        std::transform(what.begin(), what.end(), what.begin(), ::toupper);
        report(what, expected.withoutLevel(), now.withoutLevel());
        if (ioClick == "new") report(what, emptyLevel, now.levelShare());
    }

    if (!runningNow) {
        rest = takeCensus(g);
        restTab = g.editor().tabs.editorTab;
        restRow = g.editor().tabs.tabRow;
        if (g.scene() == MainMenu) {
            menuWidgets = rest.widgets();
            haveMenu = true;
        }
    }
    return lines;
}
