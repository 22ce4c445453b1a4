#include "tools/monkey/MonkeyPicker.h"

#include <algorithm>
#include <cmath>

#include "editor/EditorFrame.h"
#include "engine/Input.h"
#include "game/Game.h"
#include "game/PlayScene.h"

namespace {

MonkeyAction idle(int ticks) {
    MonkeyAction a;
    a.kind = MonkeyAction::Idle;
    a.ticks = ticks;
    return a;
}

MonkeyAction key(const std::string& name, int ticks = 1, bool ctrl = false, bool shift = false) {
    MonkeyAction a;
    a.kind = MonkeyAction::Key;
    a.key = name;
    a.ticks = ticks;
    a.ctrl = ctrl;
    a.shift = shift;
    return a;
}

MonkeyAction at(MonkeyAction::Kind kind, float x, float y) {
    MonkeyAction a;
    a.kind = kind;
    a.x = std::round(x);
    a.y = std::round(y);
    return a;
}

}  // namespace

std::string MonkeyPicker::answers() {
    std::string s;
    for (int i = 0; i < 16; ++i) s += chance(0.5) ? 'Y' : 'N';
    return s;
}

MonkeyAction MonkeyPicker::next(MonkeyRun& run) {
    Game& g = run.game();
    for (const MonkeyRun::OnScreen& o : run.onScreen())
        if (o.focused && chance(0.7)) {
            // A name typed after another finds nothing: clear the field first, mostly.
            if (!o.text.empty() && chance(0.6)) return key("DELETE");
            // Caps Lock left on types every name in capitals: mostly put it off.
            if (g.input->capsLock && chance(0.8)) return key("CAPSLOCK");
            return typeText(run, o.id);
        }
    // A level by name takes a focused field, a whole name and LOAD in turn,
    // which clicks at random seldom line up: the browser leans that way.
    if (g.scene() == LevelBrowser && chance(0.3)) {
        const std::vector<std::string> names = run.mapNames();
        for (const MonkeyRun::OnScreen& o : run.onScreen()) {
            if (o.id != "game/levels_load_path") continue;
            const bool named = std::find(names.begin(), names.end(), o.text) != names.end();
            for (const MonkeyRun::OnScreen& load : run.onScreen())
                if (load.id == (named ? "game/levels_load" : "game/levels_load_path"))
                    return at(MonkeyAction::Click, load.widget.area.x + load.widget.area.width / 2,
                              load.widget.area.y + load.widget.area.height / 2);
        }
    }
    // Crashes matter most with a level in the editor, where a copy is kept.
    if (chance(g.scene() == Editor ? 0.006 : 0.001)) {
        MonkeyAction a;
        a.kind = MonkeyAction::Crash;
        return a;
    }
    const bool playing = g.scene() == Play && !g.play().won && !g.play().lost;
    const bool running = g.scene() == Editor && g.editor().tabs.testRunning;
    // A level is mostly walked: a click on nothing or a stray Escape ends it
    // long before its gate.
    if ((playing || running) && chance(playing ? 0.9 : 0.6)) return inLevel();
    const int roll = below(100);
    if (roll < 55) return clickWidget(run);
    if (roll < 70 && g.scene() == Editor) return inEditingArea();
    if (roll < 78) return someKey();
    if (roll < 84 && g.scene() == Editor) {
        MonkeyAction a;
        a.kind = MonkeyAction::UndoRedo;
        return a;
    }
    if (roll < 88) {
        MonkeyAction a = at(MonkeyAction::Wheel, 0, 0);
        a.wheel = below(2) ? 1 + below(3) : -1 - below(3);
        return a;
    }
    if (roll < 94) return at(MonkeyAction::Click, between(0, 1920), between(0, 1080));
    if (roll < 97) return at(MonkeyAction::Move, between(0, 1920), between(0, 1080));
    return idle(1 + below(90));
}

