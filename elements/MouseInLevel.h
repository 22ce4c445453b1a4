#pragma once
#include "elements/PanelRules.h"
#include "engine/Display.h"
#include "engine/Input.h"
#include "engine/View.h"

// The mouse, in window pixels, as a point of the level the view shows. The
// element pages place things on whole units; the player's page drags the
// player by the same exact point its aim uses.
inline NK::Vec2 mouseInLevel(const NK::Input& input, const NK::View& view, bool whole = true) {
    const NK::Vec2 point = PanelRules::levelPoint(
        view.rect(), {static_cast<float>(input.mouse.x), static_cast<float>(input.mouse.y)},
        {static_cast<float>(input.display->windowWidth),
         static_cast<float>(input.display->windowHeight)});
    return whole ? PanelRules::wholePoint(point) : point;
}
