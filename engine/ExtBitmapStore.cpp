#include "engine/ExtBitmapStore.h"

#include <cmath>
#include <functional>

#include "engine/ScreenSpace.h"
#include "engine/View.h"

namespace NK {

namespace {

// The frames of a sheet whose pixels are shared are shared too (each frame
// holding the sheet), else cloned.
std::vector<BitmapEntry> copyFrames(const Animation& animation, const Rect& placement) {
    const bool share = animation.sheet.sharesPixels();
    std::vector<BitmapEntry> frames;
    frames.reserve(animation.frames.size());
    for (const AnimationFrame& frame : animation.frames) {
        BitmapEntry entry;
        if (share && al_get_parent_bitmap(frame.get()) == animation.sheet.shared.get()) {
            entry.shared = animation.sheet.shared;
            entry.bitmap.reset(al_create_sub_bitmap(
                entry.shared.get(), al_get_bitmap_x(frame.get()), al_get_bitmap_y(frame.get()),
                al_get_bitmap_width(frame.get()), al_get_bitmap_height(frame.get())));
        } else {
            entry.bitmap.reset(al_clone_bitmap(frame.get()));
        }
        entry.source = Rect(0, 0, frame.width, frame.height);
        entry.placement = placement;
        entry.path = animation.sheet.path;
        frames.push_back(std::move(entry));
    }
    return frames;
}

using KeyCallback = std::function<void(std::string)>;

void collect(ChannelEvent event, const ChannelCallbacks& callbacks, std::vector<KeyCallback>& out) {
    if (event == ChannelEvent::RunCompleted && callbacks.onRun) out.push_back(callbacks.onRun);
    if (event == ChannelEvent::Ended && callbacks.onEnd) out.push_back(callbacks.onEnd);
}

}  // namespace

ExtBitmapStore::ExtBitmapStore(RenderContext* renderContext) : renderContext(renderContext) {}

ExtBitmap& ExtBitmapStore::make(const std::string& key) {
    bitmaps.clearForRemake(key);
    return *bitmaps.insert(key, std::make_unique<ExtBitmap>());
}

ExtBitmap& ExtBitmapStore::create(const BitmapEntry& image, const Rect& rect,
                                  const std::string& key, bool centred) {
    return create(image.copy(), rect, key, centred);
}

ExtBitmap& ExtBitmapStore::create(BitmapEntry&& image, const Rect& rect, const std::string& key,
                                  bool centred) {
    ExtBitmap& e = make(key);
    e.image = std::move(image);
    e.rect = rect;
    e.centred = centred;
    return e;
}

ExtBitmap& ExtBitmapStore::create(const BitmapEntry& image, const std::string& key) {
    return create(image.copy(), key);
}

ExtBitmap& ExtBitmapStore::create(BitmapEntry&& image, const std::string& key) {
    ExtBitmap& e = make(key);
    e.rect = image.placement;
    e.image = std::move(image);
    e.screenSpace = true;
    return e;
}

ExtBitmap& ExtBitmapStore::createAnimated(const Animation& animation, const Rect& rect,
                                          const std::string& key, bool centred) {
    ExtBitmap& e = make(key);
    e.animated = true;
    e.frames = copyFrames(animation, rect);
    e.rect = rect;
    e.centred = centred;
    return e;
}

ExtBitmap& ExtBitmapStore::createAnimatedOnScreen(const Animation& animation,
                                                  const Rect& screenRect, const std::string& key,
                                                  bool centred) {
    ExtBitmap& e = createAnimated(animation, screenRect, key, centred);
    e.screenSpace = true;
    return e;
}

ExtBitmap* ExtBitmapStore::find(const std::string& key) {
    auto* found = bitmaps.find(key);
    return found ? found->get() : nullptr;
}

ChannelCallbacks& ExtBitmapStore::animateAlpha(const std::string& key, bool pingPong,
                                               bool fromCurrent, int repeats, float target,
                                               float speed) {
    ExtBitmap& e = get(key);
    e.alpha.animate(target, speed, fromCurrent, pingPong, repeats, false);
    return e.alpha.callbacks;
}

ChannelCallbacks& ExtBitmapStore::animateColour(const std::string& key, const Rgb& target,
                                                bool pingPong, bool restore, bool fromCurrent,
                                                float speed) {
    ExtBitmap& e = get(key);
    e.colour.animate(target, speed, fromCurrent, pingPong, 0, restore);
    return e.colour.callbacks;
}

ChannelCallbacks& ExtBitmapStore::playFrames(const std::string& key, int from, int to,
                                             int ticksPerFrame, bool pingPong, bool lock,
                                             int repeats) {
    ExtBitmap& e = get(key);
    // A plain run replaces a saved one, which may then be asked for again.
    if (e.frame.start(from, to, e.frameCount(), false, 0.0f, ticksPerFrame, pingPong, lock,
                      repeats)) {
        e.savedName.clear();
    }
    return e.frame.callbacks;
}

ChannelCallbacks& ExtBitmapStore::playFramesAtStep(const std::string& key, int from, int to,
                                                   float framesPerTick, bool pingPong, bool lock,
                                                   int repeats) {
    ExtBitmap& e = get(key);
    if (e.frame.start(from, to, e.frameCount(), true, framesPerTick, 0, pingPong, lock, repeats)) {
        e.savedName.clear();
    }
    return e.frame.callbacks;
}

void ExtBitmapStore::addSavedAnimation(const std::string& key, const std::string& name, int from,
                                       int to, int ticksPerFrame, bool pingPong) {
    SavedAnimation preset;
    preset.stepMode = false;
    preset.from = from;
    preset.to = to;
    preset.pingPong = pingPong;
    preset.lock = false;
    preset.ticksPerFrame = ticksPerFrame;
    get(key).savedAnimations.put(name, preset);
}

void ExtBitmapStore::playSavedAnimation(const std::string& key, const std::string& name) {
    ExtBitmap& e = get(key);
    const SavedAnimation& preset = e.savedAnimations.get(name);
    if (e.savedName == name) return;
    // A locked run goes on, and the name stays free for when it has ended.
    if (!e.frame.start(preset.from, preset.to, e.frameCount(), preset.stepMode, preset.step,
                       preset.ticksPerFrame, preset.pingPong, preset.lock, 0)) {
        return;
    }
    e.frame.savedPlaying = true;
    e.savedName = name;
}

void ExtBitmapStore::updateExtBitmaps() {
    // Callbacks may destroy or make bitmaps of this store, so walk a copy of
    // the keys and call them only once the bitmap's channels have all moved.
    std::vector<std::string> keys;
    keys.reserve(bitmaps.size());
    for (auto& item : bitmaps) keys.push_back(item.first);
    std::vector<KeyCallback> calls;
    for (const std::string& key : keys) {
        ExtBitmap* e = find(key);
        if (!e) continue;
        ChannelEvent frameEvent = e->animated ? e->frame.advance() : ChannelEvent::None;
        if (frameEvent == ChannelEvent::Ended) e->savedName.clear();
        ChannelEvent alphaEvent = e->alpha.advance();
        ChannelEvent colourEvent = e->colour.advance();
        calls.clear();
        collect(frameEvent, e->frame.callbacks, calls);
        collect(alphaEvent, e->alpha.callbacks, calls);
        collect(colourEvent, e->colour.callbacks, calls);
        for (const KeyCallback& call : calls) call(key);
    }
}

void ExtBitmapStore::drawExtBitmap(const std::string& key) {
    ExtBitmap& e = get(key);
    if (!e.visible) return;
    const BitmapEntry& image = e.currentEntry();
    if (!image.get()) return;

    Rect r = e.rect;
    if (e.centred) {
        r.x -= r.width * 0.5f;
        r.y -= r.height * 0.5f;
    }
    if (e.flipX) {
        r.x += r.width;
        r.width = -r.width;
    }
    if (e.flipY) {
        r.y += r.height;
        r.height = -r.height;
    }
    if (e.screenSpace) {
        r = screenToView(r, *renderContext->view);
    } else {
        // A square about the centre that holds the picture at any angle.
        const float half =
            rotatedCullHalfSide(std::fabs(r.width), std::fabs(r.height), e.pivot.x, e.pivot.y);
        if (renderContext->culled(r.x + r.width * 0.5f, r.y + r.height * 0.5f, half, half)) {
            return;
        }
    }
    const Rect& s = image.source;
    ALLEGRO_COLOR tint =
        al_map_rgba_f(e.colour.current.r, e.colour.current.g, e.colour.current.b, e.alpha.current);
    al_draw_tinted_scaled_rotated_bitmap_region(image.get(), s.x, s.y, s.width, s.height, tint,
                                                e.pivot.x * s.width, e.pivot.y * s.height,
                                                r.x + r.width * 0.5f, r.y + r.height * 0.5f,
                                                r.width / s.width, r.height / s.height, e.angle, 0);
}

}  // namespace NK
