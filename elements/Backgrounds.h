#pragma once
#include <functional>
#include <string>
#include <utility>
#include <vector>
#include "elements/ElementServices.h"

#include "elements/ElementPage.h"
#include "elements/ElementPanel.h"
#include "elements/MapRecords.h"
#include "elements/PictureList.h"

namespace NK {
class BitmapStore;
class FontStore;
class Input;
class RenderContext;
class View;
struct BitmapEntry;
}  // namespace NK

// Decorative pictures behind everything else in a level, each an image with
// a rectangle and an angle. List order is drawing order: a later one covers
// an earlier one.
class Backgrounds : public ElementPage {
public:
    explicit Backgrounds(const ElementServices& services);

    // Copies the image; its path is the source path written to the map.
    void add(const NK::BitmapEntry& image, const NK::Rect& rect, float angle);
    // Releases every image; the next one added gets key "0" again.
    void clear();
    bool empty() const { return list.empty(); }
    std::vector<BackgroundRecord> records() const;
    void draw();

    void build() override;
    void updateWidgets() override;

    // The images folder and the precreated images, in the order "SET" shows them.
    static const char* const folder;
    static const std::vector<std::string>& precreated();

    NK::ExtBitmap& picture(int index) { return list.picture(static_cast<std::size_t>(index)); }
    int count() const { return static_cast<int>(list.size()); }
    NK::ExtBitmapStore& images() { return list.pictures; }
    ElementPanel& editor() { return panel; }

private:
    struct Entry {
        std::string key;
    };
    PictureList<Entry> list;
    ElementPanel panel;
};
