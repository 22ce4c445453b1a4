#include "elements/Lights.h"

#include <allegro5/allegro.h>
#include <allegro5/allegro_primitives.h>

#include <algorithm>
#include <cmath>

#include "elements/MouseInLevel.h"
#include "elements/PanelRules.h"
#include "engine/BitmapStore.h"
#include "engine/Culling.h"
#include "engine/Display.h"
#include "engine/Input.h"
#include "engine/LightSystem.h"
#include "engine/RenderContext.h"
#include "engine/View.h"

namespace {

const NK::Color markerSelected(1.0f, 1.0f, 0.0f, 1.0f);
const NK::Color markerOther(0.7f, 0.7f, 0.0f, 1.0f);

bool within(NK::Vec2 a, NK::Vec2 b, float radius) {
    const float dx = a.x - b.x;
    const float dy = a.y - b.y;
    return dx * dx + dy * dy <= radius * radius;
}

}  // namespace

Lights::Lights(const ElementServices& s)
    : services{s.input, s.view, s.fonts, s.bitmaps, s.renderContext},
      lightSystem(std::make_unique<NK::LightSystem>(s.renderContext)),
      widgets(services) {
    widgets.selection = [this] { return selection(); };
    widgets.refreshPanel = [this] { refreshPanel(); };
}

Lights::~Lights() = default;

bool Lights::add(NK::Vec2 position, const NK::Color& colour, float intensity, float hardness,
                 float delayOn, float delayOff, float delaySpeed, bool delayFirstOn) {
    const std::string key = std::to_string(counter);
    if (!lightSystem->createLight(key, position, colour.r, colour.g, colour.b, intensity,
                                  hardness)) {
        return false;
    }
    Entry e;
    e.key = key;
    e.blink.delayOn = delayOn;
    e.blink.delayOff = delayOff;
    e.blink.delaySpeed = delaySpeed;
    e.blink.delayFirstOn = delayFirstOn;
    entries.push_back(e);
    ++counter;
    return true;
}

bool Lights::add(const LightRecord& r) {
    // The file keeps no alpha: a light's strength is its intensity.
    return add({r.x, r.y}, NK::Color(r.red, r.green, r.blue, 1.0f), r.intensity, r.hardness,
               r.delayOn, r.delayOff, r.delaySpeed, r.delayFirstOn);
}

void Lights::clear() {
    lightSystem->clearLights();
    entries.clear();
    counter = 0;
    playing = false;
    selected = 0;
    moving = draggingIntensity = draggingHardness = false;
    if (built) refreshPanel();
}

std::vector<LightRecord> Lights::records() const {
    std::vector<LightRecord> out;
    out.reserve(entries.size());
    for (const Entry& e : entries) {
        LightRecord r;
        const NK::Vec2 p = lightSystem->getPosition(e.key);
        const ALLEGRO_COLOR c = lightSystem->getColor(e.key);
        r.x = p.x;
        r.y = p.y;
        r.red = c.r;
        r.green = c.g;
        r.blue = c.b;
        // A level saved mid-blink keeps the light as it was made, not as dim
        // as it happened to be.
        r.intensity =
            playing && e.blink.blinks() ? e.blink.savedIntensity : lightSystem->getIntensity(e.key);
        r.hardness = lightSystem->getHardness(e.key);
        r.delayOn = e.blink.delayOn;
        r.delayOff = e.blink.delayOff;
        r.delaySpeed = e.blink.delaySpeed;
        r.delayFirstOn = e.blink.delayFirstOn;
        out.push_back(r);
    }
    return out;
}

void Lights::start() {
    for (Entry& e : entries) {
        if (!e.blink.blinks()) continue;
        lightSystem->setIntensity(e.key, e.blink.start(lightSystem->getIntensity(e.key)));
    }
    playing = true;
}

void Lights::update() {
    if (!playing) return;
    for (Entry& e : entries) {
        if (!e.blink.blinks()) continue;
        lightSystem->setIntensity(e.key, e.blink.tick(lightSystem->getIntensity(e.key)));
    }
}

void Lights::end() {
    if (!playing) return;
    for (Entry& e : entries) {
        if (e.blink.blinks()) lightSystem->setIntensity(e.key, e.blink.savedIntensity);
    }
    playing = false;
}

void Lights::drawLit(bool lit) {
    al_use_shader(lit ? lightSystem->getShader() : nullptr);
}

void Lights::removeAt(int index) {
    lightSystem->clearLight(entries[index].key);
    entries.erase(entries.begin() + index);
}

void Lights::removeSelected() {
    if (!hasSelection()) return;
    removeAt(selected);
    select(PanelRules::previous(selected));
    refreshPanel();
}

void Lights::addDefault() {
    const NK::Vec2 at = PanelRules::freeAreaCentre(services.view->rect());
    if (!add(at, NK::Color::white(), defaultIntensity, defaultHardness, -1.0f, -1.0f, 0.5f, true)) {
        return;
    }
    select(count() - 1);
    refreshPanel();
}

void Lights::copySelected(NK::Vec2 at) {
    // Copies: adding may move the entries.
    const std::string key = entries[selected].key;
    const LightBlink b = entries[selected].blink;
    const ALLEGRO_COLOR c = lightSystem->getColor(key);
    add(at, NK::Color(c.r, c.g, c.b, 1.0f), lightSystem->getIntensity(key),
        lightSystem->getHardness(key), b.delayOn, b.delayOff, b.delaySpeed, b.delayFirstOn);
}

void Lights::select(int index) {
    selected = index;
}

void Lights::stepTo(int index) {
    if (index == selected) return;
    select(index);
    centreOnSelected();
    refreshPanel();
}

