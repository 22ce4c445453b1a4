// The Enemies tab of the editor: the page's inputs and the mouse work on the
// cameras, with handles that turn the head, turn the holder and widen the sight.
#include <allegro5/allegro.h>
#include <allegro5/allegro_primitives.h>

#include "elements/CameraRules.h"
#include "elements/Enemies.h"
#include "elements/PanelRules.h"
#include "engine/BitmapStore.h"
#include "engine/ExtBitmap.h"
#include "engine/Input.h"
#include "engine/RenderContext.h"
#include "engine/View.h"

namespace {

// The frame drawn round the selected head, about as wide as the reach that grabs it.
constexpr float frameSide = 150.0f;

}  // namespace

void Enemies::build() {
    panel.start();
    panel.addList({{"add", "ADD", [this] {
                        add(PanelRules::freeAreaCentre(view->rect()), 0.0f, 0.0f,
                            CameraRules::defaultSight);
                        panel.selectLast();
                    }}});
    panel.addGroup(positionGroup());
    panel.addGroup(angleGroup("angle_head", "Angle Head", true));
    panel.addGroup(angleGroup("angle_holder", "Angle Holder", false));
    panel.addGroup(sightGroup());
    panel.refreshPanel();
    panel.hide();
}

PanelWidgets::Group Enemies::positionGroup() {
    // Head and holder share the camera's position and always move together.
    PanelWidgets::Group g;
    g.key = "position";
    g.title = "Position";
    g.reset = [this](int i) { moveTo(i, NK::Vec2(0.0f, 0.0f)); };
    g.fields.push_back({"position_x", "X", [this](int i) { return position(i).x; },
                        [this](int i, float v) { moveTo(i, NK::Vec2(v, position(i).y)); }});
    g.fields.push_back({"position_y", "Y", [this](int i) { return position(i).y; },
                        [this](int i, float v) { moveTo(i, NK::Vec2(position(i).x, v)); }});
    return g;
}

PanelWidgets::Group Enemies::angleGroup(const char* key, const char* title, bool ofHead) {
    auto write = [this, ofHead](int i, float angle) {
        if (ofHead) {
            turnHead(i, angle);
        } else {
            holder(i).angle = angle;
        }
    };
    PanelWidgets::Group g;
    g.key = key;
    g.title = title;
    g.reset = [write](int i) { write(i, 0.0f); };
    PanelWidgets::Field f{
        key, "DEG", [this, ofHead](int i) { return (ofHead ? head(i) : holder(i)).angle; }, write};
    f.degrees = true;
    f.labelKey = std::string(key) + "_deg_text";  // "<key>_text" is the group's title
    g.fields.push_back(f);
    return g;
}

PanelWidgets::Group Enemies::sightGroup() {
    auto radius = [this](int i) -> float& { return list[static_cast<std::size_t>(i)].sightRadius; };
    PanelWidgets::Group g;
    g.key = "sight";
    g.title = "Sight";
    g.reset = [radius](int i) { radius(i) = CameraRules::defaultSight; };
    g.fields.push_back({"radius", "RADIUS", [radius](int i) { return radius(i); },
                        [radius](int i, float v) { radius(i) = v; }});
    return g;
}

void Enemies::setCameraHook(std::function<void(NK::Vec2)> centre) {
    // The panel would aim at the middle of the head's rectangle; a camera's
    // place is its head's position.
    panel.centreCamera = [this, centre](NK::Vec2) {
        if (panel.hasSelection() && centre) centre(position(panel.selected));
    };
}

void Enemies::show() {
    panel.show();
}

void Enemies::hide() {
    panel.hide();
    mouse = Mouse::None;
}

void Enemies::update(bool mouseOutside) {
    if (!input->mouseDown(1)) mouse = Mouse::None;
    // The panel's keys (Q, E, C, Delete) only: the mouse work is the cameras' own.
    panel.update(true);
    if (mouseOutside) return;
    const NK::Vec2 at = panel.mouseInLevel();
    if (input->mousePressed[1]) press(at);
    if (input->mouseDown(1) && panel.hasSelection()) follow(at);
}

