// The Dialogs tab of the editor: the page's widgets, the trigger areas'
// outlines and the mouse work on them.
#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>
#include <allegro5/allegro_primitives.h>

#include "elements/DialogRules.h"
#include "elements/Dialogs.h"
#include "elements/PanelRules.h"
#include "engine/BitmapStore.h"
#include "engine/Input.h"
#include "engine/Log.h"
#include "engine/RenderContext.h"
#include "engine/View.h"

namespace {

const NK::Color selectedOutline(1.0f, 0.0f, 0.0f, 1.0f);
const NK::Color otherOutline(0.5f, 0.0f, 0.0f, 1.0f);
const NK::Color handleColour(1.0f, 1.0f, 0.0f, 1.0f);
// A trigger area's "add" values, before it is centred in the free view.
const NK::Vec2 newAreaSize(200.0f, 200.0f);
constexpr int newTitleSize = 20;
constexpr int newTextSize = 15;
constexpr float newDelay = -1.0f;
// Long enough for a few sentences of text.
constexpr int viewerLength = 400;

}  // namespace

void Dialogs::build() {
    if (al_filename_exists(designPath.c_str())) {
        cardStore.createDesign(designPath, "font", designKey, NK::Color::white(),
                               NK::Color::white());
        designMade = true;
    } else {
        // Levels stay playable without it; their dialogs simply show nothing.
        NK::logError("Bitmap path \"" + designPath + "\" not found or initialization failed");
    }

    panel.start();
    panel.addList({{"add", "ADD", [this] { addWithDefaults(); }}});
    panel.addGroup(triggerAreaGroup());
    panel.addGroup(fontSizeGroup());
    buildTextViewer();
    panel.addGroup(delayGroup());
    panel.refreshPanel();
    panel.hide();
}

void Dialogs::hide() {
    panel.hide();
    viewing = Viewing::None;
    // The preview is the page's: no other tab, and no test run, shows a card
    // its level did not bring up.
    closePreview();
}

void Dialogs::addWithDefaults() {
    add(newTitleSize, newTextSize, "Title", "Text", newDelay,
        PanelRules::centredOn(PanelRules::freeAreaCentre(view->rect()), newAreaSize));
    panel.selectLast();
}

PanelWidgets::Group Dialogs::triggerAreaGroup() {
    auto side = [this](const char* key, const char* label, float NK::Rect::*member) {
        return PanelWidgets::Field{key, label,
                                   [this, member](int i) { return at(i).area.rect.*member; },
                                   [this, member](int i, float v) { at(i).area.rect.*member = v; }};
    };
    PanelWidgets::Group g;
    g.key = "trigger_area";
    g.title = "Trigger Area";
    // The whole first screen of the level.
    g.reset = [this](int i) { at(i).area.rect = NK::Rect(0.0f, 0.0f, 1920.0f, 1080.0f); };
    g.fields.push_back(side("trigger_area_x", "X", &NK::Rect::x));
    g.fields.push_back(side("trigger_area_y", "Y", &NK::Rect::y));
    g.fields.push_back(side("trigger_area_w", "W", &NK::Rect::width));
    g.fields.push_back(side("trigger_area_h", "H", &NK::Rect::height));
    return g;
}

PanelWidgets::Group Dialogs::fontSizeGroup() {
    auto size = [this](const char* key, const char* label, int Dialog::*member) {
        return PanelWidgets::Field{
            key, label, [this, member](int i) { return static_cast<float>(at(i).*member); },
            [this, member](int i, float v) { at(i).*member = DialogRules::wholeSize(v); }};
    };
    PanelWidgets::Group g;
    g.key = "font_size";
    g.title = "Font Size";
    g.fields.push_back(size("title_size", "TITLE", &Dialog::titleSize));
    g.fields.push_back(size("text_size", "TEXT", &Dialog::textSize));
    return g;
}

PanelWidgets::Group Dialogs::delayGroup() {
    PanelWidgets::Group g;
    g.key = "delay_group";
    PanelWidgets::Field f{"delay", "SEC", [this](int i) { return at(i).delay; },
                          [this](int i, float v) { at(i).delay = v; }};
    f.emptyText = "-1.00";
    f.labelKey = "delay_sec_text";
    g.fields.push_back(f);
    g.toggles.push_back({"delay_use",
                         [this] {
                             return panel.hasSelection() && selectedDialog().delay >= 0.0f
                                        ? "DELAY: ON"
                                        : "DELAY: OFF";
                         },
                         [this] { toggleDelay(); }});
    return g;
}

void Dialogs::toggleDelay() {
    if (!panel.hasSelection()) return;
    const std::optional<float> delay =
        DialogRules::toggledDelay(panel.widgets.gui().getTextInputText("delay"));
    if (delay) selectedDialog().delay = *delay;
}