void Lights::centreOnSelected() {
    if (hasSelection() && centreCamera) centreCamera(positionOf(selected));
}

NK::Vec2 Lights::positionOf(int index) const {
    return lightSystem->getPosition(entries[index].key);
}

NK::Vec2 Lights::intensityHandle(int index) const {
    const NK::Vec2 p = positionOf(index);
    return {p.x + lightSystem->getIntensity(entries[index].key), p.y};
}

NK::Vec2 Lights::hardnessHandle(int index) const {
    const NK::Vec2 p = positionOf(index);
    const float hardness = lightSystem->getHardness(entries[index].key);
    return {p.x, p.y + hardnessHandleOffset + hardness / hardnessPerPixel};
}

NK::Vec2 Lights::mouseInLevel() const {
    return ::mouseInLevel(*services.input, *services.view);
}

void Lights::update(bool mouseOutside) {
    const NK::View& v = *services.view;
    const NK::Vec2 unit = NK::perScreenPixel(v.rect());
    markerRadius = 2.0f * markerSize * unit.x;
    hardnessHandleOffset = 2.0f * markerSize * unit.y;

    const NK::Input& in = *services.input;
    if (!in.mouseDown(1)) {
        moving = draggingIntensity = draggingHardness = false;
        endSlides();
    }
    if (!widgets.typingLetters()) {
        if (in.keyPressed[ALLEGRO_KEY_C]) centreOnSelected();
        if (in.keyPressed[ALLEGRO_KEY_Q]) stepTo(PanelRules::previous(selected));
        if (in.keyPressed[ALLEGRO_KEY_E]) stepTo(PanelRules::next(selected, count()));
    }
    // Delete clears a focused input's text instead.
    if (in.keyPressed[ALLEGRO_KEY_DELETE] && !widgets.typing()) removeSelected();
    // The sliders sit in the panel, so they follow the pointer wherever it is.
    if (in.mouseDown(1)) followSlide();
    if (mouseOutside) return;

    const NK::Vec2 mouse = mouseInLevel();
    if (in.mousePressed[1]) click(mouse);
    if (in.mouseDown(1) && hasSelection()) follow(mouse);
}

void Lights::click(NK::Vec2 mouse) {
    const bool copy = services.input->keyDown(ALLEGRO_KEY_LCTRL);
    if (copy && hasSelection()) {
        copySelected(mouse);
    } else if (!hasSelection() || !grabHandle(mouse)) {
        pick(mouse);
    }
    refreshPanel();
}

bool Lights::grabHandle(NK::Vec2 mouse) {
    const NK::Vec2 size = PanelRules::handleSize(services.view->rect());
    if (PanelRules::onHandle(mouse, intensityHandle(selected), size)) {
        draggingIntensity = true;
    } else if (PanelRules::onHandle(mouse, hardnessHandle(selected), size)) {
        draggingHardness = true;
    }
    return draggingIntensity || draggingHardness;
}

void Lights::pick(NK::Vec2 mouse) {
    // The selected light first, so one under another's marker can still be
    // moved once chosen; then list order.
    int hit = count();
    if (hasSelection() && within(mouse, positionOf(selected), markerRadius)) {
        hit = selected;
    } else {
        for (int i = 0; i < count(); ++i) {
            if (!within(mouse, positionOf(i), markerRadius)) continue;
            hit = i;
            break;
        }
    }
    select(hit);
    if (!hasSelection()) return;
    moving = true;
    grabOffset = mouse - positionOf(selected);
}

void Lights::follow(NK::Vec2 mouse) {
    const std::string& key = entries[selected].key;
    const NK::Vec2 p = positionOf(selected);
    if (moving) {
        const NK::Vec2 to = mouse - grabOffset;
        if (to.x == p.x && to.y == p.y) return;
        lightSystem->setPosition(key, to);
        widgets.rewrite("position_x");
        widgets.rewrite("position_y");
    } else if (draggingIntensity) {
        lightSystem->setIntensity(key, std::max(mouse.x - p.x, 0.0f));
        widgets.rewrite("intensity");
    } else if (draggingHardness) {
        const float below = mouse.y - p.y - hardnessHandleOffset;
        lightSystem->setHardness(key, below > 0.0f ? below * hardnessPerPixel : 0.0f);
        widgets.rewrite("hardness");
    }
}

void Lights::drawMarkers() {
    if (!showCircles) return;
    const NK::Rect view = services.view->rect();
    const bool cull = !services.renderContext->noCulling;
    for (int i = 0; i < count(); ++i) {
        const NK::Vec2 p = positionOf(i);
        if (cull && NK::outsideView(p.x, p.y, markerRadius, markerRadius, view)) continue;
        const NK::Color& c = i == selected ? markerSelected : markerOther;
        // Thickness 0: a hairline whatever the zoom.
        al_draw_circle(p.x, p.y, markerRadius, c.toAllegro(), 0.0f);
    }
}

void Lights::drawOverlay(NK::Vec2 handleSize) {
    drawMarkers();
    if (!hasSelection()) return;
    const NK::Vec2 mouse = mouseInLevel();
    auto drawHandle = [&](NK::Vec2 at, NK::Color colour) {
        services.bitmaps->drawTinted("resize", NK::Rect(at, handleSize), true,
                                     PanelRules::handleTint(mouse, at, handleSize, colour));
    };
    drawHandle(intensityHandle(selected), NK::Color(1.0f, 0.0f, 0.0f, 1.0f));
    drawHandle(hardnessHandle(selected), NK::Color(0.0f, 0.0f, 1.0f, 1.0f));
}
