#include "elements/ElementPanel.h"

#include <allegro5/allegro.h>

#include <utility>

#include "elements/MouseInLevel.h"
#include "elements/PanelRules.h"
#include "engine/BitmapStore.h"
#include "engine/Display.h"
#include "engine/ExtBitmap.h"
#include "engine/Input.h"
#include "engine/View.h"

ElementPanel::ElementPanel(const PanelServices& s, Elements e)
    : widgets(s), services(s), elements(std::move(e)) {
    widgets.selection = [this] { return selection(); };
    widgets.refreshPanel = [this] { refreshPanel(); };
}

void ElementPanel::addList(std::vector<PanelWidgets::Button> addButtons) {
    widgets.addSelectRow(
        true, [this] { selectPrevious(); }, [this] { selectNext(); });
    widgets.makeClickToEdit("select", true, [this](std::string text) { commitSelect(text); });
    hasList = true;
    addButtons.push_back({"remove", "REMOVE", [this] { removeSelected(); }});
    widgets.addButtons(std::move(addButtons));
    widgets.endSection();
}

void ElementPanel::addImageChooser(std::string folder, std::vector<std::string> precreated) {
    chooser = std::make_unique<ImageChooser>(widgets, std::move(folder), std::move(precreated));
    chooser->build();
}

PanelWidgets::Group ElementPanel::positionGroup() {
    auto rect = [this](int i) -> NK::Rect& { return elements.image(i).rect; };
    PanelWidgets::Group g;
    g.key = "position";
    g.title = "Position";
    g.reset = [rect](int i) {
        rect(i).x = 0.0f;
        rect(i).y = 0.0f;
    };
    g.fields.push_back({"position_x", "X", [rect](int i) { return rect(i).x; },
                        [rect](int i, float v) { rect(i).x = v; }});
    g.fields.push_back({"position_y", "Y", [rect](int i) { return rect(i).y; },
                        [rect](int i, float v) { rect(i).y = v; }});
    return g;
}

PanelWidgets::Group ElementPanel::sizeGroup(bool withLock) {
    auto rect = [this](int i) -> NK::Rect& { return elements.image(i).rect; };
    PanelWidgets::Group g;
    g.key = "size";
    g.title = "Size";
    g.reset = [this, rect](int i) {
        const NK::Rect& own = elements.image(i).currentEntry().source;
        rect(i).width = own.width;
        rect(i).height = own.height;
    };
    g.fields.push_back({"size_x", "W", [rect](int i) { return rect(i).width; },
                        [rect](int i, float v) { rect(i).width = v; }});
    g.fields.push_back({"size_y", "H", [rect](int i) { return rect(i).height; },
                        [rect](int i, float v) { rect(i).height = v; }});
    if (withLock) {
        g.toggles.push_back({"size_lock",
                             [this] { return sizeLock ? "LOCK W-H: ON" : "LOCK W-H: OFF"; },
                             [this] { sizeLock = !sizeLock; }});
    }
    return g;
}

PanelWidgets::Group ElementPanel::angleGroup() {
    PanelWidgets::Group g;
    g.key = "angle";
    g.title = "Angle";
    g.reset = [this](int i) { elements.image(i).angle = 0.0f; };
    PanelWidgets::Field f{"angle", "DEG", [this](int i) { return elements.image(i).angle; },
                          [this](int i, float v) { elements.image(i).angle = v; }};
    f.degrees = true;
    f.labelKey = "angle_deg_text";  // "angle_text" is the group's title
    g.fields.push_back(f);
    return g;
}

bool ElementPanel::addChosenImage(const std::string& temporaryKey, const AddImage& add) {
    if (!chooser || !chooser->check()) return false;
    NK::BitmapEntry& image = services.bitmaps->load(chooser->file(), temporaryKey);
    const NK::Vec2 size(image.width(), image.height());
    add(image, PanelRules::centredOn(PanelRules::freeAreaCentre(services.view->rect()), size));
    services.bitmaps->destroy(temporaryKey);
    selectLast();
    return true;
}

void ElementPanel::selectLast() {
    select(elements.count() - 1);
    refreshPanel();
}

void ElementPanel::select(int index) {
    selected = index;
    applyLook();
}

void ElementPanel::applyLook() {
    // Every image, not only the two whose state changed: after a load or a
    // fade-in the others may not be dimmed yet.
    if (!shown) return;
    for (int i = 0; i < elements.count(); ++i) {
        elements.image(i).alpha.animate(i == selected ? 1.0f : dimmed, fadeSpeed, true, false, 0,
                                        false);
    }
}

void ElementPanel::fadeIn() {
    for (int i = 0; i < elements.count(); ++i)
        elements.image(i).alpha.animate(1.0f, fadeSpeed, true, false, 0, false);
}

void ElementPanel::commitSelect(const std::string& text) {
    select(PanelRules::selectionFromText(text, elements.count()));
    centreOnSelected();
    refreshPanel();
}

void ElementPanel::selectPrevious() {
    const int to = PanelRules::previous(selected);
    if (to == selected) return;
    select(to);
    centreOnSelected();
    refreshPanel();
}

void ElementPanel::selectNext() {
    const int to = PanelRules::next(selected, elements.count());
    if (to == selected) return;
    select(to);
    centreOnSelected();
    refreshPanel();
}

void ElementPanel::removeSelected() {
    if (!hasSelection()) return;
    elements.remove(selected);
    select(PanelRules::previous(selected));
    refreshPanel();
}