void Dialogs::buildTextViewer() {
    PanelWidgets& w = panel.widgets;
    w.addButtons({{"set_title", "SET TITLE", [this] { openViewer(Viewing::Title); }},
                  {"set_text", "SET TEXT", [this] { openViewer(Viewing::Text); }}});
    w.makeInput("text_viewer", w.takeRow(), false, viewerLength);
    // The end of a long text stays in sight while it is typed.
    w.gui().getTextInput("text_viewer").alignment = ALLEGRO_ALIGN_RIGHT;
    // A click on the viewer or Enter stores what was typed, as the next
    // click on either button does.
    w.gui().setTextInputFirstCallback("text_viewer", [this](std::string) { storeViewer(); });
    w.gui().setTextInputThirdCallback("text_viewer", [this](std::string) { storeViewer(); });
    // The preview shares the texts' band: five bands fill the panel.
    w.addButtons({{"show_dialog", "PREVIEW DIALOG", [this] { preview(); }}});
    w.endSection();
}

void Dialogs::openViewer(Viewing what) {
    if (panel.widgets.typingIn("text_viewer")) {
        storeViewer();
        return;
    }
    if (!panel.hasSelection()) return;
    panel.widgets.activate("text_viewer", false);
    const Dialog& d = selectedDialog();
    panel.widgets.gui().setTextInputText("text_viewer", what == Viewing::Title ? d.title : d.text);
    viewing = what;
}

void Dialogs::storeViewer() {
    if (!panel.widgets.typingIn("text_viewer")) return;
    const std::string typed = panel.widgets.gui().getTextInputText("text_viewer");
    // An empty title or text would leave an empty word in the map line and
    // shift every field after it, so typing nothing keeps what was there.
    if (panel.hasSelection() && !typed.empty()) {
        if (viewing == Viewing::Title) selectedDialog().title = typed;
        if (viewing == Viewing::Text) selectedDialog().text = typed;
    }
    viewing = Viewing::None;
    panel.refreshPanel();
}

void Dialogs::update(bool mouseOutside) {
    // The shared panel takes the keys; the mouse is ours, since a trigger
    // area moves and resizes but never turns.
    panel.update(true);
    if (mouseOutside) return;
    const NK::Vec2 mouse = panel.mouseInLevel();
    if (input->mousePressed[1]) click(mouse);
    if (input->mouseDown(1) && panel.hasSelection()) follow(mouse);
}

void Dialogs::click(NK::Vec2 mouse) {
    if (input->keyDown(ALLEGRO_KEY_LCTRL) && panel.hasSelection()) {
        const Dialog& d = selectedDialog();
        const NK::Rect& r = d.area.rect;
        add(d.titleSize, d.textSize, d.title, d.text, d.delay,
            PanelRules::centredOn(mouse, {r.width, r.height}));
    } else if (!panel.hasSelection() || !grab(mouse)) {
        pick(mouse);
    }
    panel.refreshPanel();
}

bool Dialogs::grab(NK::Vec2 mouse) {
    const NK::Rect& r = selectedDialog().area.rect;
    const NK::Vec2 handle = PanelRules::handleSize(view->rect());
    if (PanelRules::onHandle(mouse, PanelRules::resizeHandle(r), handle)) {
        panel.resizing = true;
    } else if (PanelRules::holds(r, 0.0f, mouse)) {
        panel.dragging = true;
        panel.dragOffset = mouse - NK::Vec2(r.x, r.y);
    }
    return panel.resizing || panel.dragging;
}

void Dialogs::pick(NK::Vec2 mouse) {
    // List order: where areas overlap, the earliest wins.
    for (int i = 0; i < count(); ++i) {
        const NK::Rect& r = at(i).area.rect;
        if (!PanelRules::holds(r, 0.0f, mouse)) continue;
        panel.select(i);
        panel.dragging = true;
        panel.dragOffset = mouse - NK::Vec2(r.x, r.y);
        return;
    }
    panel.select(count());
}

void Dialogs::follow(NK::Vec2 mouse) {
    NK::Rect& r = selectedDialog().area.rect;
    if (panel.dragging) {
        const NK::Vec2 to = mouse - panel.dragOffset;
        if (to.x == r.x && to.y == r.y) return;
        r.x = to.x;
        r.y = to.y;
        panel.widgets.rewrite("trigger_area_x");
        panel.widgets.rewrite("trigger_area_y");
    } else if (panel.resizing) {
        const NK::Vec2 size = PanelRules::resized(r, mouse, false);
        if (size.x == r.width && size.y == r.height) return;
        r.width = size.x;
        r.height = size.y;
        panel.widgets.rewrite("trigger_area_w");
        panel.widgets.rewrite("trigger_area_h");
    }
}

void Dialogs::drawOverlay(NK::Vec2 handleSize) {
    // Thin lines at any zoom: the width follows the view.
    const float thickness = NK::perScreenPixel(view->rect()).x * outlineWidth;
    for (int i = 0; i < count(); ++i) {
        const NK::Rect& r = at(i).area.rect;
        if (renderContext->culled(r)) continue;
        const NK::Color& colour = i == panel.selected ? selectedOutline : otherOutline;
        al_draw_rectangle(r.x, r.y, r.x + r.width, r.y + r.height, colour.toAllegro(), thickness);
    }
    if (!panel.hasSelection()) return;
    const NK::Vec2 corner = PanelRules::resizeHandle(selectedDialog().area.rect);
    bitmaps->drawTinted(
        "resize", NK::Rect(corner, handleSize), true,
        PanelRules::handleTint(panel.mouseInLevel(), corner, handleSize, handleColour));
}
