#include "engine/LightSystemStore.h"

#include "engine/Log.h"

namespace NK {

bool LightSystemStore::createLight(const std::string& key, Vec2 position, float red, float green,
                                   float blue, float intensity, float hardness) {
    if (count() >= maxLights) {
        logInfo("Max lights reached");
        return false;
    }
    Light light;
    light.x = position.x;
    light.y = position.y;
    light.red = red;
    light.green = green;
    light.blue = blue;
    light.intensity = intensity;
    light.hardness = hardness;
    lights.put(key, light);
    return true;
}

void LightSystemStore::clearLight(const std::string& key) {
    if (!lights.contains(key)) {
        logInfo("Light with key \"" + key + "\" not found to clear");
        return;
    }
    lights.destroy(key);
}

Light* LightSystemStore::lookUp(const std::string& key, const char* accessor) {
    Light* light = lights.find(key);
    if (!light) logError("Light key \"" + key + "\" not found (" + accessor + ")");
    return light;
}

void LightSystemStore::setPosition(const std::string& key, Vec2 position) {
    if (Light* l = lookUp(key, "setPosition")) {
        l->x = position.x;
        l->y = position.y;
    }
}

void LightSystemStore::setColor(const std::string& key, float red, float green, float blue) {
    if (Light* l = lookUp(key, "setColor")) {
        l->red = red;
        l->green = green;
        l->blue = blue;
    }
}

void LightSystemStore::setIntensity(const std::string& key, float intensity) {
    if (Light* l = lookUp(key, "setIntensity")) l->intensity = intensity;
}

void LightSystemStore::setHardness(const std::string& key, float hardness) {
    if (Light* l = lookUp(key, "setHardness")) l->hardness = hardness;
}

ALLEGRO_COLOR LightSystemStore::getColor(const std::string& key) {
    // A missing light reads as black: nothing is there to shine.
    Light* l = lookUp(key, "getColor");
    if (!l) return al_map_rgba_f(0.0f, 0.0f, 0.0f, 1.0f);
    return al_map_rgba_f(l->red, l->green, l->blue, 1.0f);
}

// The three read accessors share one word in their error line.
Vec2 LightSystemStore::getPosition(const std::string& key) {
    Light* l = lookUp(key, "getPosition");
    return l ? Vec2(l->x, l->y) : Vec2();
}

float LightSystemStore::getIntensity(const std::string& key) {
    Light* l = lookUp(key, "getPosition");
    return l ? l->intensity : 0.0f;
}

float LightSystemStore::getHardness(const std::string& key) {
    Light* l = lookUp(key, "getPosition");
    return l ? l->hardness : 0.0f;
}

int LightSystemStore::fillSlots(float positions[maxLights][3], float colours[maxLights][4]) {
    int i = 0;
    for (auto& [key, l] : lights) {
        if (i >= maxLights) break;
        positions[i][0] = l.x;
        positions[i][1] = l.y;
        positions[i][2] = l.hardness;
        colours[i][0] = l.red;
        colours[i][1] = l.green;
        colours[i][2] = l.blue;
        colours[i][3] = l.intensity;
        ++i;
    }
    return i;
}

}  // namespace NK
