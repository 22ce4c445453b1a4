#include "elements/LevelDocument.h"

#include "elements/Backgrounds.h"
#include "elements/Boxes.h"
#include "elements/Circles.h"
#include "elements/Gate.h"
#include "elements/Player.h"
#include "elements/Surfaces.h"
#include "engine/BitmapStore.h"

MapData LevelDocument::collect() const {
    MapData data = held;
    data.player = parts.player->positionRecord();
    const NK::Rect& area = parts.player->cameraArea;
    data.cameraArea = {area.x, area.y, area.width, area.height};
    data.fallEdge = {parts.player->fallEdge};
    data.gate = parts.gate->record();
    data.backgrounds = parts.backgrounds->records();
    data.surfaces = parts.surfaces->records();
    data.boxes = parts.boxes->records();
    data.circles = parts.circles->records();
    return data;
}

int LevelDocument::surfaceCounter() const {
    return parts.surfaces->surfaceCounter;
}

void LevelDocument::apply(const MapData& data) {
    // Values straight from the file: a later record wins.
    parts.player->setPosition(data.player.x, data.player.y);
    const CameraAreaRecord& area = data.cameraArea;
    parts.player->cameraArea = NK::Rect(area.x, area.y, area.w, area.h);
    parts.player->fallEdge = data.fallEdge.y;
    parts.gate->setPosition(data.gate.x, data.gate.y);
    // Kinds without a collection yet keep their records, lists appended.
    auto append = [](auto& to, const auto& from) { to.insert(to.end(), from.begin(), from.end()); };
    append(held.enemies, data.enemies);
    append(held.levers, data.levers);
    append(held.dialogs, data.dialogs);
    append(held.npcs, data.npcs);
    append(held.lights, data.lights);

    for (const BackgroundRecord& bg : data.backgrounds) {
        // The image goes through a temporary key that the collection copies from.
        parts.bitmaps->load(bg.path, "bg");
        parts.backgrounds->add(parts.bitmaps->get("bg"), NK::Rect(bg.x, bg.y, bg.w, bg.h),
                               bg.angle);
        parts.bitmaps->destroy("bg");
    }
    for (const SurfaceRecord& surface : data.surfaces) parts.surfaces->addFromRecord(surface);
    // Blocks load their images as backgrounds do, each kind under its own key.
    auto addBlocks = [this](Blocks& to, const std::vector<BlockRecord>& from, const char* key) {
        for (const BlockRecord& b : from) {
            parts.bitmaps->load(b.path, key);
            to.add(parts.bitmaps->get(key), b.isDynamic, NK::Rect(b.x, b.y, b.w, b.h), b.angle,
                   b.density, b.friction, b.rotationFix, b.delay);
            parts.bitmaps->destroy(key);
        }
    };
    addBlocks(*parts.boxes, data.boxes, "b");
    addBlocks(*parts.circles, data.circles, "c");
}

void LevelDocument::clear() {
    held = MapData{};
    parts.player->reset();
    parts.gate->reset();
    parts.backgrounds->clear();
    parts.surfaces->clear();
    parts.boxes->clear();
    parts.circles->clear();
}

bool LevelDocument::isEmpty() const {
    // The player and the gate count only once edited in their pages.
    return !parts.player->changed && !parts.gate->changed && held.enemies.empty() &&
           held.levers.empty() && held.dialogs.empty() && held.npcs.empty() &&
           held.lights.empty() && parts.backgrounds->empty() && parts.surfaces->empty() &&
           parts.boxes->empty() && parts.circles->empty();
}
