#pragma once
#include <functional>
#include <optional>
#include <string>

#include "engine/BitmapEntry.h"
#include "engine/BitmapStore.h"
#include "engine/Color.h"
#include "engine/ExtBitmapStore.h"
#include "engine/GUIPointer.h"
#include "engine/KeyedStore.h"
#include "engine/Rect.h"
#include "engine/RenderContext.h"
#include "engine/ShownWidgets.h"
#include "engine/TextEntry.h"

namespace NK {

class FontStore;
class Input;

// The widgets of one screen or editor panel: buttons, text labels and text
// inputs, each by key, laid out on the fixed 1920x1080 screen whatever the
// view, and reporting to the game through callbacks that receive the
// widget's key. Text is rendered into bitmaps only when it changes; each draw
// is then just an image.
class GUISystem {
public:
    using Callback = std::function<void(std::string)>;

    // Space kept clear of text inside a widget, in pixels of its image.
    struct Margins {
        float left = 0.0f;
        float top = 0.0f;
        float right = 0.0f;
        float bottom = 0.0f;
    };

    struct Button {
        std::string fontKey;
        int fontSize = 0;
        Color textColor;
        bool hasFont = false;  // without one, text is kept but not drawn
        std::string text;
        int lineCount = 0;  // lines the text is centred for
        Margins textMargins;
        bool allFrames = false;  // print onto every frame of an animated image
        GUIPointer::Hover hover;
        Callback first;   // left button went down over it
        Callback second;  // pointer arrived over it
        Callback third;   // pointer went away
    };

    struct TextLabel {
        std::string fontKey;
        int fontSize = 0;
        int alignment = 1;  // Allegro text flags: 0 left, 1 centre, 2 right; -1 centre too
        Color textColor;
        Margins margins;
        std::string text;
        float opacity = 1.0f;
        bool visible = true;
    };

    struct TextInput {
        int lineCount = 1;
        bool focused = false;
        bool numbersOnly = false;
        int maxLength = 0;  // bytes
        std::string text;
        std::string fontKey;
        int fontSize = 0;
        int alignment = 1;
        Color textColor;
        Margins margins;
        float opacity = 1.0f;
        bool visible = true;
        Callback first;   // left button went down over it
        Callback second;  // Escape while focused
        Callback third;   // Enter or keypad Enter while focused
        Callback fourth;  // its text changed
        // Whether the text layer was last drawn for typing (the end in view)
        // or not (the start in view), so a change of focus redraws it.
        bool drawnFocused = false;
    };

    GUISystem(Input* input, RenderContext* renderContext, FontStore* fontStore);
    GUISystem(const GUISystem&) = delete;
    GUISystem& operator=(const GUISystem&) = delete;

    // Buttons made from now on take this font.
    void setNextButtonsFont(const std::string& fontKey, int size, const Color& color);

    // The button's image is `image`'s source region scaled to the rectangle;
    // `centred` puts the rectangle's centre at its x, y.
    Button& createButton(const BitmapEntry& image, const Rect& rect, const std::string& key,
                         bool centred);
    void setButtonFont(const std::string& key, const std::string& fontKey, int size,
                       const Color& color);
    void setButtonText(const std::string& key, const std::string& text, int lineCount);
    void setButtonTextMargins(const std::string& key, float left, float top, float right,
                              float bottom);
    Button& getButton(const std::string& key) { return buttons.get(key); }
    void destroyButton(const std::string& key);
    // A hidden button is neither drawn nor hovered nor clicked.
    void setButtonShown(const std::string& key, bool shown);
    void setButtonOpacity(const std::string& key, float value);
    void setButtonTint(const std::string& key, float red, float green, float blue);
    void animateButtonOpacity(const std::string& key, float target, float speed);
    void animateButtonTint(const std::string& key, float red, float green, float blue, float speed);
    void setButtonFirstCallback(const std::string& key, Callback callback);
    void setButtonSecondCallback(const std::string& key, Callback callback);
    void setButtonThirdCallback(const std::string& key, Callback callback);
    void drawButton(const std::string& key);
    // The images of the buttons, for effects beyond the ones above.
    ExtBitmapStore& buttonImages() { return images; }

    // A label on a transparent background: only its text shows.
    TextLabel& createTextLabel(const Rect& rect, const std::string& fontKey, int size,
                               const Color& color, const Margins& margins, const std::string& text,
                               const std::string& key);
    // A label over `image`'s source region scaled to the rectangle.
    TextLabel& createTextLabel(const BitmapEntry& image, const Rect& rect,
                               const std::string& fontKey, int size, const Color& color,
                               const Margins& margins, const std::string& text,
                               const std::string& key);
    // Renders only when the text differs, so calling it every tick costs nothing.
    void setTextLabelText(const std::string& key, const std::string& text);
    void drawTextLabel(const std::string& key);
    TextLabel& getTextLabel(const std::string& key) { return labels.get(key); }
    void destroyTextLabel(const std::string& key);
    void setTextLabelVisible(const std::string& key, bool visible);

