// The drawing side of the GUI system: making the labels' and inputs' layers,
// rendering text into them and onto button images, and drawing the layers.
#include <allegro5/allegro_font.h>

#include <algorithm>

#include "engine/BitmapStore.h"
#include "engine/Display.h"
#include "engine/FontStore.h"
#include "engine/GUISystem.h"
#include "engine/Log.h"
#include "engine/TextWindow.h"

namespace NK {

namespace {

const ALLEGRO_COLOR transparent = {0, 0, 0, 0};

// Widgets are laid out on the 1920 x 1080 screen and drawn scaled to the
// window. In a smaller window, one texel picked per pixel drops whole columns
// of thin letters ("ADD Statc"), so the widgets' pictures blend their texels
// when shrunk. Shown at full size or larger they are sampled as before, texel
// for pixel, and look exactly as they did.
constexpr int shrinkSmoothly = ALLEGRO_MIN_LINEAR;

// A private copy of `from` that is blended when shrunk, made on the graphics side.
ALLEGRO_BITMAP* smoothCopy(ALLEGRO_BITMAP* from) {
    return BitmapStore::duplicate(from, shrinkSmoothly);
}

// Restarts `entry` from its untouched copy, so the text about to be printed
// replaces the last one instead of piling onto it. An image printed on for
// the first time keeps what it was as that copy now, and gets a picture of
// its own that is blended when shrunk. Copies are made on the graphics side:
// a start-up prints on hundreds of buttons.
void restorePristine(BitmapEntry& entry) {
    if (!entry.pristine) {
        entry.pristine.reset(BitmapStore::duplicate(entry.get()));
        entry.bitmap.reset(smoothCopy(entry.get()));
        entry.shared.reset();
        return;
    }
    entry.bitmap.reset(smoothCopy(entry.pristine.get()));
}

}  // namespace

void GUISystem::targetBackBuffer() {
    al_set_target_backbuffer(renderContext->display->display);
}

void GUISystem::renderButtonText(const std::string& key) {
    Button& b = buttons.get(key);
    ExtBitmap& image = images.get(key);
    const int w = static_cast<int>(image.rect.width);
    const int h = static_cast<int>(image.rect.height);

    ALLEGRO_FONT* font = fonts->get(b.fontKey, b.fontSize);
    const float textHeight = static_cast<float>(al_get_font_line_height(font) * b.lineCount);
    float y = 0.0f;
    if (textHeight < static_cast<float>(h)) y = h * 0.5f - textHeight * 0.5f;

    // Text is laid out at the button's size first and then scaled into the
    // margins, so margins shrink the text rather than rewrap it.
    BitmapPtr text(al_create_bitmap(w, h));
    if (!text) fatalError("Bitmap with key \"" + key + "\" not created");
    al_set_target_bitmap(text.get());
    al_clear_to_color(transparent);
    fonts->drawMultilineText(b.fontKey, b.fontSize, b.textColor, {w * 0.5f, y},
                             static_cast<float>(w), ALLEGRO_ALIGN_CENTRE, b.text);

    auto print = [&](BitmapEntry& entry) {
        restorePristine(entry);
        const Margins& m = b.textMargins;
        al_set_target_bitmap(entry.get());
        al_draw_scaled_bitmap(text.get(), 0, 0, static_cast<float>(w), static_cast<float>(h),
                              m.left, m.top, entry.source.width - m.left - m.right,
                              entry.source.height - m.top - m.bottom, 0);
    };
    if (b.allFrames && image.animated && !image.frames.empty()) {
        for (BitmapEntry& frame : image.frames) print(frame);
    } else {
        print(image.currentEntry());
    }
    targetBackBuffer();
}

ALLEGRO_BITMAP* GUISystem::createWidgetBitmap(int w, int h) {
    ALLEGRO_STATE state;
    al_store_state(&state, ALLEGRO_STATE_NEW_BITMAP_PARAMETERS);
    al_set_new_bitmap_flags(al_get_new_bitmap_flags() | shrinkSmoothly);
    ALLEGRO_BITMAP* bitmap = al_create_bitmap(w, h);
    al_restore_state(&state);
    return bitmap;
}

void GUISystem::makeLayer(const Rect& rect, const std::string& key, const BitmapEntry* image) {
    ALLEGRO_STATE state;
    al_store_state(&state, ALLEGRO_STATE_NEW_BITMAP_PARAMETERS);
    al_set_new_bitmap_flags(al_get_new_bitmap_flags() | shrinkSmoothly);
    BitmapEntry& layer = layers.create(rect, key);
    al_restore_state(&state);
    al_set_target_bitmap(layer.get());
    al_clear_to_color(transparent);
    if (image) {
        al_draw_scaled_bitmap(image->get(), image->source.x, image->source.y, image->source.width,
                              image->source.height, 0, 0, layer.source.width, layer.source.height,
                              0);
    }
    targetBackBuffer();
}

void GUISystem::dropLayer(const std::string& key) {
    if (layers.contains(key)) layers.destroy(key);
}

void GUISystem::renderLayerText(const std::string& backgroundKey, const std::string& textKey,
                                const std::string& fontKey, int fontSize, int alignment,
                                const Color& color, const Margins& margins, int lineCount,
                                const std::string& text) {
    const Rect& area = layers.get(backgroundKey).placement;
    const float w = area.width;
    const float h = area.height;
    ALLEGRO_FONT* font = fonts->get(fontKey, fontSize);
    const float textHeight = static_cast<float>(al_get_font_line_height(font) * lineCount);

    // -1 is an old spelling of centre; Allegro itself knows only 0, 1 and 2.
    const int flags = alignment == -1 ? ALLEGRO_ALIGN_CENTRE : alignment;
    float x = margins.left;
    float y = margins.top;
    if (flags == ALLEGRO_ALIGN_CENTRE) x = w * 0.5f;
    if (flags == ALLEGRO_ALIGN_RIGHT) x = w - margins.right;
    if (textHeight < h) y = h * 0.5f - textHeight * 0.5f;

    al_set_target_bitmap(layers.get(textKey).get());
    al_clear_to_color(transparent);
    // Nothing is drawn into the margins, where a field's frame is.
    al_set_clipping_rectangle(static_cast<int>(margins.left), static_cast<int>(margins.top),
                              static_cast<int>(w - margins.left - margins.right),
                              static_cast<int>(h - margins.top - margins.bottom));
    fonts->drawMultilineText(fontKey, fontSize, color, {x, y}, w - margins.right - margins.left,
                             flags, text);
    al_reset_clipping_rectangle();
    targetBackBuffer();
}

void GUISystem::drawLayers(const std::string& backgroundKey, const std::string& textKey,
                           float opacity) {
    const Color tint(1.0f, 1.0f, 1.0f, opacity);
    layers.drawPlacementOnScreenTinted(backgroundKey, tint);
    layers.drawPlacementOnScreenTinted(textKey, tint);
}

GUISystem::TextLabel& GUISystem::createTextLabel(const Rect& rect, const std::string& fontKey,
                                                 int size, const Color& color,
                                                 const Margins& margins, const std::string& text,
                                                 const std::string& key) {
    return makeLabel(nullptr, rect, fontKey, size, color, margins, text, key);
}

GUISystem::TextLabel& GUISystem::createTextLabel(const BitmapEntry& image, const Rect& rect,
                                                 const std::string& fontKey, int size,
                                                 const Color& color, const Margins& margins,
                                                 const std::string& text, const std::string& key) {
    return makeLabel(&image, rect, fontKey, size, color, margins, text, key);
}

GUISystem::TextLabel& GUISystem::makeLabel(const BitmapEntry* image, const Rect& rect,
                                           const std::string& fontKey, int size, const Color& color,
                                           const Margins& margins, const std::string& text,
                                           const std::string& key) {
    labels.clearForRemake(key);
    const std::string background = labelBackgroundKey(key);
    const std::string textLayer = labelTextKey(key);
    // The old label's layers go quietly: the label's own "remade" line says it all.
    dropLayer(background);
    dropLayer(textLayer);
    makeLayer(rect, background, image);
    makeLayer(rect, textLayer, nullptr);

    TextLabel label;
    label.fontKey = fontKey;
    label.fontSize = size;
    label.textColor = color;
    label.margins = margins;
    label.text = text;
    TextLabel& stored = labels.insert(key, std::move(label));
    renderLayerText(background, textLayer, fontKey, size, stored.alignment, color, margins, 1,
                    text);
    return stored;
}

void GUISystem::setTextLabelText(const std::string& key, const std::string& text) {
    TextLabel& label = labels.get(key);
    if (label.text == text) return;
    label.text = text;
    renderLayerText(labelBackgroundKey(key), labelTextKey(key), label.fontKey, label.fontSize,
                    label.alignment, label.textColor, label.margins, 1, label.text);
}

void GUISystem::drawTextLabel(const std::string& key) {
    const TextLabel& label = labels.get(key);
    if (!label.visible) return;
    drawn.push_back(key);
    drawLayers(labelBackgroundKey(key), labelTextKey(key), label.opacity);
}

GUISystem::TextInput& GUISystem::createTextInput(const Rect& rect, bool centred,
                                                 const BitmapEntry& image,
                                                 const std::string& fontKey, int size,
                                                 const Color& color, const Margins& margins,
                                                 int lineCount, int maxLength, bool numbersOnly,
                                                 const std::string& text, const std::string& key) {
    inputs.clearForRemake(key);
    const std::string background = inputBackgroundKey(key);
    const std::string textLayer = inputTextKey(key);
    dropLayer(background);
    dropLayer(textLayer);
    Rect placement = rect;
    if (centred) {
        placement.x -= rect.width * 0.5f;
        placement.y -= rect.height * 0.5f;
    }
    makeLayer(placement, background, &image);
    makeLayer(placement, textLayer, nullptr);

    TextInput in;
    in.lineCount = lineCount;
    in.numbersOnly = numbersOnly;
    in.maxLength = maxLength;
    in.text = text;
    in.fontKey = fontKey;
    in.fontSize = size;
    in.textColor = color;
    in.margins = margins;
    TextInput& stored = inputs.insert(key, std::move(in));
    renderInputText(key);
    return stored;
}

void GUISystem::renderInputText(const std::string& key) {
    TextInput& in = inputs.get(key);
    in.drawnFocused = in.focused;
    const std::string background = inputBackgroundKey(key);
    std::string shown = in.text;
    int size = in.fontSize;
    if (in.lineCount <= 1) {
        const Margins& m = in.margins;
        const float room = layers.get(background).placement.width - m.left - m.right;
        auto width = [this, &in](const std::string& s, int at) {
            return static_cast<float>(al_get_text_width(fonts->get(in.fontKey, at), s.c_str()));
        };
        // A number is read whole or not at all: a size or two smaller first.
        if (in.numbersOnly) {
            const int smallest = std::max(FontStore::minSize, in.fontSize - 2);
            while (size > smallest && width(in.text, size) > room) --size;
        }
        shown =
            TextWindow::visible(in.text, room, in.focused,
                                [&width, size](const std::string& s) { return width(s, size); });
    }
    renderLayerText(background, inputTextKey(key), in.fontKey, size, in.alignment, in.textColor,
                    in.margins, in.lineCount, shown);
}

void GUISystem::drawTextInput(const std::string& key) {
    TextInput& in = inputs.get(key);
    if (!in.visible) return;
    drawn.push_back(key);
    // Focus is set straight on the input by its owner; the layer follows here.
    if (in.focused != in.drawnFocused) renderInputText(key);
    drawLayers(inputBackgroundKey(key), inputTextKey(key), in.opacity);
}

}  // namespace NK
