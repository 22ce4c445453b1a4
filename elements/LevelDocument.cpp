#include "elements/LevelDocument.h"

#include "elements/Backgrounds.h"
#include "elements/Boxes.h"
#include "elements/Circles.h"
#include "elements/Dialogs.h"
#include "elements/Enemies.h"
#include "elements/Gate.h"
#include "elements/Levers.h"
#include "elements/Lights.h"
#include "elements/NPCs.h"
#include "elements/Player.h"
#include "elements/Surfaces.h"
#include "engine/BitmapStore.h"

MapData LevelDocument::collect() const {
    MapData data;
    data.player = parts.player->positionRecord();
    const NK::Rect& area = parts.player->cameraArea;
    data.cameraArea = {area.x, area.y, area.width, area.height};
    data.fallEdge = {parts.player->fallEdge};
    data.gate = parts.gate->record();
    data.enemies = parts.enemies->records();
    data.levers = parts.levers->records();
    data.dialogs = parts.dialogs->records();
    data.npcs = parts.npcs->records();
    data.backgrounds = parts.backgrounds->records();
    data.surfaces = parts.surfaces->records();
    data.boxes = parts.boxes->records();
    data.circles = parts.circles->records();
    data.lights = parts.lights->records();
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

    for (const EnemyRecord& e : data.enemies)
        parts.enemies->add(NK::Vec2(e.x, e.y), e.angleHead, e.angleHolder, e.radius);
    for (const LeverRecord& l : data.levers) parts.levers->add({l.x, l.y}, l.angle, l.delay);
    for (const DialogRecord& d : data.dialogs)
        parts.dialogs->add(d.titleSize, d.textSize, d.title, d.text, d.delay,
                           NK::Rect(d.x, d.y, d.w, d.h));
    for (const NpcRecord& n : data.npcs) parts.npcs->add(n.type, n.invert, n.x, n.y);
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
    // Past the 100th light the system refuses, and the record is dropped.
    for (const LightRecord& light : data.lights) parts.lights->add(light);
}

void LevelDocument::replace(const MapData& data) {
    const MapData before = collect();
    const PlayerRecord& p = data.player;
    const CameraAreaRecord& a = data.cameraArea;
    const CameraAreaRecord& b = before.cameraArea;
    const bool playerMoves = p.x != before.player.x || p.y != before.player.y || a.x != b.x ||
                             a.y != b.y || a.w != b.w || a.h != b.h ||
                             data.fallEdge.y != before.fallEdge.y;
    const bool gateMoves = data.gate.x != before.gate.x || data.gate.y != before.gate.y;
    const bool playerChanged = parts.player->changed || playerMoves;
    const bool gateChanged = parts.gate->changed || gateMoves;
    clear();
    apply(data);
    parts.player->changed = playerChanged;
    parts.gate->changed = gateChanged;
}

void LevelDocument::clear() {
    parts.player->reset();
    parts.gate->reset();
    parts.enemies->clear();
    parts.levers->clear();
    parts.dialogs->clear();
    parts.npcs->clear();
    parts.backgrounds->clear();
    parts.surfaces->clear();
    parts.boxes->clear();
    parts.circles->clear();
    parts.lights->clear();
}

bool LevelDocument::isEmpty() const {
    // The player and the gate count only once edited in their pages.
    return !parts.player->changed && !parts.gate->changed && parts.enemies->empty() &&
           parts.levers->empty() && parts.dialogs->empty() && parts.npcs->empty() &&
           parts.backgrounds->empty() && parts.surfaces->empty() && parts.boxes->empty() &&
           parts.circles->empty() && parts.lights->empty();
}
