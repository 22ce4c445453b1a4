#pragma once
#include <map>
#include <string>
#include <vector>

#include "engine/Color.h"
#include "engine/Rect.h"
#include "engine/ShownWidgets.h"

// What each screen must show, read from tests/data/screens/: for every
// state of every scene and editor page, the widgets on, each with its system,
// kind, key, text and rectangle on the 1920x1080 screen, in the order the
// screen draws each kind. The rule the fuzzer's shown-against-drawn check
// cannot hold: not only that what is on is drawn, but that what is on is
// what belongs there.
//
// The file is blocks of rows and states made of blocks:
//
//   block main_menu
//   game button main_button_0 "Levels" mid 672 500 800 100
//   state menu = main_menu
//
// A state's blocks after the word "with" change rows already in it (the
// same system and key), for a page that differs from another in values only.
//
// A row is system, kind (button, label, input), key, text, place ("at" the
// top-left corner or "mid" the centre, then width and height; each number
// may be a sum such as 66+1454/6+10) and, for a button's text colour, red,
// green, white or a variable. A text is "exact", ~"as first shown" (a value
// or message that changes with use: held only when a state is reached
// afresh) or $variable (given by the caller: a pack's name, a level's label);
// a text ending in "..." stands for every text that begins as it does.
// `#` starts a comment.
struct ScreenRow {
    enum class Text { Exact, Fresh, Variable };
    std::string system;
    NK::ShownWidget::Kind kind = NK::ShownWidget::Button;
    std::string key;
    Text textRule = Text::Exact;
    std::string text;    // the text, or the variable's name
    NK::Rect area;       // top-left corner
    std::string colour;  // "" for none, a colour's name or "$variable"
    std::string where;   // "file:line" in the table
};

// A widget as the running game shows it.
struct SeenWidget {
    std::string system;
    NK::ShownWidget::Kind kind = NK::ShownWidget::Button;
    std::string key;
    std::string text;
    NK::Color colour;
    NK::Rect area;
    int drawn = -1;  // place in its system's drawing order; -1: not drawn
};

class ScreenTable {
public:
    using Vars = std::map<std::string, std::string>;

    // Empty `error` on success; otherwise it names the line and what is wrong.
    static ScreenTable parse(const std::string& text, std::string& error);
    // Every .txt file of the folder in the order of their names, as one
    // text: a state may use the blocks of the files before its own.
    static ScreenTable load(const std::string& folder, std::string& error);

    // One line per difference between the state's rows and what is seen:
    // a widget missing or extra, a text, colour or place that differs, a
    // kind drawn in another order. `fresh` holds the ~ texts too.
    std::vector<std::string> compare(const std::string& state, const std::vector<SeenWidget>& seen,
                                     const Vars& vars, bool fresh) const;

    // Rows in the table's own words, for reports.
    static std::string describe(const ScreenRow& row);
    static std::string describe(const SeenWidget& widget);

private:
    // Adds the blocks and states of one file; false with `error` set on a fault.
    bool read(const std::string& text, const std::string& source, std::string& error);

    std::map<std::string, std::vector<ScreenRow>> blocks;
    std::map<std::string, std::vector<ScreenRow>> states;
};
