#include "editor/ImportExportPanel.h"

#include "engine/GUISystem.h"

ImportExportPanel::ImportExportPanel(const Services& s, const LevelDocument::Parts& level)
    : services(s),
      file(*s.textFiles, level, s.display),
      gui(std::make_unique<NK::GUISystem>(s.input, s.renderContext, s.fonts)) {}

ImportExportPanel::~ImportExportPanel() = default;

void ImportExportPanel::build() {
    const NK::Color white = NK::Color::white();
    gui->createTextLabel(NK::Rect(1540, 470, 360, 40), "font", 12, white, {}, "", "load_info");
    gui->createTextLabel(NK::Rect(1540, 830, 360, 40), "font", 12, white, {}, "", "save_info");
    if (services.bitmaps) buildPage();
}

void ImportExportPanel::update() {
    if (loadShown && --loadTicksLeft < 0) {
        loadShown = false;
        gui->setTextLabelText("load_info", "");
    }
    if (rewriteArmed && --rewriteTicksLeft < 0) armRewrite(false);
    if (saveShown && --saveTicksLeft < 0) {
        saveShown = false;
        if (!rewriteArmed) gui->setTextLabelText("save_info", "");
    }
    gui->update();
}

void ImportExportPanel::saveMap(const std::string& path) {
    file.save(path);
    saveTicksLeft = messageTicks;
    saveShown = true;
    gui->setTextLabelText("save_info", "Saved");
    // The level is safe in its file: the copy kept against a crash can go,
    // unless the file is where the copy was kept.
    if (samePlace(path, recoveryPath)) recoveryIsMap = true;
    // A map saved over the copy on offer is the user's now, not a copy to remove.
    if (samePlace(path, offeredPath())) endRecoveryOffer(false);
    dropRecovery();
    recoveryWritten = snapshot();
}

void ImportExportPanel::loadMap(const std::string& path) {
    showLoaded(file.load(path).ok);
}

void ImportExportPanel::showLoaded(bool read) {
    loadTicksLeft = messageTicks;
    loadShown = true;
    NK::GUISystem::TextLabel& info = gui->getTextLabel("load_info");
    info.textColor = read ? NK::Color::white() : NK::Color(1, 0, 0, 1);
    gui->setTextLabelText("load_info", read ? "Loaded" : "Wrong data");
}
