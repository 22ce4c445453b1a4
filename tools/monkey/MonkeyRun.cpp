#include "tools/monkey/MonkeyRun.h"

#include <allegro5/allegro.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "editor/EditorFrame.h"
#include "editor/ImportExportPanel.h"
#include "elements/EditorPanel.h"
#include "elements/LevelFile.h"
#include "engine/GUISystem.h"
#include "engine/Input.h"
#include "engine/Log.h"
#include "engine/Platform.h"
#include "game/Game.h"
#include "game/PlayScene.h"
#include "tools/screens/ScreenProbe.h"

namespace fs = std::filesystem;

namespace {

// The fatal path, trapped: the run reports it instead of ending.
struct Fatal {
    std::string text;
};

// The clock the game's file names read: a fixed day, moved on by the ticks.
std::time_t monkeyTime = 1767225600;  // 2026-01-01 00:00 UTC

const char* const tabNames[] = {"player", "gate",        "enemies",      "levers", "dialogs",
                                "npcs",   "backgrounds", "surfaces",     "boxes",  "circles",
                                "lights", "test run",    "import/export"};

}  // namespace

MonkeyRun::MonkeyRun(const Options& o) : options(o) {
    home = fs::current_path().string();
    const fs::path data = fs::absolute(options.dataFolder);
    std::string unread;
    screens = ScreenTable::load((data / "tests/data/screens").string(), unread);
    if (!unread.empty()) {
        failure = "no screen table: " + unread;
        return;
    }
    char pattern[] = "/tmp/dovra-monkey-XXXXXX";
    if (!mkdtemp(pattern)) {
        failure = "no temporary folder";
        return;
    }
    folder = pattern;
    fs::copy(data / "Resources", fs::path(folder) / "Resources", fs::copy_options::recursive);
    fs::copy(data / "Editor", fs::path(folder) / "Editor", fs::copy_options::recursive);
    fs::copy(data / "VAZEzadide", fs::path(folder) / "VAZEzadide", fs::copy_options::recursive);
    // The small levels the replays prove, to load by name: one is won by
    // walking right, another lost the same way.
    for (const auto& entry : fs::directory_iterator(data / "tests/data/replays"))
        if (entry.path().extension() == ".txt")
            fs::copy(entry.path(), fs::path(folder) / "Editor/Levels" / entry.path().filename());
    fs::current_path(folder);
    NK::Platform::wallClock = [] { return monkeyTime; };
    NK::setFatalHandler([](const std::string& heading, const std::string& text) {
        throw Fatal{heading + ": " + text};
    });
    scanMaps(false, "", "");
    startGame();
}

