#include "elements/CameraRules.h"

#include <algorithm>
#include <cmath>

std::array<NK::Vec2, 4> CameraRules::sightPoints(const NK::Rect& p) {
    return {NK::Vec2(p.x + p.width, p.y + p.height / 2.0f), NK::Vec2(p.x, p.y + p.height / 2.0f),
            NK::Vec2(p.x + p.width / 2.0f, p.y + p.height), NK::Vec2(p.x + p.width / 2.0f, p.y)};
}

float CameraRules::aimAngle(NK::Vec2 head, NK::Vec2 target) {
    return std::atan2(target.y - head.y, target.x - head.x) + pi;
}

bool CameraRules::flipped(float angle) {
    return angle > pi / 2.0f || angle < -pi / 2.0f;
}

NK::Vec2 CameraRules::shotDirection(NK::Vec2 head, NK::Vec2 target) {
    const NK::Vec2 d = target - head;
    const float length = std::sqrt(d.x * d.x + d.y * d.y);
    return length > 0.0f ? d / length : NK::Vec2();
}

bool CameraRules::hitsHead(NK::Vec2 shot, NK::Vec2 head, float headImageWidth) {
    const NK::Vec2 d = shot - head;
    return std::sqrt(d.x * d.x + d.y * d.y) < headImageWidth / 2.0f;
}

NK::Vec2 CameraRules::headHandle(NK::Vec2 head, float a) {
    const float reach = headWidth / 2.0f + headHandleReach;
    return {head.x + std::cos(a) * reach, head.y + std::sin(a) * reach};
}

NK::Vec2 CameraRules::holderHandle(NK::Vec2 head, float b) {
    // Along the holder's own "down", a quarter turn on from its angle.
    const float reach = holderHeight / 2.0f + holderHandleReach;
    return {head.x + std::cos(b + pi / 2.0f) * reach, head.y + std::sin(b + pi / 2.0f) * reach};
}

NK::Vec2 CameraRules::sightHandle(NK::Vec2 head, float sightRadius) {
    return {head.x + sightRadius, head.y};
}

bool CameraRules::withinGrab(NK::Vec2 head, NK::Vec2 point) {
    return std::fabs(point.x - head.x) <= grabReach && std::fabs(point.y - head.y) <= grabReach;
}

float CameraRules::headAngleToward(NK::Vec2 head, NK::Vec2 pointer) {
    return std::atan2(pointer.y - head.y, pointer.x - head.x);
}

float CameraRules::holderAngleToward(NK::Vec2 head, NK::Vec2 pointer) {
    return headAngleToward(head, pointer) - pi / 2.0f;
}

float CameraRules::sightToward(NK::Vec2 head, NK::Vec2 pointer) {
    return std::max(pointer.x - head.x, smallestSight);
}
