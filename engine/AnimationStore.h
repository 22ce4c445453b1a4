#pragma once
#include <list>
#include <memory>
#include <string>

#include "engine/Animation.h"
#include "engine/AnimationPlay.h"
#include "engine/DecodedImages.h"
#include "engine/KeyedStore.h"
#include "engine/Rect.h"
#include "engine/Vec2.h"

namespace NK {

// Sprite-sheet animations by key, and the one-shot plays of them that run in
// the level (a block breaking, a shot fired) until they pass their last frame.
class AnimationStore {
public:
    AnimationStore() = default;
    AnimationStore(const AnimationStore&) = delete;
    AnimationStore& operator=(const AnimationStore&) = delete;
    ~AnimationStore() { clearAnimations(); }

    // Loads the sheet and cuts it into columns x rows frames; pixels left
    // over at the right and bottom edges belong to no frame. A sheet loaded
    // again is decoded again only if its file changed (DecodedImages), and
    // pictures made from its frames share its pixels.
    Animation& loadAnimation(const std::string& path, int columns, int rows,
                             const std::string& key);
    void destroyAnimation(const std::string& key);
    // Fatal when the key is missing, so a level cannot start without its sheets.
    void checkAnimation(const std::string& key) { animations.get(key); }
    Animation& get(const std::string& key) { return *animations.get(key); }
    bool contains(const std::string& key) const { return animations.contains(key); }
    std::vector<std::string> keys() const { return animations.keys(); }

    // Starts a play; with centred, the rectangle's x, y are its centre. The
    // returned callbacks stay valid until the play ends.
    AnimationCallbacks& playAnimation(const std::string& key, const Rect& destination, bool centred,
                                      Vec2 pivot, float frameStep, float angle);

    void updateAnimations();
    void drawAnimations() const;
    void clearAnimations();
    // Every running play ends at once, its callbacks unheard: a level left or
    // restarted takes its bursts and crumbles with it.
    void stopPlays() { running.clear(); }

    // Running plays in start order; game code may set a play's other fields.
    std::list<AnimationPlay>& plays() { return running; }

private:
    KeyedStore<std::unique_ptr<Animation>> animations{"Animation"};
    std::list<AnimationPlay> running;
    DecodedImages decoded;
};

}  // namespace NK
