#include "elements/Gate.h"

#include <allegro5/allegro.h>

#include "elements/MouseInLevel.h"
#include "elements/PanelRules.h"
#include "elements/PositionGroup.h"
#include "elements/RestFrame.h"
#include "engine/Display.h"
#include "engine/ExtBitmap.h"
#include "engine/Input.h"
#include "engine/View.h"

namespace {

const char* const sheetPath = "Resources/Images/Ingame/gate.png";
const NK::Vec2 gateSize(300.0f, 350.0f);
const NK::Vec2 defaultPosition(1000.0f, 800.0f);

}  // namespace

Gate::Gate(const ElementServices& s)
    : input(s.input), view(s.view), pictures(s.renderContext), widgets(s) {}

std::vector<std::string> Gate::imageFiles() {
    return {sheetPath};
}

void Gate::loadImages() {
    animations.loadAnimation(sheetPath, 2, 1, "gate");
    pictures.createAnimated(animations.get("gate"), NK::Rect(defaultPosition, gateSize), "gate",
                            true);
}

void Gate::reset() {
    setPosition(defaultPosition.x, defaultPosition.y);
    open = false;
    update();
    changed = false;
    if (built) widgets.refreshFields(0);
}

void Gate::setPosition(float x, float y) {
    picture().rect.x = x;
    picture().rect.y = y;
}

NK::Vec2 Gate::position() {
    return {picture().rect.x, picture().rect.y};
}

void Gate::update() {
    showRestFrame(picture(), open ? openFrame : closedFrame);
}

void Gate::draw() {
    pictures.drawExtBitmap("gate");
}

NK::Rect Gate::rectangle() {
    // The picture is centred on its position.
    const NK::Rect& r = picture().rect;
    return PanelRules::centredOn({r.x, r.y}, {r.width, r.height});
}

GateRecord Gate::record() {
    const NK::Vec2 centre = PanelRules::centreOf(rectangle());
    return {centre.x, centre.y};
}

void Gate::build() {
    loadImages();
    widgets.selection = [] { return 0; };  // the one gate
    widgets.start();
    widgets.addGroup(singlePositionGroup(
        "Position", [this] { return position(); },
        [this](NK::Vec2 to) {
            setPosition(to.x, to.y);
            changed = true;
        }));
    built = true;
    hide();
}

void Gate::show() {
    widgets.show();
    widgets.refreshFields(0);
}

void Gate::hide() {
    widgets.hide();
    dragging = false;
}

NK::Vec2 Gate::mouseInLevel() const {
    return ::mouseInLevel(*input, *view);
}

void Gate::update(bool mouseOutside) {
    if (!input->mouseDown(1)) dragging = false;
    if (input->keyPressed[ALLEGRO_KEY_C] && !widgets.typingLetters() && centreCamera) {
        centreCamera(position());
    }
    if (mouseOutside) return;
    const NK::Vec2 mouse = mouseInLevel();
    if (input->mousePressed[1] && PanelRules::holds(rectangle(), 0.0f, mouse)) {
        dragging = true;
        grabOffset = mouse - position();
    }
    if (!dragging || !input->mouseDown(1)) return;
    const NK::Vec2 to = mouse - grabOffset;
    const NK::Vec2 from = position();
    if (to.x == from.x && to.y == from.y) return;
    setPosition(to.x, to.y);
    changed = true;
    widgets.rewrite("position_x");
    widgets.rewrite("position_y");
}

void Gate::updateWidgets() {
    pictures.updateExtBitmaps();
    widgets.gui().update();
}
