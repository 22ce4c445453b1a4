#pragma once
#include <cstdint>
#include <string>

namespace NK {

// What a text input does with one tick of keyboard edges. Kept free of
// Allegro calls so the typing rules can be checked without a window; the GUI
// system fills this from NK::Input and applies the result to its inputs.
class TextEntry {
public:
    // The keyboard as the typing rules see it during one tick.
    struct Keys {
        const std::uint8_t* pressed = nullptr;  // keyPressed, indexed by Allegro key code
        bool shift = false;                     // either Shift held
        bool capsLock = false;
        bool numLock = false;
    };

    // What a tick's keys mean for every focused input. Backspace and Delete
    // take the whole tick: a letter pressed with them is dropped.
    enum class Action { RemoveLast, Clear, Type };
    static Action action(const Keys& keys);

    // The printable piece typed this tick, empty when nothing printable was
    // pressed. Several keys in one tick do not combine: the last rule that
    // matches wins, and among letters and digits the highest key code.
    static std::string typedPiece(const Keys& keys);

    // The piece a numbers-only input lets through, given its current text:
    // anything starting with a digit, "." anywhere, "-" only as the first
    // character. Everything else becomes empty.
    static std::string acceptNumeric(const std::string& piece, const std::string& text);

    // The text after typing `piece`: appended only while the text is shorter
    // than `maxLength` bytes.
    static std::string append(const std::string& text, const std::string& piece, bool numbersOnly,
                              int maxLength);

    static bool enterPressed(const Keys& keys);
    static bool escapePressed(const Keys& keys);

    // The names Allegro's own key table gives codes 1 (A) to 46 (keypad 9):
    // "A".."Z", "0".."9", "PAD 0".."PAD 9"; empty outside that range. Kept
    // here rather than asked of al_keycode_to_name, whose X11 driver answers
    // with keysyms ("a", "KP_Home") and would type those into the inputs.
    static std::string keyName(int keycode);

    // Number checks used before an input's text is converted. They look at
    // the bytes only: "1-2" passes both, an empty text neither.
    static bool isDecimalNumber(const std::string& text);
    static bool isInteger(const std::string& text);
};

}  // namespace NK
