#include "engine/TextEntry.h"

#include <allegro5/keycodes.h>

namespace NK {

namespace {

bool down(const TextEntry::Keys& keys, int code) {
    return keys.pressed[code] != 0;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Every byte is a digit or one of `extra`, and at least one is a digit.
bool digitsWith(const std::string& text, const std::string& extra) {
    bool anyDigit = false;
    for (char c : text) {
        if (isDigit(c)) {
            anyDigit = true;
        } else if (extra.find(c) == std::string::npos) {
            return false;
        }
    }
    return anyDigit;
}

}  // namespace

TextEntry::Action TextEntry::action(const Keys& keys) {
    if (down(keys, ALLEGRO_KEY_BACKSPACE)) return Action::RemoveLast;
    if (down(keys, ALLEGRO_KEY_DELETE) || down(keys, ALLEGRO_KEY_PAD_DELETE)) return Action::Clear;
    return Action::Type;
}

std::string TextEntry::keyName(int keycode) {
    if (keycode >= ALLEGRO_KEY_A && keycode <= ALLEGRO_KEY_Z) {
        return std::string(1, static_cast<char>('A' + keycode - ALLEGRO_KEY_A));
    }
    if (keycode >= ALLEGRO_KEY_0 && keycode <= ALLEGRO_KEY_9) {
        return std::string(1, static_cast<char>('0' + keycode - ALLEGRO_KEY_0));
    }
    if (keycode >= ALLEGRO_KEY_PAD_0 && keycode <= ALLEGRO_KEY_PAD_9) {
        return "PAD " + std::string(1, static_cast<char>('0' + keycode - ALLEGRO_KEY_PAD_0));
    }
    return {};
}

std::string TextEntry::typedPiece(const Keys& keys) {
    std::string piece;
    bool shifted = false;
    if (keys.shift) {
        shifted = true;
        if (down(keys, ALLEGRO_KEY_MINUS)) {
            piece = "_";
        } else if (down(keys, ALLEGRO_KEY_COMMA)) {
            piece = "?";
        } else if (down(keys, ALLEGRO_KEY_QUOTE)) {
            piece = "!";
        } else {
            shifted = false;
        }
    }
    if (!shifted) {
        if (down(keys, ALLEGRO_KEY_MINUS) || down(keys, ALLEGRO_KEY_PAD_MINUS)) {
            piece = "-";
        } else if (down(keys, ALLEGRO_KEY_FULLSTOP)) {
            piece = ".";
        } else if (down(keys, ALLEGRO_KEY_COMMA)) {
            piece = ",";
        } else if (down(keys, ALLEGRO_KEY_SPACE)) {
            piece = " ";
        }
    }
    // Letters and digits overwrite whatever came before, in key-code order.
    for (int code = ALLEGRO_KEY_A; code <= ALLEGRO_KEY_PAD_9; ++code) {
        if (!down(keys, code)) continue;
        piece = keyName(code);
        if (code <= ALLEGRO_KEY_Z) {
            // Shift and Caps Lock do not cancel each other out here.
            if (!keys.shift && !keys.capsLock) piece[0] = static_cast<char>(piece[0] + 32);
        } else if (code >= ALLEGRO_KEY_PAD_0) {
            // With Num Lock off the keypad digits are cursor keys.
            piece = keys.numLock ? piece.substr(4) : std::string();
        }
    }
    return piece;
}

std::string TextEntry::acceptNumeric(const std::string& piece, const std::string& text) {
    if (!piece.empty() && isDigit(piece[0])) return piece;
    if (piece == ".") return piece;
    if (piece == "-" && text.empty()) return piece;
    return {};
}

std::string TextEntry::append(const std::string& text, const std::string& piece, bool numbersOnly,
                              int maxLength) {
    std::string accepted = numbersOnly ? acceptNumeric(piece, text) : piece;
    if (static_cast<long>(text.size()) < maxLength) return text + accepted;
    return text;
}

bool TextEntry::enterPressed(const Keys& keys) {
    return down(keys, ALLEGRO_KEY_ENTER) || down(keys, ALLEGRO_KEY_PAD_ENTER);
}

bool TextEntry::escapePressed(const Keys& keys) {
    return down(keys, ALLEGRO_KEY_ESCAPE);
}

bool TextEntry::isDecimalNumber(const std::string& text) {
    return digitsWith(text, ". -");
}

bool TextEntry::isInteger(const std::string& text) {
    return digitsWith(text, " -");
}

}  // namespace NK
