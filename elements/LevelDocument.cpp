#include "elements/LevelDocument.h"

#include "elements/Backgrounds.h"
#include "elements/Dialogs.h"
#include "elements/Enemies.h"
#include "elements/Gate.h"
#include "elements/Lights.h"
#include "elements/Levers.h"
#include "elements/NPCs.h"
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
    if (parts.dialogs) data.dialogs = parts.dialogs->records();
    if (parts.lights) data.lights = parts.lights->records();
    if (parts.levers) data.levers = parts.levers->records();
    if (parts.npcs) data.npcs = parts.npcs->records();
    data.enemies = parts.enemies->records();
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
    append(held.levers, data.levers);
    if (!parts.dialogs) append(held.dialogs, data.dialogs);
    append(held.npcs, data.npcs);
    append(held.dialogs, data.dialogs);
    append(held.boxes, data.boxes);
    append(held.circles, data.circles);
    if (parts.lights) {
        // Past the 100th light the system refuses, and the record is dropped.
        for (const LightRecord& light : data.lights) parts.lights->add(light);
    } else {
        append(held.lights, data.lights);
    }

    for (const BackgroundRecord& bg : data.backgrounds) {
        // The image goes through a temporary key that the collection copies from.
        parts.bitmaps->load(bg.path, "bg");
        parts.backgrounds->add(parts.bitmaps->get("bg"), NK::Rect(bg.x, bg.y, bg.w, bg.h),
                               bg.angle);
        parts.bitmaps->destroy("bg");
    }
    for (const SurfaceRecord& surface : data.surfaces) parts.surfaces->addFromRecord(surface);
    if (parts.dialogs) {
        for (const DialogRecord& d : data.dialogs)
            parts.dialogs->add(d.titleSize, d.textSize, d.title, d.text, d.delay,
                               NK::Rect(d.x, d.y, d.w, d.h));
    if (parts.levers) {
        for (const LeverRecord& l : data.levers) parts.levers->add({l.x, l.y}, l.angle, l.delay);
    } else {
        append(held.levers, data.levers);
    }
    if (parts.npcs) {
        for (const NpcRecord& n : data.npcs) parts.npcs->add(n.type, n.invert, n.x, n.y);
    } else {
        append(held.npcs, data.npcs);
    }
    for (const EnemyRecord& e : data.enemies)
        parts.enemies->add(NK::Vec2(e.x, e.y), e.angleHead, e.angleHolder, e.radius);
}

void LevelDocument::clear() {
    held = MapData{};
    parts.player->reset();
    parts.gate->reset();
    parts.backgrounds->clear();
    parts.surfaces->clear();
    if (parts.dialogs) parts.dialogs->clear();
    if (parts.lights) parts.lights->clear();
    if (parts.levers) parts.levers->clear();
    if (parts.npcs) parts.npcs->clear();
    parts.enemies->clear();
}

bool LevelDocument::isEmpty() const {
    // The player and the gate count only once edited in their pages.
    return !parts.player->changed && !parts.gate->changed && parts.enemies->empty() &&
           held.levers.empty() && held.dialogs.empty() && held.npcs.empty() && held.boxes.empty() &&
           held.circles.empty() && held.lights.empty() && parts.backgrounds->empty() &&
           parts.surfaces->empty() && (!parts.dialogs || parts.dialogs->empty()) &&
           (!parts.lights || parts.lights->empty());
           parts.surfaces->empty() && (!parts.levers || parts.levers->empty()) &&
           (!parts.npcs || parts.npcs->empty());
}
