#include "elements/PanelWidgets.h"

#include <allegro5/allegro_font.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "elements/PanelRules.h"
#include "engine/BitmapStore.h"
#include "engine/FontStore.h"

namespace {

const NK::Color labelColour(0.8f, 0.85f, 0.9f, 1.0f);
// Buttons rest slightly dark and light up under the pointer, so the one a
// click would hit is always plain to see.
constexpr float restTint = 0.8f;
constexpr float tintSpeed = 0.05f;
constexpr float idleOpacity = 0.7f;
constexpr float fieldGap = 10.0f;
constexpr int inputLength = 24;

}  // namespace

PanelWidgets::PanelWidgets(const PanelServices& s)
    : services(s), widgets(s.input, s.renderContext, s.fonts) {
    refreshPanel = [this] { refreshFields(currentSelection()); };
    widgets.setNextButtonsFont("font", textSize, NK::Color::white());
}

void PanelWidgets::start() {
    rowTop = banded ? top + bandPadding : top;
}

void PanelWidgets::endSection() {
    if (!banded) {
        rowTop += sectionGap;
        return;
    }
    const float bottom = rowTop - (rowPitch - rowHeight);
    const float bands = std::ceil((bottom - top) / bandHeight);
    rowTop = top + bands * bandHeight + bandPadding;
}

NK::Rect PanelWidgets::takeRow() {
    NK::Rect row(left, rowTop, width, rowHeight);
    rowTop += rowPitch;
    return row;
}

void PanelWidgets::makeButton(const Button& button, const NK::Rect& rect) {
    widgets.createButton(services.bitmaps->get("button_g"), rect, button.key, false);
    // Text wider than the button would run onto its frame: a smaller size.
    const int size = fittingSize(button.text + "  ", rect.width, textSize);
    if (size != textSize) widgets.setButtonFont(button.key, "font", size, NK::Color::white());
    widgets.setButtonText(button.key, button.text, 1);
    std::function<void()> click = button.click;
    widgets.setButtonFirstCallback(button.key, [click](std::string) {
        if (click) click();
    });
    hoverLook(button.key, button.hover);
    buttons.push_back(button.key);
}

void PanelWidgets::hoverLook(const std::string& key, std::function<void(bool)> also) {
    widgets.setButtonTint(key, restTint, restTint, restTint);
    widgets.setButtonSecondCallback(key, [this, also](std::string k) {
        widgets.animateButtonTint(k, 1.0f, 1.0f, 1.0f, tintSpeed);
        if (also) also(true);
    });
    widgets.setButtonThirdCallback(key, [this, also](std::string k) {
        widgets.animateButtonTint(k, restTint, restTint, restTint, tintSpeed);
        if (also) also(false);
    });
}

void PanelWidgets::makeLabel(const std::string& key, const std::string& text, const NK::Rect& rect,
                             int alignment, int size, const NK::Color& color) {
    // Made empty so the alignment is in place before the text is first rendered.
    // A text too long for its place is set smaller rather than cut.
    widgets.createTextLabel(rect, "font", fittingSize(text, rect.width, size), color,
                            NK::GUISystem::Margins{}, "", key);
    widgets.getTextLabel(key).alignment = alignment;
    widgets.setTextLabelText(key, text);
    labels.push_back(key);
}

void PanelWidgets::makeInput(const std::string& key, const NK::Rect& rect, bool numbersOnly,
                             int maxLength) {
    NK::GUISystem::Margins margins{8.0f, 0.0f, 8.0f, 0.0f};
    widgets.createTextInput(rect, false, services.bitmaps->get("button"), "font", textSize,
                            NK::Color::white(), margins, 1, maxLength, numbersOnly, "", key);
    widgets.setTextInputOpacity(key, idleOpacity);
    inputs.push_back(key);
}

void PanelWidgets::makeClickToEdit(const std::string& key, bool clearOnActivate,
                                   std::function<void(std::string)> commit) {
    auto toggle = [this, clearOnActivate, commit](std::string k) {
        if (widgets.getTextInput(k).focused) {
            commit(widgets.getTextInputText(k));
        } else {
            activate(k, clearOnActivate);
        }
    };
    widgets.setTextInputFirstCallback(key, toggle);
    widgets.setTextInputThirdCallback(key, [this, commit](std::string k) {
        if (widgets.getTextInput(k).focused) commit(widgets.getTextInputText(k));
    });
}

void PanelWidgets::activate(const std::string& key, bool clear) {
    refreshPanel();
    widgets.getTextInput(key).focused = true;
    widgets.setTextInputOpacity(key, 1.0f);
    if (clear) widgets.setTextInputText(key, "");
}

