// The Lights tab of the editor: the page's widgets, the three colour sliders
// and the rules of the delay inputs.
#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>

#include <algorithm>

#include "elements/Lights.h"
#include "elements/PanelRules.h"
#include "elements/PositionGroup.h"
#include "engine/BitmapStore.h"
#include "engine/Display.h"
#include "engine/GUISystem.h"
#include "engine/Input.h"
#include "engine/LightSystem.h"

namespace {

const char* const colourKeys[] = {"red", "green", "blue"};
const char* const colourLabels[] = {"Red", "Green", "Blue"};
const char* const sliderKeys[] = {"red_change", "green_change", "blue_change"};
const NK::Color captionColour(0.8f, 0.85f, 0.9f, 1.0f);  // as the labels beside inputs

float clampUnit(float v) {
    return std::min(std::max(v, 0.0f), 1.0f);
}

void setCursor(const NK::Input& input, ALLEGRO_SYSTEM_MOUSE_CURSOR cursor) {
    if (input.display && input.display->display)
        al_set_system_mouse_cursor(input.display->display, cursor);
}

}  // namespace

void Lights::build() {
    // Five sections and three colour rows are more than the background's
    // bands hold, so the sections simply follow one another.
    widgets.banded = false;
    widgets.start();
    buildList();
    widgets.addGroup(singlePositionGroup(
        "Position", [this] { return positionOf(selected); },
        [this](NK::Vec2 to) { lightSystem->setPosition(keyAt(selected), to); }));
    buildColour();
    buildVisibility();
    buildDelay();
    built = true;
    refreshPanel();
    hide();
}

void Lights::buildList() {
    widgets.addSelectRow(
        true, [this] { stepTo(PanelRules::previous(selected)); },
        [this] { stepTo(PanelRules::next(selected, count())); });
    widgets.makeClickToEdit("select", true, [this](std::string text) {
        select(PanelRules::selectionFromText(text, count()));
        centreOnSelected();
        refreshPanel();
    });
    widgets.addButtons({{"add", "ADD", [this] { addDefault(); }},
                        {"remove", "REMOVE", [this] { removeSelected(); }}});
    widgets.addToggles({{"show_circles", [this] { return showCircles ? "HIDE INFO" : "SHOW INFO"; },
                         [this] { showCircles = !showCircles; }}});
    widgets.endSection();
}

void Lights::buildColour() {
    // One row per component: its input on the left, its slider to the right.
    for (int c = 0; c < colourCount; ++c) {
        PanelWidgets::Field f{colourKeys[c], colourLabels[c],
                              [this, c](int i) { return component(i, c); },
                              [this, c](int i, float v) { setComponent(i, c, v); }};
        f.limit = clampUnit;
        PanelWidgets::Group g;
        g.key = colourKeys[c];
        g.fields.push_back(f);
        widgets.addGroup(g);

        const NK::Rect input = widgets.gui()
                                   .layerStore()
                                   .get(NK::GUISystem::inputBackgroundKey(colourKeys[c]))
                                   .placement;
        const NK::Rect slider(input.x + input.width + 10.0f, input.y, input.height, input.height);
        NK::GUISystem& gui = widgets.gui();
        gui.createButton(services.bitmaps->get("button_slide"), slider, sliderKeys[c], false);
        gui.setButtonFirstCallback(sliderKeys[c], [this, c](std::string) { startSlide(c); });
        gui.setButtonSecondCallback(sliderKeys[c], [this](std::string) {
            setCursor(*services.input, ALLEGRO_SYSTEM_MOUSE_CURSOR_RESIZE_N);
        });
        gui.setButtonThirdCallback(sliderKeys[c], [this](std::string) {
            // A drag keeps its cursor until the button comes up.
            if (std::none_of(sliding.begin(), sliding.end(), [](bool s) { return s; }))
                setCursor(*services.input, ALLEGRO_SYSTEM_MOUSE_CURSOR_DEFAULT);
        });
    }
}

void Lights::buildVisibility() {
    PanelWidgets::Group g;
    g.key = "visibility";
    g.title = "Visibility";
    g.reset = [this](int i) {
        lightSystem->setIntensity(entries[i].key, defaultIntensity);
        lightSystem->setHardness(entries[i].key, defaultHardness);
    };
    widgets.addGroup(g);
    PanelWidgets::Group values;
    values.fields.push_back({"intensity", "INTENSITY",
                             [this](int i) { return lightSystem->getIntensity(keyAt(i)); },
                             [this](int i, float v) { lightSystem->setIntensity(keyAt(i), v); }});
    values.fields.push_back({"hardness", "HARDNESS",
                             [this](int i) { return lightSystem->getHardness(keyAt(i)); },
                             [this](int i, float v) { lightSystem->setHardness(keyAt(i), v); }});
    addCaptions(values.fields[0], values.fields[1]);
    widgets.addGroup(values);
}

