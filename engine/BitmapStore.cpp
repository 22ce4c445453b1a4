#include "engine/BitmapStore.h"

#include "engine/Log.h"
#include "engine/ScreenSpace.h"
#include "engine/View.h"

namespace NK {

BitmapStore::BitmapStore(RenderContext* rc) : renderContext(rc) {}

BitmapEntry BitmapStore::loadFile(const std::string& path) {
    BitmapEntry entry;
    entry.shared = decoded.get(path);
    if (!entry.shared)
        fatalError("Bitmap path \"" + path + "\" not found or initialization failed");
    ALLEGRO_BITMAP* image = entry.shared.get();
    entry.bitmap.reset(
        al_create_sub_bitmap(image, 0, 0, al_get_bitmap_width(image), al_get_bitmap_height(image)));
    return entry;
}

BitmapEntry& BitmapStore::store(BitmapEntry entry, const std::string& path, const Rect& source,
                                const Rect& placement, const std::string& key) {
    entry.source = source;
    entry.placement = placement;
    entry.path = path;
    return entries.insert(key, std::move(entry));
}

BitmapEntry& BitmapStore::load(const std::string& path, const std::string& key) {
    entries.clearForRemake(key);
    BitmapEntry e = loadFile(path);
    Rect whole(0, 0, e.width(), e.height());
    return store(std::move(e), path, whole, whole, key);
}

BitmapEntry& BitmapStore::load(const std::string& path, const Rect& placement,
                               const std::string& key) {
    entries.clearForRemake(key);
    BitmapEntry e = loadFile(path);
    Rect whole(0, 0, e.width(), e.height());
    return store(std::move(e), path, whole, placement, key);
}

BitmapEntry& BitmapStore::loadWithSource(const std::string& path, const Rect& source,
                                         const std::string& key) {
    entries.clearForRemake(key);
    return store(loadFile(path), path, source, Rect(0, 0, source.width, source.height), key);
}

BitmapEntry& BitmapStore::create(const Rect& rect, const std::string& key) {
    entries.clearForRemake(key);
    BitmapEntry entry = BitmapEntry::blank(rect, "RuntimeCreatedBitmap");
    if (!entry.bitmap) fatalError("Bitmap with key \"" + key + "\" not created");
    return entries.insert(key, std::move(entry));
}

ALLEGRO_BITMAP* BitmapStore::duplicate(ALLEGRO_BITMAP* from, int extraFlags) {
    if ((al_get_bitmap_flags(from) & ALLEGRO_MEMORY_BITMAP) || !al_get_current_display())
        return al_clone_bitmap(from);
    ALLEGRO_STATE state;
    al_store_state(&state, ALLEGRO_STATE_NEW_BITMAP_PARAMETERS | ALLEGRO_STATE_TARGET_BITMAP |
                               ALLEGRO_STATE_BLENDER);
    al_set_new_bitmap_format(al_get_bitmap_format(from));
    al_set_new_bitmap_flags(al_get_bitmap_flags(from) | extraFlags);
    ALLEGRO_BITMAP* copy = al_create_bitmap(al_get_bitmap_width(from), al_get_bitmap_height(from));
    if (copy) {
        al_set_target_bitmap(copy);
        // Every channel as it is, alpha included: nothing below to blend with.
        al_set_blender(ALLEGRO_ADD, ALLEGRO_ONE, ALLEGRO_ZERO);
        al_draw_bitmap(from, 0.0f, 0.0f, 0);
    }
    al_restore_state(&state);
    return copy;
}

BitmapEntry& BitmapStore::copy(const std::string& sourceKey, const std::string& newKey) {
    BitmapEntry& from = entries.get(sourceKey);
    BitmapEntry clone;
    clone.bitmap.reset(duplicate(from.get()));
    Rect source = from.source, placement = from.placement;
    std::string path = from.path;
    entries.clearForRemake(newKey);
    return store(std::move(clone), path, source, placement, newKey);
}

std::unique_ptr<BitmapEntry> BitmapStore::getCopy(const std::string& key) {
    BitmapEntry& from = entries.get(key);
    auto entry = std::make_unique<BitmapEntry>();
    entry->bitmap.reset(al_clone_bitmap(from.get()));
    entry->source = from.source;
    entry->placement = from.placement;
    entry->path = from.path;
    return entry;
}

void BitmapStore::drawEntry(const RenderContext& rc, const BitmapEntry& e, const Rect& d) {
    if (rc.culled(d)) return;
    al_draw_scaled_bitmap(e.get(), e.source.x, e.source.y, e.source.width, e.source.height, d.x,
                          d.y, d.width, d.height, 0);
}

void BitmapStore::drawEntryRotated(const RenderContext& rc, const BitmapEntry& e, const Rect& c,
                                   Vec2 pivot, const Color& color, float angle) {
    float half = rotatedCullHalfSide(c.width, c.height, pivot.x, pivot.y);
    if (rc.culled(c.x, c.y, half, half)) return;
    al_draw_tinted_scaled_rotated_bitmap(
        e.get(), color.toAllegro(), e.source.width * pivot.x, e.source.height * pivot.y, c.x, c.y,
        c.width / e.source.width, c.height / e.source.height, angle, 0);
}

void BitmapStore::drawEntryOnScreenTinted(const RenderContext& rc, const BitmapEntry& e,
                                          const Rect& screenRect, const Color& color) {
    Rect d = screenToView(screenRect, *rc.view);
    al_draw_tinted_scaled_bitmap(e.get(), color.toAllegro(), e.source.x, e.source.y, e.source.width,
                                 e.source.height, d.x, d.y, d.width, d.height, 0);
}

void BitmapStore::draw(const std::string& key, const Rect& destination) {
    drawEntry(*renderContext, entries.get(key), destination);
}

void BitmapStore::drawTinted(const std::string& key, const Rect& rect, bool centred,
                             const Color& color) {
    BitmapEntry& e = entries.get(key);
    Rect d = rect;
    if (centred) {
        d.x -= d.width * 0.5f;
        d.y -= d.height * 0.5f;
    }
    if (renderContext->culled(d)) return;
    al_draw_tinted_scaled_bitmap(e.get(), color.toAllegro(), e.source.x, e.source.y, e.source.width,
                                 e.source.height, d.x, d.y, d.width, d.height, 0);
}

void BitmapStore::drawRotated(const std::string& key, const Rect& centre, Vec2 pivot,
                              const Color& color, float angle) {
    drawEntryRotated(*renderContext, entries.get(key), centre, pivot, color, angle);
}

void BitmapStore::drawOnScreen(const std::string& key, const Rect& screenRect) {
    drawEntryOnScreenTinted(*renderContext, entries.get(key), screenRect, Color::white());
}

void BitmapStore::drawOnScreenTinted(const std::string& key, const Rect& screenRect,
                                     const Color& color) {
    drawEntryOnScreenTinted(*renderContext, entries.get(key), screenRect, color);
}

void BitmapStore::drawPlacementOnScreenTinted(const std::string& key, const Color& color) {
    BitmapEntry& e = entries.get(key);
    drawEntryOnScreenTinted(*renderContext, e, e.placement, color);
}

}  // namespace NK
