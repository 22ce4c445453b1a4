#include "tools/monkey/MonkeyScript.h"

#include "tests/support/Testing.h"

// A failing run is only worth keeping if its file plays the same actions
// back: every kind written and read again gives the same text, a typed space
// at the end of a name included.
TEST(MonkeyScript, WrittenActionsReadBackDifferently) {
    const std::string text =
        "answers YNNY\n"
        "idle 40\n"
        "key D 120\n"
        "key Z 1 ctrl shift\n"
        "click 960 690\n"
        "drag 800 500 900 520 12\n"
        "move 100.5 200\n"
        "type Map_walk.txt\n"
        "type \"12 \"\n"
        "wheel -2\n"
        "undoredo\n"
        "crash\n";
    const MonkeyParse p = parseMonkeyScript("# a comment\n\n" + text);
    ASSERT_TRUE(p.ok) << p.error;
    ASSERT_EQ(p.script.actions.size(), 11u);
    EXPECT_EQ(p.script.actions[7].key, "12 ");
    EXPECT_EQ(monkeyScriptText(p.script), text);
}
