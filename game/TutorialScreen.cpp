#include "game/TutorialScreen.h"

#include <iterator>
#include <string>

#include "engine/BitmapStore.h"
#include "engine/GUISystem.h"
#include "engine/View.h"
#include "game/MainMenuScreen.h"
#include "game/ResourceTable.h"
#include "game/TutorialBook.h"

namespace {

const char* const pageKeys[] = {"tutorial_game", "tutorial_editor_main", "tutorial_editor_1",
                                "tutorial_editor_2", "tutorial_editor_3"};
const char* const buttons[] = {"tutorial_button_back", "tutorial_button_next",
                               "tutorial_button_prev"};

}  // namespace

TutorialScreen::TutorialScreen(NK::GUISystem* g, NK::BitmapStore* b, TutorialBook* t)
    : gui(g), bitmaps(b), book(t) {}

void TutorialScreen::build(std::function<void()> back) {
    // Only the keys: each page is read when it is first shown (see draw).
    book->setPages(std::vector<std::string>(std::begin(pageKeys), std::end(pageKeys)));
    for (const char* key : pageKeys)
        standInIfMissing(*bitmaps, std::string("Resources/Images/Tutorial/") + key + ".png", key);

    // Small enough that "PREVIOUS PAGE" stays on one line and clear of the
    // button's teal end caps (the outer 5% at each end).
    gui->setNextButtonsFont("font", 9, NK::Color::white());
    gui->createButton(bitmaps->get("arrow_right"), NK::Rect(40, 40, 75, 75), buttons[0], true);
    gui->createButton(bitmaps->get("menu_button"), NK::Rect(1700, 115, 250, 75), buttons[1], true);
    gui->setButtonText(buttons[1], "NEXT PAGE", 1);
    gui->createButton(bitmaps->get("menu_button"), NK::Rect(1450, 115, 250, 75), buttons[2], true);
    gui->setButtonText(buttons[2], "PREVIOUS PAGE", 1);
    for (const char* key : buttons) makeHoverFade(*gui, key);

    gui->setButtonFirstCallback(buttons[0], [back](std::string) { back(); });
    gui->setButtonFirstCallback(buttons[1], [this](std::string) { book->next(); });
    gui->setButtonFirstCallback(buttons[2], [this](std::string) { book->previous(); });
}

void TutorialScreen::show(bool shown) {
    for (const char* key : buttons) gui->setButtonShown(key, shown);
}

void TutorialScreen::draw(const NK::View& view) {
    if (!book->empty()) {
        // Five full-screen pictures are half of all the pixels the game
        // shows; read at start-up they held the first menu frame back for
        // pages few players open. A page is read, or its absence reported,
        // the first time it is shown.
        const std::string& key = book->current();
        if (!bitmaps->contains(key))
            loadBitmapOrStandIn(*bitmaps, "Resources/Images/Tutorial/" + key + ".png", key);
        bitmaps->draw(key, view.rect());
    }
    for (const char* key : buttons) gui->drawButton(key);
}
