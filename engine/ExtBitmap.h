#pragma once
#include <string>
#include <vector>

#include "engine/BitmapEntry.h"
#include "engine/FrameChannel.h"
#include "engine/KeyedStore.h"
#include "engine/Rect.h"
#include "engine/SavedAnimation.h"
#include "engine/ValueChannel.h"
#include "engine/Vec2.h"

namespace NK {

// A keyed picture with its own placement and look, shown from one image or
// from the frames of an animation, whose frame, alpha and tint can be
// animated. Owners move, resize and turn it by writing rect and angle.
struct ExtBitmap {
    bool visible = true;
    bool centred = false;      // rect.x, rect.y are its centre, else its top-left corner
    bool screenSpace = false;  // rect is on the 1920x1080 screen, not in the world
    bool animated = false;     // shown from frames, else from image
    Vec2 pivot{0.5f, 0.5f};    // rotation pivot as fractions of the image size
    BitmapEntry image;         // the picture of a still one (owned, with its pristine copy)
    Rect rect;
    // Copies of an animation's frames, each holding the pixels it shows, so
    // the animation may go before it does; text is drawn only onto frames
    // made its own first (BitmapEntry::ownPixels), never onto shared pixels.
    std::vector<BitmapEntry> frames;
    KeyedStore<SavedAnimation> savedAnimations{"SavedAnimation", "Saved animation"};
    std::string savedName;  // the saved animation now playing, empty when none
    FrameChannel frame;
    ValueChannel<float> alpha{1.0f};
    ValueChannel<Rgb> colour{Rgb{}};
    bool flipX = false;
    bool flipY = false;
    float angle = 0.0f;  // radians, about the pivot

    ExtBitmap() = default;
    ExtBitmap(const ExtBitmap&) = delete;
    ExtBitmap& operator=(const ExtBitmap&) = delete;

    // The image drawn now: the current frame of an animated one, else image.
    BitmapEntry& currentEntry() {
        return animated && !frames.empty() ? frames[clampedFrame()] : image;
    }
    const BitmapEntry& currentEntry() const { return const_cast<ExtBitmap*>(this)->currentEntry(); }

    int frameCount() const { return static_cast<int>(frames.size()); }

private:
    std::size_t clampedFrame() const {
        int f = frame.current;
        if (f < 0) f = 0;
        if (f >= frameCount()) f = frameCount() - 1;
        return static_cast<std::size_t>(f);
    }
};

}  // namespace NK
