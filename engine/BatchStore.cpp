#include "engine/BatchStore.h"

#include "engine/Log.h"

namespace NK {

BatchStore::BatchStore(RenderContext* rc) : renderContext(rc) {}

BitmapEntry& BatchStore::create(const Rect& rect, const std::string& key) {
    entries.clearForRemake(key);
    // Spelt without the "e" on purpose: it tells a batch from the bitmap
    // store's run-time images ("RuntimeCreatedBitmap") by its path alone.
    BitmapEntry entry = BitmapEntry::blank(rect, "RuntimCreatedBitmap");
    if (!entry.bitmap) fatalError("Batch with key \"" + key + "\" not created");
    return entries.insert(key, std::move(entry));
}

void BatchStore::begin(const std::string& key) {
    BitmapEntry& batch = entries.get(key);
    al_set_target_bitmap(batch.get());
    renderContext->noCulling = true;
}

}  // namespace NK
