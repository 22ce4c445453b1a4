#include "elements/Enemies.h"

#include "elements/CameraRules.h"
#include "engine/AnimationStore.h"
#include "engine/BitmapStore.h"
#include "engine/ExtBitmap.h"
#include "engine/PhysicsWorld.h"
#include "engine/SoundStore.h"

namespace {

// The burst where a shot ends and the blast where a camera goes, with the
// frames each advances per tick.
constexpr float burstSide = 75.0f;
constexpr float burstFramesPerTick = 3.0f;
constexpr float blastSide = 200.0f;
constexpr float blastFramesPerTick = 4.0f;

}  // namespace

const char* const Enemies::headPath = "Resources/Images/Ingame/Enemy/camera.png";
const char* const Enemies::holderPath = "Resources/Images/Ingame/Enemy/camera_holder.png";

Enemies::Enemies(const ElementServices& s)
    : ElementPage(panel),
      input(s.input),
      view(s.view),
      bitmaps(s.bitmaps),
      renderContext(s.renderContext),
      effects(s.animations),
      sounds(s.sounds),
      pictures(s.renderContext),
      panel(s, ElementPanel::Elements{[this] { return static_cast<int>(list.size()); },
                                      [this](int i) -> NK::ExtBitmap& { return head(i); },
                                      [this](int i) { remove(i); }, nullptr, nullptr, nullptr,
                                      false}) {}

NK::ExtBitmap& Enemies::head(int index) const {
    return pictures.get(list[static_cast<std::size_t>(index)].head);
}

NK::ExtBitmap& Enemies::holder(int index) const {
    return pictures.get(list[static_cast<std::size_t>(index)].holder);
}

NK::Vec2 Enemies::position(int index) const {
    const NK::Rect& r = head(index).rect;
    return {r.x, r.y};
}

void Enemies::add(NK::Vec2 at, float headAngle, float holderAngle, float sightRadius) {
    Camera c;
    c.head = std::to_string(cameraNumber) + "c";
    c.holder = std::to_string(cameraNumber) + "h";
    c.sightRadius = sightRadius;
    c.health = CameraRules::fullHealth;
    c.baseAngle = headAngle;
    // Each picture is read from its file for the purpose and copied, so the
    // shared bitmap store keeps nothing of a camera.
    bitmaps->load(headPath, "head");
    pictures.create(bitmaps->get("head"),
                    NK::Rect(at.x, at.y, CameraRules::headWidth, CameraRules::headHeight), c.head,
                    true);
    bitmaps->destroy("head");
    bitmaps->load(holderPath, "holder");
    NK::ExtBitmap& post = pictures.create(
        bitmaps->get("holder"),
        NK::Rect(at.x, at.y, CameraRules::holderWidth, CameraRules::holderHeight), c.holder, true);
    bitmaps->destroy("holder");
    post.pivot = NK::Vec2(0.5f, CameraRules::holderPivotY);
    post.angle = holderAngle;
    list.push_back(c);
    ++cameraNumber;
    turnHead(static_cast<int>(list.size()) - 1, headAngle);
}

void Enemies::turnHead(int index, float angle) {
    NK::ExtBitmap& h = head(index);
    h.angle = angle;
    h.flipY = CameraRules::flipped(angle);
}

void Enemies::moveTo(int index, NK::Vec2 to) {
    for (NK::ExtBitmap* e : {&head(index), &holder(index)}) {
        e->rect.x = to.x;
        e->rect.y = to.y;
    }
}

void Enemies::remove(int index) {
    const auto at = list.begin() + index;
    pictures.destroy(at->head);
    pictures.destroy(at->holder);
    list.erase(at);
}

void Enemies::clear() {
    pictures.destroyAll();
    list.clear();
    cameraNumber = 0;
    mouse = Mouse::None;
    panel.resetSelection();
}

std::vector<EnemyRecord> Enemies::records() const {
    std::vector<EnemyRecord> out;
    out.reserve(list.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        const NK::ExtBitmap& h = head(static_cast<int>(i));
        out.push_back(
            {h.rect.x, h.rect.y, h.angle, holder(static_cast<int>(i)).angle, list[i].sightRadius});
    }
    return out;
}

void Enemies::start() {
    for (std::size_t i = 0; i < list.size(); ++i) {
        list[i].health = CameraRules::fullHealth;
        list[i].baseAngle = head(static_cast<int>(i)).angle;
    }
}

void Enemies::end() {
    for (std::size_t i = 0; i < list.size(); ++i) {
        list[i].health = CameraRules::fullHealth;
        turnHead(static_cast<int>(i), list[i].baseAngle);
    }
}

int Enemies::aliveCount() const {
    int n = 0;
    for (const Camera& c : list)
        if (c.health > 0) ++n;
    return n;
}

void Enemies::update(NK::PhysicsWorld& world, bool playerAlive, const NK::Rect& playerRect) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].health <= 0) continue;
        if (playerAlive) {
            watch(world, static_cast<int>(i), playerRect);
            // Only a living player keeps the countdown going.
            if (list[i].cooldown > 0) --list[i].cooldown;
        }
        takeShots(world, static_cast<int>(i));
    }
}

void Enemies::watch(NK::PhysicsWorld& world, int index, const NK::Rect& playerRect) {
    Camera& c = list[static_cast<std::size_t>(index)];
    const NK::Vec2 from = position(index);
    bool sees = false;
    // The first clear point is enough; the rest are not cast.
    for (NK::Vec2 point : CameraRules::sightPoints(playerRect)) {
        if (world.isLineClear(from, point, c.sightRadius)) {
            sees = true;
            break;
        }
    }
    if (!sees) return;
    const NK::Vec2 centre(playerRect.x + playerRect.width / 2.0f,
                          playerRect.y + playerRect.height / 2.0f);
    turnHead(index, CameraRules::aimAngle(from, centre));
    if (c.cooldown >= 1) return;
    c.cooldown = CameraRules::fireInterval;
    NK::setBodyTag(world.createShot(from, CameraRules::shotDirection(from, centre)),
                   NK::kTagCameraShot);
    sounds->playSound("shot_enemy");
}

void Enemies::takeShots(NK::PhysicsWorld& world, int index) {
    Camera& c = list[static_cast<std::size_t>(index)];
    const NK::Vec2 at = position(index);
    const float width = head(index).rect.width;
    for (const auto& shot : world.shots()) {
        // A camera's own shots start inside its head.
        if (shot->dead || NK::bodyTag(shot->body) == NK::kTagCameraShot) continue;
        const b2Vec2 p = shot->body->GetPosition();
        const NK::Vec2 s(p.x * NK::kPixelsPerMetre, p.y * NK::kPixelsPerMetre);
        if (!CameraRules::hitsHead(s, at, width)) continue;
        effects->playAnimation("shot", NK::Rect(s.x, s.y, burstSide, burstSide), true,
                               NK::Vec2(0.5f, 0.5f), burstFramesPerTick, 0.0f);
        shot->dead = true;
        sounds->playSound("destroy_shot");
        --c.health;
        if (c.health < 1) {
            effects->playAnimation("block", NK::Rect(at.x, at.y, blastSide, blastSide), true,
                                   NK::Vec2(0.5f, 0.5f), blastFramesPerTick, 0.0f);
            sounds->playSound("destroy_enemy");
            // What is left of the camera takes no more shots.
            return;
        }
    }
}

void Enemies::draw() {
    for (const Camera& c : list) {
        if (c.health <= 0) continue;
        pictures.drawExtBitmap(c.holder);
        pictures.drawExtBitmap(c.head);
    }
}
