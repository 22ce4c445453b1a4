#include "elements/Surfaces.h"

#include <allegro5/allegro.h>

#include <utility>

#include "elements/MouseInLevel.h"
#include "elements/PanelRules.h"
#include "elements/SurfaceBuilder.h"
#include "engine/Display.h"
#include "engine/Input.h"
#include "engine/PhysicsWorld.h"
#include "engine/RenderContext.h"
#include "engine/View.h"

namespace {

const NK::Color selectedColour(0.0f, 0.8f, 1.0f, 1.0f);
const NK::Color otherColour(0.0f, 0.0f, 1.0f, 1.0f);
const NK::Color removalColour(1.0f, 0.0f, 0.0f, 1.0f);
const NK::Color previewColour(0.0f, 1.0f, 0.0f, 1.0f);
// A new surface's first segment runs this far from the click.
constexpr float firstSegment = 50.0f;
constexpr float dimmed = 0.4f;
constexpr float fadeSpeed = 0.05f;

}  // namespace

Surfaces::Surfaces(const ElementServices& s)
    : world(s.physics), input(s.input), view(s.view), renderContext(s.renderContext), widgets(s) {}

void Surfaces::addFromRecord(const SurfaceRecord& record) {
    buildSurface(*world, key(surfaceCounter), record);
    ++surfaceCounter;
}

std::vector<SurfaceRecord> Surfaces::records() const {
    std::vector<SurfaceRecord> out;
    for (int k = 0; k <= surfaceCounter; ++k) {
        if (!world->hasSurface(key(k))) continue;
        const auto& segments = world->getSurface(key(k)).segments;
        if (segments.empty()) continue;
        SurfaceRecord record;
        record.points.push_back({segments.front()->x1, segments.front()->y1});
        for (const auto& s : segments) record.points.push_back({s->x2, s->y2});
        out.push_back(std::move(record));
    }
    return out;
}

void Surfaces::clear() {
    world->clearSurfaces();
    surfaceCounter = 0;
    selectedSurface = 0;
    prependMode = false;
    hoverFirst = hoverLast = false;
    showSelection();
    showMode(false);
}

bool Surfaces::empty() const {
    for (int k = 0; k <= surfaceCounter; ++k) {
        if (world->hasSurface(key(k))) return false;
    }
    return true;
}

void Surfaces::build() {
    widgets.start();
    widgets.addSelectRow(
        false, [this] { selectPrevious(); }, [this] { selectNext(); });
    widgets.addButtons({{"add", "ADD", [this] { addSurface(); }},
                        {"remove", "REMOVE", [this] { removeSurface(); }}});
    widgets.endSection();
    widgets.addButtons({{"prev", "Previous point", [this] { setPrependMode(true); }},
                        {"next", "Next point", [this] { setPrependMode(false); }}});
    widgets.addButtons(
        {{"first", "Remove first", [this] { removeFirst(); }, [this](bool in) { hoverFirst = in; }},
         {"last", "Remove last", [this] { removeLast(); }, [this](bool in) { hoverLast = in; }}});
    widgets.endSection();
    built = true;
    showSelection();
    showMode(false);
    hide();
}

void Surfaces::show() {
    widgets.show();
}

void Surfaces::hide() {
    widgets.hide();
    // A hidden button never reports the pointer leaving it.
    hoverFirst = hoverLast = false;
}

void Surfaces::updateWidgets() {
    widgets.gui().update();
}

bool Surfaces::selectedExists() const {
    return world->hasSurface(key(selectedSurface));
}

NK::Vec2 Surfaces::workingEnd() const {
    const auto& segments = world->getSurface(key(selectedSurface)).segments;
    if (prependMode) return {segments.front()->x1, segments.front()->y1};
    return {segments.back()->x2, segments.back()->y2};
}

void Surfaces::centreOnWorkingEnd() {
    if (selectedExists() && centreCamera) centreCamera(workingEnd());
}

void Surfaces::showSelection() {
    if (built) widgets.setButtonText("select", std::to_string(selectedSurface));
}

void Surfaces::showMode(bool animate) {
    if (!built) return;
    // The button of the mode in use is lit, the other one dimmed.
    const char* chosen = prependMode ? "prev" : "next";
    const char* other = prependMode ? "next" : "prev";
    NK::GUISystem& gui = widgets.gui();
    if (animate) {
        gui.animateButtonOpacity(chosen, 1.0f, fadeSpeed);
        gui.animateButtonOpacity(other, dimmed, fadeSpeed);
    } else {
        gui.setButtonOpacity(chosen, 1.0f);
        gui.setButtonOpacity(other, dimmed);
    }
}

