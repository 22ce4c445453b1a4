#include "elements/PlayerRules.h"

#include <algorithm>
#include <cmath>

#include "elements/PanelRules.h"
#include "engine/PhysicsRecords.h"

namespace {

// Pixels from the player's position, drawn facing right; the sheet's frames
// crouch and stretch, so the arm and head ride up and down with them.
const float armTable[PlayerRules::frameCount][2] = {
    {10.7f, -59.1f},  {11.2f, -58.0f},  {11.8f, -56.5f},  {11.0f, -55.2f}, {11.0f, -53.9f},
    {10.9f, -55.0f},  {11.1f, -56.8f},  {10.9f, -58.3f},  {11.4f, -60.6f}, {11.5f, -58.6f},
    {11.7f, -57.3f},  {12.2f, -55.4f},  {12.0f, -50.0f},  {11.8f, -50.9f}, {12.1f, -53.1f},
    {12.6f, -54.6f},  {21.2f, -45.4f},  {19.5f, -46.0f},  {17.4f, -46.2f}, {18.6f, -46.1f},
    {-13.4f, -40.2f}, {-12.2f, -40.8f}, {-11.6f, -41.5f}, {-10.4f, -41.9f}};
const float headTable[PlayerRules::frameCount][2] = {
    {20.0f, -82.5f}, {20.0f, -81.8f}, {20.0f, -80.5f}, {20.0f, -79.5f}, {20.0f, -78.4f},
    {20.0f, -79.3f}, {20.0f, -80.9f}, {20.0f, -82.1f}, {20.0f, -84.1f}, {20.0f, -82.8f},
    {20.0f, -81.3f}, {20.0f, -79.4f}, {20.0f, -74.2f}, {20.0f, -75.5f}, {20.0f, -77.3f},
    {20.0f, -78.8f}, {27.0f, -70.5f}, {24.6f, -70.5f}, {21.5f, -70.9f}, {23.2f, -70.6f},
    {-9.4f, -63.9f}, {-8.3f, -64.5f}, {-8.0f, -65.0f}, {-7.0f, -65.0f}};

constexpr float pi = 3.14159265358979f;

int clampFrame(int frame) {
    return std::clamp(frame, 0, PlayerRules::frameCount - 1);
}

NK::Vec2 rotated(NK::Vec2 v, float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    return {v.x * c - v.y * s, v.x * s + v.y * c};
}

}  // namespace

NK::Vec2 PlayerRules::armOffset(int frame) {
    const float* o = armTable[clampFrame(frame)];
    return {o[0], o[1]};
}

NK::Vec2 PlayerRules::headOffset(int frame) {
    const float* o = headTable[clampFrame(frame)];
    return {o[0], o[1]};
}

bool PlayerRules::facesLeft(NK::Vec2 player, NK::Vec2 pointer) {
    return NK::Vec2::signedAngle(player, pointer, NK::Vec2(0.0f, -1.0f)) > 0.0f;
}

PlayerRules::Layout PlayerRules::aimedLayout(NK::Vec2 player, int frame, NK::Vec2 pointer) {
    Layout l;
    l.facingLeft = facesLeft(player, pointer);
    // Mirroring negates every x offset and every width; angles are handled apart.
    const float side = l.facingLeft ? -1.0f : 1.0f;
    const NK::Vec2 arm = armOffset(frame);
    const NK::Vec2 head = headOffset(frame);
    const NK::Vec2 size(side * partSide, partSide);
    l.arm = {NK::Vec2(player.x + side * arm.x, player.y + arm.y), size, 0.0f};
    l.head = {NK::Vec2(player.x + side * head.x, player.y + head.y), size, 0.0f};

    const NK::Vec2 aimFrom(player.x, player.y + arm.y + aimPivotLift);
    float theta = std::atan2(pointer.y - aimFrom.y, pointer.x - aimFrom.x);
    if (theta <= -pi) theta = pi;  // the half-open range (-pi, pi]
    l.aim = theta;
    float headAngle = theta >= 0.0f ? theta / 3.0f : 0.75f * theta;
    float armAngle = theta;
    if (l.facingLeft) {
        // The mirrored picture already points left, so it turns by pi less;
        // the head keeps the same share of the turn.
        armAngle = theta - pi;
        headAngle = theta >= 0.0f ? theta / 3.0f - pi / 3.0f : 0.75f * theta - 5.0f * pi / 4.0f;
    }
    l.arm.angle = armAngle;
    l.head.angle = headAngle;

    const NK::Vec2 v(gunOffsetX, side * gunOffsetY);
    l.gun = {l.arm.at + rotated(v, theta), size, armAngle};
    l.muzzle =
        l.arm.at + rotated(NK::Vec2(v.x + muzzleReach, v.y), theta) + NK::Vec2(0.0f, aimPivotLift);
    return l;
}