void Enemies::press(NK::Vec2 at) {
    const NK::Vec2 handle = PanelRules::handleSize(view->rect());
    if (input->keyDown(ALLEGRO_KEY_LCTRL) && panel.hasSelection()) {
        const int from = panel.selected;
        add(at, head(from).angle, holder(from).angle,
            list[static_cast<std::size_t>(from)].sightRadius);
        panel.select(from);  // the copy takes its place among the dimmed ones
        panel.refreshPanel();
        return;
    }
    mouse = Mouse::None;
    if (panel.hasSelection()) {
        const int i = panel.selected;
        const NK::Vec2 p = position(i);
        if (PanelRules::onHandle(at, CameraRules::headHandle(p, head(i).angle), handle)) {
            mouse = Mouse::TurningHead;
        } else if (PanelRules::onHandle(at, CameraRules::holderHandle(p, holder(i).angle),
                                        handle)) {
            mouse = Mouse::TurningHolder;
        } else if (PanelRules::onHandle(
                       at,
                       CameraRules::sightHandle(p, list[static_cast<std::size_t>(i)].sightRadius),
                       handle)) {
            mouse = Mouse::Widening;
        } else if (CameraRules::withinGrab(p, at)) {
            mouse = Mouse::Dragging;
            grabOffset = at - p;
        }
    }
    if (mouse == Mouse::None) {
        int picked = static_cast<int>(list.size());
        for (int i = 0; i < static_cast<int>(list.size()); ++i) {
            if (!CameraRules::withinGrab(position(i), at)) continue;
            picked = i;
            mouse = Mouse::Dragging;
            grabOffset = at - position(i);
            break;
        }
        panel.select(picked);
    }
    panel.refreshPanel();
}

void Enemies::follow(NK::Vec2 at) {
    const int i = panel.selected;
    const NK::Vec2 p = position(i);
    switch (mouse) {
        case Mouse::Dragging: {
            const NK::Vec2 to = at - grabOffset;
            if (to.x == p.x && to.y == p.y) return;
            moveTo(i, to);
            panel.widgets.rewrite("position_x");
            panel.widgets.rewrite("position_y");
            break;
        }
        case Mouse::TurningHead: {
            const float a = CameraRules::headAngleToward(p, at);
            if (a == head(i).angle) return;
            turnHead(i, a);
            panel.widgets.rewrite("angle_head");
            break;
        }
        case Mouse::TurningHolder: {
            const float b = CameraRules::holderAngleToward(p, at);
            if (b == holder(i).angle) return;
            holder(i).angle = b;
            panel.widgets.rewrite("angle_holder");
            break;
        }
        case Mouse::Widening: {
            float& r = list[static_cast<std::size_t>(i)].sightRadius;
            const float to = CameraRules::sightToward(p, at);
            if (to == r) return;
            r = to;
            panel.widgets.rewrite("radius");
            break;
        }
        case Mouse::None:
            break;
    }
}

void Enemies::drawOverlay(NK::Vec2 handleSize) {
    if (!panel.hasSelection()) return;
    const int i = panel.selected;
    const NK::Vec2 p = position(i);
    const NK::Vec2 at = panel.mouseInLevel();
    const NK::Rect frame = PanelRules::centredOn(p, {frameSide, frameSide});
    if (!renderContext->culled(frame)) {
        const float green = CameraRules::withinGrab(p, at) ? 1.0f : 0.7f;
        al_draw_rectangle(frame.x, frame.y, frame.x + frame.width, frame.y + frame.height,
                          NK::Color(0.0f, green, 0.0f, 1.0f).toAllegro(),
                          3.0f * NK::perScreenPixel(view->rect()).x);
    }
    auto drawHandle = [&](const char* icon, NK::Vec2 handle) {
        bitmaps->drawTinted(icon, NK::Rect(handle, handleSize), true,
                            PanelRules::handleTint(at, handle, handleSize));
    };
    drawHandle("rotate", CameraRules::headHandle(p, head(i).angle));
    drawHandle("rotate", CameraRules::holderHandle(p, holder(i).angle));
    drawHandle("resize",
               CameraRules::sightHandle(p, list[static_cast<std::size_t>(i)].sightRadius));
}

void Enemies::updateWidgets() {
    pictures.updateExtBitmaps();
    // The panel fades the heads; each holder wears its head's opacity.
    for (std::size_t i = 0; i < list.size(); ++i)
        holder(static_cast<int>(i)).alpha.current = head(static_cast<int>(i)).alpha.current;
    panel.widgets.gui().update();
}
