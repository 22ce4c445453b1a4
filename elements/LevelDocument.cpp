#include "elements/LevelDocument.h"

#include "elements/Backgrounds.h"
#include "elements/Surfaces.h"
#include "engine/BitmapStore.h"

MapData LevelDocument::collect() const {
    MapData data = held;
    data.backgrounds = parts.backgrounds->records();
    data.surfaces = parts.surfaces->records();
    return data;
}

int LevelDocument::surfaceCounter() const {
    return parts.surfaces->surfaceCounter;
}

void LevelDocument::apply(const MapData& data) {
    // Kinds without a collection yet: one player, camera area, fall edge and
    // gate per level (a later record wins), lists appended.
    held.player = data.player;
    held.cameraArea = data.cameraArea;
    held.fallEdge = data.fallEdge;
    held.gate = data.gate;
    auto append = [](auto& to, const auto& from) { to.insert(to.end(), from.begin(), from.end()); };
    append(held.enemies, data.enemies);
    append(held.levers, data.levers);
    append(held.dialogs, data.dialogs);
    append(held.npcs, data.npcs);
    append(held.boxes, data.boxes);
    append(held.circles, data.circles);
    append(held.lights, data.lights);

    for (const BackgroundRecord& bg : data.backgrounds) {
        // The image goes through a temporary key that the collection copies from.
        parts.bitmaps->load(bg.path, "bg");
        parts.backgrounds->add(parts.bitmaps->get("bg"), NK::Rect(bg.x, bg.y, bg.w, bg.h),
                               bg.angle);
        parts.bitmaps->destroy("bg");
    }
    for (const SurfaceRecord& surface : data.surfaces) parts.surfaces->addFromRecord(surface);
}

void LevelDocument::clear() {
    held = MapData{};
    parts.backgrounds->clear();
    parts.surfaces->clear();
}

bool LevelDocument::isEmpty() const {
    // The player and the gate count only once edited; records held for them
    // from a file do not make a level worth saving.
    return held.enemies.empty() && held.levers.empty() && held.dialogs.empty() &&
           held.npcs.empty() && held.boxes.empty() && held.circles.empty() && held.lights.empty() &&
           parts.backgrounds->empty() && parts.surfaces->empty();
}
