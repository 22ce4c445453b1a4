#include "engine/DialogCardStore.h"

#include <allegro5/allegro_font.h>

#include <algorithm>
#include <vector>

#include "engine/Display.h"
#include "engine/Log.h"
#include "engine/View.h"

namespace NK {

namespace {

// Draws into `bitmap` and puts the back buffer back as the target, keeping
// the caller's blender; the back buffer keeps its own projection meanwhile.
template <typename Draw>
void drawInto(ALLEGRO_BITMAP* bitmap, ALLEGRO_DISPLAY* display, Draw draw) {
    ALLEGRO_STATE state;
    al_store_state(&state, ALLEGRO_STATE_BLENDER);
    al_set_target_bitmap(bitmap);
    draw();
    al_set_target_backbuffer(display);
    al_restore_state(&state);
}

}  // namespace

DialogCardStore::DialogCardStore(RenderContext* rc, BitmapStore* b, FontStore* f, Input* in)
    : renderContext(rc), bitmaps(b), fonts(f), input(in) {}

DialogCardStore::~DialogCardStore() {
    destroyAll();
}

void DialogCardStore::cutRegion(BitmapEntry& entry) {
    const Rect s = entry.source;
    BitmapPtr cut(al_create_bitmap(static_cast<int>(s.width), static_cast<int>(s.height)));
    if (!cut) fatalError("Bitmap with key \"" + entry.path + "\" not created");
    ALLEGRO_BITMAP* whole = entry.get();
    drawInto(cut.get(), renderContext->display->display, [&] {
        // A straight copy, alpha included: nothing below to blend with.
        al_set_blender(ALLEGRO_ADD, ALLEGRO_ONE, ALLEGRO_ZERO);
        al_draw_bitmap_region(whole, s.x, s.y, s.width, s.height, 0.0f, 0.0f, 0);
    });
    entry.bitmap = std::move(cut);
    entry.source = Rect(0.0f, 0.0f, s.width, s.height);
}

void DialogCardStore::printButtonLabel(BitmapEntry& entry, const std::string& fontKey,
                                       const Color& colour, const std::string& label) {
    const float lineHeight =
        static_cast<float>(al_get_font_line_height(fonts->get(fontKey, buttonTextSize)));
    const Vec2 at(entry.width() * 0.5f, entry.height() * 0.5f - lineHeight * 0.5f);
    drawInto(entry.get(), renderContext->display->display, [&] {
        fonts->drawText(fontKey, buttonTextSize, colour, at, DialogDesign::alignCentre, label);
    });
}

void DialogCardStore::releaseDesignImages(const std::string& key) {
    for (const char* suffix : {"_bg", "_close", "_next"}) {
        if (bitmaps->contains(key + suffix)) bitmaps->destroy(key + suffix);
    }
}

DialogDesign& DialogCardStore::createDesign(const std::string& imagePath,
                                            const std::string& fontKey, const std::string& key,
                                            const Color& closeTextColour,
                                            const Color& nextTextColour) {
    if (designs.contains(key)) {
        designs.clearForRemake(key);
        releaseDesignImages(key);
    }
    cutRegion(bitmaps->loadWithSource(imagePath, backgroundRegion(), key + "_bg"));
    BitmapEntry& close = bitmaps->loadWithSource(imagePath, buttonRegion(), key + "_close");
    cutRegion(close);
    printButtonLabel(close, fontKey, closeTextColour, "CLOSE");
    BitmapEntry& next = bitmaps->loadWithSource(imagePath, buttonRegion(), key + "_next");
    cutRegion(next);
    printButtonLabel(next, fontKey, nextTextColour, "NEXT");

    DialogDesign design;
    design.fontKey = fontKey;
    return designs.insert(key, design);
}

void DialogCardStore::destroyDesign(const std::string& key) {
    if (designs.contains(key)) releaseDesignImages(key);
    designs.destroy(key);
}

DialogCardStore::PrintPlaces DialogCardStore::printPlaces(const DialogDesign& d, float w) {
    PrintPlaces p;
    p.titleAt = Vec2(DialogDesign::anchorX(d.titleAlign, w, d.titleMargin.x), d.titleMargin.y);
    p.textAt =
        Vec2(DialogDesign::anchorX(d.textAlign, w, d.textMargin.x), d.textMargin.y + textTop);
    p.wrapWidth = w - 2.0f * d.textMargin.x;
    return p;
}

namespace {

// The left edge of a line `width` wide anchored at x with the alignment.
float lineLeft(int align, float anchorX, float width) {
    const int flags = DialogDesign::textFlags(align);
    if (flags == DialogDesign::alignCentre) return anchorX - width * 0.5f;
    if (flags == DialogDesign::alignRight) return anchorX - width;
    return anchorX;
}

}  // namespace

DialogCardStore::PrintedExtent DialogCardStore::measureCard(const DialogDesign& d, float width,
                                                            const std::string& title,
                                                            const std::string& text) {
    const PrintPlaces p = printPlaces(d, width);
    PrintedExtent e;
    const float titleWidth = fonts->textWidth(d.fontKey, d.titleSize, title);
    e.title = Rect(lineLeft(d.titleAlign, p.titleAt.x, titleWidth), p.titleAt.y, titleWidth,
                   fonts->lineHeight(d.fontKey, d.titleSize));
    const std::vector<std::string> lines =
        fonts->wrappedLines(d.fontKey, d.textSize, p.wrapWidth, text);
    float left = p.textAt.x;
    float right = p.textAt.x;
    for (const std::string& line : lines) {
        const float lineWidth = fonts->textWidth(d.fontKey, d.textSize, line);
        const float l = lineLeft(d.textAlign, p.textAt.x, lineWidth);
        left = std::min(left, l);
        right = std::max(right, l + lineWidth);
    }
    e.textLines = static_cast<int>(lines.size());
    e.text = Rect(left, p.textAt.y, right - left,
                  static_cast<float>(e.textLines) * fonts->lineHeight(d.fontKey, d.textSize));
    return e;
}

void DialogCardStore::printCard(BitmapEntry& entry, const DialogDesign& d, const std::string& title,
                                const std::string& text) {
    const PrintPlaces p = printPlaces(d, entry.width());
    drawInto(entry.get(), renderContext->display->display, [&] {
        fonts->drawText(d.fontKey, d.titleSize, d.titleColour, p.titleAt,
                        DialogDesign::textFlags(d.titleAlign), title);
        fonts->drawMultilineText(d.fontKey, d.textSize, d.textColour, p.textAt, p.wrapWidth,
                                 DialogDesign::textFlags(d.textAlign), text);
    });
}

DialogCard::Callbacks& DialogCardStore::createCard(const std::string& designKey, const Rect& rect,
                                                   const std::string& title,
                                                   const std::string& text,
                                                   const std::string& key) {
    const DialogDesign& design = designs.get(designKey);
    if (cards.contains(key)) {
        cards.clearForRemake(key);
        if (bitmaps->contains(key)) bitmaps->destroy(key);
    }
    unprinted[key] = Print{design, title, text};
    return cards.insert(key, DialogCard(designKey, rect)).callbacks;
}

void DialogCardStore::printIfNew(const std::string& key, const DialogCard& card) {
    const auto print = unprinted.find(key);
    if (print == unprinted.end()) return;
    printCard(bitmaps->copy(card.designKey + "_bg", key), print->second.look, print->second.title,
              print->second.text);
    unprinted.erase(print);
}

void DialogCardStore::destroyCard(const std::string& key) {
    if (cards.contains(key)) {
        unprinted.erase(key);
        if (bitmaps->contains(key)) bitmaps->destroy(key);
    }
    cards.destroy(key);
}

void DialogCardStore::destroyAll() {
    std::vector<std::string> keys;
    for (auto& [key, card] : cards) keys.push_back(key);
    for (const auto& key : keys) destroyCard(key);
    keys.clear();
    for (auto& [key, design] : designs) keys.push_back(key);
    for (const auto& key : keys) destroyDesign(key);
}

Vec2 DialogCardStore::mouseFor(const DialogCard& card) const {
    if (!card.screenSpace) return input->mouseInView();
    const Display& d = *renderContext->display;
    return windowToScreen(
        Vec2(static_cast<float>(input->mouse.x), static_cast<float>(input->mouse.y)),
        static_cast<float>(d.windowWidth), static_cast<float>(d.windowHeight));
}

void DialogCardStore::updateCards() {
    // Callbacks may make or destroy cards, so walk a snapshot of the keys and
    // never touch a card after running one of its callbacks.
    std::vector<std::string> keys;
    for (auto& [key, card] : cards) {
        if (card.visible) keys.push_back(key);
    }
    const bool pressed = input->mousePressed[1] != 0;
    for (const auto& key : keys) {
        DialogCard* card = cards.find(key);
        if (!card) continue;
        const DialogCard::TickResult r = card->tick(mouseFor(*card), pressed);
        const DialogCard::Callbacks callbacks = card->callbacks;
        if (r.timedOut && callbacks.onTimeout) callbacks.onTimeout(key);
        if (r.closeClicked && callbacks.onClose) callbacks.onClose(key);
        if (r.nextClicked && callbacks.onNext) callbacks.onNext(key);
    }
}

void DialogCardStore::drawButton(const DialogCard& card, const std::string& imageKey,
                                 const Rect& button, bool hovered) {
    const Color tint(1.0f, 1.0f, 1.0f, hovered ? 1.0f : 0.5f);
    const Rect where = card.placed(button);
    if (card.screenSpace) {
        bitmaps->drawOnScreenTinted(imageKey, where, tint);
    } else {
        bitmaps->drawTinted(imageKey, where, false, tint);
    }
}

void DialogCardStore::drawCard(const std::string& key) {
    const DialogCard& card = cards.get(key);
    if (!card.visible) return;
    printIfNew(key, card);
    if (card.screenSpace) {
        bitmaps->drawOnScreen(key, card.rect);
    } else {
        bitmaps->draw(key, card.rect);
    }
    if (card.showsClose())
        drawButton(card, card.designKey + "_close", card.closeRect, card.closeHover);
    if (card.showsNext()) drawButton(card, card.designKey + "_next", card.nextRect, card.nextHover);
}

}  // namespace NK
