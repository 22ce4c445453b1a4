#pragma once
#include <optional>
#include <string>

#include "engine/Rect.h"

namespace NK {
struct DialogCard;
struct DialogDesign;
}  // namespace NK

// What a dialog does with its card and its panel, free of Allegro: when the
// player sets a trigger area off, how long the card then stays, and how the
// panel's delay button and size inputs read what was typed.
class DialogRules {
public:
    // Where every card sits on the 1920x1080 screen: 500 x 500, centred.
    static NK::Rect cardRect() { return {710.0f, 290.0f, 500.0f, 500.0f}; }
    // The editor's preview sits in the middle of the part of the screen the
    // right panel (offset x) and the top bar (offset y) leave free.
    static NK::Rect previewRect(float offsetX, float offsetY) {
        return {710.0f - offsetX / 2.0f, 290.0f + offsetY / 2.0f, 500.0f, 500.0f};
    }

    // The shared design as every dialog's card is printed with it: the
    // dialog's two sizes, white, centred, margins of 10.
    static void applyLook(NK::DialogDesign& design, int titleSize, int textSize);

    // Ticks a card stays for a delay in seconds, truncated; none (-1) when
    // the delay is 0 or negative, since that card waits for CLOSE.
    static int delayTicks(float seconds);
    // Shows a card as a dialog does: its pending timer if it has one, then
    // the dialog's own delay, which replaces the pending one.
    static void show(NK::DialogCard& card, float delaySeconds);

    // The "delay_use" button reads the delay input: a delay in use (0 or
    // more) is switched off (-1), one not in use is switched on at 1 second;
    // text that is not a number changes nothing.
    static std::optional<float> toggledDelay(const std::string& delayText);
    // A font size typed as any number, as a whole number the card can use
    // (truncated, and kept within what an int holds).
    static int wholeSize(float typed);
};