PlayerRules::Layout PlayerRules::restingLayout(NK::Vec2 player) {
    Layout l;
    const NK::Vec2 size(partSide, partSide);
    const NK::Vec2 arm = player + armOffset(0);
    l.arm = {arm, size, 0.0f};
    l.head = {player + headOffset(0), size, 0.0f};
    l.gun = {arm + NK::Vec2(gunOffsetX, gunOffsetY), size, 0.0f};
    l.muzzle = arm + NK::Vec2(gunOffsetX + muzzleReach, gunOffsetY + aimPivotLift);
    return l;
}

NK::Rect PlayerRules::cameraView(NK::Vec2 bodyMetres) {
    return {bodyMetres.x * NK::kPixelsPerMetre - cameraWidth / 2.0f,
            bodyMetres.y * NK::kPixelsPerMetre - cameraHeight / 2.0f, cameraWidth, cameraHeight};
}

bool PlayerRules::isStanding(b2Body& body) {
    const float centreX = body.GetPosition().x;
    for (b2ContactEdge* edge = body.GetContactList(); edge; edge = edge->next) {
        b2Contact* contact = edge->contact;
        // Shots are bullets: one passing under the feet is no ground.
        if (!contact->IsTouching() || edge->other->IsBullet()) continue;
        b2WorldManifold manifold;
        contact->GetWorldManifold(&manifold);
        for (int i = 0; i < contact->GetManifold()->pointCount; ++i) {
            if (std::fabs(manifold.points[i].x - centreX) < standingReach) return true;
        }
    }
    return false;
}

PlayerRules::ShotContact PlayerRules::shotContact(b2Body& shot, bool playerAlive) {
    if (!playerAlive) return ShotContact::None;
    for (b2ContactEdge* edge = shot.GetContactList(); edge; edge = edge->next) {
        b2Contact* contact = edge->contact;
        if (!contact->IsTouching()) continue;
        // Box2D orders a contact's two fixtures by its own bookkeeping, so
        // the player may be either one: look at the body that is not the shot.
        if (NK::bodyTag(edge->other) != NK::kTagPlayer) return ShotContact::Spent;
        // The player's own shots leave its body unharmed.
        if (NK::bodyTag(&shot) == NK::kTagCameraShot) return ShotContact::HitsPlayer;
    }
    return ShotContact::None;
}

NK::Rect PlayerRules::dragTopLeft(const NK::Rect& area, NK::Vec2 pointer) {
    const float right = area.x + area.width;
    const float bottom = area.y + area.height;
    const float x = std::min(pointer.x, right - PanelRules::minimumSide);
    const float y = std::min(pointer.y, bottom - PanelRules::minimumSide);
    return {x, y, right - x, bottom - y};
}

NK::Rect PlayerRules::dragBottomRight(const NK::Rect& area, NK::Vec2 pointer) {
    return {area.x, area.y, std::max(pointer.x - area.x, PanelRules::minimumSide),
            std::max(pointer.y - area.y, PanelRules::minimumSide)};
}