void Surfaces::addSurface() {
    ++surfaceCounter;
    selectedSurface = surfaceCounter;
    showSelection();
}

void Surfaces::removeSurface() {
    if (selectedExists()) world->destroySurface(key(selectedSurface));
}

void Surfaces::setPrependMode(bool prepend) {
    prependMode = prepend;
    showMode(true);
}

void Surfaces::removeFirst() {
    if (!selectedExists()) return;
    // The world never takes a surface below one segment; the editor's
    // "Remove first" must leave none, so the last segment takes the surface with it.
    if (world->getSurface(key(selectedSurface)).segments.size() < 2) {
        world->destroySurface(key(selectedSurface));
    } else {
        world->removeFirstSurfacePoint(key(selectedSurface));
    }
}

void Surfaces::removeLast() {
    if (!selectedExists()) return;
    if (world->getSurface(key(selectedSurface)).segments.size() < 2) {
        world->destroySurface(key(selectedSurface));
    } else {
        world->removeLastSurfacePoint(key(selectedSurface));
    }
}

void Surfaces::selectPrevious() {
    if (selectedSurface <= 0) return;
    --selectedSurface;
    centreOnWorkingEnd();
    showSelection();
}

void Surfaces::selectNext() {
    if (selectedSurface >= surfaceCounter) return;
    ++selectedSurface;
    centreOnWorkingEnd();
    showSelection();
}

NK::Vec2 Surfaces::mouseInLevel() const {
    return ::mouseInLevel(*input, *view);
}

void Surfaces::update(bool mouseOutside) {
    if (input->keyPressed[ALLEGRO_KEY_C]) centreOnWorkingEnd();
    if (input->keyPressed[ALLEGRO_KEY_Q]) selectPrevious();
    if (input->keyPressed[ALLEGRO_KEY_E]) selectNext();
    if (input->keyPressed[ALLEGRO_KEY_R]) setPrependMode(!prependMode);
    if (input->keyPressed[ALLEGRO_KEY_DELETE] && !widgets.typing()) removeSurface();
    if (mouseOutside) return;
    if (input->mousePressed[1]) click(mouseInLevel());
}

void Surfaces::click(NK::Vec2 at) {
    const std::string k = key(selectedSurface);
    if (!selectedExists()) {
        if (prependMode) {
            world->createSurface(at, {at.x + firstSegment, at.y}, k);
        } else {
            world->createSurface({at.x - firstSegment, at.y}, at, k);
        }
    } else if (prependMode) {
        world->insertSurfacePointFront(k, at);
    } else {
        world->addSurfacePoint(k, at);
    }
}

float Surfaces::lineWidth() const {
    // Three pixels of the 1920-wide screen at any zoom.
    return 3.0f * NK::perScreenPixel(view->rect()).x;
}

void Surfaces::drawSurfaces(bool mouseOutside, bool tabActive) {
    const float thickness = lineWidth();
    for (int k = 0; k <= surfaceCounter; ++k) {
        if (!world->hasSurface(key(k))) continue;
        const NK::Color& colour = tabActive && k == selectedSurface ? selectedColour : otherColour;
        for (const auto& s : world->getSurface(key(k)).segments) {
            renderContext->drawLine({s->x1, s->y1}, {s->x2, s->y2}, colour, thickness);
        }
    }
    // The hover flags belong to buttons in the panel, so they only mean
    // something while the mouse is out of the editing area.
    if (!tabActive || !mouseOutside || !selectedExists()) return;
    const auto& segments = world->getSurface(key(selectedSurface)).segments;
    if (hoverFirst) {
        const auto& s = *segments.front();
        renderContext->drawLine({s.x1, s.y1}, {s.x2, s.y2}, removalColour, thickness);
    }
    if (hoverLast) {
        const auto& s = *segments.back();
        renderContext->drawLine({s.x1, s.y1}, {s.x2, s.y2}, removalColour, thickness);
    }
}

void Surfaces::drawPreview() {
    const NK::Vec2 mouse = mouseInLevel();
    NK::Vec2 from = mouse;
    NK::Vec2 to = prependMode ? NK::Vec2(mouse.x + firstSegment, mouse.y)
                              : NK::Vec2(mouse.x - firstSegment, mouse.y);
    if (selectedExists()) {
        from = workingEnd();
        to = mouse;
    }
    renderContext->drawLine(from, to, previewColour, lineWidth());
}
