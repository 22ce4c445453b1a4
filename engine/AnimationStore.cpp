#include "engine/AnimationStore.h"

#include "engine/Log.h"

namespace NK {

Animation& AnimationStore::loadAnimation(const std::string& path, int columns, int rows,
                                         const std::string& key) {
    animations.clearForRemake(key);
    DecodedImages::Image sheet = decoded.get(path);
    if (!sheet) {
        fatalError("Animation bitmap path \"" + path + "\" not found or initialization failed");
    }
    auto animation = std::make_unique<Animation>();
    const int sheetWidth = al_get_bitmap_width(sheet.get());
    const int sheetHeight = al_get_bitmap_height(sheet.get());
    animation->sheet.bitmap.reset(al_create_sub_bitmap(sheet.get(), 0, 0, sheetWidth, sheetHeight));
    animation->sheet.shared = std::move(sheet);
    animation->sheet.source =
        Rect(0, 0, static_cast<float>(sheetWidth), static_cast<float>(sheetHeight));
    animation->sheet.placement = animation->sheet.source;
    animation->sheet.path = path;
    animation->columns = columns;
    animation->rows = rows;
    // A grid without columns or rows has no frames, rather than a division by zero.
    if (columns > 0 && rows > 0) {
        animation->frameWidth = sheetWidth / columns;
        animation->frameHeight = sheetHeight / rows;
        for (int row = 0; row < rows; ++row) {
            for (int column = 0; column < columns; ++column) {
                AnimationFrame frame;
                frame.bitmap.reset(al_create_sub_bitmap(
                    animation->sheet.get(), column * animation->frameWidth,
                    row * animation->frameHeight, animation->frameWidth, animation->frameHeight));
                frame.width = static_cast<float>(animation->frameWidth);
                frame.height = static_cast<float>(animation->frameHeight);
                animation->frames.push_back(std::move(frame));
            }
        }
    }
    return *animations.insert(key, std::move(animation));
}

void AnimationStore::destroyAnimation(const std::string& key) {
    if (auto* found = animations.find(key)) {
        // A play must not outlive the frames it shows.
        const Animation* animation = found->get();
        running.remove_if([animation](const AnimationPlay& p) { return p.animation == animation; });
    }
    animations.destroy(key);
}

AnimationCallbacks& AnimationStore::playAnimation(const std::string& key, const Rect& destination,
                                                  bool centred, Vec2 pivot, float frameStep,
                                                  float angle) {
    const Animation& animation = *animations.get(key);
    AnimationPlay play;
    play.animation = &animation;
    play.destination = destination;
    if (centred) {
        play.destination.x -= destination.width * 0.5f;
        play.destination.y -= destination.height * 0.5f;
    }
    play.pivot = pivot;
    play.frameStep = frameStep;
    play.angle = angle;
    running.push_back(std::move(play));
    return running.back().callbacks;
}

void AnimationStore::updateAnimations() {
    // Plays a callback starts wait for the next tick, so each play moves
    // exactly once per tick.
    std::size_t count = running.size();
    auto it = running.begin();
    for (std::size_t i = 0; i < count && it != running.end(); ++i) {
        ChannelEvent event = it->advance(it->animation->frameCount());
        if (event == ChannelEvent::Ended) {
            auto onEnd = std::move(it->callbacks.onEnd);
            it = running.erase(it);
            if (onEnd) onEnd();
            continue;
        }
        if (event == ChannelEvent::RunCompleted && it->callbacks.onRun) {
            auto onRun = it->callbacks.onRun;
            onRun();
        }
        ++it;
    }
}

void AnimationStore::drawAnimations() const {
    for (const AnimationPlay& play : running) {
        const Animation& animation = *play.animation;
        if (play.current < 0 || play.current >= animation.frameCount()) continue;
        const AnimationFrame& frame = animation.frames[static_cast<std::size_t>(play.current)];
        Rect d = play.destination;
        if (play.flipX) {
            d.x += d.width;
            d.width = -d.width;
        }
        if (play.flipY) {
            d.y += d.height;
            d.height = -d.height;
        }
        const float cx = play.pivot.x * frame.width;
        const float cy = play.pivot.y * frame.height;
        const float dx = d.x + d.width * 0.5f;
        const float dy = d.y + d.height * 0.5f;
        const float sx = d.width / frame.width;
        const float sy = d.height / frame.height;
        if (play.tinted) {
            ALLEGRO_COLOR tint =
                al_map_rgba_f(play.tint[0], play.tint[1], play.tint[2], play.tint[3]);
            al_draw_tinted_scaled_rotated_bitmap(frame.get(), tint, cx, cy, dx, dy, sx, sy,
                                                 play.angle, 0);
        } else {
            al_draw_scaled_rotated_bitmap(frame.get(), cx, cy, dx, dy, sx, sy, play.angle, 0);
        }
    }
}

void AnimationStore::clearAnimations() {
    running.clear();
    animations.clear();
}

}  // namespace NK
