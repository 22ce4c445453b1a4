// The screen table's reader and its comparison, without a game: a table it
// cannot read is refused with its line, and every way a screen can differ
// from its rows is reported.
#include <algorithm>

#include "tests/support/Testing.h"
#include "tools/screens/ScreenTable.h"

namespace {

bool anyStartsWith(const std::vector<std::string>& lines, const std::string& start) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.rfind(start, 0) == 0; });
}

SeenWidget seen(const char* key, NK::ShownWidget::Kind kind, const char* text, NK::Rect area,
                int drawn) {
    return {"game", kind, key, text, NK::Color(0, 1, 0, 1), area, drawn};
}

}  // namespace

TEST(ScreenTable, UnreadableRowOrUnknownBlockRefusedWithItsLine) {
    const char* const broken[][2] = {
        {"block a\ngame button k \"K\" mid 1 2 3\n", "table:2: a row is"},
        {"block a\ngame knob k \"K\" at 1 2 3 4\n", "table:2: kind \"knob\""},
        {"block a\ngame button k \"K\" at 1 2+ 3 4\n", "table:2: \"2+\" is not a number"},
        {"block a\ngame button k K at 1 2 3 4\n", "table:2: text K"},
        {"block a\n\ngame button k \"K at 1 2 3 4\n", "table:3: a text without"},
        {"game button k \"K\" at 1 2 3 4\n", "table:1: a row outside a block"},
        {"block a\nstate s = a b\n", "table:2: no block \"b\""},
        {"block a\ngame label k \"\" at 0 0 1 1\nstate s = a a\n", "table:3: game/k twice"},
        {"block a\ngame label k \"\" at 0 0 1 1\nblock b\ngame label j \"\" at 0 0 1 1\n"
         "state s = a with b\n",
         "table:5: game/j changed but not in"}};
    for (const auto& [text, start] : broken) {
        std::string error;
        ScreenTable::parse(text, error);
        EXPECT_EQ(error.rfind(start, 0), 0u) << text << " gave: " << error;
    }
}

TEST(ScreenTable, MissingExtraRetextedMovedRecolouredOrReorderedWidgetReported) {
    std::string error;
    const ScreenTable t = ScreenTable::parse(
        "block b\n"
        "game button one \"One\" mid 100 100 20+20 10*2\n"
        "game button two $two at 0 0 10 10 $lock\n"
        "game button three ~\"3\" at 0 20 10 10\n"
        "game label gone \"\" at 0 0 1 1\n"
        "state s = b\n",
        error);
    ASSERT_EQ(error, "");
    using K = NK::ShownWidget;
    const std::vector<SeenWidget> right = {seen("one", K::Button, "One", {80, 90, 40, 20}, 0),
                                           seen("two", K::Button, "Two", {0, 0, 10, 10}, 1),
                                           seen("three", K::Button, "3", {0, 20, 10, 10}, 2),
                                           seen("gone", K::Label, "", {0, 0, 1, 1}, 0)};
    const ScreenTable::Vars vars{{"two", "Two"}, {"lock", "green"}};
    EXPECT_EQ(t.compare("s", right, vars, true), std::vector<std::string>{});

    std::vector<SeenWidget> wrong = right;
    wrong[0].area.width = 39.0f;  // a pixel narrower
    wrong[1].text = "Too";        // another label
    wrong[1].colour = NK::Color(1, 0, 0, 1);
    std::swap(wrong[1].drawn, wrong[2].drawn);  // drawn in the other order
    wrong[2].text = "4";                        // a value changed by use
    wrong.pop_back();                           // a widget gone
    wrong.push_back(seen("stray", K::Input, "", {0, 0, 5, 5}, 3));
    const std::vector<std::string> lines = t.compare("s", wrong, vars, true);
    for (const char* start :
         {"place of game/one:", "text of game/two: \"Too\", table \"Two\"",
          "colour of game/two: not green", "text of game/three", "missing: game/label gone",
          "extra: game/input stray",
          "order of game buttons: drawn one, three, two; table one, two, three"})
        EXPECT_TRUE(anyStartsWith(lines, start)) << start;
    EXPECT_EQ(lines.size(), 7u);
    // A value changed by use is the fuzzer's to leave alone; the rest is not.
    EXPECT_EQ(t.compare("s", wrong, vars, false).size(), 6u);
    EXPECT_TRUE(anyStartsWith(t.compare("s", right, {}, true), "no value given for $two"));
}
