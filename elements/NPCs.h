#pragma once
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>
#include "elements/ElementServices.h"

#include "elements/ElementPage.h"
#include "elements/ElementPanel.h"
#include "elements/MapRecords.h"
#include "elements/PictureList.h"
#include "engine/AnimationStore.h"
#include "engine/ExtBitmap.h"
#include "engine/Vec2.h"

namespace NK {
class BitmapStore;
class FontStore;
class Input;
class RenderContext;
class View;
}  // namespace NK

// Figures that only decorate a level, each swaying through the frames of one
// of four sheets. They are pictures only while a level runs; the editor
// draws them straight from their sheet.
class NPCs : public ElementPage {
public:
    struct Npc {
        std::string key;  // of its picture while the level runs
        int type = 0;     // index into typeKeys()
        bool inverted = false;
        // Where the editor places and picks it: its top-left corner and its
        // 200 x 300 size. Nothing draws it.
        std::unique_ptr<NK::ExtBitmap> box;
    };

    explicit NPCs(const ElementServices& services);

    // The four sheets, in a store of their own. build() calls it; start and
    // drawEditor need it done.
    void loadImages();
    // The files loadImages reads.
    static std::vector<std::string> imageFiles();
    // A type outside the list is taken as the nearest one there is.
    void add(int type, bool inverted, float x, float y);
    // Releases every picture; the next NPC added gets key "0" again.
    void clear();
    bool empty() const { return npcs.empty(); }
    std::vector<NpcRecord> records() const;

    // A swaying picture for every NPC.
    void start();
    // The pictures go again.
    void end();
    // Every picture of the store, while the level runs.
    void drawPlay();
    // Every NPC from its sheet's first frame, as the editor shows them.
    void drawEditor();
    // The NPCs are never dimmed, so there is nothing to bring back.
    void fadeIn() override {}

    void build() override;
    void update(bool mouseOutside) override;
    // The selected NPC's green outline, bright while the pointer is in it.
    void drawOverlay(NK::Vec2 handleSize) override;
    void updateWidgets() override;

    static const std::vector<std::string>& typeKeys();
    static constexpr int firstFrame = 0;
    static constexpr int lastFrame = 4;  // past the sheets' last frame on purpose: it is clamped
    static constexpr int ticksPerFrame = 8;
    static const NK::Vec2 size;

    const std::vector<Npc>& list() const { return npcs.entries; }
    NK::ExtBitmapStore& images() { return npcs.pictures; }
    // The four sheets, loaded once.
    const NK::AnimationStore& sheets() const { return animations; }
    ElementPanel& editor() { return panel; }

private:
    void remove(int index);
    void stepType(int by);
    std::string selectedTypeName() const;

    NK::AnimationStore animations;
    PictureList<Npc> npcs;
    ElementPanel panel;
    NK::View* view;
    std::string shownTypeName;
};