    TextInput& createTextInput(const Rect& rect, bool centred, const BitmapEntry& image,
                               const std::string& fontKey, int size, const Color& color,
                               const Margins& margins, int lineCount, int maxLength,
                               bool numbersOnly, const std::string& text, const std::string& key);
    // On a real change: stores it, tells the fourth callback, renders.
    void setTextInputText(const std::string& key, const std::string& text);
    void drawTextInput(const std::string& key);
    TextInput& getTextInput(const std::string& key) { return inputs.get(key); }
    void setTextInputVisible(const std::string& key, bool visible);
    void setTextInputOpacity(const std::string& key, float opacity);
    std::string getTextInputText(const std::string& key) { return inputs.get(key).text; }
    void setTextInputFirstCallback(const std::string& key, Callback callback);
    void setTextInputSecondCallback(const std::string& key, Callback callback);
    void setTextInputThirdCallback(const std::string& key, Callback callback);
    void setTextInputFourthCallback(const std::string& key, Callback callback);

    // One tick: hover and clicks of buttons, the button images' animations,
    // then typing into focused inputs.
    void update();

    // A controller steps a focus through the shown buttons; the focused one
    // is hovered as if the pointer lay on it (so it fades in the same way)
    // and a click of the pad clicks it on the next update. Using the mouse
    // drops the focus and hands the buttons back to the pointer.
    void stepFocus(int by);
    void clickFocus() { focusClicked = !focused.empty(); }
    void dropFocus() { focused.clear(); }
    const std::string& focus() const { return focused; }
    // Every widget that is on now: the buttons shown, the labels and inputs
    // visible, in key order within each kind.
    std::vector<ShownWidget> shownWidgets();
    // How many buttons and inputs there are, shown or not.
    int clickableCount() const { return static_cast<int>(buttons.size() + inputs.size()); }
    // The keys of the widgets drawn while on since the last forgetDrawn(), so
    // a frame can be compared with what is on (widgetMismatches).
    const std::vector<std::string>& drawnWidgets() const { return drawn; }
    void forgetDrawn() { drawn.clear(); }

    // Releases every widget and both private stores; the system stays usable.
    void destroyAll();

    // Checks made before an input's text is converted to a number.
    static bool isDecimalNumber(const std::string& text) {
        return TextEntry::isDecimalNumber(text);
    }
    static bool isInteger(const std::string& text) { return TextEntry::isInteger(text); }

    // Layer keys of a label's and an input's background and text.
    static std::string labelBackgroundKey(const std::string& key) { return key + "_tl"; }
    static std::string labelTextKey(const std::string& key) { return key + "_tl_t"; }
    static std::string inputBackgroundKey(const std::string& key) { return key + "_ti"; }
    static std::string inputTextKey(const std::string& key) { return key + "_ti_t"; }
    BitmapStore& layerStore() { return layers; }

private:
    struct NextFont {
        std::string key;
        int size;
        Color color;
    };

    TextLabel& makeLabel(const BitmapEntry* image, const Rect& rect, const std::string& fontKey,
                         int size, const Color& color, const Margins& margins,
                         const std::string& text, const std::string& key);
    Vec2 pointer() const;
    TextEntry::Keys typingKeys() const;
    void updateButtons(Vec2 at);
    // A shown button's area on the screen, or false when it is hidden.
    bool shownArea(const std::string& key, Rect& area);
    void updateInputs(Vec2 at);

    // GUIText.cpp: everything that draws into the widgets' bitmaps.
    void renderButtonText(const std::string& key);
    // An input's text layer: one line, cut to the field as TextWindow says.
    void renderInputText(const std::string& key);
    void renderLayerText(const std::string& backgroundKey, const std::string& textKey,
                         const std::string& fontKey, int fontSize, int alignment,
                         const Color& color, const Margins& margins, int lineCount,
                         const std::string& text);
    // A blank bitmap for a widget's picture, blended when drawn shrunk.
    static ALLEGRO_BITMAP* createWidgetBitmap(int w, int h);
    // A layer of the rectangle's size holding `image` scaled into it, or
    // transparent when there is no image.
    void makeLayer(const Rect& rect, const std::string& key, const BitmapEntry* image);
    void dropLayer(const std::string& key);
    void drawLayers(const std::string& backgroundKey, const std::string& textKey, float opacity);
    void targetBackBuffer();

    Input* input;
    RenderContext* renderContext;
    FontStore* fonts;
    ExtBitmapStore images;
    BitmapStore layers;
    std::optional<NextFont> nextFont;  // none until setNextButtonsFont
    KeyedStore<Button> buttons{"Button"};
    KeyedStore<TextLabel> labels{"TextLabel"};
    KeyedStore<TextInput> inputs{"TextInput"};
    std::string focused;
    bool focusClicked = false;
    std::vector<std::string> drawn;
};

}  // namespace NK
