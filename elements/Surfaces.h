#pragma once
#include <functional>
#include <string>
#include <vector>
#include "elements/ElementServices.h"

#include "elements/EditorPanel.h"
#include "elements/MapRecords.h"
#include "elements/PanelWidgets.h"
#include "engine/Vec2.h"

namespace NK {
class BitmapStore;
class FontStore;
class Input;
class PhysicsWorld;
class RenderContext;
class View;
}  // namespace NK

// The level's ground: open polylines kept in the physics world under the
// decimal text of a key number, one static edge per segment. This object
// holds no points itself, only which key is being edited, the highest key
// handed out and where a clicked point goes.
class Surfaces : public EditorPanel {
public:
    explicit Surfaces(const ElementServices& services);

    // A loaded "SF" record under the next key; records always have two points or more.
    void addFromRecord(const SurfaceRecord& record);
    // Keys 0..surfaceCounter that exist and have segments, in key order.
    std::vector<SurfaceRecord> records() const;
    void clear();
    // No key 0..surfaceCounter holds a surface.
    bool empty() const;

    void build() override;
    void show() override;
    void hide() override;
    void update(bool mouseOutside) override;
    void drawGUI() override { widgets.draw(); }
    NK::GUISystem& widgetSystem() override { return widgets.gui(); }
    void updateWidgets() override;
    bool typing() const override { return widgets.typing(); }
    std::vector<std::string> staleFields() const override { return widgets.staleFields(); }
    void setCameraHook(std::function<void(NK::Vec2)> centre) override {
        centreCamera = std::move(centre);
    }
    // Every surface; the selected one stands out while the tab is active.
    void drawSurfaces(bool mouseOutside, bool tabActive);
    // The segment a click would make, from the working end to the mouse.
    void drawPreview();

    // The panel's buttons; Q, E, R and Delete do the same.
    void addSurface();
    void removeSurface();
    void setPrependMode(bool prepend);
    void removeFirst();
    void removeLast();
    void selectPrevious();
    void selectNext();

    PanelWidgets& panel() { return widgets; }

    int selectedSurface = 0;
    int surfaceCounter = 0;
    bool prependMode = false;  // clicked points go before the first point
    bool hoverFirst = false;
    bool hoverLast = false;

private:
    std::string key(int number) const { return std::to_string(number); }
    bool selectedExists() const;
    // The end a click extends: the last point, or the first in prepend mode.
    NK::Vec2 workingEnd() const;
    void centreOnWorkingEnd();
    void showSelection();
    void showMode(bool animate);
    void click(NK::Vec2 at);
    NK::Vec2 mouseInLevel() const;
    float lineWidth() const;

    NK::PhysicsWorld* world;
    NK::Input* input;
    NK::View* view;
    NK::RenderContext* renderContext;
    PanelWidgets widgets;
    std::function<void(NK::Vec2)> centreCamera;
    bool built = false;  // the widgets exist; a level may be cleared before they do
};
