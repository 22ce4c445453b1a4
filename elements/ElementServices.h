#pragma once
#include "elements/PanelWidgets.h"

namespace NK {
class AnimationStore;
class PhysicsWorld;
class SoundStore;
}  // namespace NK

// What every element kind is built from: the engine objects the game (or a
// test) owns and hands to the level. Each kind keeps only what it uses.
struct ElementServices : PanelServices {
    NK::AnimationStore* animations = nullptr;  // sheets and one-shot effects
    NK::SoundStore* sounds = nullptr;
    NK::PhysicsWorld* physics = nullptr;  // where the ground's surfaces live
};