MonkeyRun::~MonkeyRun() {
    if (current) stopGame();
    NK::resetFatalHandler();
    if (!home.empty()) fs::current_path(home);
    if (!folder.empty()) {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
}

void MonkeyRun::startGame() {
    // A crash copy after two seconds of editing, not thirty.
    GameStart start{"Dovra monkey"};
    start.recoverySeconds = 2;
    try {
        instance = std::make_unique<GameInstance>(start);
        current = instance->get();
        current->startClocks();
    } catch (const Fatal& f) {
        fail("fatal error while starting: " + f.text);
        (void)instance.release();
        current = nullptr;
        return;
    }
    std::srand(options.seed + static_cast<unsigned>(crashes));
    current->importExport().askToSave = [this] {
        asked = true;
        const char answer =
            options.answers[static_cast<std::size_t>(questions) % options.answers.size()];
        ++questions;
        reached.insert(answer == 'Y' ? "question: yes" : "question: no");
        return answer == 'Y';
    };
    // The empty level is the one the editor opens on, cleared as it clears
    // it, which needs its pages: built now rather than over the menu's first ticks.
    current->finishBuilding();
    current->levelFile().clear();
    emptyLevel = current->levelFile().snapshot();
    lifecycle.reset(*current);
    keysDown.clear();
    buttonDown = false;
    wheel = 0;
    lastScene = -1;
    pointer(mouseX, mouseY);
}

void MonkeyRun::stopGame() {
    instance.reset();
    current = nullptr;
}

void MonkeyRun::fail(const std::string& why) {
    if (failure.empty()) failure = "tick " + std::to_string(ticks) + ": " + why;
}

void MonkeyRun::send(int type, int code) {
    pending.push_back({type, code});
}

void MonkeyRun::pointer(float x, float y) {
    mouseX = x;
    mouseY = y;
    if (!current) return;
    NK::Input& in = *current->input;
    in.mouse.x = static_cast<int>(x * current->display->windowWidth / 1920.0f);
    in.mouse.y = static_cast<int>(y * current->display->windowHeight / 1080.0f);
}

void MonkeyRun::tick() {
    if (failed() || !current) return;
    Game& g = *current;
    NK::Input& in = *g.input;
    const bool editorBefore = g.scene() == Editor;
    // A test run moves the level's own records; the level is the one it
    // started from, and the run gives it back when it ends.
    const bool runningBefore = editorBefore && g.editor().tabs.testRunning;
    const bool watch = editorBefore || !held.empty();
    // The question is only for a level holding something: a level with only
    // the player and the gate where its file put them counts as empty.
    const bool emptyBefore = g.levelFile().isEmpty();
    const std::string before = !watch          ? std::string()
                               : runningBefore ? levelBeforeRun
                                               : g.levelFile().snapshot();
    asked = false;
    lifecycle.before(g, pending, mouseX, mouseY);
    try {
        // Each event as the loop takes it: the state snapshots already
        // reflect it when it is applied.
        for (auto [type, code] : pending) {
            ALLEGRO_EVENT e{};
            e.type = static_cast<ALLEGRO_EVENT_TYPE>(type);
            if (type == ALLEGRO_EVENT_KEY_DOWN || type == ALLEGRO_EVENT_KEY_UP) {
                e.keyboard.keycode = code;
                unsigned& word = in.keyboard.__key_down__internal__[code / 32];
                const unsigned bit = 1u << (code % 32);
                word = type == ALLEGRO_EVENT_KEY_DOWN ? (word | bit) : (word & ~bit);
            } else {
                e.mouse.button = static_cast<unsigned>(code);
                if (type == ALLEGRO_EVENT_MOUSE_BUTTON_DOWN)
                    in.mouse.buttons |= 1;
                else
                    in.mouse.buttons &= ~1;
            }
            g.pass(e, false);
        }
        pending.clear();
        in.mouse.z = wheel;
        ALLEGRO_EVENT timer{};
        timer.type = ALLEGRO_EVENT_TIMER;
        g.pass(timer, false);
    } catch (const Fatal& f) {
        fail("fatal error: " + f.text);
        return;
    }
    ++ticks;
    if (ticks % 60 == 0) ++monkeyTime;
    const bool editorAfter = g.scene() == Editor;
    if (watch || editorAfter) {
        const std::string after = g.levelFile().snapshot();
        if (editorBefore || editorAfter) scanMaps(true, before, after);
        if (watch && !emptyBefore && !(runningBefore && editorAfter))
            checkDropped(before, after, editorBefore, editorAfter);
        if (editorAfter && !g.editor().tabs.testRunning) {
            held = dirty(after) ? after : std::string();
            levelBeforeRun = after;
        } else if (!editorAfter && held != after) {
            held.clear();
        }
    }
    checkHang();
    for (const std::string& line : lifecycle.after(g, ticks)) fail(line);
    noteReached();
    if (g.scene() != lastScene || ticks % 30 == 0) checkWidgets();
    lastScene = g.scene();
}

void MonkeyRun::checkWidgets() {
    if (failed() || !current) return;
    // Only which widgets are drawn matters here, not their pixels: a frame
    // clipped to one pixel costs the rasteriser next to nothing.
    al_set_target_backbuffer(current->display->display);
    al_set_clipping_rectangle(0, 0, 1, 1);
    const std::vector<std::string> stray = current->strayWidgets();
    // Values typed and toggled change with use; the rest must be the table's.
    const std::vector<std::string> wrong =
        ScreenProbe::faults(*current, screens, ScreenProbe::browserVars(*current), false);
    al_set_target_backbuffer(current->display->display);
    al_reset_clipping_rectangle();
    for (const std::string& line : stray)
        fail("widget on that the scene does not draw, or the other way round: " + line);
    for (const std::string& line : wrong) fail("the screen is not as its table says: " + line);
    // Between drags only: showing the page afresh lets go of what it holds.
    bool dragging = false;
    for (int b = 1; b < NK::Input::mouseSlots; ++b)
        dragging = dragging || current->input->mouseDown(b);
    if (!dragging)
        for (const std::string& line : ScreenProbe::staleFields(*current))
            fail("a page field no longer shows its element: " + line);
    else if (current->scene() == Editor && current->editor().activePanel())
        for (const std::string& line : current->editor().activePanel()->staleFields())
            fail("a page field not kept up during a drag: " + line);
}

void MonkeyRun::noteReached() {
    Game& g = *current;
    switch (g.scene()) {
        case MainMenu:
            reached.insert("menu");
            break;
        case LevelBrowser:
            reached.insert("browser");
            break;
        case Tutorial:
            reached.insert("tutorial");
            break;
        case Play:
            reached.insert("play");
            if (g.play().won) reached.insert("play: won");
            if (g.play().lost) reached.insert("play: lost");
            break;
        case Editor:
            reached.insert(std::string("editor: ") + tabNames[g.editor().tabs.editorTab]);
            break;
        default:
            break;
    }
}

std::vector<MonkeyRun::OnScreen> MonkeyRun::onScreen() {
    std::vector<OnScreen> all;
    if (!current) return all;
    for (const Game::WidgetSystem& s : current->widgetSystems()) {
        for (const NK::ShownWidget& w : s.gui->shownWidgets()) {
            if (!w.clickable()) continue;
            OnScreen o{s.name + "/" + w.key, w, false, {}};
            if (w.kind == NK::ShownWidget::Input) {
                o.focused = s.gui->getTextInput(w.key).focused;
                o.text = s.gui->getTextInput(w.key).text;
            }
            all.push_back(o);
        }
    }
    return all;
}

std::vector<std::string> MonkeyRun::mapNames() const {
    std::vector<std::string> names;
    for (const auto& [name, seen] : maps) names.push_back(name);
    return names;
}

void MonkeyRun::noteClick() {
    int count = 0;
    for (const Game::WidgetSystem& s : current->widgetSystems()) count += s.gui->clickableCount();
    widgetCount = std::max(widgetCount, count);
    for (const OnScreen& o : onScreen()) {
        const NK::Rect& r = o.widget.area;
        if (mouseX < r.x || mouseY < r.y || mouseX > r.x + r.width || mouseY > r.y + r.height)
            continue;
        ++clicked[o.id];
        if (o.id == "io/new") reached.insert("NEW");
        if (o.id == "io/load") reached.insert("LOAD");
        if (o.id == "io/recover") reached.insert(crashes ? "RECOVER after a crash" : "RECOVER");
        if (o.id == "io/save")
            reached.insert(current->importExport().widgets().getButton("save").text);
        if (o.id == "game/levels_load") reached.insert("browser: load by name");
    }
}

void MonkeyRun::press(int code, int count, bool ctrl, bool shift) {
    if (current && current->scene() == Play) {
        if (code == ALLEGRO_KEY_R) reached.insert("play: R");
        if (code == ALLEGRO_KEY_ESCAPE) reached.insert("play: Escape");
    }
    if (ctrl) send(ALLEGRO_EVENT_KEY_DOWN, ALLEGRO_KEY_LCTRL);
    if (shift) send(ALLEGRO_EVENT_KEY_DOWN, ALLEGRO_KEY_LSHIFT);
    send(ALLEGRO_EVENT_KEY_DOWN, code);
    for (int i = 0; i < count; ++i) tick();
    send(ALLEGRO_EVENT_KEY_UP, code);
    if (shift) send(ALLEGRO_EVENT_KEY_UP, ALLEGRO_KEY_LSHIFT);
    if (ctrl) send(ALLEGRO_EVENT_KEY_UP, ALLEGRO_KEY_LCTRL);
    tick();
}

void MonkeyRun::click(float x, float y) {
    pointer(x, y);
    // The frame the user clicks on: what is on must be what was drawn.
    checkWidgets();
    noteClick();
    send(ALLEGRO_EVENT_MOUSE_BUTTON_DOWN, 1);
    tick();
    send(ALLEGRO_EVENT_MOUSE_BUTTON_UP, 1);
    tick();
}

void MonkeyRun::drag(const MonkeyAction& a) {
    pointer(a.x, a.y);
    checkWidgets();
    noteClick();
    send(ALLEGRO_EVENT_MOUSE_BUTTON_DOWN, 1);
    tick();
    for (int i = 1; i <= a.ticks; ++i) {
        const float t = static_cast<float>(i) / a.ticks;
        pointer(a.x + (a.x2 - a.x) * t, a.y + (a.y2 - a.y) * t);
        tick();
    }
    send(ALLEGRO_EVENT_MOUSE_BUTTON_UP, 1);
    tick();
}

void MonkeyRun::undoRedo() {
    // A change still waiting for its step is taken first, as a user's pause would.
    tick();
    if (!current) return;
    Game& g = *current;
    bool typing = false;
    for (const OnScreen& o : onScreen()) typing = typing || o.focused;
    const bool checked = g.scene() == Editor && !g.editor().tabs.testRunning && !typing;
    const std::string before = g.levelFile().snapshot();
    // At the start of the history undo has nothing to take back, and redo
    // then rightly brings back a step undone earlier: only a level with a
    // step behind it must come back from undo then redo.
    const bool unrecorded = before != g.editor().history.current();
    const bool stepBehind = unrecorded || g.editor().history.undoSteps() > 0;
    press(ALLEGRO_KEY_Z, 1, true, false);
    const std::string undone = current ? g.levelFile().snapshot() : std::string();
    press(ALLEGRO_KEY_Y, 1, true, false);
    if (!checked || failed() || !current) return;
    reached.insert("undo/redo");
    if (!stepBehind) {
        if (!sameDocument(undone, before))
            fail("undo with nothing to undo changed the level, " + firstDifference(before, undone));
        return;
    }
    const std::string after = g.levelFile().snapshot();
    if (sameDocument(after, before) == false)
        fail("undo then redo did not give back the level, " + firstDifference(before, after));
}

bool MonkeyRun::play(const MonkeyAction& a) {
    if (failed() || !current) return false;
    ++actions;
    switch (a.kind) {
        case MonkeyAction::Idle:
            for (int i = 0; i < a.ticks; ++i) tick();
            break;
        case MonkeyAction::Key:
            press(monkeyKeyCode(a.key), a.ticks, a.ctrl, a.shift);
            break;
        case MonkeyAction::Click:
            click(a.x, a.y);
            break;
        case MonkeyAction::Drag:
            drag(a);
            break;
        case MonkeyAction::Move:
            pointer(a.x, a.y);
            tick();
            break;
        case MonkeyAction::Type:
            for (char c : a.key) {
                const TypedKey k = monkeyTypedKey(c);
                if (k.code) press(k.code, 1, false, k.shift);
            }
            break;
        case MonkeyAction::Wheel:
            wheel += a.wheel;
            tick();
            break;
        case MonkeyAction::UndoRedo:
            undoRedo();
            break;
        case MonkeyAction::Crash:
            // Gone without a word: no question, no save, only the crash copy stays.
            ++crashes;
            reached.insert("crash");
            stopGame();
            held.clear();
            startGame();
            tick();
            break;
    }
    return !failed();
}
