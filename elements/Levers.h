#pragma once
#include <functional>
#include <string>
#include <utility>
#include <vector>
#include "elements/ElementServices.h"

#include "elements/ElementPage.h"
#include "elements/ElementPanel.h"
#include "elements/MapRecords.h"
#include "elements/PictureList.h"
#include "engine/AnimationStore.h"
#include "engine/Rect.h"
#include "engine/Vec2.h"

namespace NK {
class BitmapStore;
class FontStore;
class Input;
class RenderContext;
class View;
}  // namespace NK

// Switches the player pulls with E. The gate stays shut until every lever is
// on at once; a lever with a delay falls back off that many seconds after
// its last pull, so a level can ask the player to hurry between two of them.
class Levers : public ElementPage {
public:
    // One lever's play state; its place and angle are its picture's.
    struct Lever {
        std::string key;      // of its picture: the running lever number
        float delay = -1.0f;  // seconds until it falls back off; below 0 never
        bool switched = false;
        int countdown = 0;  // ticks of the delay still to run
    };

    explicit Levers(const ElementServices& services);

    // A lever whose 90 x 150 picture has its top-left corner at `topLeft`.
    void add(NK::Vec2 topLeft, float angle, float delay);
    // Releases every picture; the next lever added gets key "0" again.
    void clear();
    bool empty() const { return levers.empty(); }
    std::vector<LeverRecord> records() const;

    // Every lever off and showing its off frame.
    void start();
    // One tick of play: E over a lever pulls it, delays run down.
    void update(bool ePressed, const NK::Rect& playerRect);
    // Pictures back to the off frame; the switched flags keep their values
    // until the next start.
    void end();
    void draw();
    // True when no lever is off, which a level without levers always is.
    bool allSwitched() const;

    void build() override;
    void update(bool mouseOutside) override;
    void drawOverlay(NK::Vec2 handleSize) override;
    void updateWidgets() override;

    static constexpr int offFrame = 0;
    static constexpr int onFrame = 4;
    static constexpr int ticksPerFrame = 3;
    static const NK::Vec2 size;

    const std::vector<Lever>& list() const { return levers.entries; }
    NK::ExtBitmapStore& images() { return levers.pictures; }
    const NK::AnimationStore& sheets() const { return animations; }
    ElementPanel& editor() { return panel; }

private:
    NK::ExtBitmap& picture(const Lever& lever) { return levers.pictures.get(lever.key); }
    void remove(int index);
    void pull(Lever& lever);
    void fallBack(Lever& lever);
    PanelWidgets::Group angleGroup();
    PanelWidgets::Group delayGroup();
    Lever* selectedLever();

    NK::AnimationStore animations;
    // Engine stores answer look-ups only through non-const calls.
    PictureList<Lever> levers;
    ElementPanel panel;
    NK::BitmapStore* bitmaps;
    NK::View* view;
};