MonkeyAction MonkeyPicker::clickWidget(MonkeyRun& run) {
    const std::vector<MonkeyRun::OnScreen> on = run.onScreen();
    if (on.empty()) return someKey();
    // The least clicked widgets are the likeliest: new ground first.
    std::vector<double> weights;
    for (const MonkeyRun::OnScreen& o : on) {
        auto seen = run.clicked.find(o.id);
        weights.push_back(1.0 / (1.0 + (seen == run.clicked.end() ? 0 : seen->second)));
    }
    std::discrete_distribution<std::size_t> pick(weights.begin(), weights.end());
    const NK::Rect r = on[pick(random)].widget.area;
    const float x = r.x + between(0.1f, 0.9f) * r.width;
    const float y = r.y + between(0.1f, 0.9f) * r.height;
    if (chance(0.1)) {
        MonkeyAction a = at(MonkeyAction::Drag, x, y);
        a.x2 = std::round(x + between(-200, 200));
        a.y2 = std::round(y + between(-100, 100));
        a.ticks = 1 + below(20);
        return a;
    }
    return at(MonkeyAction::Click, x, y);
}

MonkeyAction MonkeyPicker::typeText(MonkeyRun& run, const std::string& input) {
    MonkeyAction a;
    a.kind = MonkeyAction::Type;
    const bool mapName = input == "io/load_path" || input == "game/levels_load_path";
    const bool saveName = input == "io/save_path";
    if (chance(0.15)) return key(chance(0.5) ? "ENTER" : "ESCAPE");
    if (chance(0.08)) return key("BACKSPACE", 1 + below(3));
    if (chance(0.04)) return key("DELETE");
    if (mapName) {
        const std::vector<std::string> names = run.mapNames();
        // The walk to the gate and the walk off the edge end a level by name.
        const int roll = below(100);
        a.key = roll < 30 ? "walk.txt" : roll < 40 ? "fall.txt" : roll < 45 ? "nothing.txt" : "";
        if (a.key.empty()) a.key = names.empty() ? "walk.txt" : names[below(int(names.size()))];
    } else if (saveName) {
        static const char* const names[] = {"mine.txt", "mine.txt",      "level_2.txt", "walk.txt",
                                            "b",        ".recovery.txt", "  "};
        a.key = names[below(7)];
    } else {
        static const char* const numbers[] = {"0",  "1",      "12",      "250",     "-40",   "3.5",
                                              "-0", "999999", "2000000", "1000001", "0.001", "."};
        a.key = chance(0.8) ? numbers[below(12)] : std::string(1, "abcxyz-_ "[below(9)]);
    }
    return a;
}

MonkeyAction MonkeyPicker::inLevel() {
    const int roll = below(100);
    if (roll < 45) return key("D", 20 + below(260));
    if (roll < 60) return key("A", 10 + below(120));
    if (roll < 72) return key("W", 1 + below(3));
    if (roll < 80) return key("E");
    if (roll < 88) return at(MonkeyAction::Click, between(0, 1920), between(0, 1080));
    if (roll < 90) return key("R");
    if (roll < 91) return key("ESCAPE");
    return idle(1 + below(60));
}

MonkeyAction MonkeyPicker::inEditingArea() {
    // Right of the tabs' icons, below the bars, left of the right panel.
    const float x = between(80, 1500), y = between(140, 1070);
    if (chance(0.5)) {
        MonkeyAction a = at(MonkeyAction::Drag, x, y);
        a.x2 = std::round(x + between(-300, 300));
        a.y2 = std::round(y + between(-200, 200));
        a.ticks = 1 + below(30);
        return a;
    }
    if (chance(0.2)) return key(chance(0.5) ? "DELETE" : "BACKSPACE");
    return at(MonkeyAction::Click, x, y);
}

MonkeyAction MonkeyPicker::someKey() {
    static const char* const keys[] = {
        "ESCAPE", "ENTER", "SPACE", "DELETE", "BACKSPACE", "R",    "W",  "A", "S",
        "D",      "E",     "Z",     "Y",      "TAB",       "LEFT", "UP", "1", "CAPSLOCK"};
    const char* name = keys[below(18)];
    if (std::string(name) == "CAPSLOCK" && chance(0.7)) name = "ESCAPE";
    const bool ctrl = chance(0.15);
    return key(name, chance(0.2) ? 2 + below(60) : 1, ctrl, ctrl && chance(0.3));
}
