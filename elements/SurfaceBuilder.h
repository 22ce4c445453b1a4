#pragma once
#include <string>

#include "elements/MapRecords.h"

namespace NK {
class PhysicsWorld;
}

// Puts one ground polyline into the physics world under key: its first
// segment, then one more segment per further point. Loading a map and the
// map fuzzer build the ground through this one function.
void buildSurface(NK::PhysicsWorld& world, const std::string& key, const SurfaceRecord& record);
