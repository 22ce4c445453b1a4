#pragma once
#include <functional>
#include <string>
#include <utility>
#include <vector>
#include "elements/ElementServices.h"

#include "elements/EditorPanel.h"
#include "elements/MapRecords.h"
#include "elements/PanelWidgets.h"
#include "engine/AnimationStore.h"
#include "engine/ExtBitmapStore.h"
#include "engine/Rect.h"
#include "engine/Vec2.h"

namespace NK {
class BitmapStore;
class FontStore;
class Input;
class RenderContext;
class View;
}  // namespace NK

// The level's one exit, shown closed or open. The play scene decides each
// tick whether it is open; touching it then wins the level.
class Gate : public EditorPanel {
public:
    explicit Gate(const ElementServices& services);

    // Its sheet and picture, in stores of its own. build() calls it;
    // everything below needs it done.
    void loadImages();
    // The files loadImages reads.
    static std::vector<std::string> imageFiles();
    // A new map: closed, at (1000, 800), nothing edited.
    void reset();
    // Centres the gate on (x, y).
    void setPosition(float x, float y);
    NK::Vec2 position();
    // Shows the frame that `open` asks for.
    void update();
    void draw();
    // The picture's rectangle: left, top, width, height.
    NK::Rect rectangle();
    GateRecord record();
    NK::ExtBitmapStore& images() { return pictures; }
    const NK::AnimationStore& sheets() const { return animations; }
    PanelWidgets& panel() { return widgets; }

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

    static constexpr int closedFrame = 0;
    static constexpr int openFrame = 1;

    bool open = false;
    bool changed = false;

private:
    NK::ExtBitmap& picture() { return pictures.get("gate"); }
    NK::Vec2 mouseInLevel() const;

    NK::Input* input;
    NK::View* view;
    NK::AnimationStore animations;
    NK::ExtBitmapStore pictures;
    PanelWidgets widgets;
    std::function<void(NK::Vec2)> centreCamera;
    bool built = false;
    bool dragging = false;
    NK::Vec2 grabOffset;
};
