#pragma once
#include <string>

#include "engine/BitmapEntry.h"
#include "engine/KeyedStore.h"
#include "engine/RenderContext.h"

namespace NK {

// Off-screen bitmaps the game draws into once and then shows as one image.
//
// There is no end(): after drawing into a batch the caller sets the render
// context's noCulling back to false and calls al_set_target_backbuffer. A
// batch is shown like any bitmap entry, as a rule with
// BitmapStore::drawEntryOnScreenTinted and its placement.
class BatchStore {
public:
    explicit BatchStore(RenderContext* renderContext);

    // A blank bitmap of the rectangle's size (truncated); the rectangle is its placement.
    BitmapEntry& create(const Rect& rect, const std::string& key);
    // Makes the batch the drawing target and turns culling off: the batch's
    // pixels have nothing to do with the view.
    void begin(const std::string& key);
    BitmapEntry& get(const std::string& key) { return entries.get(key); }
    bool contains(const std::string& key) const { return entries.contains(key); }
    void destroy(const std::string& key) { entries.destroy(key); }
    void destroyAll() { entries.clear(); }
    std::vector<std::string> keys() const { return entries.keys(); }

private:
    RenderContext* renderContext;
    KeyedStore<BitmapEntry> entries{"Batch"};
};

}  // namespace NK
