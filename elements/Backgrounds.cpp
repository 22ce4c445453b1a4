#include "elements/Backgrounds.h"

#include "engine/BitmapEntry.h"
#include "engine/ExtBitmap.h"
#include "engine/GUISystem.h"

const char* const Backgrounds::folder = "Editor/Backgrounds/";

const std::vector<std::string>& Backgrounds::precreated() {
    static const std::vector<std::string> paths = {
        "Dovra/VAZEzadide-screen.png", "Dovra/level1-1.png", "Dovra/level1-2.png",
        "Dovra/level2-1.png",          "Dovra/level2-2.png", "Dovra/level3-1.png",
        "Dovra/level3-2.png",          "Dovra/level4-1.png", "Dovra/level4-2.png",
        "Dovra/level5-1.png",          "Dovra/level5-2.png", "Dovra/level6-1.png",
        "Dovra/level6-2.png",          "Dovra/level7-1.png", "Dovra/level7-2.png",
        "Dovra/level7bg.png",          "Dovra/level8-1.png", "Dovra/level8-2.png",
        "Dovra/level9-1.png",          "Dovra/level9-2.png",
    };
    return paths;
}

Backgrounds::Backgrounds(const ElementServices& s)
    : ElementPage(panel),
      list(s.renderContext),
      panel(s, ElementPanel::Elements{[this] { return count(); },
                                      [this](int i) -> NK::ExtBitmap& { return picture(i); },
                                      [this](int i) { list.remove(static_cast<std::size_t>(i)); },
                                      [this](int i, const NK::Rect& rect) {
                                          const NK::ExtBitmap& from = picture(i);
                                          add(from.image, rect, from.angle);
                                      },
                                      nullptr, nullptr, false}) {}

void Backgrounds::add(const NK::BitmapEntry& image, const NK::Rect& rect, float angle) {
    list.pictures.create(image, rect, list.add({}).key).angle = angle;
}

void Backgrounds::clear() {
    list.clear();
    panel.resetSelection();
}

std::vector<BackgroundRecord> Backgrounds::records() const {
    std::vector<BackgroundRecord> out;
    out.reserve(list.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        const NK::ExtBitmap& e = list.picture(i);
        out.push_back({e.image.path, e.rect.x, e.rect.y, e.rect.width, e.rect.height, e.angle});
    }
    return out;
}

void Backgrounds::draw() {
    list.draw();
}

void Backgrounds::build() {
    panel.start();
    panel.addList({{"add", "ADD", [this] {
                        panel.addChosenImage(
                            "bg", [this](const NK::BitmapEntry& image, const NK::Rect& rect) {
                                add(image, rect, 0.0f);
                            });
                    }}});
    panel.addImageChooser(folder, precreated());
    panel.addGroup(panel.positionGroup());
    panel.addGroup(panel.sizeGroup(true));
    panel.addGroup(panel.angleGroup());
    panel.refreshPanel();
    panel.hide();
}

void Backgrounds::updateWidgets() {
    list.pictures.updateExtBitmaps();
    panel.widgets.gui().update();
}
