#pragma once
#include <allegro5/allegro.h>

#include <string>

#include "engine/KeyedStore.h"
#include "engine/Light.h"
#include "engine/Vec2.h"

namespace NK {

// The light system's keyed lights and the bookkeeping of its upload slots,
// kept apart from the shader so the rules run without a window.
//
// Unlike the other stores, a missing key is not fatal here: lights blink and
// move every tick, and a stale key in an editor panel should cost a log line,
// not the game.
class LightSystemStore {
public:
    // The size of the shader's uniform arrays; one more would overflow them.
    static constexpr int maxLights = 100;

    // False (and nothing changes) once the store is full, even for a key it
    // already holds: replacing would briefly need a 101st slot.
    bool createLight(const std::string& key, Vec2 position, float red, float green, float blue,
                     float intensity, float hardness);
    void clearLight(const std::string& key);
    void clearLights() { lights.clear(); }
    int count() const { return static_cast<int>(lights.size()); }
    std::vector<std::string> keys() const { return lights.keys(); }

    void setPosition(const std::string& key, Vec2 position);
    void setColor(const std::string& key, float red, float green, float blue);
    void setIntensity(const std::string& key, float intensity);
    void setHardness(const std::string& key, float hardness);
    // Alpha is always 1: how strong a light is lives in its intensity.
    ALLEGRO_COLOR getColor(const std::string& key);
    Vec2 getPosition(const std::string& key);
    float getIntensity(const std::string& key);
    float getHardness(const std::string& key);

    // Fills (x, y, hardness) and (red, green, blue, intensity) per light and
    // returns how many slots were filled.
    int fillSlots(float positions[maxLights][3], float colours[maxLights][4]);

private:
    // The light, or null after logging which accessor asked for a missing key.
    Light* lookUp(const std::string& key, const char* accessor);

    KeyedStore<Light> lights{"Light"};
};

}  // namespace NK
