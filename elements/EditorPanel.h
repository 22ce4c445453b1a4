#pragma once
#include <functional>
#include <string>
#include <vector>

#include "engine/Vec2.h"

namespace NK {
class GUISystem;
}

// What the editor frame asks of every element's page, whatever the kind, so
// it can drive the eleven tabs the same way.
class EditorPanel {
public:
    virtual ~EditorPanel() = default;

    // Once, when the game loads its resources.
    virtual void build() = 0;
    // The tab became active or inactive.
    virtual void show() = 0;
    virtual void hide() = 0;
    // Each tick while the tab is active; the mouse is ignored while it is
    // outside the editing area.
    virtual void update(bool mouseOutside) = 0;
    // Selection and handles in level coordinates, handles of the given size.
    virtual void drawOverlay(NK::Vec2 handleSize) { (void)handleSize; }
    // The panel's widgets on the screen.
    virtual void drawGUI() = 0;
    // The system those widgets live in, for checks of what is on.
    virtual NK::GUISystem& widgetSystem() = 0;
    // Each tick in every scene: the panel's widgets and the kind's pictures
    // advance (hover, fades, typing).
    virtual void updateWidgets() = 0;
    // A text input has the keyboard, so Space and the camera keys are text.
    virtual bool typing() const = 0;
    // Inputs not showing the selection's value as it is now (none while the
    // page keeps up with every drag, undo and commit).
    virtual std::vector<std::string> staleFields() const = 0;
    // Every picture of the kind back to full opacity (a test run starts, the
    // Lights tab opens); kinds that never dim have nothing to do.
    virtual void fadeIn() {}
    // How the panel centres the editor camera on a level point.
    virtual void setCameraHook(std::function<void(NK::Vec2)> centre) = 0;
};
