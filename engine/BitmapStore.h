#pragma once
#include <memory>
#include <string>
#include <vector>

#include "engine/BitmapEntry.h"
#include "engine/Color.h"
#include "engine/DecodedImages.h"
#include "engine/KeyedStore.h"
#include "engine/RenderContext.h"
#include "engine/Vec2.h"

namespace NK {

// Images by key, loaded from files or made at run time, and the ways the game
// draws them: scaled, tinted, rotated about a pivot, or pinned to the screen.
// World-space draws skip images wholly outside the view.
class BitmapStore {
public:
    explicit BitmapStore(RenderContext* renderContext);

    // Each file is decoded once and its pixels shared by every entry loaded
    // from it (and every copy an ext-bitmap store makes of those), until the
    // file changes on disk; see DecodedImages.
    BitmapEntry& load(const std::string& path, const std::string& key);
    BitmapEntry& load(const std::string& path, const Rect& placement, const std::string& key);
    BitmapEntry& loadWithSource(const std::string& path, const Rect& source,
                                const std::string& key);
    // A blank image of the rectangle's size (truncated); the rectangle is its placement.
    BitmapEntry& create(const Rect& rect, const std::string& key);
    BitmapEntry& copy(const std::string& sourceKey, const std::string& newKey);
    // A copy of a texture made on the graphics side: al_clone_bitmap reads
    // every pixel back and uploads it again, several times slower on a
    // software renderer. A memory bitmap, or one with no display to draw
    // with, is cloned. A sub-bitmap gives a bitmap of its own region.
    // `extraFlags` are added to the source's, such as a filter for a copy
    // shown shrunk.
    static ALLEGRO_BITMAP* duplicate(ALLEGRO_BITMAP* from, int extraFlags = 0);
    BitmapEntry& get(const std::string& key) { return entries.get(key); }
    // A clone the caller owns; not stored.
    std::unique_ptr<BitmapEntry> getCopy(const std::string& key);
    bool contains(const std::string& key) const { return entries.contains(key); }
    void destroy(const std::string& key) { entries.destroy(key); }
    void destroyAll() { entries.clear(); }
    std::vector<std::string> keys() const { return entries.keys(); }

    void draw(const std::string& key, const Rect& destination);
    void drawTinted(const std::string& key, const Rect& rect, bool centred, const Color& color);
    // `centre` x, y is where the pivot goes; its width, height the drawn size.
    void drawRotated(const std::string& key, const Rect& centre, Vec2 pivot, const Color& color,
                     float angle);
    void drawOnScreen(const std::string& key, const Rect& screenRect);
    void drawOnScreenTinted(const std::string& key, const Rect& screenRect, const Color& color);
    void drawPlacementOnScreenTinted(const std::string& key, const Color& color);

    // The same draws on an entry held elsewhere (the ext-bitmap and GUI
    // stores keep their own entries but cull and map exactly like this).
    static void drawEntry(const RenderContext& rc, const BitmapEntry& e, const Rect& destination);
    static void drawEntryRotated(const RenderContext& rc, const BitmapEntry& e, const Rect& centre,
                                 Vec2 pivot, const Color& color, float angle);
    static void drawEntryOnScreenTinted(const RenderContext& rc, const BitmapEntry& e,
                                        const Rect& screenRect, const Color& color);

private:
    BitmapEntry& store(BitmapEntry entry, const std::string& path, const Rect& source,
                       const Rect& placement, const std::string& key);
    BitmapEntry loadFile(const std::string& path);

    RenderContext* renderContext;
    KeyedStore<BitmapEntry> entries{"Bitmap", "Bitmap", "rewrote"};
    DecodedImages decoded;
};

}  // namespace NK
