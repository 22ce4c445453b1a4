#include "engine/TextWindow.h"

#include "tests/support/Testing.h"

namespace {

// Every character 10 wide, the ellipsis too, so the expected cuts can be
// counted by hand.
float tenEach(const std::string& s) {
    return 10.0f * static_cast<float>(NK::TextWindow::characterStarts(s).size() - 1);
}

const std::string dots = NK::TextWindow::ellipsis;

}  // namespace

// Each row: the text, the field's width, whether it is being typed in, and
// what the field must show.
TEST(TextWindow, FieldShowsWrongPartOfALongText) {
    const struct {
        std::string text;
        float width;
        bool typing;
        std::string shown;
    } cases[] = {
        {"", 0, true, ""},
        {"", -5, false, ""},
        {"level.txt", 90, true, "level.txt"},  // fits exactly: whole, either way
        {"level.txt", 90, false, "level.txt"},
        {"deep_core_2.txt", 90, true, dots + "re_2.txt"},
        {"deep_core_2.txt", 90, false, "deep_cor" + dots},
        {"deep_core_2.txt", 95, false, "deep_cor" + dots},  // no half characters
        {"ab", 15, true, dots},                             // room for the mark alone
        {"ab", 15, false, dots},
        {"ab", 5, false, ""},
        {"caf\xC3\xA9s.txt", 50, false, "caf\xC3\xA9" + dots},  // é is one character
        {"\xC3\xA9t\xC3\xA9.txt", 60, true, dots + "\xC3\xA9.txt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NK::TextWindow::visible(c.text, c.width, c.typing, tenEach), c.shown)
            << c.text << " in " << c.width << (c.typing ? " typing" : " idle");
}
