#pragma once
#include <string>
#include <vector>

// A monkey run written down: what a user's hands did, action by action, in
// a small text file that plays the same run again. Points are on the logical
// 1920x1080 screen; keys are by name (A, ESCAPE, ENTER...).
//
//   answers YNNY         the answers to the save question, in turn, again and again
//   idle 40              nothing for 40 ticks
//   key ESCAPE           a press; "key D 120" holds D for 120 ticks;
//   key Z 1 ctrl shift   ... with Control and Shift held around it
//   click 960 690        pointer there, the left button down one tick and up
//   drag 800 500 900 520 12   button down at the first point, moved there over 12 ticks, up
//   move 100 200         the pointer alone
//   type walk.txt        one key a tick; capitals and "_" with Shift
//   wheel -2             the mouse wheel by two notches
//   undoredo             Ctrl+Z then Ctrl+Y, the level checked to be as before
//   crash                the game ends without a word and starts again
//   "#" starts a comment.
struct MonkeyAction {
    enum Kind { Idle, Key, Click, Drag, Move, Type, Wheel, UndoRedo, Crash };
    Kind kind = Idle;
    int ticks = 1;
    std::string key;  // Key: the key's name; Type: the text
    bool ctrl = false;
    bool shift = false;
    float x = 0, y = 0, x2 = 0, y2 = 0;
    int wheel = 0;
};

struct MonkeyScript {
    std::string answers = "N";  // Y or N each
    std::vector<MonkeyAction> actions;
};

struct MonkeyParse {
    bool ok = false;
    MonkeyScript script;
    std::string error;  // "line N: why"
};
MonkeyParse parseMonkeyScript(const std::string& text);
std::string monkeyActionLine(const MonkeyAction& action);
std::string monkeyScriptText(const MonkeyScript& script);

// The Allegro key code of a key's name, or 0 for a name this format lacks.
int monkeyKeyCode(const std::string& name);
// The keys of a character as typed on a US keyboard: the code and whether
// Shift is held; code 0 when the character cannot be typed.
struct TypedKey {
    int code = 0;
    bool shift = false;
};
TypedKey monkeyTypedKey(char c);
