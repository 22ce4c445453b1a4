#pragma once
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/Color.h"
#include "engine/GUISystem.h"
#include "engine/Rect.h"

namespace NK {
class BitmapStore;
class Display;
class FontStore;
class Input;
class RenderContext;
class View;
}  // namespace NK

// The engine objects a panel works with; none of them is owned.
struct PanelServices {
    NK::Input* input = nullptr;
    NK::View* view = nullptr;
    NK::FontStore* fonts = nullptr;
    NK::BitmapStore* bitmaps = nullptr;
    NK::RenderContext* renderContext = nullptr;
};

// The widget side of every element panel: one GUISystem laid out down the
// right panel of the editor, numeric inputs that a click activates and a
// second click commits, titled groups with a RESET button, state buttons
// and plain button rows. A kind describes its fields as data (Field, Group)
// and never touches a widget itself.
class PanelWidgets {
public:
    // One numeric input of the selected record.
    struct Field {
        Field(std::string k, std::string l, std::function<float(int)> r,
              std::function<void(int, float)> w)
            : key(std::move(k)), label(std::move(l)), read(std::move(r)), write(std::move(w)) {}

        std::string key;                 // "position_x"
        std::string label;               // "X", shown left of the input
        std::function<float(int)> read;  // the value of record i
        std::function<void(int, float)> write;
        bool degrees = false;               // kept in radians, shown and typed in degrees
        std::string emptyText = "0.00";     // shown while nothing is selected
        std::optional<float> notNumber;     // what a non-number stands for; none: left as it was
        std::function<float(float)> limit;  // applied to every value written; none: as typed
        std::string labelKey;               // the label widget; key + "_text" when empty
    };
    // A button whose text tells its state ("LOCK W-H: ON").
    struct Toggle {
        std::string key;
        std::function<std::string()> text;
        std::function<void()> click;
    };
    struct Button {
        Button(std::string k, std::string t, std::function<void()> c,
               std::function<void(bool)> h = nullptr)
            : key(std::move(k)), text(std::move(t)), click(std::move(c)), hover(std::move(h)) {}

        std::string key;
        std::string text;
        std::function<void()> click;
        std::function<void(bool)> hover;  // pointer arrived (true) or left (false)
    };
    // A titled block: title and RESET on the first row, the inputs two to a
    // row below, then the toggles.
    struct Group {
        std::string key;                 // title "<key>_text", button "<key>_reset"
        std::string title;               // empty: no title row
        std::function<void(int)> reset;  // acts on the selected record; none: no RESET
        std::vector<Field> fields;
        std::vector<Toggle> toggles;
    };

    // Right panel of the 1920x1080 screen, less a margin on each side, below
    // the frame's own buttons.
    static constexpr float left = 1540.0f;
    static constexpr float width = 360.0f;
    static constexpr float top = 140.0f;
    static constexpr float rowHeight = 40.0f;
    // The right panel's background is ruled every 180 units from y 140;
    // sections start just below a rule while they fit between two.
    static constexpr float bandHeight = 180.0f;
    static constexpr float bandPadding = 16.0f;
    static constexpr float sectionGap = 16.0f;
    static constexpr int textSize = 7;
    static constexpr int titleSize = 8;

    explicit PanelWidgets(const PanelServices& services);
    PanelWidgets(const PanelWidgets&) = delete;
    PanelWidgets& operator=(const PanelWidgets&) = delete;

    NK::GUISystem& gui() { return widgets; }

    // The selected record, or -1 for none: what fields read and resets act on.
    std::function<int()> selection;
    // What every commit, reset and toggle ends with; the owner's full refresh
    // (defaults to refreshFields of the selection).
    std::function<void()> refreshPanel;

    // Rows go down from the top of the panel, sections in the bands of the
    // background; a kind with more sections than bands sets `banded` false
    // before it starts, and its sections then follow one another closely.
    void start();
    void endSection();
    bool banded = true;
    float rowPitch = 50.0f;  // row height and the gap below it
    // A group is a section of its own; buttons and toggles fill one row each
    // and leave the section open.
    void addGroup(Group group);
    void addButtons(std::vector<Button> buttons);
    void addToggles(std::vector<Toggle> toggles);
    // "left" arrow, "select", "right" arrow. An editable select is a text
    // input its owner makes click-to-edit; otherwise a button showing text.
    void addSelectRow(bool editable, std::function<void()> previous, std::function<void()> next);

    // Single widgets at a rectangle, registered for show, hide and draw.
    NK::Rect takeRow();
    void makeButton(const Button& button, const NK::Rect& rect);
    void makeLabel(const std::string& key, const std::string& text, const NK::Rect& rect,
                   int alignment, int size, const NK::Color& color);
    void makeInput(const std::string& key, const NK::Rect& rect, bool numbersOnly, int maxLength);
    // First click (or none while another is active) activates, the next click
    // or Enter commits the text.
    void makeClickToEdit(const std::string& key, bool clearOnActivate,
                         std::function<void(std::string)> commit);
    // Only this input takes typing: every other one drops its unfinished text.
    void activate(const std::string& key, bool clear);

    // Fills every field from record `index` (-1: its empty text), renews the
    // toggle texts and makes every input inactive.
    void refreshFields(int index);
    // Rewrites one field from the selection, leaving its focus alone (a drag
    // updating "position_x" as it goes).
    void rewrite(const std::string& fieldKey);
    // Every field, not being typed into, whose text is not what
    // refreshFields would write now (a value changed behind the page's
    // back), as `key: "shown" -> "now"`.
    std::vector<std::string> staleFields() const;
    // Room a one-line text of the panel's size needs, margin included.
    float textWidth(const std::string& text, int size = textSize) const;
    // Moves a made button to `rect`, its image and text made again at that
    // size (a stretched image would stretch its text too).
    void placeButton(const std::string& key, const NK::Rect& rect);
    // The largest font size up to `size` at which `text` is at most `room` wide.
    int fittingSize(const std::string& text, float room, int size) const;
    void setLabel(const std::string& key, const std::string& text, const NK::Color& color);
    void setButtonText(const std::string& key, const std::string& text);

    bool typing() const;
    // Typing into an input that takes letters, where Q, E and C are text.
    bool typingLetters() const;
    bool typingIn(const std::string& key) const;

    void show();
    void hide();
    void draw();

private:
    std::string fieldText(const Field& field, int index) const;
    void commitField(const Field& field, const std::string& text);
    void deactivateAll();
    void hoverLook(const std::string& key, std::function<void(bool)> also);
    int currentSelection() const { return selection ? selection() : -1; }

    PanelServices services;
    NK::GUISystem widgets;
    float rowTop = 0.0f;
    std::vector<std::string> buttons, labels, inputs;
    std::vector<Field> fields;
    std::vector<Toggle> toggles;
};
