#include "engine/TextEntry.h"

#include <allegro5/keycodes.h>
#include <gtest/gtest.h>

#include <initializer_list>

namespace {

using NK::TextEntry;

// One tick's keyboard: the codes pressed this tick plus the modifiers.
struct Tick {
    std::uint8_t pressed[227]{};
    TextEntry::Keys keys;
    Tick(std::initializer_list<int> codes, bool shift = false, bool caps = false,
         bool num = false) {
        for (int c : codes) pressed[c] = 1;
        keys.pressed = pressed;
        keys.shift = shift;
        keys.capsLock = caps;
        keys.numLock = num;
    }
    std::string piece() const { return TextEntry::typedPiece(keys); }
};

}  // namespace

TEST(TextEntry, LetterCaseFollowsShiftOrCapsLockNotTheirDifference) {
    EXPECT_EQ(Tick({ALLEGRO_KEY_A}).piece(), "a");
    EXPECT_EQ(Tick({ALLEGRO_KEY_A}, true).piece(), "A");
    EXPECT_EQ(Tick({ALLEGRO_KEY_A}, false, true).piece(), "A");
    // A keyboard would give "a" here; the game's inputs give "A".
    EXPECT_EQ(Tick({ALLEGRO_KEY_A}, true, true).piece(), "A");
    EXPECT_EQ(Tick({ALLEGRO_KEY_Z}).piece(), "z");
}

TEST(TextEntry, DigitsIgnoreShiftAndCapsLock) {
    EXPECT_EQ(Tick({ALLEGRO_KEY_0}, true, true).piece(), "0");
    EXPECT_EQ(Tick({ALLEGRO_KEY_9}).piece(), "9");
}

TEST(TextEntry, KeypadDigitsTypeOnlyWithNumLockOn) {
    EXPECT_EQ(Tick({ALLEGRO_KEY_PAD_5}).piece(), "");
    EXPECT_EQ(Tick({ALLEGRO_KEY_PAD_5}, false, false, true).piece(), "5");
    EXPECT_EQ(Tick({ALLEGRO_KEY_PAD_0}, false, false, true).piece(), "0");
    EXPECT_EQ(Tick({ALLEGRO_KEY_PAD_9}, false, false, true).piece(), "9");
    // A dead keypad digit still overrides a letter below it in code order.
    EXPECT_EQ(Tick({ALLEGRO_KEY_A, ALLEGRO_KEY_PAD_5}).piece(), "");
}

TEST(TextEntry, ShiftedPunctuationAndItsFallThrough) {
    EXPECT_EQ(Tick({ALLEGRO_KEY_MINUS}, true).piece(), "_");
    EXPECT_EQ(Tick({ALLEGRO_KEY_COMMA}, true).piece(), "?");
    EXPECT_EQ(Tick({ALLEGRO_KEY_QUOTE}, true).piece(), "!");
    // Minus outranks comma when both arrive in one tick.
    EXPECT_EQ(Tick({ALLEGRO_KEY_COMMA, ALLEGRO_KEY_MINUS}, true).piece(), "_");
    // No shifted meaning: the plain rules still apply with Shift held.
    EXPECT_EQ(Tick({ALLEGRO_KEY_PAD_MINUS}, true).piece(), "-");
    EXPECT_EQ(Tick({ALLEGRO_KEY_FULLSTOP}, true).piece(), ".");
    EXPECT_EQ(Tick({ALLEGRO_KEY_SPACE}, true).piece(), " ");
}

TEST(TextEntry, PlainPunctuationPriority) {
    EXPECT_EQ(Tick({ALLEGRO_KEY_MINUS}).piece(), "-");
    EXPECT_EQ(Tick({ALLEGRO_KEY_PAD_MINUS}).piece(), "-");
    EXPECT_EQ(Tick({ALLEGRO_KEY_FULLSTOP}).piece(), ".");
    EXPECT_EQ(Tick({ALLEGRO_KEY_COMMA}).piece(), ",");
    EXPECT_EQ(Tick({ALLEGRO_KEY_SPACE}).piece(), " ");
    EXPECT_EQ(Tick({ALLEGRO_KEY_QUOTE}).piece(), "");
    EXPECT_EQ(Tick({ALLEGRO_KEY_SPACE, ALLEGRO_KEY_FULLSTOP}).piece(), ".");
}

TEST(TextEntry, HighestLetterOrDigitCodeWinsOverEverythingElse) {
    EXPECT_EQ(Tick({ALLEGRO_KEY_A, ALLEGRO_KEY_B}).piece(), "b");
    EXPECT_EQ(Tick({ALLEGRO_KEY_Z, ALLEGRO_KEY_1}).piece(), "1");
    EXPECT_EQ(Tick({ALLEGRO_KEY_MINUS, ALLEGRO_KEY_A}).piece(), "a");
    EXPECT_EQ(Tick({ALLEGRO_KEY_1, ALLEGRO_KEY_PAD_2}, false, false, true).piece(), "2");
}

