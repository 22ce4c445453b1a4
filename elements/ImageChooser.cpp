#include "elements/ImageChooser.h"

#include <allegro5/allegro_font.h>

#include <utility>

#include "elements/PanelRules.h"
#include "elements/PanelWidgets.h"

namespace {

const NK::Color found(0.0f, 1.0f, 0.0f, 1.0f);
const NK::Color notFound(1.0f, 0.0f, 0.0f, 1.0f);
const NK::Color infoColour(0.8f, 0.85f, 0.9f, 1.0f);
constexpr float buttonWidth = 110.0f;
constexpr float gap = 10.0f;
constexpr int pathLength = 120;
// One size down, so the folder and the longest answer share a row.
constexpr int infoSize = PanelWidgets::textSize - 1;

}  // namespace

ImageChooser::ImageChooser(PanelWidgets& w, std::string f, std::vector<std::string> p)
    : folder(std::move(f)), precreated(std::move(p)), widgets(w) {}

void ImageChooser::build() {
    const float left = PanelWidgets::left;
    const float width = PanelWidgets::width;
    const float fieldWidth = width - buttonWidth - gap;
    const float buttonX = left + fieldWidth + gap;

    // The folder the typed path starts from, and the check's answer beside it.
    NK::Rect row = widgets.takeRow();
    const float infoWidth = widgets.textWidth(folder, infoSize);
    widgets.makeLabel("path_info", folder, NK::Rect(left, row.y, infoWidth, row.height),
                      ALLEGRO_ALIGN_LEFT, infoSize, infoColour);
    widgets.makeLabel("is_path", "",
                      NK::Rect(left + infoWidth, row.y, width - infoWidth, row.height),
                      ALLEGRO_ALIGN_RIGHT, infoSize, found);

    row = widgets.takeRow();
    widgets.makeInput("path", NK::Rect(left, row.y, fieldWidth, row.height), false, pathLength);
    // A long path keeps its end in sight: the file name is what tells images apart.
    widgets.gui().getTextInput("path").alignment = ALLEGRO_ALIGN_RIGHT;
    widgets.makeButton({"set_path", "EDIT", [this] { toggleTyping(); }},
                       NK::Rect(buttonX, row.y, buttonWidth, row.height));
    // Enter ends typing as the second click on "set_path" does.
    widgets.gui().setTextInputThirdCallback("path", [this](std::string) {
        if (widgets.typingIn("path")) toggleTyping();
    });

    row = widgets.takeRow();
    widgets.makeLabel("set_precreated_path", "Precreated image",
                      NK::Rect(left, row.y, fieldWidth, row.height), ALLEGRO_ALIGN_RIGHT,
                      PanelWidgets::textSize, infoColour);
    widgets.makeButton({"set_precreated", "SET", [this] { showNextPrecreated(); }},
                       NK::Rect(buttonX, row.y, buttonWidth, row.height));
    widgets.endSection();
}

void ImageChooser::toggleTyping() {
    if (!widgets.typingIn("path")) {
        widgets.activate("path", false);
        return;
    }
    widgets.refreshPanel();  // ends typing in every input, "path" included
    check();
}

void ImageChooser::showNextPrecreated() {
    if (precreated.empty()) return;
    ++precreatedIndex;
    if (precreatedIndex >= static_cast<int>(precreated.size())) precreatedIndex = 0;
    widgets.gui().setTextInputText("path", precreated[static_cast<std::size_t>(precreatedIndex)]);
    check();
}

bool ImageChooser::check() {
    switch (PanelRules::checkImagePath(folder, widgets.gui().getTextInputText("path"))) {
        case PanelRules::PathCheck::Empty:
            return false;
        case PanelRules::PathCheck::Found:
            widgets.setLabel("is_path", "Image found", found);
            return true;
        case PanelRules::PathCheck::NotFound:
            widgets.setLabel("is_path", "Image not found", notFound);
            return false;
    }
    return false;
}

std::string ImageChooser::file() const {
    return folder + widgets.gui().getTextInputText("path");
}