void Lights::addCaptions(PanelWidgets::Field& left, PanelWidgets::Field& right) {
    // These captions are wider than the room beside an input, so they get a
    // row of their own above the two inputs, lined up with them.
    const NK::Rect row = widgets.takeRow();
    const float half = (PanelWidgets::width - 10.0f) / 2.0f;
    for (PanelWidgets::Field* f : {&left, &right}) {
        const float x = f == &left ? row.x : row.x + half + 10.0f;
        widgets.makeLabel(f->key + "_text", f->label, NK::Rect(x, row.y, half, row.height),
                          ALLEGRO_ALIGN_LEFT, PanelWidgets::textSize, captionColour);
        f->label.clear();
        f->labelKey = f->key + "_beside";
    }
}

void Lights::buildDelay() {
    PanelWidgets::Group g;
    g.key = "delay";
    PanelWidgets::Field on{"delay_on", "ON (sec)", [this](int i) { return blinkAt(i).delayOn; },
                           [this](int i, float v) { setDelay(i, true, v); }};
    PanelWidgets::Field off{"delay_off", "OFF (sec)", [this](int i) { return blinkAt(i).delayOff; },
                            [this](int i, float v) { setDelay(i, false, v); }};
    PanelWidgets::Field speed{"delay_speed", "SPEED",
                              [this](int i) { return blinkAt(i).delaySpeed; },
                              [this](int i, float v) { entries[i].blink.delaySpeed = v; }};
    on.emptyText = off.emptyText = "-1.00";
    on.notNumber = off.notNumber = 1.0f;
    speed.emptyText = "0.50";
    speed.notNumber = 0.5f;
    speed.limit = [](float v) { return std::max(v, 0.0f); };
    widgets.addToggles({{"delay_use",
                         [this] {
                             return hasSelection() && blinkAt(selected).blinks()
                                        ? "LIGHT DELAY: ON"
                                        : "LIGHT DELAY: OFF";
                         },
                         [this] { toggleDelay(); }}});
    addCaptions(on, off);
    g.fields = {on, off, speed};
    g.toggles.push_back(
        {"delay_first_on",
         [this] {
             return !hasSelection() || blinkAt(selected).delayFirstOn ? "FIRST ON" : "FIRST OFF";
         },
         [this] {
             if (hasSelection())
                 entries[selected].blink.delayFirstOn = !entries[selected].blink.delayFirstOn;
         }});
    widgets.addGroup(g);
}

void Lights::setDelay(int index, bool on, float value) {
    LightBlink& b = entries[index].blink;
    float& mine = on ? b.delayOn : b.delayOff;
    float& other = on ? b.delayOff : b.delayOn;
    if (value < 0.0f) {
        // Either input below zero switches blinking off altogether.
        mine = other = -1.0f;
        return;
    }
    mine = value;
    if (other < 0.0f) other = 1.0f;
}

void Lights::toggleDelay() {
    // The button goes by what "delay_on" shows, so a value typed but not yet
    // committed decides too.
    if (!hasSelection()) return;
    const auto shown = PanelRules::parseNumber(widgets.gui().getTextInputText("delay_on"));
    if (!shown) return;
    LightBlink& b = entries[selected].blink;
    b.delayOn = b.delayOff = *shown >= 0.0f ? -1.0f : 1.0f;
}

float Lights::component(int index, int which) const {
    const ALLEGRO_COLOR c = lightSystem->getColor(keyAt(index));
    return which == 0 ? c.r : which == 1 ? c.g : c.b;
}

void Lights::setComponent(int index, int which, float value) {
    ALLEGRO_COLOR c = lightSystem->getColor(keyAt(index));
    (which == 0 ? c.r : which == 1 ? c.g : c.b) = value;
    lightSystem->setColor(keyAt(index), c.r, c.g, c.b);
}

void Lights::startSlide(int which) {
    if (!hasSelection()) return;
    sliding[which] = true;
    slideStart[which] = component(selected, which);
}

void Lights::followSlide() {
    if (!hasSelection()) return;
    const NK::Input& in = *services.input;
    const float mouseY = in.mouse.y * 1080.0f / static_cast<float>(in.display->windowHeight);
    for (int c = 0; c < colourCount; ++c) {
        if (!sliding[c]) continue;
        const NK::Rect r = widgets.gui().buttonImages().get(sliderKeys[c]).rect;
        const float centreY = r.y + r.height / 2.0f;
        setComponent(selected, c, clampUnit(slideStart[c] + (centreY - mouseY) * slideRate));
        widgets.rewrite(colourKeys[c]);
    }
}

void Lights::endSlides() {
    if (std::none_of(sliding.begin(), sliding.end(), [](bool s) { return s; })) return;
    sliding.fill(false);
    setCursor(*services.input, ALLEGRO_SYSTEM_MOUSE_CURSOR_DEFAULT);
}

void Lights::refreshPanel() {
    widgets.refreshFields(selection());
    widgets.gui().setTextInputText("select", PanelRules::selectionText(selected, count(), ""));
}

void Lights::show() {
    widgets.show();
    for (const char* key : sliderKeys) widgets.gui().setButtonShown(key, true);
    refreshPanel();
}

void Lights::hide() {
    widgets.hide();
    for (const char* key : sliderKeys) widgets.gui().setButtonShown(key, false);
    moving = draggingIntensity = draggingHardness = false;
    endSlides();
}

void Lights::drawGUI() {
    widgets.draw();
    for (const char* key : sliderKeys) widgets.gui().drawButton(key);
}

void Lights::updateWidgets() {
    widgets.gui().update();
}
