#include "elements/DialogRules.h"

#include <cmath>

#include "elements/PanelRules.h"
#include "engine/DialogCard.h"
#include "engine/DialogDesign.h"

namespace {

// Far beyond any sensible value, yet well inside an int: a typed 1e30 must
// not overflow the conversion.
constexpr float largestWhole = 1000000000.0f;

int truncatedWhole(float value) {
    if (!(value == value)) return 0;  // NaN
    return static_cast<int>(std::fmax(-largestWhole, std::fmin(largestWhole, value)));
}

}  // namespace

void DialogRules::applyLook(NK::DialogDesign& design, int titleSize, int textSize) {
    design.titleSize = titleSize;
    design.textSize = textSize;
    design.titleColour = NK::Color::white();
    design.textColour = NK::Color::white();
    design.titleAlign = NK::DialogDesign::alignCentre;
    design.textAlign = NK::DialogDesign::alignCentre;
    design.titleMargin = NK::Vec2(10.0f, 10.0f);
    design.textMargin = NK::Vec2(10.0f, 10.0f);
}

int DialogRules::delayTicks(float seconds) {
    if (!(seconds > 0.0f)) return -1;
    return truncatedWhole(seconds * 60.0f);
}

void DialogRules::show(NK::DialogCard& card, float delaySeconds) {
    card.visible = true;
    if (card.pendingTimer >= 0) card.timer = card.pendingTimer;
    if (delaySeconds > 0.0f) {
        card.timer = delayTicks(delaySeconds);
        card.pendingTimer = -1;
    }
}

std::optional<float> DialogRules::toggledDelay(const std::string& delayText) {
    const std::optional<float> typed = PanelRules::parseNumber(delayText);
    if (!typed) return std::nullopt;
    return *typed >= 0.0f ? -1.0f : 1.0f;
}

int DialogRules::wholeSize(float typed) {
    return truncatedWhole(typed);
}