TEST(TextEntry, NothingPrintableTypesNothing) {
    EXPECT_EQ(Tick({}).piece(), "");
    EXPECT_EQ(Tick({ALLEGRO_KEY_ENTER, ALLEGRO_KEY_ESCAPE, ALLEGRO_KEY_LSHIFT}).piece(), "");
}

TEST(TextEntry, BackspaceAndDeleteTakeTheWholeTick) {
    EXPECT_EQ(TextEntry::action(Tick({ALLEGRO_KEY_BACKSPACE, ALLEGRO_KEY_A}).keys),
              TextEntry::Action::RemoveLast);
    // Backspace is looked at first.
    EXPECT_EQ(TextEntry::action(Tick({ALLEGRO_KEY_DELETE, ALLEGRO_KEY_BACKSPACE}).keys),
              TextEntry::Action::RemoveLast);
    EXPECT_EQ(TextEntry::action(Tick({ALLEGRO_KEY_DELETE}).keys), TextEntry::Action::Clear);
    EXPECT_EQ(TextEntry::action(Tick({ALLEGRO_KEY_PAD_DELETE}).keys), TextEntry::Action::Clear);
    EXPECT_EQ(TextEntry::action(Tick({ALLEGRO_KEY_A}).keys), TextEntry::Action::Type);
}

TEST(TextEntry, EnterFromEitherKeyEscapeFromItsOwn) {
    EXPECT_TRUE(TextEntry::enterPressed(Tick({ALLEGRO_KEY_ENTER}).keys));
    EXPECT_TRUE(TextEntry::enterPressed(Tick({ALLEGRO_KEY_PAD_ENTER}).keys));
    EXPECT_FALSE(TextEntry::enterPressed(Tick({ALLEGRO_KEY_ESCAPE}).keys));
    EXPECT_TRUE(TextEntry::escapePressed(Tick({ALLEGRO_KEY_ESCAPE}).keys));
    EXPECT_FALSE(TextEntry::escapePressed(Tick({ALLEGRO_KEY_ENTER}).keys));
}

TEST(TextEntry, NumbersOnlyTakesMinusOnlyFirstAndDotAnywhere) {
    EXPECT_EQ(TextEntry::append("", "-", true, 10), "-");
    EXPECT_EQ(TextEntry::append("-", "-", true, 10), "-");
    EXPECT_EQ(TextEntry::append("3", "-", true, 10), "3");
    EXPECT_EQ(TextEntry::append("3", ".", true, 10), "3.");
    EXPECT_EQ(TextEntry::append("3.", ".", true, 10), "3..");
    EXPECT_EQ(TextEntry::append("", ".", true, 10), ".");
    EXPECT_EQ(TextEntry::append("3", "7", true, 10), "37");
}

TEST(TextEntry, NumbersOnlyDropsLettersAndOtherPunctuation) {
    EXPECT_EQ(TextEntry::append("3", "a", true, 10), "3");
    EXPECT_EQ(TextEntry::append("", "a", true, 10), "");
    EXPECT_EQ(TextEntry::append("3", " ", true, 10), "3");
    EXPECT_EQ(TextEntry::append("3", ",", true, 10), "3");
    EXPECT_EQ(TextEntry::append("", "_", true, 10), "");
    // The same pieces pass an ordinary input.
    EXPECT_EQ(TextEntry::append("3", "a", false, 10), "3a");
    EXPECT_EQ(TextEntry::append("3", "-", false, 10), "3-");
}

TEST(TextEntry, MaximumLengthStopsAppendingAtExactlyThatManyBytes) {
    EXPECT_EQ(TextEntry::append("abc", "d", false, 4), "abcd");
    EXPECT_EQ(TextEntry::append("abcd", "e", false, 4), "abcd");
    EXPECT_EQ(TextEntry::append("abcde", "f", false, 4), "abcde");
    EXPECT_EQ(TextEntry::append("", "a", false, 0), "");
}

TEST(TextEntry, NumberChecksNeedADigitAndAllowedBytesOnly) {
    EXPECT_FALSE(TextEntry::isDecimalNumber(""));
    EXPECT_FALSE(TextEntry::isInteger(""));
    EXPECT_FALSE(TextEntry::isDecimalNumber("-. "));
    EXPECT_FALSE(TextEntry::isInteger("-"));
    EXPECT_TRUE(TextEntry::isDecimalNumber("-12.5"));
    EXPECT_FALSE(TextEntry::isInteger("-12.5"));
    EXPECT_TRUE(TextEntry::isInteger(" -12 "));
    // Bytes only, not grammar.
    EXPECT_TRUE(TextEntry::isDecimalNumber("1-2"));
    EXPECT_TRUE(TextEntry::isInteger("1-2"));
    EXPECT_TRUE(TextEntry::isDecimalNumber("1..2"));
    EXPECT_FALSE(TextEntry::isDecimalNumber("1e5"));
    EXPECT_FALSE(TextEntry::isInteger("12a"));
    EXPECT_FALSE(TextEntry::isDecimalNumber("1,5"));
}