void PanelWidgets::placeButton(const std::string& key, const NK::Rect& rect) {
    const NK::GUISystem::Button kept = widgets.getButton(key);
    widgets.destroyButton(key);
    widgets.createButton(services.bitmaps->get("button_g"), rect, key, false);
    widgets.getButton(key) = kept;
    widgets.setButtonTint(key, restTint, restTint, restTint);
    widgets.setButtonFont(key, "font", fittingSize(kept.text + "  ", rect.width, textSize),
                          NK::Color::white());
}

int PanelWidgets::fittingSize(const std::string& text, float room, int size) const {
    while (size > NK::FontStore::minSize &&
           static_cast<float>(al_get_text_width(services.fonts->get("font", size), text.c_str())) >
               room)
        --size;
    return size;
}

float PanelWidgets::textWidth(const std::string& text, int size) const {
    ALLEGRO_FONT* font = services.fonts->get("font", size);
    return static_cast<float>(al_get_text_width(font, text.c_str())) + 12.0f;
}

void PanelWidgets::addGroup(Group group) {
    if (!group.title.empty()) {
        NK::Rect row = takeRow();
        const float resetWidth = 110.0f;
        makeLabel(group.key + "_text", group.title,
                  NK::Rect(row.x, row.y, width - resetWidth, row.height), ALLEGRO_ALIGN_LEFT,
                  titleSize, NK::Color::white());
        if (group.reset) {
            std::function<void(int)> reset = group.reset;
            makeButton({group.key + "_reset", "RESET",
                        [this, reset] {
                            const int i = currentSelection();
                            if (i < 0) return;
                            reset(i);
                            refreshPanel();
                        }},
                       NK::Rect(row.x + width - resetWidth, row.y, resetWidth, row.height));
        }
    }
    // Two inputs share a row; a lone one takes the left half, so the inputs
    // of every group line up in two columns.
    const float half = (width - fieldGap) / 2.0f;
    for (std::size_t i = 0; i < group.fields.size(); ++i) {
        Field& f = group.fields[i];
        if (f.labelKey.empty()) f.labelKey = f.key + "_text";
        const NK::Rect row =
            i % 2 == 0 ? takeRow() : NK::Rect(left, rowTop - rowPitch, width, rowHeight);
        const float x = row.x + (i % 2 == 0 ? 0.0f : half + fieldGap);
        const float labelW = std::min(textWidth(f.label), half / 2.0f);
        makeLabel(f.labelKey, f.label, NK::Rect(x, row.y, labelW, row.height), ALLEGRO_ALIGN_LEFT,
                  textSize, labelColour);
        makeInput(f.key, NK::Rect(x + labelW, row.y, half - labelW, row.height), true, inputLength);
        const Field stored = f;
        makeClickToEdit(f.key, false,
                        [this, stored](std::string text) { commitField(stored, text); });
        fields.push_back(f);
    }
    if (!group.toggles.empty()) addToggles(group.toggles);
    endSection();
}

void PanelWidgets::addToggles(std::vector<Toggle> list) {
    std::vector<Button> row;
    for (const Toggle& t : list) {
        std::function<void()> click = t.click;
        row.push_back({t.key, t.text(), [this, click] {
                           click();
                           refreshPanel();
                       }});
        toggles.push_back(t);
    }
    addButtons(row);
}

void PanelWidgets::addButtons(std::vector<Button> row) {
    const NK::Rect area = takeRow();
    const float n = static_cast<float>(row.size());
    const float w = (width - fieldGap * (n - 1.0f)) / n;
    for (std::size_t i = 0; i < row.size(); ++i) {
        makeButton(row[i], NK::Rect(area.x + static_cast<float>(i) * (w + fieldGap), area.y, w,
                                    area.height));
    }
}

void PanelWidgets::addSelectRow(bool editable, std::function<void()> previous,
                                std::function<void()> next) {
    const NK::Rect row = takeRow();
    const float arrow = row.height;
    const NK::Rect middle(row.x + arrow + fieldGap, row.y, width - 2.0f * (arrow + fieldGap),
                          row.height);
    for (const char* key : {"left", "right"}) {
        const bool isLeft = std::string(key) == "left";
        const float x = isLeft ? row.x : row.x + width - arrow;
        std::function<void()> step = isLeft ? previous : next;
        widgets.createButton(services.bitmaps->get("arrow_right"), NK::Rect(x, row.y, arrow, arrow),
                             key, false);
        // One picture serves both arrows: the left one is the right one mirrored.
        widgets.buttonImages().get(key).flipX = isLeft;
        widgets.setButtonFirstCallback(key, [step](std::string) { step(); });
        hoverLook(key, nullptr);
        buttons.push_back(key);
    }
    if (editable) {
        makeInput("select", middle, true, 9);
    } else {
        makeButton({"select", "", nullptr}, middle);
    }
}

