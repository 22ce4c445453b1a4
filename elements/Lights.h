#pragma once
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>
#include "elements/ElementServices.h"

#include "elements/EditorPanel.h"
#include "elements/LightBlink.h"
#include "elements/MapRecords.h"
#include "elements/PanelWidgets.h"
#include "engine/Color.h"
#include "engine/Vec2.h"

namespace NK {
class BitmapStore;
class FontStore;
class Input;
class LightSystem;
class RenderContext;
class View;
}  // namespace NK

// The level's point lights. The collection owns the game's one light system:
// position, colour, intensity and hardness live there, under the same key as
// the record here, which holds how the light blinks. During play the lights
// blink; in the editor they are placed, tuned and shown as markers.
class Lights : public EditorPanel {
public:
    // What a light gets from "ADD" and from the visibility RESET.
    static constexpr float defaultIntensity = 150.0f;
    static constexpr float defaultHardness = 2.0f;
    // One unit of hardness is this far down the hardness handle.
    static constexpr float hardnessPerPixel = 1.0f / 30.0f;
    // How far a colour slider moves its component per unit of pointer travel.
    static constexpr float slideRate = 0.005f;

    // Builds the light system, whose shader needs the display to exist.
    explicit Lights(const ElementServices& services);
    ~Lights() override;

    // Keyed by the counter, which only an add that the light system accepts
    // raises; false (and nothing added) once the system holds its 100 lights.
    bool add(NK::Vec2 position, const NK::Color& colour, float intensity, float hardness,
             float delayOn, float delayOff, float delaySpeed, bool delayFirstOn);
    bool add(const LightRecord& record);
    // Every light gone; the next one added gets key "0" again.
    void clear();
    bool empty() const { return entries.empty(); }
    int count() const { return static_cast<int>(entries.size()); }
    std::vector<LightRecord> records() const;

    // Play: blinking lights arm their first phase, blink one tick per
    // update, and get their saved intensity back at the end.
    void start();
    void update();
    void end();

    // Whether drawing goes through the light shader from now on; the shader
    // is a state of the display's back buffer, so it lasts across frames.
    void drawLit(bool lit);
    NK::LightSystem& system() { return *lightSystem; }

    // A circle around every light, the selected one brighter.
    void drawMarkers();

    void build() override;
    void show() override;
    void hide() override;
    void update(bool mouseOutside) override;
    void drawOverlay(NK::Vec2 handleSize) override;
    void drawGUI() override;
    NK::GUISystem& widgetSystem() override { return widgets.gui(); }
    void updateWidgets() override;
    bool typing() const override { return widgets.typing(); }
    std::vector<std::string> staleFields() const override { return widgets.staleFields(); }
    void setCameraHook(std::function<void(NK::Vec2)> centre) override {
        centreCamera = std::move(centre);
    }

    // Panel actions, also reached through the widgets.
    void addDefault();
    void removeSelected();
    void refreshPanel();
    bool hasSelection() const { return selected < count(); }
    const std::string& keyAt(int index) const { return entries[index].key; }
    const LightBlink& blinkAt(int index) const { return entries[index].blink; }
    // Where the two handles of light `index` are, in level coordinates.
    NK::Vec2 intensityHandle(int index) const;
    NK::Vec2 hardnessHandle(int index) const;
    PanelWidgets& panel() { return widgets; }

    int selected = 0;  // == count(): nothing selected
    bool showCircles = true;
    float markerSize = 30.0f;
    // Both follow the zoom, so markers and handles keep their size on screen.
    float markerRadius = 60.0f;
    float hardnessHandleOffset = 60.0f;

private:
    struct Entry {
        std::string key;
        LightBlink blink;
    };
    static constexpr int colourCount = 3;

    void removeAt(int index);
    void select(int index);
    // The list arrows and Q / E: to a neighbour, centred on it.
    void stepTo(int index);
    void centreOnSelected();
    int selection() const { return hasSelection() ? selected : -1; }
    NK::Vec2 positionOf(int index) const;
    NK::Vec2 mouseInLevel() const;
    void click(NK::Vec2 mouse);
    bool grabHandle(NK::Vec2 mouse);
    void pick(NK::Vec2 mouse);
    void follow(NK::Vec2 mouse);
    void copySelected(NK::Vec2 at);

    // The page (LightsPage.cpp).
    void buildList();
    void buildColour();
    void buildVisibility();
    void buildDelay();
    void addCaptions(PanelWidgets::Field& left, PanelWidgets::Field& right);
    void startSlide(int component);
    void followSlide();
    void endSlides();
    float component(int index, int which) const;
    void setComponent(int index, int which, float value);
    void setDelay(int index, bool on, float value);
    void toggleDelay();

    PanelServices services;
    std::unique_ptr<NK::LightSystem> lightSystem;
    std::vector<Entry> entries;
    int counter = 0;
    bool playing = false;

    bool moving = false;
    bool draggingIntensity = false;
    bool draggingHardness = false;
    NK::Vec2 grabOffset;
    std::array<bool, colourCount> sliding{};
    std::array<float, colourCount> slideStart{};

    PanelWidgets widgets;
    std::function<void(NK::Vec2)> centreCamera;
    bool built = false;
};
