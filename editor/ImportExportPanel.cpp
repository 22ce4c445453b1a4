#include "editor/ImportExportPanel.h"

#include <allegro5/allegro.h>

#include "elements/MapCodec.h"
#include "engine/Display.h"
#include "engine/GUISystem.h"
#include "engine/TextFile.h"
#include "engine/TextFileStore.h"

ImportExportPanel::ImportExportPanel(const Services& s, const LevelDocument::Parts& level)
    : services(s),
      document(level),
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

void ImportExportPanel::setBusyCursor(bool busy) {
    if (!services.display || !services.display->display) return;
    al_set_system_mouse_cursor(
        services.display->display,
        busy ? ALLEGRO_SYSTEM_MOUSE_CURSOR_BUSY : ALLEGRO_SYSTEM_MOUSE_CURSOR_DEFAULT);
}

void ImportExportPanel::saveMap(const std::string& path) {
    setBusyCursor(true);
    services.textFiles->prepare(path, "map");
    services.textFiles->write("map",
                              MapCodec::write(document.collect(), document.surfaceCounter()));
    services.textFiles->destroy("map");
    saveTicksLeft = messageTicks;
    saveShown = true;
    gui->setTextLabelText("save_info", "Saved");
    // The level is safe in its file: the copy kept against a crash can go,
    // unless the file is where the copy was kept.
    if (namesRecovery(path)) recoveryIsMap = true;
    dropRecovery();
    recoveryWritten = snapshot();
    setBusyCursor(false);
}

void ImportExportPanel::loadMap(const std::string& path) {
    setBusyCursor(true);
    NK::TextFile& file = services.textFiles->load(path, "map");
    MapCodec::ReadResult result = MapCodec::read(file.lines);
    // Nothing of a broken file reaches the level: the records go in only
    // once every line has been read.
    if (result.ok) document.apply(result.data);
    loadTicksLeft = messageTicks;
    loadShown = true;
    NK::GUISystem::TextLabel& info = gui->getTextLabel("load_info");
    if (!result.ok) {
        clearMap();
        info.textColor = NK::Color(1, 0, 0, 1);
        gui->setTextLabelText("load_info", "Wrong data");
    } else {
        info.textColor = NK::Color::white();
        gui->setTextLabelText("load_info", "Loaded");
    }
    services.textFiles->destroy("map");
    setBusyCursor(false);
}

void ImportExportPanel::clearMap() {
    document.clear();
}

std::string ImportExportPanel::snapshot() const {
    return NK::TextFile::serialise(MapCodec::write(document.collect(), document.surfaceCounter()));
}

bool ImportExportPanel::restore(const std::string& text) {
    MapCodec::ReadResult result = MapCodec::read(NK::TextFile::parse(text));
    if (result.ok) document.replace(result.data);
    return result.ok;
}
