// The Player tab of the editor: the page's inputs and the mouse work on the
// player and its camera area.
#include <allegro5/allegro.h>
#include <allegro5/allegro_primitives.h>

#include <tuple>

#include "elements/MouseInLevel.h"
#include "elements/PanelRules.h"
#include "elements/Player.h"
#include "elements/PositionGroup.h"
#include "engine/BitmapStore.h"
#include "engine/Display.h"
#include "engine/ExtBitmap.h"
#include "engine/Input.h"
#include "engine/RenderContext.h"
#include "engine/View.h"

namespace {

const NK::Color areaActive(1.0f, 0.3f, 0.3f, 1.0f);
const NK::Color areaInactive(0.8f, 0.0f, 0.0f, 1.0f);

}  // namespace

void Player::build() {
    loadImages();
    // The page edits the one player, so every field reads and writes it
    // whatever "record" the panel asks for.
    widgets.selection = [] { return 0; };
    widgets.start();

    widgets.addGroup(singlePositionGroup(
        "Player Position", [this] { return position(); },
        [this](NK::Vec2 to) {
            setPosition(to.x, to.y);
            changed = true;
        }));

    auto areaField = [this](const char* key, const char* label, float NK::Rect::*side) {
        return PanelWidgets::Field{key, label, [this, side](int) { return cameraArea.*side; },
                                   [this, side](int, float v) {
                                       cameraArea.*side = v;
                                       changed = true;
                                   }};
    };
    PanelWidgets::Group area;
    area.key = "camera_area";
    area.title = "Camera Area";
    area.reset = [this](int) {
        cameraArea = defaultCameraArea;
        changed = true;
    };
    area.fields.push_back(areaField("camera_area_x", "X", &NK::Rect::x));
    area.fields.push_back(areaField("camera_area_y", "Y", &NK::Rect::y));
    for (auto [key, label, side] : {std::tuple{"camera_area_w", "W", &NK::Rect::width},
                                    std::tuple{"camera_area_h", "H", &NK::Rect::height}}) {
        PanelWidgets::Field f = areaField(key, label, side);
        f.notNumber = 0.0f;
        f.limit = [](float v) { return v <= 0.0f ? 0.0f : v; };
        area.fields.push_back(f);
    }
    widgets.addGroup(std::move(area));

    PanelWidgets::Group edge;
    edge.key = "fall_edge";
    edge.title = "Fall Edge";
    edge.reset = [this](int) {
        fallEdge = defaultFallEdge;
        changed = true;
    };
    edge.fields.push_back({"fall_edge_y", "Y", [this](int) { return fallEdge; },
                           [this](int, float v) {
                               fallEdge = v;
                               changed = true;
                           }});
    widgets.addGroup(std::move(edge));

    built = true;
    reset();
    hide();
}

void Player::show() {
    widgets.show();
    widgets.refreshFields(0);
}

void Player::hide() {
    widgets.hide();
    draggingPlayer = draggingTopLeft = draggingBottomRight = false;
}

NK::Vec2 Player::mouseInLevel() const {
    return ::mouseInLevel(*input, *view, false);
}

void Player::update(bool mouseOutside) {
    if (!input->mouseDown(1)) draggingPlayer = draggingTopLeft = draggingBottomRight = false;
    if (input->keyPressed[ALLEGRO_KEY_C] && !widgets.typingLetters() && centreCamera) {
        centreCamera(position());
    }
    if (mouseOutside) return;
    const NK::Vec2 mouse = mouseInLevel();
    if (input->mousePressed[1]) press(mouse);
    if (input->mouseDown(1)) follow(mouse);
}

void Player::press(NK::Vec2 mouse) {
    const NK::Vec2 handle = PanelRules::handleSize(view->rect());
    const NK::Rect& a = cameraArea;
    // The corners come first: a small camera area may lie under the player.
    if (PanelRules::onHandle(mouse, {a.x, a.y}, handle)) {
        draggingTopLeft = true;
    } else if (PanelRules::onHandle(mouse, {a.x + a.width, a.y + a.height}, handle)) {
        draggingBottomRight = true;
    } else if (PanelRules::holds(rectangle(), 0.0f, mouse)) {
        draggingPlayer = true;
        grabOffset = mouse - position();
    }
}

void Player::follow(NK::Vec2 mouse) {
    if (draggingPlayer) {
        const NK::Vec2 to = mouse - grabOffset;
        const NK::Vec2 from = position();
        if (to.x == from.x && to.y == from.y) return;
        setPosition(to.x, to.y);
        edited({"position_x", "position_y"});
        return;
    }
    NK::Rect area = cameraArea;
    if (draggingTopLeft) area = PlayerRules::dragTopLeft(cameraArea, mouse);
    if (draggingBottomRight) area = PlayerRules::dragBottomRight(cameraArea, mouse);
    if (area == cameraArea) return;
    cameraArea = area;
    edited({"camera_area_x", "camera_area_y", "camera_area_w", "camera_area_h"});
}

void Player::edited(std::initializer_list<const char*> inputs) {
    changed = true;
    for (const char* key : inputs) widgets.rewrite(key);
}

float Player::lineWidth() const {
    // Three pixels of the 1920-wide screen at any zoom.
    return 3.0f * NK::perScreenPixel(view->rect()).x;
}

void Player::drawCameraArea(bool tabActive) {
    const NK::Rect& a = cameraArea;
    if (renderContext->culled(a)) return;
    al_draw_rectangle(a.x, a.y, a.x + a.width, a.y + a.height,
                      (tabActive ? areaActive : areaInactive).toAllegro(), lineWidth());
}

void Player::drawOverlay(NK::Vec2 handleSize) {
    const NK::Vec2 mouse = mouseInLevel();
    const NK::Rect r = rectangle();
    const float green = PanelRules::holds(r, 0.0f, mouse) ? 1.0f : 0.7f;
    al_draw_rectangle(r.x, r.y, r.x + r.width, r.y + r.height,
                      NK::Color(0.0f, green, 0.0f, 1.0f).toAllegro(), lineWidth());
    const NK::Rect& a = cameraArea;
    for (NK::Vec2 corner : {NK::Vec2(a.x, a.y), NK::Vec2(a.x + a.width, a.y + a.height)}) {
        bitmaps->drawTinted("resize", NK::Rect(corner, handleSize), true,
                            PanelRules::handleTint(mouse, corner, handleSize));
    }
}
