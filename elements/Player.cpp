#include "elements/Player.h"

#include "elements/PanelRules.h"

#include <allegro5/allegro_audio.h>

#include <algorithm>
#include <cmath>

#include "elements/RestFrame.h"
#include "engine/AnimationStore.h"
#include "engine/BitmapStore.h"
#include "engine/ExtBitmap.h"
#include "engine/PhysicsWorld.h"
#include "engine/SoundStore.h"
#include "engine/View.h"

namespace {

const char* const sheetPath = "Resources/Images/Ingame/Player/body.png";
const char* const partImages[][2] = {
    {"player_head", "Resources/Images/Ingame/Player/head.png"},
    {"player_armf", "Resources/Images/Ingame/Player/armf.png"},
    {"player_armb", "Resources/Images/Ingame/Player/armb.png"},
    {"player_gun", "Resources/Images/Ingame/Player/gun.png"},
    {"player_shot", "Resources/Images/Ingame/Player/shot.png"},
    {"player_health", "Resources/Images/Ingame/Player/health.png"},
};

// Body frames where each motion's saved animation starts when cut off.
constexpr int runFrame = 0;
constexpr int fallFrame = 16;
constexpr int standFrame = 20;

// Rotation centres of the parts, as fractions of their pictures: the
// shoulder, the grip and the neck.
const NK::Vec2 armPivot(0.15f, 0.44f);
const NK::Vec2 gunPivot(0.41f, 0.66f);
const NK::Vec2 headPivot(0.47f, 0.6f);

// The burst shown where a shot ends.
constexpr float burstSide = 75.0f;
constexpr float burstFramesPerTick = 3.0f;
constexpr float hitFlashSpeed = 0.1f;

// The logical screen the tick's pointer is given on.
const NK::Vec2 logicalScreen(1920.0f, 1080.0f);

}  // namespace

const NK::Rect Player::defaultCameraArea(0.0f, 0.0f, 1920.0f, 1080.0f);
const NK::Vec2 Player::defaultStart(400.0f, 840.0f);

Player::Player(const ElementServices& s)
    : input(s.input),
      view(s.view),
      bitmaps(s.bitmaps),
      animations(s.animations),
      sounds(s.sounds),
      renderContext(s.renderContext),
      pictures(s.renderContext),
      widgets(s) {
    layout = PlayerRules::restingLayout(startPosition);
}

std::vector<std::string> Player::imageFiles() {
    std::vector<std::string> files;
    for (const auto& image : partImages) files.push_back(image[1]);
    files.push_back(sheetPath);
    return files;
}

void Player::loadImages() {
    for (const auto& image : partImages) bitmaps->load(image[1], image[0]);
    animations->loadAnimation(sheetPath, 8, 3, "body");
    pictures.createAnimated(animations->get("body"),
                            NK::Rect(startPosition, {PlayerRules::width, PlayerRules::height}),
                            "player", true);
    pictures.addSavedAnimation("player", "stand", standFrame, 23, 3, true);
    pictures.addSavedAnimation("player", "run", runFrame, 15, 1, false);
    pictures.addSavedAnimation("player", "fall", fallFrame, 19, 3, true);
}

void Player::reset() {
    changed = false;
    startPosition = defaultStart;
    setPosition(startPosition.x, startPosition.y);
    cameraArea = defaultCameraArea;
    fallEdge = defaultFallEdge;
    health = fullHealth;
    if (built) widgets.refreshFields(0);
}

void Player::setPosition(float x, float y) {
    NK::ExtBitmap& s = sprite();
    s.rect.x = x;
    s.rect.y = y;
    layout = PlayerRules::restingLayout({x, y});
    facingLeft = false;
}

NK::Vec2 Player::position() {
    const NK::Rect& r = sprite().rect;
    return {r.x, r.y};
}

NK::Rect Player::rectangle() {
    // The picture is centred on its position.
    const NK::Rect& r = sprite().rect;
    return PanelRules::centredOn({r.x, r.y}, {r.width, r.height});
}

PlayerRecord Player::positionRecord() {
    const NK::Vec2 centre = PanelRules::centreOf(rectangle());
    return {centre.x, centre.y};
}

void Player::start(NK::PhysicsWorld& world) {
    startPosition = position();
    health = fullHealth;
    // The capsule is half the sprite's width, so the arms and the gun may
    // reach over a ledge without holding the player up.
    NK::Capsule& capsule = world.createCapsule(
        startPosition, {PlayerRules::width / 4.0f, PlayerRules::height / 2.0f}, "player");
    capsule.body->SetGravityScale(PlayerRules::gravityScale);
    NK::setBodyTag(capsule.body, NK::kTagPlayer);
}

