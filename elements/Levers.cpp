#include "elements/Levers.h"

#include <algorithm>
#include <cmath>

#include "elements/PanelRules.h"
#include "elements/RestFrame.h"
#include "engine/BitmapStore.h"
#include "engine/ExtBitmap.h"
#include "engine/GUISystem.h"
#include "engine/View.h"

namespace {

const char* const sheetPath = "Resources/Images/Ingame/lever.png";

}  // namespace

const NK::Vec2 Levers::size(90.0f, 150.0f);

Levers::Levers(const ElementServices& s)
    : ElementPage(panel),
      levers(s.renderContext),
      panel(s, ElementPanel::Elements{
                   [this] { return static_cast<int>(levers.entries.size()); },
                   [this](int i) -> NK::ExtBitmap& {
                       return picture(levers.entries[static_cast<std::size_t>(i)]);
                   },
                   [this](int i) { remove(i); },
                   [this](int i, const NK::Rect& rect) {
                       const Lever& from = levers.entries[static_cast<std::size_t>(i)];
                       add({rect.x, rect.y}, picture(from).angle, from.delay);
                   },
                   nullptr, nullptr, false}),
      bitmaps(s.bitmaps),
      view(s.view) {}

void Levers::add(NK::Vec2 topLeft, float angle, float delay) {
    Lever lever;
    lever.delay = delay;
    // The frames are copied into the picture, so the sheet need not stay.
    animations.loadAnimation(sheetPath, 5, 1, "lever");
    levers.pictures
        .createAnimated(animations.get("lever"), NK::Rect(topLeft, size), levers.add(lever).key)
        .angle = angle;
    animations.destroyAnimation("lever");
}

void Levers::remove(int index) {
    levers.remove(static_cast<std::size_t>(index));
}

void Levers::clear() {
    levers.clear();
    panel.resetSelection();
}

std::vector<LeverRecord> Levers::records() const {
    std::vector<LeverRecord> out;
    out.reserve(levers.entries.size());
    for (const Lever& lever : levers.entries) {
        const NK::ExtBitmap& e = levers.pictures.get(lever.key);
        out.push_back({e.rect.x, e.rect.y, e.angle, lever.delay});
    }
    return out;
}

void Levers::start() {
    for (Lever& lever : levers.entries) {
        showRestFrame(picture(lever), offFrame);
        lever.switched = false;
    }
}

void Levers::update(bool ePressed, const NK::Rect& playerRect) {
    for (Lever& lever : levers.entries) {
        if (ePressed && picture(lever).rect.touches(playerRect)) pull(lever);
        // A delay of exactly 0 is "on" in the editor yet never runs down.
        if (!lever.switched || lever.delay <= 0.0f) continue;
        --lever.countdown;
        if (lever.countdown < 0) fallBack(lever);
    }
}

void Levers::pull(Lever& lever) {
    // A second pull replays the switch and starts the delay over.
    showRestFrame(picture(lever), onFrame);
    levers.pictures.playFrames(lever.key, offFrame, onFrame, ticksPerFrame, false, false, 0);
    lever.switched = true;
    lever.countdown = static_cast<int>(lever.delay * 60.0f);
}

void Levers::fallBack(Lever& lever) {
    lever.switched = false;
    showRestFrame(picture(lever), offFrame);
    levers.pictures.playFrames(lever.key, onFrame, offFrame, ticksPerFrame, false, false, 0);
}

void Levers::end() {
    for (Lever& lever : levers.entries) showRestFrame(picture(lever), offFrame);
}

void Levers::draw() {
    levers.draw();
}

bool Levers::allSwitched() const {
    return std::all_of(levers.entries.begin(), levers.entries.end(),
                       [](const Lever& l) { return l.switched; });
}

Levers::Lever* Levers::selectedLever() {
    return panel.hasSelection() ? &levers.entries[static_cast<std::size_t>(panel.selected)]
                                : nullptr;
}

PanelWidgets::Group Levers::angleGroup() {
    PanelWidgets::Group g = panel.angleGroup();
    // A lever is never drawn mirrored; RESET makes sure of it all the same.
    g.reset = [this](int i) {
        NK::ExtBitmap& e = picture(levers.entries[static_cast<std::size_t>(i)]);
        e.angle = 0.0f;
        e.flipX = e.flipY = false;
    };
    return g;
}

PanelWidgets::Group Levers::delayGroup() {
    auto lever = [this](int i) -> Lever& { return levers.entries[static_cast<std::size_t>(i)]; };
    PanelWidgets::Group g;
    g.key = "delay";
    PanelWidgets::Field f{"delay", "SEC", [lever](int i) { return lever(i).delay; },
                          [lever](int i, float v) { lever(i).delay = v; }};
    f.labelKey = "delay_sec_text";
    f.emptyText = "-1.00";
    f.notNumber = 1.0f;
    // Every negative delay means the same "never", so it is kept as one value.
    f.limit = [](float v) { return v < 0.0f ? -1.0f : v; };
    g.fields.push_back(f);
    return g;
}

void Levers::build() {
    panel.start();
    panel.addList({{"add", "ADD", [this] {
                        const NK::Vec2 centre = PanelRules::freeAreaCentre(view->rect());
                        add({centre.x - size.x / 2.0f, centre.y - size.y / 2.0f}, 0.0f, -1.0f);
                        panel.selectLast();
                    }}});
    panel.addGroup(panel.positionGroup());
    panel.addGroup(angleGroup());
    panel.widgets.addToggles({{"delay_use",
                               [this] {
                                   const Lever* l = selectedLever();
                                   return l && l->delay >= 0.0f ? "DELAY: ON" : "DELAY: OFF";
                               },
                               [this] {
                                   Lever* l = selectedLever();
                                   if (l) l->delay = l->delay >= 0.0f ? -1.0f : 1.0f;
                               }}});
    panel.addGroup(delayGroup());
    panel.refreshPanel();
    panel.hide();
}

void Levers::update(bool mouseOutside) {
    panel.update(mouseOutside);
    // Levers have one size: the shared resize handle has nothing to do here.
    panel.resizing = false;
    for (const Lever& lever : levers.entries) {
        NK::Rect& r = picture(lever).rect;
        r.width = size.x;
        r.height = size.y;
    }
}

void Levers::drawOverlay(NK::Vec2 handleSize) {
    if (!panel.hasSelection()) return;
    const NK::ExtBitmap& e = picture(levers.entries[static_cast<std::size_t>(panel.selected)]);
    const NK::Vec2 at = PanelRules::rotateHandle(e.rect, e.angle);
    bitmaps->drawTinted("rotate", NK::Rect(at, handleSize), true,
                        PanelRules::handleTint(panel.mouseInLevel(), at, handleSize));
}

void Levers::updateWidgets() {
    levers.pictures.updateExtBitmaps();
    panel.widgets.gui().update();
}
