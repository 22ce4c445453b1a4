#include "engine/GUISystem.h"

#include <vector>

#include "engine/Display.h"
#include "engine/Input.h"
#include "engine/Log.h"

namespace NK {

namespace {

// Keys are copied before a sweep: a callback may remake or destroy widgets
// (a click that rebuilds a panel), which would break a live map iteration.
template <typename Store>
std::vector<std::string> keysOf(Store& store) {
    std::vector<std::string> keys;
    keys.reserve(store.size());
    for (auto& entry : store) keys.push_back(entry.first);
    return keys;
}

// Calls through a copy, so a callback that replaces its own slot or its own
// widget does not pull the function out from under itself.
void call(GUISystem::Callback callback, const std::string& key) {
    if (callback) callback(key);
}

}  // namespace

GUISystem::GUISystem(Input* input, RenderContext* renderContext, FontStore* fontStore)
    : input(input),
      renderContext(renderContext),
      fonts(fontStore),
      images(renderContext),
      layers(renderContext) {}

void GUISystem::setNextButtonsFont(const std::string& fontKey, int size, const Color& color) {
    nextFont = NextFont{fontKey, size, color};
}

GUISystem::Button& GUISystem::createButton(const BitmapEntry& image, const Rect& rect,
                                           const std::string& key, bool centred) {
    if (buttons.contains(key)) {
        buttons.clearForRemake(key);
        images.destroy(key);
    }
    if (!nextFont) {
        logInfo("GUISystem(\"" + key +
                "\") - You should use setNextButtonsFont(...) before creating Buttons.");
    }
    Rect placement = rect;
    if (centred) {
        placement.x -= rect.width * 0.5f;
        placement.y -= rect.height * 0.5f;
    }

    BitmapEntry entry;
    const int w = static_cast<int>(placement.width);
    const int h = static_cast<int>(placement.height);
    entry.bitmap.reset(createWidgetBitmap(w, h));
    if (!entry.bitmap) fatalError("Bitmap with key \"" + key + "\" not created");
    entry.source = Rect(0, 0, static_cast<float>(w), static_cast<float>(h));
    entry.placement = placement;
    entry.path = "RuntimeCreatedBitmap";
    al_set_target_bitmap(entry.get());
    al_clear_to_color(al_map_rgba(0, 0, 0, 0));
    al_draw_scaled_bitmap(image.get(), image.source.x, image.source.y, image.source.width,
                          image.source.height, 0, 0, static_cast<float>(w), static_cast<float>(h),
                          0);
    targetBackBuffer();
    // No untouched copy yet: the first text printed on the button makes it.
    images.create(std::move(entry), key);

    Button button;
    if (nextFont) {
        button.fontKey = nextFont->key;
        button.fontSize = nextFont->size;
        button.textColor = nextFont->color;
        button.hasFont = true;
    }
    return buttons.insert(key, std::move(button));
}

void GUISystem::setButtonFont(const std::string& key, const std::string& fontKey, int size,
                              const Color& color) {
    Button& b = buttons.get(key);
    b.fontKey = fontKey;
    b.fontSize = size;
    b.textColor = color;
    b.hasFont = true;
    if (!b.text.empty()) renderButtonText(key);
}

void GUISystem::setButtonText(const std::string& key, const std::string& text, int lineCount) {
    Button& b = buttons.get(key);
    b.text = text;
    b.lineCount = lineCount;
    if (b.hasFont) renderButtonText(key);
}

void GUISystem::setButtonTextMargins(const std::string& key, float left, float top, float right,
                                     float bottom) {
    Button& b = buttons.get(key);
    b.textMargins = Margins{left, top, right, bottom};
    if (b.hasFont) renderButtonText(key);
}

void GUISystem::destroyButton(const std::string& key) {
    if (!buttons.contains(key)) {
        buttons.destroy(key);  // logs the miss
        return;
    }
    buttons.destroy(key);
    images.destroy(key);
}

void GUISystem::setButtonShown(const std::string& key, bool shown) {
    buttons.get(key);
    images.get(key).visible = shown;
}

void GUISystem::setButtonOpacity(const std::string& key, float value) {
    buttons.get(key);
    images.get(key).alpha.set(value);
}

void GUISystem::setButtonTint(const std::string& key, float red, float green, float blue) {
    buttons.get(key);
    images.get(key).colour.set(Rgb{red, green, blue});
}

void GUISystem::animateButtonOpacity(const std::string& key, float target, float speed) {
    buttons.get(key);
    images.animateAlpha(key, false, true, 0, target, speed);
}

void GUISystem::animateButtonTint(const std::string& key, float red, float green, float blue,
                                  float speed) {
    buttons.get(key);
    images.animateColour(key, Rgb{red, green, blue}, false, false, true, speed);
}

void GUISystem::setButtonFirstCallback(const std::string& key, Callback callback) {
    buttons.get(key).first = std::move(callback);
}
void GUISystem::setButtonSecondCallback(const std::string& key, Callback callback) {
    buttons.get(key).second = std::move(callback);
}
void GUISystem::setButtonThirdCallback(const std::string& key, Callback callback) {
    buttons.get(key).third = std::move(callback);
}

void GUISystem::drawButton(const std::string& key) {
    if (!buttons.contains(key)) {
        buttons.get(key);  // a missing button is reported as a button, not as its image
        return;
    }
    ExtBitmap* image = images.find(key);
    if (image && image->visible) drawn.push_back(key);
    images.drawExtBitmap(key);
}

void GUISystem::setTextLabelVisible(const std::string& key, bool visible) {
    labels.get(key).visible = visible;
}

void GUISystem::destroyTextLabel(const std::string& key) {
    if (!labels.contains(key)) {
        labels.destroy(key);  // logs the miss
        return;
    }
    labels.destroy(key);
    dropLayer(labelBackgroundKey(key));
    dropLayer(labelTextKey(key));
}

void GUISystem::setTextInputVisible(const std::string& key, bool visible) {
    inputs.get(key).visible = visible;
}

void GUISystem::setTextInputOpacity(const std::string& key, float opacity) {
    inputs.get(key).opacity = opacity;
}

void GUISystem::setTextInputFirstCallback(const std::string& key, Callback callback) {
    inputs.get(key).first = std::move(callback);
}
void GUISystem::setTextInputSecondCallback(const std::string& key, Callback callback) {
    inputs.get(key).second = std::move(callback);
}
void GUISystem::setTextInputThirdCallback(const std::string& key, Callback callback) {
    inputs.get(key).third = std::move(callback);
}
void GUISystem::setTextInputFourthCallback(const std::string& key, Callback callback) {
    inputs.get(key).fourth = std::move(callback);
}

void GUISystem::setTextInputText(const std::string& key, const std::string& text) {
    TextInput& in = inputs.get(key);
    if (in.text == text) return;
    in.text = text;
    call(in.fourth, key);
    // The callback may have remade the input; render whatever holds the key now.
    if (inputs.find(key)) renderInputText(key);
}

Vec2 GUISystem::pointer() const {
    return GUIPointer::onScreen(static_cast<float>(input->mouse.x),
                                static_cast<float>(input->mouse.y),
                                static_cast<float>(input->display->windowWidth),
                                static_cast<float>(input->display->windowHeight));
}

TextEntry::Keys GUISystem::typingKeys() const {
    TextEntry::Keys keys;
    keys.pressed = input->keyPressed;
    keys.shift = input->keyDown(ALLEGRO_KEY_LSHIFT) || input->keyDown(ALLEGRO_KEY_RSHIFT);
    keys.capsLock = input->capsLock;
    keys.numLock = input->numLock;
    return keys;
}

void GUISystem::update() {
    const Vec2 at = pointer();
    updateButtons(at);
    images.updateExtBitmaps();
    updateInputs(at);
}

bool GUISystem::shownArea(const std::string& key, Rect& area) {
    ExtBitmap* image = images.find(key);
    if (!buttons.find(key) || !image || !image->visible) return false;
    // A centred button was placed by its corner when it was made.
    area = image->rect;
    return true;
}

void GUISystem::stepFocus(int by) {
    std::vector<GUIPointer::Placed> shown;
    Rect area;
    for (const std::string& key : keysOf(buttons))
        if (shownArea(key, area)) shown.emplace_back(key, area);
    focused = GUIPointer::stepFocus(std::move(shown), focused, by);
}

void GUISystem::updateButtons(Vec2 at) {
    const bool padFocus = !focused.empty();
    const bool clicked = padFocus ? focusClicked : input->mousePressed[1] != 0;
    focusClicked = false;
    for (const std::string& key : keysOf(buttons)) {
        Button* b = buttons.find(key);
        Rect area;
        if (!b || !shownArea(key, area)) continue;
        const bool over = padFocus ? key == focused : GUIPointer::over(area, at);
        const GUIPointer::Calls calls = GUIPointer::step(b->hover, over, clicked && over);
        if (calls.left) call(b->third, key);
        if (calls.clicked && (b = buttons.find(key))) call(b->first, key);
        if (calls.entered && (b = buttons.find(key))) call(b->second, key);
    }
}

void GUISystem::updateInputs(Vec2 at) {
    const TextEntry::Keys keys = typingKeys();
    const TextEntry::Action action = TextEntry::action(keys);
    const std::vector<std::string> keyList = keysOf(inputs);

    if (action != TextEntry::Action::Type) {
        for (const std::string& key : keyList) {
            TextInput* in = inputs.find(key);
            if (!in || !in->visible || !in->focused) continue;
            if (action == TextEntry::Action::Clear) {
                setTextInputText(key, "");
            } else if (!in->text.empty()) {
                setTextInputText(key, in->text.substr(0, in->text.size() - 1));
            }
        }
        return;
    }

    const std::string piece = TextEntry::typedPiece(keys);
    const bool clicked = input->mousePressed[1] != 0;
    const bool enter = TextEntry::enterPressed(keys);
    const bool escape = TextEntry::escapePressed(keys);
    for (const std::string& key : keyList) {
        TextInput* in = inputs.find(key);
        if (!in || !in->visible) continue;
        if (clicked && GUIPointer::over(layers.get(inputBackgroundKey(key)).placement, at)) {
            call(in->first, key);
            // A click handler typically focuses this input, so typing in the
            // same tick already lands in it.
            if (!(in = inputs.find(key))) continue;
        }
        if (!in->focused) continue;
        setTextInputText(key, TextEntry::append(in->text, piece, in->numbersOnly, in->maxLength));
        if (enter && (in = inputs.find(key))) call(in->third, key);
        if (escape && (in = inputs.find(key))) call(in->second, key);
    }
}

std::vector<ShownWidget> GUISystem::shownWidgets() {
    std::vector<ShownWidget> on;
    for (const auto& [key, button] : buttons) {
        ExtBitmap* image = images.find(key);
        if (!image || !image->visible) continue;
        on.push_back({ShownWidget::Button, key, image->rect});
    }
    for (const auto& [key, label] : labels)
        if (label.visible)
            on.push_back({ShownWidget::Label, key, layers.get(labelBackgroundKey(key)).placement});
    for (const auto& [key, in] : inputs)
        if (in.visible)
            on.push_back({ShownWidget::Input, key, layers.get(inputBackgroundKey(key)).placement});
    return on;
}

void GUISystem::destroyAll() {
    buttons.clear();
    labels.clear();
    inputs.clear();
    images.destroyAll();
    layers.destroyAll();
}

}  // namespace NK
