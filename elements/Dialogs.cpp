#include "elements/Dialogs.h"

#include "elements/DialogRules.h"
#include "engine/DialogDesign.h"

const char* const Dialogs::designKey = "design";
const char* const Dialogs::designImage = "Resources/Designes/NK-design_g.png";
const char* const Dialogs::previewKey = "preview";

Dialogs::Dialogs(const ElementServices& s)
    : ElementPage(panel),
      input(s.input),
      view(s.view),
      bitmaps(s.bitmaps),
      renderContext(s.renderContext),
      cardStore(s.renderContext, s.bitmaps, s.fonts, s.input),
      panel(s, ElementPanel::Elements{[this] { return count(); },
                                      [this](int i) -> NK::ExtBitmap& { return at(i).area; },
                                      [this](int i) { remove(i); }, nullptr, nullptr, nullptr,
                                      false}) {}

void Dialogs::add(int titleSize, int textSize, const std::string& title, const std::string& text,
                  float delay, const NK::Rect& triggerArea) {
    auto dialog = std::make_unique<Dialog>();
    dialog->key = std::to_string(counter);
    dialog->area.rect = triggerArea;
    dialog->titleSize = titleSize;
    dialog->textSize = textSize;
    dialog->title = title;
    dialog->text = text;
    dialog->delay = delay;
    dialogs.push_back(std::move(dialog));
    ++counter;
}

void Dialogs::remove(int index) {
    Dialog& d = at(index);
    if (d.hasCard) cardStore.destroyCard(d.key);
    dialogs.erase(dialogs.begin() + index);
}

void Dialogs::clear() {
    // A cleared level has nothing left to show, the preview included.
    stop();
    dialogs.clear();
    counter = 0;
    panel.resetSelection();
}

std::vector<DialogRecord> Dialogs::records() const {
    std::vector<DialogRecord> out;
    out.reserve(dialogs.size());
    for (const auto& d : dialogs) {
        const NK::Rect& r = d->area.rect;
        out.push_back(
            {r.x, r.y, r.width, r.height, d->titleSize, d->textSize, d->title, d->text, d->delay});
    }
    return out;
}

const std::string& Dialogs::key(int index) const {
    return at(index).key;
}

void Dialogs::setDesign(const Dialog& dialog) {
    DialogRules::applyLook(cardStore.getDesign(designKey), dialog.titleSize, dialog.textSize);
}

NK::DialogCard::Callbacks& Dialogs::makeCard(const Dialog& dialog, const NK::Rect& rect,
                                             const std::string& cardKey) {
    // Title and text are printed when the card is made, in the design's
    // sizes of that moment, so each card sets them just before.
    setDesign(dialog);
    NK::DialogCard::Callbacks& callbacks =
        cardStore.createCard(designKey, rect, dialog.title, dialog.text, cardKey);
    callbacks.onClose = [this](std::string k) { closeCard(k); };
    return callbacks;
}

void Dialogs::closeCard(const std::string& cardKey) {
    NK::DialogCard& card = cardStore.getCard(cardKey);
    card.visible = false;
    card.timer = -1;
}

void Dialogs::start() {
    if (!designMade) return;
    for (auto& d : dialogs) {
        makeCard(*d, DialogRules::cardRect(), d->key);
        d->hasCard = true;
        // Every play may show every dialog once, restarts included.
        d->triggered = false;
    }
}

void Dialogs::update(const NK::Rect& playerRect) {
    for (auto& d : dialogs) {
        // A dialog added while the level runs has no card to show.
        if (d->triggered || !d->hasCard) continue;
        if (!playerRect.touches(d->area.rect)) continue;
        DialogRules::show(cardStore.getCard(d->key), d->delay);
        d->triggered = true;
    }
}

bool Dialogs::cardShown() {
    for (const auto& d : dialogs) {
        if (d->hasCard && cardStore.getCard(d->key).visible) return true;
    }
    return false;
}

void Dialogs::stop() {
    for (auto& d : dialogs) {
        if (d->hasCard) cardStore.destroyCard(d->key);
        d->hasCard = false;
    }
    closePreview();
}

void Dialogs::closePreview() {
    if (previewMade) cardStore.destroyCard(previewKey);
    previewMade = false;
}

void Dialogs::drawCards() {
    for (const auto& d : dialogs) {
        if (d->hasCard) cardStore.drawCard(d->key);
    }
    if (previewMade) cardStore.drawCard(previewKey);
}

void Dialogs::preview() {
    if (!panel.hasSelection() || !designMade) return;
    makeCard(selectedDialog(), DialogRules::previewRect(panelWidth, topBarHeight), previewKey);
    previewMade = true;
    NK::DialogCard& card = cardStore.getCard(previewKey);
    card.visible = true;
    if (card.pendingTimer >= 0) card.timer = card.pendingTimer;
}

void Dialogs::updateWidgets() {
    cardStore.updateCards();
    panel.widgets.gui().update();
}