void Player::update(NK::PhysicsWorld& world, bool hasControl, const PlayInput& in) {
    if (health >= 1) {
        b2Body& body = *world.getCapsule("player").body;
        if (hasControl) {
            walk(body, in);
            const bool standing = PlayerRules::isStanding(body);
            if (standing && in.jumpPressed) {
                body.SetLinearVelocity({body.GetLinearVelocity().x, 0.0f});
                body.ApplyLinearImpulseToCenter({0.0f, -PlayerRules::jumpImpulse}, true);
            }
            showMotion(standing, in.left || in.right);
            const NK::Rect camera =
                PlayerRules::cameraView({body.GetPosition().x, body.GetPosition().y});
            view->x = camera.x;
            view->y = camera.y;
            view->width = camera.width;
            view->height = camera.height;
            view->apply();  // confines the camera to its bounds when they are set
        }
        NK::ExtBitmap& s = sprite();
        s.rect.x = body.GetPosition().x * NK::kPixelsPerMetre;
        s.rect.y = body.GetPosition().y * NK::kPixelsPerMetre;
        const NK::Vec2 pointer = PanelRules::levelPoint(view->rect(), in.pointer, logicalScreen);
        layout = PlayerRules::aimedLayout({s.rect.x, s.rect.y}, s.frame.current, pointer);
        facingLeft = layout.facingLeft;
        s.flipX = facingLeft;
        if (hasControl && in.firePressed) fire(world, pointer);
        if (s.rect.y > fallEdge) health = 0;
    }
    spendShots(world);
}

void Player::walk(b2Body& body, const PlayInput& in) {
    if (in.left) {
        body.ApplyForceToCenter({-PlayerRules::walkForce, 0.0f}, true);
    } else if (in.right) {
        body.ApplyForceToCenter({PlayerRules::walkForce, 0.0f}, true);
    } else {
        const b2Vec2 v = body.GetLinearVelocity();
        body.SetLinearVelocity({v.x * PlayerRules::damping, v.y});
    }
    const b2Vec2 v = body.GetLinearVelocity();
    const float clamped = std::clamp(v.x, -PlayerRules::maxSpeed, PlayerRules::maxSpeed);
    if (clamped != v.x) body.SetLinearVelocity({clamped, v.y});
}

void Player::showMotion(bool standing, bool moving) {
    NK::ExtBitmap& s = sprite();
    if (standing && moving) {
        showRestFrame(s, runFrame);
        pictures.playSavedAnimation("player", "run");
    } else if (standing) {
        showRestFrame(s, standFrame);
        pictures.playSavedAnimation("player", "stand");
    } else {
        showRestFrame(s, fallFrame);
        pictures.playSavedAnimation("player", "fall");
    }
    playSteps(standing && moving);
}

void Player::playSteps(bool on) {
    ALLEGRO_SAMPLE_INSTANCE* steps = sounds->getSong("steps").instance.get();
    // Playing again would restart the loop from its beginning every tick.
    if (on == al_get_sample_instance_playing(steps)) return;
    if (on) {
        al_play_sample_instance(steps);
    } else {
        al_stop_sample_instance(steps);
    }
}

void Player::fire(NK::PhysicsWorld& world, NK::Vec2 pointer) {
    const NK::Vec2 d = pointer - layout.arm.at;
    const float length = std::sqrt(d.x * d.x + d.y * d.y);
    const NK::Vec2 direction = length > 0.0f ? d / length : NK::Vec2();
    NK::setBodyTag(world.createShot(layout.muzzle, direction), NK::kTagPlayerShot);
    sounds->playSound("shot_player");
}

void Player::spendShots(NK::PhysicsWorld& world) {
    for (const auto& shot : world.shots()) {
        const auto contact = PlayerRules::shotContact(*shot->body, health > 0);
        if (contact == PlayerRules::ShotContact::None) continue;
        if (contact == PlayerRules::ShotContact::HitsPlayer) {
            // One flash at a time: a second hit during it leaves it running.
            if (!sprite().colour.active) {
                pictures.animateColour("player", NK::Rgb{1.0f, 0.0f, 0.0f}, true, false, false,
                                       hitFlashSpeed);
            }
            --health;
            sounds->playSound("hit");
        } else {
            sounds->playSound("destroy_shot");
        }
        const b2Vec2 at = shot->body->GetPosition();
        animations->playAnimation(
            "shot",
            NK::Rect(at.x * NK::kPixelsPerMetre, at.y * NK::kPixelsPerMetre, burstSide, burstSide),
            true, NK::Vec2(0.5f, 0.5f), burstFramesPerTick, 0.0f);
        shot->dead = true;
    }
}

void Player::end(NK::PhysicsWorld& world) {
    setPosition(startPosition.x, startPosition.y);
    NK::ExtBitmap& s = sprite();
    s.frame.stop();
    s.savedName.clear();
    s.frame.rest = 0;
    s.frame.current = 0;
    health = fullHealth;
    world.destroyCapsule("player");
    playSteps(false);
    s.flipX = false;
}

void Player::draw() {
    const NK::ExtBitmap& s = sprite();
    const NK::Color tint(s.colour.current.r, s.colour.current.g, s.colour.current.b,
                         s.alpha.current);
    auto part = [&](const char* key, const PlayerRules::Part& p, NK::Vec2 pivot) {
        bitmaps->drawRotated(key, NK::Rect(p.at, p.size), pivot, tint, p.angle);
    };
    part("player_armb", layout.arm, armPivot);
    pictures.drawExtBitmap("player");
    part("player_gun", layout.gun, gunPivot);
    part("player_head", layout.head, headPivot);
    part("player_armf", layout.arm, armPivot);
}

void Player::updateWidgets() {
    pictures.updateExtBitmaps();
    widgets.gui().update();
}