void PanelWidgets::commitField(const Field& field, const std::string& text) {
    const int i = currentSelection();
    if (i >= 0) {
        std::optional<float> value = PanelRules::parseNumber(text);
        if (value && field.degrees) *value *= PanelRules::radiansPerDegree;
        if (!value) value = field.notNumber;
        if (value) field.write(i, field.limit ? field.limit(*value) : *value);
    }
    refreshPanel();
}

void PanelWidgets::deactivateAll() {
    for (const std::string& key : inputs) {
        widgets.getTextInput(key).focused = false;
        widgets.setTextInputOpacity(key, idleOpacity);
    }
}

void PanelWidgets::refreshFields(int index) {
    deactivateAll();
    for (const Field& f : fields) widgets.setTextInputText(f.key, fieldText(f, index));
    for (const Toggle& t : toggles) setButtonText(t.key, t.text());
}

void PanelWidgets::rewrite(const std::string& fieldKey) {
    const int i = currentSelection();
    if (i < 0) return;
    for (const Field& f : fields)
        if (f.key == fieldKey) widgets.setTextInputText(f.key, fieldText(f, i));
}

std::string PanelWidgets::fieldText(const Field& field, int index) const {
    if (index < 0) return field.emptyText;
    const float value = field.read(index);
    return PanelRules::fieldText(field.degrees ? value * PanelRules::degreesPerRadian : value);
}

std::vector<std::string> PanelWidgets::staleFields() const {
    auto& gui = const_cast<NK::GUISystem&>(widgets);
    std::vector<std::string> stale;
    for (const Field& f : fields) {
        const NK::GUISystem::TextInput& in = gui.getTextInput(f.key);
        const std::string now = fieldText(f, currentSelection());
        if (!in.focused && in.text != now)
            stale.push_back(f.key + ": \"" + in.text + "\" -> \"" + now + "\"");
    }
    return stale;
}

void PanelWidgets::setLabel(const std::string& key, const std::string& text,
                            const NK::Color& color) {
    // The colour is used when the text is next rendered, and every text this
    // panel shows in colour comes with its own colour, so the pair changes together.
    widgets.getTextLabel(key).textColor = color;
    widgets.setTextLabelText(key, text);
}

void PanelWidgets::setButtonText(const std::string& key, const std::string& text) {
    // Rendering text into a button is not free; skip it when nothing changed.
    if (widgets.getButton(key).text != text) widgets.setButtonText(key, text, 1);
}

bool PanelWidgets::typing() const {
    auto& gui = const_cast<NK::GUISystem&>(widgets);
    return std::any_of(inputs.begin(), inputs.end(),
                       [&](const std::string& k) { return gui.getTextInput(k).focused; });
}

bool PanelWidgets::typingLetters() const {
    auto& gui = const_cast<NK::GUISystem&>(widgets);
    return std::any_of(inputs.begin(), inputs.end(), [&](const std::string& k) {
        const NK::GUISystem::TextInput& in = gui.getTextInput(k);
        return in.focused && !in.numbersOnly;
    });
}

bool PanelWidgets::typingIn(const std::string& key) const {
    return std::find(inputs.begin(), inputs.end(), key) != inputs.end() &&
           const_cast<NK::GUISystem&>(widgets).getTextInput(key).focused;
}

void PanelWidgets::show() {
    for (const std::string& k : buttons) widgets.setButtonShown(k, true);
    for (const std::string& k : labels) widgets.setTextLabelVisible(k, true);
    for (const std::string& k : inputs) widgets.setTextInputVisible(k, true);
}

void PanelWidgets::hide() {
    // A hidden input must not keep the keyboard: the frame reads typing()
    // before it lets Space and the camera keys through.
    deactivateAll();
    for (const std::string& k : buttons) widgets.setButtonShown(k, false);
    for (const std::string& k : labels) widgets.setTextLabelVisible(k, false);
    for (const std::string& k : inputs) widgets.setTextInputVisible(k, false);
}

void PanelWidgets::draw() {
    for (const std::string& k : labels) widgets.drawTextLabel(k);
    for (const std::string& k : inputs) widgets.drawTextInput(k);
    for (const std::string& k : buttons) widgets.drawButton(k);
}
