#pragma once
#include "engine/GameCore.h"

// The one game object. Its scenes and stores arrive as they are built.
class Game : public NK::GameCore {
public:
    void create() override;
    void load() override;
    void update() override;
    void draw() override;
    void destroy() override;
};
