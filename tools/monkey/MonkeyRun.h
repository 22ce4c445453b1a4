#pragma once
#include <sys/types.h>

#include <ctime>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/ShownWidgets.h"
#include "game/GameInstance.h"
#include "tools/monkey/MonkeyLifecycle.h"
#include "tools/monkey/MonkeyScript.h"
#include "tools/screens/ScreenTable.h"

class Game;

// "line N: A / B": the first line where two texts part, for reports.
std::string firstDifference(const std::string& a, const std::string& b);
// Two maps' texts hold the same document: equal apart from blank lines, which
// the reader skips (the editor keeps one after the ground once it has ever
// numbered a surface, and a load numbers them afresh).
bool sameDocument(const std::string& a, const std::string& b);

// The real game under a monkey's hands: started with no timer in a game
// folder of its own (a copy of the data), fed action by action through the
// engine's own event application (NK::Input, GameCore::pass), one tick at a
// time, and checked as it goes:
// - no fatal error;
// - the widgets on are exactly the ones the scene draws (Game::strayWidgets),
//   and the ones its state's rows in tests/data/screens/ hold, before every
//   click and every 30 ticks;
// - every map the editor writes, the crash copy included, passes dovra-map's
//   check, loads back to the same text and holds the level of that tick;
// - a level that differs from every saved map is never dropped without the
//   save question;
// - undo then redo gives back the same level;
// - a level left, restarted or test-run, and NEW, LOAD and RECOVER, leave
//   the stores as they found them, and a running level's elements have
//   exactly their bodies, cards, pictures and lights (LifecycleWatch).
// It also lists where the live player hung in mid-air (HangWatch).
class MonkeyRun {
public:
    struct Options {
        std::string dataFolder =
            ".";  // holds Resources/, Editor/, VAZEzadide/, tests/data/replays/
        unsigned seed = 1;
        std::string answers = "N";
    };
    explicit MonkeyRun(const Options& options);
    ~MonkeyRun();
    MonkeyRun(const MonkeyRun&) = delete;
    MonkeyRun& operator=(const MonkeyRun&) = delete;

    // False once a rule is broken; every later action is then refused.
    bool play(const MonkeyAction& action);
    bool failed() const { return !failure.empty(); }
    std::string failure;

    // What the picker looks at.
    struct OnScreen {
        std::string id;  // "system/key"
        NK::ShownWidget widget;
        bool focused = false;  // an input with the keyboard
        std::string text;      // an input's text
    };
    std::vector<OnScreen> onScreen();
    Game& game() { return *current; }
    std::vector<std::string> mapNames() const;  // the maps in Editor/Levels

    // Figures.
    long ticks = 0;
    long actions = 0;
    int questions = 0;
    int crashes = 0;
    std::map<std::string, int> clicked;  // "system/key" -> clicks
    int widgetCount = 0;                 // buttons and inputs there are, at most
    std::set<std::string> reached;       // scenes, tabs and events seen
    // Where the player hung in mid-air: the level (or "editor test run") and
    // the place, to 20 px.
    std::set<std::string> hangs;

private:
    struct FileSeen {
        off_t size = 0;
        std::timespec modified{};
        std::string normalized;  // as a load then a save would write it
    };

    void startGame();
    void stopGame();
    void send(int type, int code);
    void tick();
    void press(int code, int ticks, bool ctrl, bool shift);
    void click(float x, float y);
    void drag(const MonkeyAction& a);
    void pointer(float x, float y);
    void undoRedo();
    void fail(const std::string& why);
    void checkWidgets();
    void noteClick();
    void noteReached();

    // MonkeyChecks.cpp
    void scanMaps(bool judging, const std::string& before, const std::string& after);
    bool savedSomewhere(const std::string& level) const;
    bool dirty(const std::string& level) const;
    void checkDropped(const std::string& before, const std::string& after, bool editorBefore,
                      bool editorAfter);
    void checkHang();

    Options options;
    std::string home;    // where the run started
    std::string folder;  // the temporary game folder
    // A start that failed is let go of unfreed, on purpose: nothing of a
    // half-made game can be trusted, not even its shutdown.
    std::unique_ptr<GameInstance> instance;
    Game* current = nullptr;
    std::vector<std::pair<int, int>> pending;  // event type, key or button, for the next tick
    std::set<int> keysDown;
    bool buttonDown = false;
    float mouseX = 960.0f, mouseY = 540.0f;
    int wheel = 0;
    bool asked = false;
    std::string emptyLevel;
    std::string held;            // the editor's level while it is saved nowhere
    std::string levelBeforeRun;  // the editor's level as a test run found it
    std::map<std::string, FileSeen> maps;
    int lastScene = -1;
    ScreenTable screens;  // what each state of each screen must show
    LifecycleWatch lifecycle;
};
