#include "engine/TextEntry.h"
#include "tests/support/Testing.h"

#include <allegro5/keycodes.h>
#include "engine/GUIPointer.h"

using NK::TextEntry;

// The whole GUI path (modifiers, Backspace/Delete, Enter) is checked through
// GUISystem in GUISystemTest; here only the piece-priority and append rules.
TEST(TextEntry, WrongPieceWhenSeveralKeysOrModifiersMeetInOneTick) {
    struct Case {
        std::vector<int> codes;
        bool shift, caps, num;
        const char* piece;
    };
    const Case cases[] = {
        {{ALLEGRO_KEY_Z}, false, false, false, "z"},
        {{ALLEGRO_KEY_0}, true, true, false, "0"},
        {{ALLEGRO_KEY_PAD_9}, false, false, true, "9"},
        {{ALLEGRO_KEY_A, ALLEGRO_KEY_PAD_5}, false, false, false, ""},  // dead pad digit still wins
        {{ALLEGRO_KEY_A, ALLEGRO_KEY_B}, false, false, false, "b"},     // highest code wins
        {{ALLEGRO_KEY_Z, ALLEGRO_KEY_1}, false, false, false, "1"},
        {{ALLEGRO_KEY_1, ALLEGRO_KEY_PAD_2}, false, false, true, "2"},
        {{ALLEGRO_KEY_MINUS, ALLEGRO_KEY_A}, false, false, false, "a"},
        {{ALLEGRO_KEY_MINUS}, true, false, false, "_"},
        {{ALLEGRO_KEY_COMMA}, true, false, false, "?"},
        {{ALLEGRO_KEY_QUOTE}, true, false, false, "!"},
        {{ALLEGRO_KEY_COMMA, ALLEGRO_KEY_MINUS}, true, false, false, "_"},
        {{ALLEGRO_KEY_PAD_MINUS}, true, false, false, "-"},  // no shifted meaning: plain rules
        {{ALLEGRO_KEY_SPACE}, true, false, false, " "},
        {{ALLEGRO_KEY_PAD_MINUS}, false, false, false, "-"},
        {{ALLEGRO_KEY_COMMA}, false, false, false, ","},
        {{ALLEGRO_KEY_QUOTE}, false, false, false, ""},
        {{ALLEGRO_KEY_SPACE, ALLEGRO_KEY_FULLSTOP}, false, false, false, "."},
        {{ALLEGRO_KEY_ENTER, ALLEGRO_KEY_ESCAPE, ALLEGRO_KEY_LSHIFT}, false, false, false, ""},
    };
    for (const Case& c : cases) {
        std::uint8_t pressed[227]{};
        for (int code : c.codes) pressed[code] = 1;
        TextEntry::Keys keys;
        keys.pressed = pressed;
        keys.shift = c.shift;
        keys.capsLock = c.caps;
        keys.numLock = c.num;
        EXPECT_EQ(TextEntry::typedPiece(keys), c.piece) << "row " << (&c - cases);
    }
}

// '-' only first and '.' anywhere are typed through GUISystem; these are the rest.
TEST(TextEntry, WrongTextAfterAppendingToANumbersOnlyOrFullInput) {
    EXPECT_EQ(TextEntry::append("", ".", true, 10), ".");
    EXPECT_EQ(TextEntry::append("3", " ", true, 10), "3");
    EXPECT_EQ(TextEntry::append("3", ",", true, 10), "3");
    EXPECT_EQ(TextEntry::append("", "_", true, 10), "");
    EXPECT_EQ(TextEntry::append("3", "-", false, 10), "3-");
    EXPECT_EQ(TextEntry::append("abc", "d", false, 4), "abcd");
    EXPECT_EQ(TextEntry::append("abcde", "f", false, 4), "abcde");
}

TEST(TextEntry, NumberChecksLetThroughNonNumbersOrRejectNumbers) {
    EXPECT_FALSE(TextEntry::isDecimalNumber(""));
    EXPECT_FALSE(TextEntry::isInteger("-"));
    EXPECT_TRUE(TextEntry::isDecimalNumber("-12.5"));
    EXPECT_FALSE(TextEntry::isInteger("-12.5"));
    EXPECT_TRUE(TextEntry::isInteger(" -12 "));
    // Bytes only, not grammar.
    EXPECT_TRUE(TextEntry::isInteger("1-2"));
    EXPECT_FALSE(TextEntry::isDecimalNumber("1e5"));
    EXPECT_FALSE(TextEntry::isInteger("12a"));
}

using NK::GUIPointer;

// Hover, click and leave ordering is checked through GUISystem's callbacks.
TEST(GUIPointer, WindowPixelsMisScaledToTheWidgetScreen) {
    const NK::Vec2 p = GUIPointer::onScreen(480, 270, 960, 540);
    EXPECT_FLOAT_EQ(p.x, 960);
    EXPECT_FLOAT_EQ(p.y, 540);
}

TEST(GUIPointer, EdgePixelMissedOrHitFromTooFarAway) {
    // A 100x40 widget covering x 100..200, y 50..90; the pointer is a one-pixel box.
    const NK::Rect area(100, 50, 100, 40);
    EXPECT_TRUE(GUIPointer::over(area, {150, 70}));
    EXPECT_TRUE(GUIPointer::over(area, {99, 70}));
    EXPECT_FALSE(GUIPointer::over(area, {98.9f, 70}));
    EXPECT_TRUE(GUIPointer::over(area, {200, 70}));
    EXPECT_FALSE(GUIPointer::over(area, {200.1f, 70}));
    EXPECT_TRUE(GUIPointer::over(area, {150, 49}));
    EXPECT_TRUE(GUIPointer::over(area, {150, 90}));
    EXPECT_FALSE(GUIPointer::over(area, {150, 90.1f}));
}
