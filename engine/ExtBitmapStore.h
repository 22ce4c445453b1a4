#pragma once
#include <memory>
#include <string>
#include <vector>

#include "engine/Animation.h"
#include "engine/BitmapEntry.h"
#include "engine/ExtBitmap.h"
#include "engine/KeyedStore.h"
#include "engine/Rect.h"
#include "engine/RenderContext.h"
#include "engine/ValueChannel.h"

namespace NK {

// The extended bitmaps of one owner (an element collection, a GUI system),
// advanced once per tick and drawn one by one through the shared render
// context.
class ExtBitmapStore {
public:
    explicit ExtBitmapStore(RenderContext* renderContext);
    ExtBitmapStore(const ExtBitmapStore&) = delete;
    ExtBitmapStore& operator=(const ExtBitmapStore&) = delete;

    // A still picture in the world. The const& forms copy the image (sharing
    // the pixels of a decoded file, see BitmapEntry::copy); the && forms take
    // it over, pristine copy and all.
    ExtBitmap& create(const BitmapEntry& image, const Rect& rect, const std::string& key,
                      bool centred = false);
    ExtBitmap& create(BitmapEntry&& image, const Rect& rect, const std::string& key,
                      bool centred = false);
    // A still picture on the screen, top-left at the entry's own placement.
    ExtBitmap& create(const BitmapEntry& image, const std::string& key);
    ExtBitmap& create(BitmapEntry&& image, const std::string& key);
    // Shown from the animation's frames (copied as images are), frame 0
    // first; the picture size is the frame size.
    ExtBitmap& createAnimated(const Animation& animation, const Rect& rect, const std::string& key,
                              bool centred = false);
    ExtBitmap& createAnimatedOnScreen(const Animation& animation, const Rect& screenRect,
                                      const std::string& key, bool centred = false);

    ExtBitmap& get(const std::string& key) { return *bitmaps.get(key); }
    ExtBitmap* find(const std::string& key);
    bool contains(const std::string& key) const { return bitmaps.contains(key); }
    void destroy(const std::string& key) { bitmaps.destroy(key); }
    void destroyAll() { bitmaps.clear(); }
    std::size_t size() const { return bitmaps.size(); }
    std::vector<std::string> keys() const { return bitmaps.keys(); }
    // The frames of an animated one; empty for a still one.
    const std::vector<BitmapEntry>& frames(const std::string& key) { return get(key).frames; }

    // Starts a fade of alpha toward target by speed per tick. Ignored while
    // the channel is locked; the callbacks come back either way.
    ChannelCallbacks& animateAlpha(const std::string& key, bool pingPong, bool fromCurrent,
                                   int repeats, float target, float speed);
    // Moves the tint toward target by speed per tick along the straight line.
    ChannelCallbacks& animateColour(const std::string& key, const Rgb& target, bool pingPong,
                                    bool restore, bool fromCurrent, float speed);
    // Runs frames from..to (backward when from > to), one frame every
    // ticksPerFrame + 1 ticks.
    ChannelCallbacks& playFrames(const std::string& key, int from, int to, int ticksPerFrame,
                                 bool pingPong, bool lock, int repeats);
    // Runs frames from..to advancing framesPerTick (may be fractional) each tick.
    ChannelCallbacks& playFramesAtStep(const std::string& key, int from, int to,
                                       float framesPerTick, bool pingPong, bool lock, int repeats);

    void addSavedAnimation(const std::string& key, const std::string& name, int from, int to,
                           int ticksPerFrame, bool pingPong);
    // Playing the one already playing changes nothing, so callers may ask
    // every tick; a finished one plays again.
    void playSavedAnimation(const std::string& key, const std::string& name);

    void updateExtBitmaps();
    void drawExtBitmap(const std::string& key);

    auto begin() { return bitmaps.begin(); }
    auto end() { return bitmaps.end(); }

private:
    ExtBitmap& make(const std::string& key);

    RenderContext* renderContext;
    KeyedStore<std::unique_ptr<ExtBitmap>> bitmaps{"ExtBitmap"};
};

}  // namespace NK