void ElementPanel::refreshPanel() {
    widgets.refreshFields(selection());
    if (!hasList) return;
    const std::string suffix = hasSelection() && elements.suffix ? elements.suffix(selected) : "";
    widgets.gui().setTextInputText("select",
                                   PanelRules::selectionText(selected, elements.count(), suffix));
}

void ElementPanel::centreOnSelected() {
    if (hasSelection() && centreCamera) {
        centreCamera(PanelRules::centreOf(elements.image(selected).rect));
    }
}

void ElementPanel::resetSelection() {
    selected = 0;
    dragging = resizing = rotating = false;
    refreshPanel();
}

void ElementPanel::show() {
    shown = true;
    widgets.show();
    applyLook();
    refreshPanel();
}

void ElementPanel::hide() {
    shown = false;
    widgets.hide();
    dragging = resizing = rotating = false;
    fadeIn();
}

NK::Vec2 ElementPanel::mouseInLevel() const {
    return ::mouseInLevel(*services.input, *services.view);
}

void ElementPanel::update(bool mouseOutside) {
    const NK::Input& in = *services.input;
    if (!in.mouseDown(1)) dragging = resizing = rotating = false;
    // Q, E and C are letters while a path is being typed.
    if (!widgets.typingLetters()) {
        if (in.keyPressed[ALLEGRO_KEY_C]) centreOnSelected();
        if (in.keyPressed[ALLEGRO_KEY_Q]) selectPrevious();
        if (in.keyPressed[ALLEGRO_KEY_E]) selectNext();
    }
    // Delete clears a focused input's text instead.
    if (in.keyPressed[ALLEGRO_KEY_DELETE] && !widgets.typing()) removeSelected();
    if (mouseOutside) return;

    const NK::Vec2 mouse = mouseInLevel();
    if (in.mousePressed[1]) click(mouse);
    if (in.mouseDown(1) && hasSelection()) follow(mouse);
}

void ElementPanel::click(NK::Vec2 mouse) {
    const bool copy = services.input->keyDown(ALLEGRO_KEY_LCTRL);
    if (copy && hasSelection() && elements.duplicate) {
        const NK::Rect& r = elements.image(selected).rect;
        elements.duplicate(selected, PanelRules::centredOn(mouse, {r.width, r.height}));
        applyLook();
    } else if (!hasSelection() || !grab(mouse)) {
        pick(mouse);
    }
    refreshPanel();
}

bool ElementPanel::grab(NK::Vec2 mouse) {
    const NK::ExtBitmap& e = elements.image(selected);
    const NK::Vec2 handle = PanelRules::handleSize(services.view->rect());
    if (PanelRules::onHandle(mouse, PanelRules::resizeHandle(e.rect), handle)) {
        resizing = true;
    } else if (PanelRules::onHandle(mouse, PanelRules::rotateHandle(e.rect, e.angle), handle)) {
        rotating = true;
    } else if (holds(selected, mouse)) {
        dragging = true;
        dragOffset = mouse - NK::Vec2(e.rect.x, e.rect.y);
    }
    return resizing || rotating || dragging;
}

void ElementPanel::pick(NK::Vec2 mouse) {
    // List order, not drawing order: where pictures overlap, the earliest wins.
    for (int i = 0; i < elements.count(); ++i) {
        if (!holds(i, mouse)) continue;
        select(i);
        const NK::Rect& r = elements.image(i).rect;
        dragging = true;
        dragOffset = mouse - NK::Vec2(r.x, r.y);
        return;
    }
    select(elements.count());
}

bool ElementPanel::holds(int index, NK::Vec2 point) {
    if (elements.holds) return elements.holds(index, point);
    const NK::ExtBitmap& e = elements.image(index);
    return PanelRules::holds(e.rect, e.angle, point);
}

void ElementPanel::follow(NK::Vec2 mouse) {
    NK::ExtBitmap& e = elements.image(selected);
    if (dragging) {
        const NK::Vec2 to = mouse - dragOffset;
        if (to.x == e.rect.x && to.y == e.rect.y) return;
        e.rect.x = to.x;
        e.rect.y = to.y;
        widgets.rewrite("position_x");
        widgets.rewrite("position_y");
    } else if (resizing) {
        const NK::Vec2 size =
            PanelRules::resized(e.rect, mouse, sizeLock || elements.alwaysKeepRatio);
        if (size.x == e.rect.width && size.y == e.rect.height) return;
        e.rect.width = size.x;
        e.rect.height = size.y;
        widgets.rewrite("size_x");
        widgets.rewrite("size_y");
    } else if (rotating) {
        const float angle = PanelRules::turnedToward(e.rect, mouse);
        if (angle == e.angle) return;
        e.angle = angle;
        widgets.rewrite("angle");
    }
}

void ElementPanel::drawOverlay(NK::Vec2 handleSize) {
    if (!hasSelection()) return;
    const NK::ExtBitmap& e = elements.image(selected);
    const NK::Vec2 mouse = mouseInLevel();
    auto drawHandle = [&](const char* icon, NK::Vec2 at) {
        services.bitmaps->drawTinted(icon, NK::Rect(at, handleSize), true,
                                     PanelRules::handleTint(mouse, at, handleSize));
    };
    drawHandle("resize", PanelRules::resizeHandle(e.rect));
    drawHandle("rotate", PanelRules::rotateHandle(e.rect, e.angle));
}
